#include "comm/config_values.h"

#include "comm/xml_dom.h"
#include "core/decimal.h"
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

std::int32_t ReadInteger(const xml::Node& element) {
    std::string text = ReadText(element);
    std::optional<std::int32_t> value = ParseInt32(text);
    if (!value) throw EConvertError("'" + element.Name() + "' is not an integer: " + text);
    return *value;
}

}  // namespace netprobe::config
