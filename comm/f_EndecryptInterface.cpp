#include "comm/f_EndecryptInterface.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace netprobe {
namespace {

constexpr std::size_t kGroupLength = 3;  // code characters per group, digits per byte
constexpr std::uint16_t kKeyBase = 0x4E2D;
constexpr std::uint16_t kMultiplier = 0x9B35;  // 1 mod 4: the key update is a full-period LCG
constexpr std::uint16_t kIncrement = 0x3C6F;

std::string BuildAlphabet() {
    std::string alphabet;
    for (char c = '!'; c <= '~'; ++c) {
        if (c != '"' && c != '\'') alphabet.push_back(c);
    }
    return alphabet;
}

// Blanks and control characters at both ends are not part of a digit text or an alphabet.
std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

// The value of `digits` over `symbols` (whose size is the base). Horner's scheme gives the
// same sum as weighting each digit with its power of the base, but never forms a power that
// leading zero digits would not need; a value beyond the signed 64-bit range fails instead
// of wrapping, since a wrapped number would spell a meaningless digit text.
std::optional<std::int64_t> ReadNumber(std::string_view symbols, std::string_view digits) {
    const auto base = static_cast<std::int64_t>(symbols.size());
    std::int64_t value = 0;
    for (char c : digits) {
        std::size_t position = symbols.find(c);
        if (position == std::string_view::npos) return std::nullopt;
        const auto digit = static_cast<std::int64_t>(position);
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / base) return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// `value` over `symbols`, most significant digit first; zero is the first symbol.
std::string WriteNumber(std::string_view symbols, std::int64_t value) {
    const auto base = static_cast<std::int64_t>(symbols.size());
    std::string out;
    do {
        out.insert(out.begin(), symbols[static_cast<std::size_t>(value % base)]);
        value /= base;
    } while (value > 0);
    return out;
}

// A short decimal text's value, or 0 when it is no number.
int DecimalOrZero(std::string_view text) {
    if (!TCrypt::IsNumber(text)) return 0;
    bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    int value = 0;
    for (char c : text) {
        if (value > (std::numeric_limits<int>::max() - 9) / 10) return 0;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace

TCrypt::TCrypt() : Alphabet(BuildAlphabet()), KeyBase(kKeyBase), Multiplier(kMultiplier), Increment(kIncrement) {}

std::string TCrypt::Decrypt(std::string_view code) const {
    std::string bytes;
    for (std::size_t pos = 0; pos < code.size(); pos += kBlockLength) {
        bytes += DecodeBlock(code.substr(pos, kBlockLength));
    }
    if (bytes.size() < 3) return {};
    const int n = DecimalOrZero(std::string_view(bytes).substr(0, 2));
    if (n < 10 || n > 99) return {};
    return XorDecode(std::string_view(bytes).substr(2), static_cast<std::uint16_t>(KeyBase + n));
}

std::string TCrypt::DecodeBlock(std::string_view block) const {
    // Each group of code characters gives some base-30 digits. Odd groups (1st, 3rd, ...)
    // run forward at the head of the digit text, even groups backward at its tail.
    std::string head;
    std::string tail;
    std::size_t index = 0;
    for (std::size_t pos = 0; pos < block.size(); pos += kGroupLength, ++index) {
        std::string part = ConvertBase(Alphabet, block.substr(pos, kGroupLength), kCodeBase, kDigitBase);
        if (index % 2 == 0) {
            head += part;
        } else {
            tail.insert(0, part);
        }
    }
    const std::string digits = head + tail;

    // Three digit characters make a byte; one character left at the end makes none.
    std::string bytes;
    for (std::size_t pos = 0; pos + 1 < digits.size(); pos += kGroupLength) {
        const int value = DecimalOrZero(std::string_view(digits).substr(pos, kGroupLength));
        bytes.push_back(static_cast<char>(value & 0xFF));
    }
    return bytes;
}

std::string TCrypt::ConvertBase(std::string_view alphabet, std::string_view digits, int from, int to) {
    alphabet = TrimBlanks(alphabet);
    digits = TrimBlanks(digits);
    if (from < 2 || to < 2) return {};
    const auto from_size = static_cast<std::size_t>(from);
    const auto to_size = static_cast<std::size_t>(to);
    if (alphabet.size() < from_size || alphabet.size() < to_size) return {};
    // An empty digit text is the number zero.
    std::optional<std::int64_t> value = ReadNumber(alphabet.substr(0, from_size), digits);
    if (!value) return {};
    return WriteNumber(alphabet.substr(0, to_size), *value);
}

bool TCrypt::IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::uint16_t TCrypt::NextKey(std::uint16_t key, unsigned char c) const {
    // Unsigned 32-bit arithmetic wraps; its low 16 bits are the 16-bit result.
    const std::uint32_t sum = static_cast<std::uint32_t>(key) + c;
    return static_cast<std::uint16_t>(sum * Multiplier + Increment);
}

std::string TCrypt::XorDecode(std::string_view cipher, std::uint16_t key) const {
    std::string plain;
    plain.reserve(cipher.size());
    for (char ch : cipher) {
        const auto c = static_cast<unsigned char>(ch);
        plain.push_back(static_cast<char>(c ^ (key >> 8)));
        key = NextKey(key, c);
    }
    return plain;
}

std::string DecryptText(std::string_view code) {
    const TCrypt crypt;
    std::string plain = crypt.Decrypt(code.substr(0, kMaxCodeTextLength));
    if (plain.size() > kMaxCodeTextLength) plain.resize(kMaxCodeTextLength);
    return plain;
}

}  // namespace netprobe
