// libxml2's code page converters of the Windows build, called the way the parser calls them: in
// chunks that may split a character, with little output room, with bad bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "comm/gb18030.h"
#include "comm/xml_code_page_handler.h"

namespace netprobe::xml {
namespace {

using Converter = int (*)(unsigned char*, int*, const unsigned char*, int*);

struct Step {
    int result, consumed, written;
    std::string out;
};

Step Call(Converter convert, const std::string& in, int room) {
    std::string out(static_cast<std::size_t>(room), '\0');
    int inlen = static_cast<int>(in.size()), outlen = room;
    int result = convert(reinterpret_cast<unsigned char*>(out.data()), &outlen,
                         reinterpret_cast<const unsigned char*>(in.data()), &inlen);
    out.resize(static_cast<std::size_t>(outlen));
    return {result, inlen, outlen, out};
}

// Feeds the whole input in pieces of `piece` bytes, carrying what stays unconsumed.
std::string Stream(Converter convert, const std::string& in, std::size_t piece, int room = 64) {
    std::string out, pending;
    for (std::size_t pos = 0; pos < in.size(); pos += piece) {
        pending += in.substr(pos, piece);
        while (!pending.empty()) {
            Step step = Call(convert, pending, room);
            EXPECT_GE(step.result, 0);
            if (step.result < 0 || step.consumed == 0) break;
            out += step.out;
            pending.erase(0, static_cast<std::size_t>(step.consumed));
        }
    }
    EXPECT_TRUE(pending.empty());
    return out;
}

const std::string kGbk = "<N>\xC9\xFD\xBC\xB6\xB7\xFE\xCE\xF1\xC6\xF7</N>";  // <N>升级服务器</N>
const std::string kUtf8 = "<N>升级服务器</N>";

TEST(XmlGbkHandler, ConvertsWholeTextsBothWays) {
    Step to_utf8 = Call(GbkToUtf8Chunk, kGbk, 100);
    EXPECT_EQ(to_utf8.result, static_cast<int>(kUtf8.size()));
    EXPECT_EQ(to_utf8.consumed, static_cast<int>(kGbk.size()));
    EXPECT_EQ(to_utf8.out, kUtf8);
    Step to_gbk = Call(Utf8ToGbkChunk, kUtf8, 100);
    EXPECT_EQ(to_gbk.consumed, static_cast<int>(kUtf8.size()));
    EXPECT_EQ(to_gbk.out, kGbk);
}

TEST(XmlGbkHandler, SplitCharactersWaitForTheRest) {
    for (std::size_t piece : {1u, 2u, 3u, 5u}) {
        EXPECT_EQ(Stream(GbkToUtf8Chunk, kGbk, piece), kUtf8) << piece;
        EXPECT_EQ(Stream(Utf8ToGbkChunk, kUtf8, piece), kGbk) << piece;
    }
    Step lead_only = Call(GbkToUtf8Chunk, "a\xC9", 10);
    EXPECT_EQ(lead_only.consumed, 1);
    EXPECT_EQ(lead_only.out, "a");
}

TEST(XmlGbkHandler, LittleOutputRoomConvertsWholeCharactersOnly) {
    EXPECT_EQ(Stream(GbkToUtf8Chunk, kGbk, kGbk.size(), 4), kUtf8);
    Step no_room = Call(GbkToUtf8Chunk, "\xC9\xFD", 2);  // 升 needs 3 bytes
    EXPECT_EQ(no_room.result, -1);
    EXPECT_EQ(no_room.consumed, 0);
}

TEST(XmlGbkHandler, InvalidBytesStopRightBeforeThem) {
    Step bad_gbk = Call(GbkToUtf8Chunk,
                        "ab\xC9\xFD\xFF"
                        "cd",
                        64);
    EXPECT_EQ(bad_gbk.result, -2);
    EXPECT_EQ(bad_gbk.consumed, 4);
    EXPECT_EQ(bad_gbk.out, "ab升");
    Step bad_utf8 = Call(Utf8ToGbkChunk,
                         "ab\xFF"
                         "cd",
                         64);
    EXPECT_EQ(bad_utf8.result, -2);
    EXPECT_EQ(bad_utf8.consumed, 2);
    EXPECT_EQ(bad_utf8.out, "ab");
    // A character GBK lacks is an error for the parser, never a silent "?".
    Step thai = Call(Utf8ToGbkChunk, "a\xE0\xB8\x81z", 64);
    EXPECT_EQ(thai.result, -2);
    EXPECT_EQ(thai.consumed, 1);
}

TEST(XmlCodePageHandler, Gb18030FourByteCharactersWaitUntilWhole) {
    const Converter gb18030 = [](unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
        return CodePageToUtf8Chunk(54936, out, outlen, in, inlen);
    };
    const std::string in =
        "a\x81\x30\x86\x38\xB8\xFC"
        "b";  // aÀ更b
    for (std::size_t piece : {1u, 2u, 3u, 4u, 8u}) EXPECT_EQ(Stream(gb18030, in, piece), "aÀ更b") << piece;
}

// The module's own GB18030 converter (Wine has no code page 54936) where GB18030 and code page
// 936 part: the same characters as the C library's GB18030 on Linux.
TEST(Gb18030Converter, CodesWhereGb18030DiffersFromGbk) {
    struct Row {
        const char* in;
        const char* utf8;  // nullptr: no character
    } rows[] = {
        {"\xA2\xE3", "€"},           // U+20AC
        {"\xA8\xBF", "ǹ"},           // U+01F9
        {"\xA8\xBC", "ḿ"},           // U+1E3F
        {"\xA6\xD9", "\uFE10"},      // vertical comma
        {"\xA6\xF3", "\uFE19"},      // the last vertical form
        {"\xA9\x89", "\u303E"},      // ideographic variation indicator
        {"\xA9\x95", "\u2FFB"},      // the last ideographic description character
        {"\xFE\x50", "\u2E81"},      // a CJK radical
        {"\xFE\x51", "\U00020087"},  // beyond the Basic Multilingual Plane
        {"\xFE\x59", "\u9FB4"},
        {"\xFE\xA0", "\u9FBB"},          // the last of them
        {"\xA1\xA1", "\u3000"},          // unchanged from code page 936
        {"\xA1\x40", "\uE4C6"},          // user-defined area: private use in both
        {"\x81\x35\xF4\x37", "\uE7C7"},  // the four bytes that U+1E3F left
        {"\x82\x35\x90\x37", nullptr},   // U+9FB4 is two bytes now
        {"\x84\x31\x82\x36", nullptr},   // U+FE10 likewise
        {"\x84\x31\x83\x36", "\uFE1A"},  // the next one is not
    };
    for (const Row& row : rows) {
        const std::string in = row.in;
        unsigned char out[8] = {};
        const int n = Gb18030ToUtf8(reinterpret_cast<const unsigned char*>(in.data()), static_cast<int>(in.size()), out,
                                    sizeof out);
        if (!row.utf8) {
            EXPECT_EQ(n, -1) << in;
            continue;
        }
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(out), static_cast<std::size_t>(std::max(n, 0))), row.utf8)
            << in;
    }
}

TEST(XmlCodePageHandler, Gb18030TwoByteCharacterBeyondTheBmpWaitsForRoom) {
    const Converter gb18030 = [](unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
        return CodePageToUtf8Chunk(54936, out, outlen, in, inlen);
    };
    EXPECT_EQ(Stream(gb18030, "a\xFE\x51", 3, 4), "a\U00020087");
}

TEST(XmlGbkHandler, InitialisationCallWithoutInput) {
    int outlen = 10, inlen = 0;
    unsigned char out[10];
    EXPECT_EQ(GbkToUtf8Chunk(out, &outlen, nullptr, &inlen), 0);
    EXPECT_EQ(outlen, 0);
}

}  // namespace
}  // namespace netprobe::xml
