#pragma once
// The language of the texts the tools and the diagnosis write: Simplified Chinese or English.
// The module's own messages to its host are not chosen by it: they are always the same GBK texts.
#include <optional>
#include <string_view>

namespace netprobe {

enum class Language { kEnglish, kChinese };

// What a POSIX environment names, in gettext's order: LANGUAGE (a colon-separated list, the
// first language with a catalog wins), unless the locale is "C" or "POSIX"; then the first set
// of LC_ALL, LC_MESSAGES, LANG. A LANGUAGE list that names neither language means English, as
// gettext then uses the untranslated texts. Chinese of any region reads the Chinese texts; any other
// language, or none, gives English.
Language LanguageFromLocale(std::string_view language, std::string_view lc_all, std::string_view lc_messages,
                            std::string_view lang);

// A Windows language identifier (GetUserDefaultUILanguage): Chinese by its primary language.
Language LanguageFromLangId(unsigned short lang_id);

// "zh" or "en", as `--lang` takes it (any case, a region allowed: "zh_CN", "en-US").
std::optional<Language> ParseLanguage(std::string_view name);
const char* LanguageCode(Language language);  // "zh" / "en"

// The user's UI language, as the platform tells (language_posix.cpp / language_win.cpp).
Language UserLanguage();

// The language of this process's texts: the user's, unless a tool chose one (`--lang`) before it
// wrote anything. The module never chooses.
Language CurrentLanguage();
void ChooseLanguage(Language language);

}  // namespace netprobe
