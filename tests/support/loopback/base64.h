#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace netprobe::testing {

std::string Base64Encode(std::string_view bytes);
// Standard alphabet with '=' padding; nullopt on any other character or a bad length.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace netprobe::testing
