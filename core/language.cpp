#include "core/language.h"

#include <atomic>

#include "core/ascii.h"

namespace netprobe {
namespace {

// -1: nothing chosen, the user's language applies.
std::atomic<int> g_chosen{-1};

// A locale or language name ("zh_CN.UTF-8", "zh-Hans", "en_US@euro") by its language part.
std::optional<Language> KnownLanguage(std::string_view name) {
    const std::string_view part = name.substr(0, name.find_first_of("_-.@"));
    const std::string folded = AsciiLowerCopy(part);
    if (folded == "zh") return Language::kChinese;
    if (folded == "en") return Language::kEnglish;
    return std::nullopt;
}

bool IsCLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

}  // namespace

Language LanguageFromLocale(std::string_view language, std::string_view lc_all, std::string_view lc_messages,
                            std::string_view lang) {
    const std::string_view locale = !lc_all.empty() ? lc_all : !lc_messages.empty() ? lc_messages : lang;
    if (IsCLocale(locale)) return Language::kEnglish;
    if (language.empty()) return KnownLanguage(locale).value_or(Language::kEnglish);
    // A list that names no language with texts means the untranslated ones, as with gettext.
    // Bounded by the list's length: each pass drops one entry.
    while (!language.empty()) {
        const std::size_t colon = language.find(':');
        if (const auto known = KnownLanguage(language.substr(0, colon))) return *known;
        language = colon == std::string_view::npos ? std::string_view() : language.substr(colon + 1);
    }
    return Language::kEnglish;
}

Language LanguageFromLangId(unsigned short lang_id) {
    constexpr unsigned short kChinesePrimary = 0x04;  // LANG_CHINESE
    return (lang_id & 0x3ff) == kChinesePrimary ? Language::kChinese : Language::kEnglish;
}

std::optional<Language> ParseLanguage(std::string_view name) { return KnownLanguage(name); }

const char* LanguageCode(Language language) { return language == Language::kChinese ? "zh" : "en"; }

Language CurrentLanguage() {
    const int chosen = g_chosen.load(std::memory_order_relaxed);
    return chosen < 0 ? UserLanguage() : static_cast<Language>(chosen);
}

void ChooseLanguage(Language language) { g_chosen.store(static_cast<int>(language), std::memory_order_relaxed); }

}  // namespace netprobe
