// UTF-16 for the wide Windows functions: the same characters from UTF-8 and from the module's
// GBK bytes, and GBK bytes that code page 936 lacks as one "?" each.
#include <gtest/gtest.h>

#include <string>

#include "core/wide_text.h"

namespace netprobe {
namespace {

TEST(WideText, Utf8AndGbkGiveTheSameCharacters) {
    const struct {
        const char* utf8;
        const char* gbk;
        std::wstring wide;
    } cases[] = {
        {"", "", L""},
        {"proxy 127.0.0.1:8080", "proxy 127.0.0.1:8080", L"proxy 127.0.0.1:8080"},
        {"\xE6\xB5\x8B\xE8\xAF\x95", "\xB2\xE2\xCA\xD4", L"\u6D4B\u8BD5"},  // 测试
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
        EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
        EXPECT_EQ(GbkToWide(c.gbk), c.wide);
    }
}

TEST(WideText, CharactersBeyondTheBasicPlaneTravelAsSurrogatePairs) {
    const std::string utf8 = "\xF0\x9F\x98\x80";  // U+1F600
    EXPECT_EQ(Utf8ToWide(utf8), std::wstring(L"\xD83D\xDE00"));
    EXPECT_EQ(WideToUtf8(Utf8ToWide(utf8)), utf8);
}

TEST(WideText, BrokenGbkPairsBecomeOneQuestionMarkEach) {
    const struct {
        std::string gbk;
        std::wstring wide;
    } cases[] = {
        {"\x81", L"?"},                // a lead byte at the end
        {"a\xB2", L"a?"},              // the same after a letter
        {"\xB2\x20x", L"?x"},          // a lead byte takes its (invalid) trail byte along
        {"\xFF\xB2\xE2", L"?\u6D4B"},  // 0xFF leads nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gbk);
        EXPECT_EQ(GbkToWide(c.gbk), c.wide);
    }
}

}  // namespace
}  // namespace netprobe
