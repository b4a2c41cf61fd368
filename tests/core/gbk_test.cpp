// The GBK conversions at their edges: both builds (iconv, Windows code page 936) must give
// the same bytes, since the texts travel on to the host unchanged.
#include <gtest/gtest.h>

#include <string>

#include "core/gbk.h"

namespace netprobe {
namespace {

TEST(GbkFromUtf8, MalformedSequencesBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToGbk("a\xE4\xB8"), "a?");          // cut short at the end
    EXPECT_EQ(Utf8ToGbk("\xE4\xB8z"), "?z");          // cut short before ASCII
    EXPECT_EQ(Utf8ToGbk("\xC0\x80z"), "?z");          // overlong
    EXPECT_EQ(Utf8ToGbk("\xED\xA0\x80z"), "?z");      // a surrogate
    EXPECT_EQ(Utf8ToGbk("\xF4\x90\x80\x80z"), "?z");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToGbk("\x80\x80z"), "??z");         // stray continuation bytes
}

TEST(GbkFromUtf8, CharactersGbkLacksBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToGbk("\xE0\xB8\x81"), "?");                           // Thai
    EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80\xF0\x9F\x98\x80y"), "x??y");  // two emoji
    EXPECT_EQ(Utf8ToGbk("\xE3\x80\x80"), "\xA1\xA1");                    // ideographic space is in GBK
    EXPECT_EQ(Utf8ToGbk("plain ASCII 0-9"), "plain ASCII 0-9");
}

TEST(GbkToUtf8, BrokenPairsBecomeQuestionMarks) {
    EXPECT_EQ(GbkToUtf8("a\xD6"), "a?");      // lead byte at the end
    EXPECT_EQ(GbkToUtf8("\x81\x20z"), "?z");  // a lead byte takes its bad trail byte
    EXPECT_EQ(GbkToUtf8("\xFFz"), "?z");
    EXPECT_EQ(GbkToUtf8("\xA1\xA1"), "\xE3\x80\x80");
}

TEST(GbkToUtf8, LongTextRoundTrips) {
    std::string utf8;
    for (int i = 0; i < 2000; ++i) utf8 += "网络连接超时 timeout ";
    std::string gbk = Utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 2000u * (6 * 2 + 9));
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

}  // namespace
}  // namespace netprobe
