#include "core/display_text.h"

#include <cstdio>

namespace netprobe {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;  // bytes taken; 0 for an ill-formed sequence
    std::size_t skip = 1;    // bytes an ill-formed sequence covers (its maximal subpart)
};

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The next character at text[at], as the Unicode standard's table of well-formed UTF-8
// sequences allows it.
Decoded Decode(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1, 1};
    std::size_t length = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {};
    }
    Decoded bad;
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size()) return bad;
        const unsigned char c = byte(i);
        if (i == 1 ? (c < low || c > high) : !Continuation(c)) return bad;
        code = (code << 6) | (c & 0x3F);
        bad.skip = i + 1;
    }
    return {code, length, length};
}

void AppendEscape(std::string& out, const char* format, char32_t code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(code));
    out += buffer;
}

bool EastAsianWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

std::string DisplayText(std::string_view text, TextLayout layout) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = Decode(text, at);
        if (d.length == 0) {
            out += kReplacement;
            at += d.skip;
            continue;
        }
        const bool kept = layout == TextLayout::kKeepLinesAndTabs && (d.code == '\n' || d.code == '\t');
        if ((d.code < 0x20 || d.code == 0x7F) && !kept) {
            AppendEscape(out, "\\x%02X", d.code);
        } else if (d.code >= 0x80 && d.code <= 0x9F) {
            AppendEscape(out, "\\u%04X", d.code);
        } else {
            out.append(text.substr(at, d.length));
        }
        at += d.length;
    }
    return out;
}

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Decoded d = Decode(utf8, at);
        width += d.length != 0 && EastAsianWide(d.code) ? 2 : 1;
        at += d.length != 0 ? d.length : d.skip;
    }
    return width;
}

}  // namespace netprobe
