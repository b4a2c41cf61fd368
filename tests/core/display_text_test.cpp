// What a screen is given of a text from outside: controls escaped, ill-formed UTF-8 replaced.
#include <gtest/gtest.h>

#include <string>

#include "core/display_text.h"

namespace netprobe {
namespace {

TEST(DisplayText, ControlsAreEscapedAndIllFormedUtf8Replaced) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        std::string in;
        TextLayout layout;
        std::string out;
    };
    const Case cases[] = {
        {"plain 更新 text", TextLayout::kField, "plain 更新 text"},
        {"\x1b]0;owned\x07\x1b[2J", TextLayout::kField, "\\x1B]0;owned\\x07\\x1B[2J"},
        {"a\r\nb\tc\x7f", TextLayout::kField, "a\\x0D\\x0Ab\\x09c\\x7F"},
        {"a\r\nb\tc", TextLayout::kKeepLinesAndTabs, "a\\x0D\nb\tc"},
        {std::string("nul\0x", 5), TextLayout::kField, "nul\\x00x"},
        {"c1 \xC2\x9B"
         "31m \xC2\x85",
         TextLayout::kField, "c1 \\u009B31m \\u0085"},
        {"\xC2\xA0\xC2\xA9", TextLayout::kField, "\xC2\xA0\xC2\xA9"},  // the first characters past C1 stay
        {"\x9b"
         "2J",
         TextLayout::kField, fffd + "2J"},  // a lone C1 byte is no character
        {"\xC0\xAF\xE0\x80\xAF", TextLayout::kField, fffd + fffd + fffd + fffd + fffd},  // overlong forms
        {"\xED\xA0\x80", TextLayout::kField, fffd + fffd + fffd},                        // a surrogate
        {"\xF4\x90\x80\x80", TextLayout::kField, fffd + fffd + fffd + fffd},             // beyond U+10FFFF
        {"\xE6\x9B", TextLayout::kField, fffd},                                          // cut short
        {"\xE6\x9Bx\xF0\x9F\x98\x80", TextLayout::kField, fffd + "x\xF0\x9F\x98\x80"},
        {"\\x1B", TextLayout::kField, "\\x1B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const std::string once = DisplayText(c.in, c.layout);
        EXPECT_EQ(once, c.out);
        EXPECT_EQ(DisplayText(once, c.layout), once);
    }
}

TEST(DisplayText, WidthCountsWideCharactersTwice) {
    EXPECT_EQ(DisplayWidth("http://a:80/x"), 13u);
    EXPECT_EQ(DisplayWidth("更新通道"), 8u);
    EXPECT_EQ(DisplayWidth("\xEF\xBF\xBD\xC3\xA9"), 2u);
}

}  // namespace
}  // namespace netprobe
