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

// One table for both readers (the Windows one is the system's profile function): a
// configuration file reads the same on every target.
struct IniCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* def;
    std::string value;
};

TEST_F(IniReader, ReadsAsTheSystemProfileFunctions) {
    const std::string utf16 =
        std::string("\xFF\xFE\x5B\x00\x53\x00\x5D\x00\x0D\x00\x0A\x00\x4B\x00\x3D\x00\xE3\x4E\x06\x74", 20);
    const IniCase cases[] = {
        {"double quotes stripped", "[S]\nK=\"(*)abc\"\n", "S", "K", "d", "(*)abc"},
        {"single quotes stripped", "[S]\nK='v w'\n", "S", "K", "d", "v w"},
        {"only an equal pair", "[S]\nK=\"v'\n", "S", "K", "d", "\"v'"},
        {"one quote alone", "[S]\nK=\"\n", "S", "K", "d", "\""},
        {"outer pair only", "[S]\nK=\"a\"b\"\n", "S", "K", "d", "a\"b"},
        {"blanks inside quotes kept", "[S]\nK= \" v \" \n", "S", "K", "d", " v "},
        {"empty quotes", "[S]\nK=\"\"\n", "S", "K", "d", ""},
        {"key without = reads the default", "[S]\nK\nK=1\n", "S", "K", "d", "d"},
        {"CR ends a line", "[S]\rK=1\rL=2", "S", "L", "d", "2"},
        {"tabs are blanks", "[S]\n\tK\t=\tv\t\n", "S", "K", "d", "v"},
        {"= inside the value", "[S]\nK=a=b\n", "S", "K", "d", "a=b"},
        {"[ without ] is no section", "[S]\nK=1\n[T\nL=2\n", "S", "L", "d", "2"},
        {"blanks inside the brackets dropped", "[ S ]\nK=1\n", "S", "K", "d", "1"},
        {"section name to the last ]", "[a]b]\nK=1\n", "a]b", "K", "d", "1"},
        {"GBK value as it is", "[S]\nK=\xB4\xFA\xC0\xED\n", "S", "K", "d", "\xB4\xFA\xC0\xED"},
        {"UTF-8 with its mark read as GBK", "\xEF\xBB\xBF[S]\nK=\xE4\xBB\xA3\xE7\x90\x86\n", "S", "K", "d",
         "\xB4\xFA\xC0\xED"},
        {"UTF-16 with its mark read as GBK", utf16, "S", "K", "d", "\xB4\xFA\xC0\xED"},
        {"trailing spaces of the default dropped", "[S]\n", "S", "K", "x  ", "x"},
        {"quotes of the default stripped", "[S]\n", "S", "K", "\"x\"", "x"},
    };
    for (const IniCase& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.file);
        EXPECT_EQ(Read(c.section, c.key, c.def), c.value);
    }
}

}  // namespace
}  // namespace netprobe
