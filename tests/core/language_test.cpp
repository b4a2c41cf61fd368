#include <gtest/gtest.h>

#include <string>

#include "core/language.h"
#include "core/translate.h"

namespace netprobe {
namespace {

constexpr Language kEn = Language::kEnglish;
constexpr Language kZh = Language::kChinese;

// gettext's order: LANGUAGE unless the locale is C, then the first set of LC_ALL, LC_MESSAGES, LANG.
TEST(Language, PickedAsGettextDoes) {
    struct Case {
        const char *language, *lc_all, *lc_messages, *lang;
        Language expected;
    } cases[] = {
        {"", "", "", "", kEn},
        {"", "", "", "zh_CN.UTF-8", kZh},
        {"", "", "", "zh_TW.Big5", kZh},
        {"", "", "", "de_DE.UTF-8", kEn},
        {"", "", "zh_CN.GBK", "en_US.UTF-8", kZh},
        {"", "en_US.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", kEn},
        {"", "fr_FR.UTF-8", "", "zh_CN.UTF-8", kEn},  // the first one set decides, known or not
        {"fr:zh_CN:en", "", "", "en_US.UTF-8", kZh},
        {"en:zh", "", "", "zh_CN.UTF-8", kEn},
        {"fr:de", "", "", "zh_CN.UTF-8", kEn},  // a list naming no language with texts
        {"zh_CN", "C", "", "", kEn},            // the C locale ignores LANGUAGE
        {"zh_CN", "", "", "POSIX", kEn},
        {"zh_CN", "", "", "C.UTF-8", kEn},
        {"zh_CN", "", "", "", kEn},
        {"zh_CN", "", "", "en_GB.UTF-8", kZh},
        {"", "", "", "ZH_cn", kZh},
        {"", "", "", "zhx_CN", kEn},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageFromLocale(c.language, c.lc_all, c.lc_messages, c.lang), c.expected)
            << c.language << " | " << c.lc_all << " | " << c.lc_messages << " | " << c.lang;
    }
}

TEST(Language, WindowsLanguageIdsAndTheOption) {
    EXPECT_EQ(LanguageFromLangId(0x0804), kZh);  // zh-CN
    EXPECT_EQ(LanguageFromLangId(0x0404), kZh);  // zh-TW
    EXPECT_EQ(LanguageFromLangId(0x0409), kEn);
    EXPECT_EQ(LanguageFromLangId(0x0411), kEn);  // Japanese
    EXPECT_EQ(ParseLanguage("zh"), kZh);
    EXPECT_EQ(ParseLanguage("EN-us"), kEn);
    EXPECT_EQ(ParseLanguage("de"), std::nullopt);
    EXPECT_EQ(ParseLanguage(""), std::nullopt);
}

// Values go where the text's placeholders are, in the translation's order; a broken catalog
// entry cannot read past the values.
TEST(Translate, FillsPlaceholders) {
    struct Case {
        const char *format, *expected;
    } cases[] = {
        {"%s reached %s", "a reached b"},
        {"%2$s 到 %1$s", "b 到 a"},
        {"100%% of %s", "100% of a"},
        {"%s %s %s", "a b "},
        {"%3$s|%0$s|", "||"},
        {"50%", "50%"},
        {"%d %s", "%d a"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholders(c.format, {"a", "b"}), c.expected) << c.format;
}

TEST(Translate, LooksUpTheCatalogOfTheLanguage) {
    const char* text = "verdict:";
    EXPECT_STREQ(Translate(kEn, text), text);
    EXPECT_STREQ(Translate(kZh, text), "结论：");
    EXPECT_STREQ(Translate(kZh, "no such text in any catalog"), "no such text in any catalog");
    EXPECT_STREQ(Translate(kZh, ""), "");
}

}  // namespace
}  // namespace netprobe
