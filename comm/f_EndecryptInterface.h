#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/TObject.h"

namespace netprobe {

// The codec of passwords kept in the user configuration. A code text is made of the symbols
// of Alphabet only, so it can sit in an INI file unquoted. Decoding runs in two stages:
// symbols to bytes (DecodeBlock), then bytes to the password (XorDecode). The encoder lives
// in password_encoder.h.
class TCrypt : public TObject {
public:
    static constexpr std::size_t kBlockLength = 900;  // code characters decoded together
    static constexpr int kCodeBase = 90;              // base of the code text's groups
    static constexpr int kDigitBase = 30;             // base of the digit text

    // The 92 printable characters 33..126 without the two quotes, "!" first, "~" last.
    // A symbol's digit value is its position here.
    std::string Alphabet;
    std::uint16_t KeyBase;
    std::uint16_t Multiplier;
    std::uint16_t Increment;

    TCrypt();
    ~TCrypt() noexcept override = default;

    // The password behind a code text; empty when the text carries none.
    std::string Decrypt(std::string_view code) const;

    // One block of at most kBlockLength code characters to its bytes.
    std::string DecodeBlock(std::string_view block) const;

    // Writes the number that `digits` spells in base `from` in base `to`, both over the
    // first symbols of `alphabet`. Empty on failure: a bad base or alphabet, a character
    // that is no digit of base `from`, or a value beyond the signed 64-bit range.
    static std::string ConvertBase(std::string_view alphabet, std::string_view digits, int from, int to);

    // A decimal integer: digits, with an optional leading "+" or "-". Needs one digit at least.
    static bool IsNumber(std::string_view text);

    // The password from its cipher bytes, with the running key starting at `key`.
    std::string XorDecode(std::string_view cipher, std::uint16_t key) const;

    // The running key after the cipher byte `c`; shared with the encoder.
    std::uint16_t NextKey(std::uint16_t key, unsigned char c) const;
};

// A password in the user configuration is stored as this marker followed by its code text.
inline constexpr std::string_view kStoredPasswordMarker = "(*)";
// The longest code text that the stored form keeps.
inline constexpr std::size_t kMaxCodeTextLength = 255;

// Decodes a code text of at most 255 characters (longer texts are cut first) and returns at
// most 255 bytes.
std::string DecryptText(std::string_view code);

}  // namespace netprobe
