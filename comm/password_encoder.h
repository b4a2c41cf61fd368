#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace netprobe {

// The longest password whose stored form survives the 255-character cut of the code text
// (113 bytes of 3 decimal digits each fill 85 groups of 4 digits = 255 code characters,
// two of those bytes carrying the key offset).
inline constexpr std::size_t kMaxStoredPasswordLength = 111;

// The code text from which TCrypt::Decrypt gives back `plain` (any bytes, any length).
// `key_offset` (10..99) varies the cipher; without it one is drawn at random. Raises
// std::invalid_argument for an offset outside 10..99.
std::string EncodePassword(std::string_view plain, std::optional<int> key_offset = std::nullopt);

// The form kept in the user configuration: "(*)" and the code text. Only passwords of at
// most kMaxStoredPasswordLength bytes read back whole.
std::string EncodeStoredPassword(std::string_view plain, std::optional<int> key_offset = std::nullopt);

}  // namespace netprobe
