#pragma once
// Numbers that travel as text: ports, time-outs and switches are decimal.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace netprobe {

// A decimal signed 32-bit integer: an optional sign and digits, blanks allowed at the edges.
// nullopt for anything else, an empty text and a number beyond 32 bits included.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// A switch ("ProxyAuthor" and the like) as a Boolean text: a decimal number (true unless
// zero), or "True"/"False" in any letter case. Raises EConvertError for any other text.
bool StrToBool(const std::string& text);

}  // namespace netprobe
