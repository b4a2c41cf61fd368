#pragma once

#include <string>
#include <string_view>

// Conversion between the module's GBK byte strings and UTF-8. A character that the target
// encoding lacks, or a malformed input sequence, becomes "?".
namespace netprobe {

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace netprobe
