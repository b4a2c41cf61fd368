#pragma once
// Numbers that travel as text: ports, time-outs and switches are decimal.
#include <cstdint>
#include <optional>
#include <string_view>

namespace netprobe {

// A decimal signed 32-bit integer: an optional sign and digits, blanks allowed at the edges.
// nullopt for anything else, an empty text and a number beyond 32 bits included.
std::optional<std::int32_t> ParseInt32(std::string_view text);

}  // namespace netprobe
