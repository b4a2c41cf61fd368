#include "comm/config_values.h"

#include <charconv>

#include "comm/xml_dom.h"
#include "core/errors.h"
#include "core/gbk.h"

namespace netprobe::config {
namespace {

std::string UnreadableMessage(const xml::Node& element) { return "'" + element.Name() + "' has no readable value"; }

}  // namespace

std::string ReadText(const xml::Node& element) {
    std::optional<std::string> text = element.Text();
    if (!text) throw EConvertError(UnreadableMessage(element));
    return Utf8ToGbk(*text);
}

std::string ReadNonEmptyText(const xml::Node& element) {
    std::string text = ReadText(element);
    if (text.empty()) throw EConvertError("'" + element.Name() + "' is empty");
    return text;
}

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

std::int32_t ReadInteger(const xml::Node& element) {
    std::string text = ReadText(element);
    std::optional<std::int32_t> value = ParseInt32(text);
    if (!value) throw EConvertError("'" + element.Name() + "' is not an integer: " + text);
    return *value;
}

}  // namespace netprobe::config
