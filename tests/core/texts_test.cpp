#include <gtest/gtest.h>

#include <string>

#include "core/gbk.h"
#include "core/texts.h"

namespace netprobe {
namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

// The exact GBK bytes of texts that the host and users see: a wrong source or execution
// encoding cannot pass.
TEST(Texts, AreGbkBytes) {
    struct Case {
        std::string text, hex;
    } cases[] = {
        {texts::ConnectFailed(), "CDF8C2E7C1ACBDD3D2ECB3A3"},
        {texts::ConnectTimeout(), "CDF8C2E7C1ACBDD3B3ACCAB1"},
        {texts::UpdateTestFailed(), "B8FCD0C2B7FECEF1C6F7CDA8D1B6B2E2CAD4CAA7B0DCA3A1"},
        {texts::ConfigFilePrefix(), "CDF8C2E7C5E4D6C3CEC4BCFE5B"},
        {texts::StatusMessage(401), "D0E8D2AA73736CD1E9D6A4"},
        {texts::StatusMessage(414), "C7EBC7F3202D2055524C20CCABB3A4"},
        {texts::StatusMessage(503),
         "3530333A"
         "CDF8C2E7C1ACBDD3D2ECB3A3"},
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(c.text), c.hex) << GbkToUtf8(c.text);
}

TEST(Texts, StatusTable) {
    struct Row {
        long code;
        const char* utf8;
    } rows[] = {
        {400, "请求无效"},
        {401, "需要ssl验证"},
        {403, "禁止访问"},
        {404, "目标地址无法到达"},
        {405, "资源被禁止"},
        {406, "无法接受"},
        {407, "代理用户名或口令验证失败"},
        {410, "永远不可用"},
        {412, "先决条件失败"},
        {414, "请求 - URL 太长"},
        {402, "402:网络连接异常"},
        {408, "408:网络连接异常"},
        {409, "409:网络连接异常"},
        {411, "411:网络连接异常"},
        {413, "413:网络连接异常"},
        {302, "302:网络连接异常"},
        {999, "999:网络连接异常"},
    };
    for (const Row& row : rows) EXPECT_EQ(GbkToUtf8(texts::StatusMessage(row.code)), row.utf8) << row.code;
}

TEST(Gbk, RoundTripsAndReplacesWhatGbkLacks) {
    EXPECT_EQ(Utf8ToGbk("中文abc"),
              "\xD6\xD0\xCE\xC4"
              "abc");
    EXPECT_EQ(GbkToUtf8("\xD6\xD0\xCE\xC4"
                        "abc"),
              "中文abc");
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji has no GBK form
    EXPECT_EQ(Utf8ToGbk("a\xFFz"), "a?z");              // malformed UTF-8
    EXPECT_EQ(Utf8ToGbk(""), "");
}

}  // namespace
}  // namespace netprobe
