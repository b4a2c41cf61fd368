#include "tests/support/loopback/base64.h"

#include <cstdint>

namespace netprobe::testing {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
    std::size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// Decodes one group of four characters (with up to two '=' at the end of the text).
bool DecodeQuad(std::string_view quad, bool last, std::string& out) {
    int padding = 0;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        int sextet = 0;
        if (quad[i] == '=') {
            if (!last || i < 2) return false;
            ++padding;
        } else {
            if (padding > 0) return false;
            sextet = SextetOf(quad[i]);
            if (sextet < 0) return false;
        }
        bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
    }
    out.push_back(static_cast<char>((bits >> 16) & 0xFF));
    if (padding < 2) out.push_back(static_cast<char>((bits >> 8) & 0xFF));
    if (padding < 1) out.push_back(static_cast<char>(bits & 0xFF));
    return true;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
        std::uint32_t bits = 0;
        for (std::size_t k = 0; k < 3; ++k)
            bits = (bits << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k) out.push_back(k <= n ? kAlphabet[(bits >> (18 - 6 * k)) & 0x3F] : '=');
    }
    return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        if (!DecodeQuad(text.substr(i, 4), i + 4 == text.size(), out)) return std::nullopt;
    }
    return out;
}

}  // namespace netprobe::testing
