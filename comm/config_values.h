#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace netprobe::xml {
class Node;
}

// Reading element values of the communication configuration file.
namespace netprobe::config {

// The element's text in GBK; raises EConvertError when the value is unreadable.
std::string ReadText(const xml::Node& element);
// As ReadText, and an empty text raises as well.
std::string ReadNonEmptyText(const xml::Node& element);
// The element's text as a decimal signed 32-bit integer; raises EConvertError when it is
// empty, unreadable, not a number or out of range.
std::int32_t ReadInteger(const xml::Node& element);

}  // namespace netprobe::config
