// INI reading for the default host, as the suite's user configuration is read: the first
// occurrence counts (of a section that appears twice, only the first is read), section and
// key compare without regard to ASCII letter case, blanks
// around names and values are dropped, lines starting with ";" or "#" are comments, and the
// default stands when the file, the section or the key is missing. Lines have no length
// limit: a stored proxy password alone takes up to 272 bytes.
#include <fstream>

#include "core/ascii.h"
#include "core/ini_reader.h"

namespace netprobe {
namespace {

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view def) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string(def);
    std::string line;
    bool in_section = false;
    bool first_line = true;
    while (std::getline(in, line)) {
        std::string_view text = line;
        if (first_line && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        first_line = false;
        text = Trim(text);
        if (text.empty() || text.front() == ';' || text.front() == '#') continue;
        if (text.front() == '[') {
            if (in_section) break;  // the first such section has ended
            const auto close = text.find(']');
            in_section =
                close != std::string_view::npos && EqualsIgnoreAsciiCase(Trim(text.substr(1, close - 1)), section);
            continue;
        }
        const auto equals = text.find('=');
        if (!in_section || equals == std::string_view::npos) continue;
        if (EqualsIgnoreAsciiCase(Trim(text.substr(0, equals)), key)) return std::string(Trim(text.substr(equals + 1)));
    }
    return std::string(def);
}

}  // namespace netprobe
