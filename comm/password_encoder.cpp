#include "comm/password_encoder.h"

#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "comm/f_EndecryptInterface.h"

namespace netprobe {
namespace {

constexpr std::size_t kDigitsPerByte = 3;
constexpr std::size_t kDigitsPerGroup = 4;  // the most base-30 digits "0".."9" that 3 code characters reach
constexpr std::size_t kCharsPerGroup = 3;
// A full block of code characters holds this many bytes: 300 groups x 4 digits / 3 digits.
constexpr std::size_t kBytesPerBlock = TCrypt::kBlockLength / kCharsPerGroup * kDigitsPerGroup / kDigitsPerByte;

int PickKeyOffset(std::optional<int> requested) {
    if (requested) {
        if (*requested < 10 || *requested > 99) throw std::invalid_argument("key offset must lie in 10..99");
        return *requested;
    }
    std::random_device device;
    return std::uniform_int_distribution<int>(10, 99)(device);
}

// The bytes that the symbol stage must produce: the key offset as two decimal characters,
// then the cipher bytes.
std::string PlainToBytes(const TCrypt& crypt, std::string_view plain, int key_offset) {
    std::string bytes{static_cast<char>('0' + key_offset / 10), static_cast<char>('0' + key_offset % 10)};
    auto key = static_cast<std::uint16_t>(crypt.KeyBase + key_offset);
    for (char ch : plain) {
        const auto c = static_cast<unsigned char>(static_cast<unsigned char>(ch) ^ (key >> 8));
        bytes.push_back(static_cast<char>(c));
        key = crypt.NextKey(key, c);
    }
    return bytes;
}

std::string BytesToDigits(std::string_view bytes) {
    std::string digits;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        digits +=
            {static_cast<char>('0' + b / 100), static_cast<char>('0' + b / 10 % 10), static_cast<char>('0' + b % 10)};
    }
    return digits;
}

// A run of 1..4 decimal digit characters, each read as the base-30 symbol it is, written as
// three base-90 code characters (leading zeros included).
std::string EncodeGroup(std::string_view alphabet, std::string_view digit_run) {
    const auto base30 = static_cast<std::size_t>(TCrypt::kDigitBase);
    const auto base90 = static_cast<std::size_t>(TCrypt::kCodeBase);
    std::size_t value = 0;
    for (char c : digit_run) value = value * base30 + alphabet.find(c);
    return {alphabet[value / (base90 * base90)], alphabet[value / base90 % base90], alphabet[value % base90]};
}

// The decoder reads the groups' digits as: odd groups forward, then even groups backward.
// So the first half of the runs goes to groups 1, 3, 5, ... and the rest, last run first,
// to groups 2, 4, 6, ...
std::string EncodeBlock(std::string_view alphabet, std::string_view bytes) {
    const std::string digits = BytesToDigits(bytes);
    std::vector<std::string_view> runs;
    for (std::size_t pos = 0; pos < digits.size(); pos += kDigitsPerGroup) {
        runs.push_back(std::string_view(digits).substr(pos, kDigitsPerGroup));
    }
    const std::size_t forward = (runs.size() + 1) / 2;
    const std::size_t backward = runs.size() - forward;
    std::string code;
    for (std::size_t group = 0; group < runs.size(); ++group) {
        const std::size_t run = group % 2 == 0 ? group / 2 : forward + backward - 1 - group / 2;
        code += EncodeGroup(alphabet, runs[run]);
    }
    return code;
}

}  // namespace

std::string EncodePassword(std::string_view plain, std::optional<int> key_offset) {
    const TCrypt crypt;
    const std::string bytes = PlainToBytes(crypt, plain, PickKeyOffset(key_offset));
    std::string code;
    for (std::size_t pos = 0; pos < bytes.size(); pos += kBytesPerBlock) {
        code += EncodeBlock(crypt.Alphabet, std::string_view(bytes).substr(pos, kBytesPerBlock));
    }
    return code;
}

std::string EncodeStoredPassword(std::string_view plain, std::optional<int> key_offset) {
    return std::string(kStoredPasswordMarker) + EncodePassword(plain, key_offset);
}

}  // namespace netprobe
