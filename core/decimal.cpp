#include "core/decimal.h"

#include <charconv>

#include "core/ascii.h"
#include "core/errors.h"

namespace netprobe {

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
    }
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool StrToBool(const std::string& text) {
    if (EqualsIgnoreAsciiCase(text, "true")) return true;
    if (EqualsIgnoreAsciiCase(text, "false")) return false;
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i == text.size()) throw EConvertError("'" + text + "' is not a valid Boolean value");
    bool nonzero = false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') throw EConvertError("'" + text + "' is not a valid Boolean value");
        nonzero = nonzero || text[i] != '0';
    }
    return nonzero;
}

}  // namespace netprobe
