// INI reading for the default host, as the system's profile functions read the user
// configuration (GetPrivateProfileStringA on Windows), so that one file reads the same on
// every target:
// - the text is GBK, or UTF-8 / UTF-16LE after a byte-order mark (converted to GBK);
// - lines end at CR or LF; blanks at both ends of a line are dropped;
// - "[name]" starts a section, its name running to the last "]" on the line, blanks around it
//   dropped; a "[" line without "]" is an ordinary line;
// - "key=value": blanks around the key and the value dropped; a line without "=" is a key
//   without a value, which reads as the default;
// - only the first section of a name is searched, and in it the first key of a name; both
//   compare without regard to ASCII letter case;
// - one pair of equal quotes (" or ') around the value (or the default) is removed;
// - trailing spaces of the default are dropped, down to its first character.
// Comment lines (";", "#") need no rule of their own: their key never matches one asked for.
// Lines have no length limit: a stored proxy password alone takes up to 272 bytes.
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "core/ascii.h"
#include "core/gbk.h"
#include "core/ini_reader.h"

namespace netprobe {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16LE bytes to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

// The file's text in GBK; nullopt when it can't be read.
std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF")) return Utf8ToGbk(view.substr(3));
    if (view.starts_with("\xFF\xFE")) return Utf8ToGbk(Utf16LeToUtf8(view.substr(2)));
    return bytes;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The value of `key` in the first section named `section`; nullopt when there is none (or the
// key has no "=").
std::optional<std::string_view> Find(std::string_view text, std::string_view section, std::string_view key) {
    bool in_section = false;
    for (std::string_view line : Lines(text)) {
        line = Trim(line);
        if (line.empty()) continue;
        const auto close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            if (in_section) return std::nullopt;  // the first such section has ended
            in_section = EqualsIgnoreAsciiCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!in_section) continue;
        const auto equals = line.find('=');
        if (!EqualsIgnoreAsciiCase(Trim(line.substr(0, equals)), key)) continue;
        if (equals == std::string_view::npos) return std::nullopt;
        return Trim(line.substr(equals + 1));
    }
    return std::nullopt;
}

std::string StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return std::string(value.substr(1, value.size() - 2));
    }
    return std::string(value);
}

std::string_view DropTrailingSpaces(std::string_view def) {
    while (def.size() > 1 && def.back() == ' ') def.remove_suffix(1);
    return def;
}

}  // namespace

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view def) {
    const std::optional<std::string> text = ReadText(path);
    const std::optional<std::string_view> value = text ? Find(*text, Trim(section), Trim(key)) : std::nullopt;
    return StripQuotes(value ? *value : DropTrailingSpaces(def));
}

}  // namespace netprobe
