#pragma once
// The texts the tools and the diagnosis write, in the current language (core/language.h). A text
// is written in English in the code and looked up in the catalog of the language (po/*.po,
// compiled into the program); a text a catalog lacks stays English.
//
//   Tr("verdict:")                            a fixed text
//   TrFormat("nothing listens on %s", peer)    a text with values: "%s" takes the next value,
//                                              "%2$s" the second, "%%" is "%"
//   TrNoop("...")                              marks a text for the catalogs where it is stored
//                                              (a table); Tr translates it where it is used
#include <concepts>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

#define TrNoop(text) text

namespace netprobe {

// The text in `language`; the returned text lives as long as the program.
const char* Translate(Language language, const char* msgid);
inline const char* Tr(const char* msgid) { return Translate(CurrentLanguage(), msgid); }

// `format` with "%s" and "%N$s" replaced by `values`; a placeholder without a value gives "".
std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& values);

namespace detail {
inline std::string TextOf(std::string text) { return text; }
inline std::string TextOf(const char* text) { return text ? text : ""; }
inline std::string TextOf(std::string_view text) { return std::string(text); }
template <std::integral T>
std::string TextOf(T number) {
    return std::to_string(number);
}
}  // namespace detail

template <typename... Values>
std::string TrFormat(const char* msgid, const Values&... values) {
    return FillPlaceholders(Tr(msgid), {detail::TextOf(values)...});
}

}  // namespace netprobe
