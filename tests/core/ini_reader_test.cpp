// ReadIniValue as the default host uses it for the user configuration.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/ini_reader.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

class IniReader : public ::testing::Test {
protected:
    testing::TempDir dir;
    std::string Read(const std::string& section, const std::string& key, const std::string& def = "<def>") {
        return ReadIniValue(path_, section, key, def);
    }
    void Write(const std::string& text) { path_ = dir.Write("UserConfig.ini", text); }

private:
    std::string path_ = dir.path() + "absent.ini";
};

TEST_F(IniReader, MissingFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(Read("NetWork", "ProxyEnable"), "<def>");
    Write("[NetWork]\nProxyEnable=1\n");
    EXPECT_EQ(Read("Skin", "ProxyEnable"), "<def>");
    EXPECT_EQ(Read("NetWork", "ProxyMode", ""), "");
    EXPECT_EQ(Read("NetWork", "ProxyEnable"), "1");
}

TEST_F(IniReader, KeysBelongToTheirOwnSection) {
    Write("[Skin]\nFontSize=12\n[NetWork]\nProxyPort=8080\n[RunParameter]\nFontSize=7\n");
    EXPECT_EQ(Read("Skin", "FontSize"), "12");
    EXPECT_EQ(Read("NetWork", "ProxyPort"), "8080");
    EXPECT_EQ(Read("NetWork", "FontSize"), "<def>");
    EXPECT_EQ(Read("RunParameter", "FontSize"), "7");
}

TEST_F(IniReader, BlanksAroundNameAndValueAreDropped) {
    Write("[NetWork]\r\n  ProxyServer  =  127.0.0.1  \r\nProxyUser=\r\n");
    EXPECT_EQ(Read("NetWork", "ProxyServer"), "127.0.0.1");
    EXPECT_EQ(Read("NetWork", "ProxyUser"), "");
}

TEST_F(IniReader, LongValuesAreReadWhole) {
    // A stored password of the longest code text: longer than one read of the Windows reader
    // (128 bytes) and than the 200-byte lines of common INI parsers.
    std::string code = "(*)";
    for (int i = 0; i < 255; ++i) code.push_back(static_cast<char>('!' + i % 90));
    code.erase(std::remove(code.begin(), code.end(), ';'), code.end());
    Write("[NetWork]\nProxyPassword=" + code + "\n");
    ASSERT_GT(code.size(), 250u);
    EXPECT_EQ(Read("NetWork", "ProxyPassword"), code);
}

TEST_F(IniReader, CommentsBomAndFirstOccurrence) {
    Write(
        "\xEF\xBB\xBF[netwORK]\n; ProxyUser=commented\n# ProxyUser=too\nProxyUser=first\nproxyuser=second\n"
        "[Other]\nProxyUser=other\n[NETWORK]\nProxyMode=socket5\n");
    EXPECT_EQ(Read("NetWork", "ProxyUser"), "first");
    EXPECT_EQ(Read("NetWork", "ProxyMode"), "<def>");  // only the first section of a name is read
    EXPECT_EQ(Read("Other", "PROXYUSER"), "other");
}

}  // namespace
}  // namespace netprobe
