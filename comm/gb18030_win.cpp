#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "comm/gb18030.h"

namespace netprobe::xml {
namespace {

// Four-byte sequences of the Basic Multilingual Plane: from the linear index of the first
// sequence of a range on, consecutive sequences stand for consecutive code points.
struct Range {
    std::uint32_t linear;
    std::uint32_t code_point;
};
constexpr Range kRanges[] = {
    {0, 0x0080},     {36, 0x00A5},    {38, 0x00A9},    {45, 0x00B2},    {50, 0x00B8},    {81, 0x00D8},
    {89, 0x00E2},    {95, 0x00EB},    {96, 0x00EE},    {100, 0x00F4},   {103, 0x00F8},   {104, 0x00FB},
    {105, 0x00FD},   {109, 0x0102},   {126, 0x0114},   {133, 0x011C},   {148, 0x012C},   {172, 0x0145},
    {175, 0x0149},   {179, 0x014E},   {208, 0x016C},   {306, 0x01CF},   {307, 0x01D1},   {308, 0x01D3},
    {309, 0x01D5},   {310, 0x01D7},   {311, 0x01D9},   {312, 0x01DB},   {313, 0x01DD},   {341, 0x01FA},
    {428, 0x0252},   {443, 0x0262},   {544, 0x02C8},   {545, 0x02CC},   {558, 0x02DA},   {741, 0x03A2},
    {742, 0x03AA},   {749, 0x03C2},   {750, 0x03CA},   {805, 0x0402},   {819, 0x0450},   {820, 0x0452},
    {7922, 0x2011},  {7924, 0x2017},  {7925, 0x201A},  {7927, 0x201E},  {7934, 0x2027},  {7943, 0x2031},
    {7944, 0x2034},  {7945, 0x2036},  {7950, 0x203C},  {8062, 0x20AD},  {8148, 0x2104},  {8149, 0x2106},
    {8152, 0x210A},  {8164, 0x2117},  {8174, 0x2122},  {8236, 0x216C},  {8240, 0x217A},  {8262, 0x2194},
    {8264, 0x219A},  {8374, 0x2209},  {8380, 0x2210},  {8381, 0x2212},  {8384, 0x2216},  {8388, 0x221B},
    {8390, 0x2221},  {8392, 0x2224},  {8393, 0x2226},  {8394, 0x222C},  {8396, 0x222F},  {8401, 0x2238},
    {8406, 0x223E},  {8416, 0x2249},  {8419, 0x224D},  {8424, 0x2253},  {8437, 0x2262},  {8439, 0x2268},
    {8445, 0x2270},  {8482, 0x2296},  {8485, 0x229A},  {8496, 0x22A6},  {8521, 0x22C0},  {8603, 0x2313},
    {8936, 0x246A},  {8946, 0x249C},  {9046, 0x254C},  {9050, 0x2574},  {9063, 0x2590},  {9066, 0x2596},
    {9076, 0x25A2},  {9092, 0x25B4},  {9100, 0x25BE},  {9108, 0x25C8},  {9111, 0x25CC},  {9113, 0x25D0},
    {9131, 0x25E6},  {9162, 0x2607},  {9164, 0x260A},  {9218, 0x2641},  {9219, 0x2643},  {11329, 0x2E82},
    {11331, 0x2E85}, {11334, 0x2E89}, {11336, 0x2E8D}, {11346, 0x2E98}, {11361, 0x2EA8}, {11363, 0x2EAB},
    {11366, 0x2EAF}, {11370, 0x2EB4}, {11372, 0x2EB8}, {11375, 0x2EBC}, {11389, 0x2ECB}, {11682, 0x2FFC},
    {11686, 0x3004}, {11687, 0x3018}, {11692, 0x301F}, {11694, 0x302A}, {11714, 0x303F}, {11716, 0x3094},
    {11723, 0x309F}, {11725, 0x30F7}, {11730, 0x30FF}, {11736, 0x312A}, {11982, 0x322A}, {11989, 0x3232},
    {12102, 0x32A4}, {12336, 0x3390}, {12348, 0x339F}, {12350, 0x33A2}, {12384, 0x33C5}, {12393, 0x33CF},
    {12395, 0x33D3}, {12397, 0x33D6}, {12510, 0x3448}, {12553, 0x3474}, {12851, 0x359F}, {12962, 0x360F},
    {12973, 0x361B}, {13738, 0x3919}, {13823, 0x396F}, {13919, 0x39D1}, {13933, 0x39E0}, {14080, 0x3A74},
    {14298, 0x3B4F}, {14585, 0x3C6F}, {14698, 0x3CE1}, {15583, 0x4057}, {15847, 0x4160}, {16318, 0x4338},
    {16434, 0x43AD}, {16438, 0x43B2}, {16481, 0x43DE}, {16729, 0x44D7}, {17102, 0x464D}, {17122, 0x4662},
    {17315, 0x4724}, {17320, 0x472A}, {17402, 0x477D}, {17418, 0x478E}, {17859, 0x4948}, {17909, 0x497B},
    {17911, 0x497E}, {17915, 0x4984}, {17916, 0x4987}, {17936, 0x499C}, {17939, 0x49A0}, {17961, 0x49B8},
    {18664, 0x4C78}, {18703, 0x4CA4}, {18814, 0x4D1A}, {18962, 0x4DAF}, {19043, 0x9FA6}, {33469, 0xE76C},
    {33470, 0xE7C8}, {33471, 0xE7E7}, {33484, 0xE815}, {33485, 0xE819}, {33490, 0xE81F}, {33497, 0xE827},
    {33501, 0xE82D}, {33505, 0xE833}, {33513, 0xE83C}, {33520, 0xE844}, {33536, 0xE856}, {33550, 0xE865},
    {37845, 0xF92D}, {37921, 0xF97A}, {37948, 0xF996}, {38029, 0xF9E8}, {38038, 0xF9F2}, {38064, 0xFA10},
    {38065, 0xFA12}, {38066, 0xFA15}, {38069, 0xFA19}, {38075, 0xFA22}, {38076, 0xFA25}, {38078, 0xFA2A},
    {39108, 0xFE32}, {39109, 0xFE45}, {39113, 0xFE53}, {39114, 0xFE58}, {39115, 0xFE67}, {39116, 0xFE6C},
    {39265, 0xFF5F}, {39394, 0xFFE6}};
constexpr std::uint32_t kLastBmpLinear = 39419;

// The two-byte codes that GB18030 reads other than code page 936 does: characters that
// code page 936 has only as private-use code points (the euro sign, pinyin letters,
// ideographic description characters, CJK radicals and ideographs, vertical forms). The list
// is the same as the C library's GB18030 converter on Linux, so that a file reads the same on
// both builds.
struct TwoByteCode {
    std::uint16_t code;
    std::uint32_t code_point;
};
constexpr TwoByteCode kTwoByteCodes[] = {
    {0xA2E3, 0x20AC},  {0xA6D9, 0xFE10}, {0xA6DA, 0xFE12}, {0xA6DB, 0xFE11},  {0xA6DC, 0xFE13},  {0xA6DD, 0xFE14},
    {0xA6DE, 0xFE15},  {0xA6DF, 0xFE16}, {0xA6EC, 0xFE17}, {0xA6ED, 0xFE18},  {0xA6F3, 0xFE19},  {0xA8BC, 0x1E3F},
    {0xA8BF, 0x01F9},  {0xA989, 0x303E}, {0xA98A, 0x2FF0}, {0xA98B, 0x2FF1},  {0xA98C, 0x2FF2},  {0xA98D, 0x2FF3},
    {0xA98E, 0x2FF4},  {0xA98F, 0x2FF5}, {0xA990, 0x2FF6}, {0xA991, 0x2FF7},  {0xA992, 0x2FF8},  {0xA993, 0x2FF9},
    {0xA994, 0x2FFA},  {0xA995, 0x2FFB}, {0xFE50, 0x2E81}, {0xFE51, 0x20087}, {0xFE52, 0x20089}, {0xFE53, 0x200CC},
    {0xFE54, 0x2E84},  {0xFE55, 0x3473}, {0xFE56, 0x3447}, {0xFE57, 0x2E88},  {0xFE58, 0x2E8B},  {0xFE59, 0x9FB4},
    {0xFE5A, 0x359E},  {0xFE5B, 0x361A}, {0xFE5C, 0x360E}, {0xFE5D, 0x2E8C},  {0xFE5E, 0x2E97},  {0xFE5F, 0x396E},
    {0xFE60, 0x3918},  {0xFE61, 0x9FB5}, {0xFE62, 0x39CF}, {0xFE63, 0x39DF},  {0xFE64, 0x3A73},  {0xFE65, 0x39D0},
    {0xFE66, 0x9FB6},  {0xFE67, 0x9FB7}, {0xFE68, 0x3B4E}, {0xFE69, 0x3C6E},  {0xFE6A, 0x3CE0},  {0xFE6B, 0x2EA7},
    {0xFE6C, 0x215D7}, {0xFE6D, 0x9FB8}, {0xFE6E, 0x2EAA}, {0xFE6F, 0x4056},  {0xFE70, 0x415F},  {0xFE71, 0x2EAE},
    {0xFE72, 0x4337},  {0xFE73, 0x2EB3}, {0xFE74, 0x2EB6}, {0xFE75, 0x2EB7},  {0xFE76, 0x2298F}, {0xFE77, 0x43B1},
    {0xFE78, 0x43AC},  {0xFE79, 0x2EBB}, {0xFE7A, 0x43DD}, {0xFE7B, 0x44D6},  {0xFE7C, 0x4661},  {0xFE7D, 0x464C},
    {0xFE7E, 0x9FB9},  {0xFE80, 0x4723}, {0xFE81, 0x4729}, {0xFE82, 0x477C},  {0xFE83, 0x478D},  {0xFE84, 0x2ECA},
    {0xFE85, 0x4947},  {0xFE86, 0x497A}, {0xFE87, 0x497D}, {0xFE88, 0x4982},  {0xFE89, 0x4983},  {0xFE8A, 0x4985},
    {0xFE8B, 0x4986},  {0xFE8C, 0x499F}, {0xFE8D, 0x499B}, {0xFE8E, 0x49B7},  {0xFE8F, 0x49B6},  {0xFE90, 0x9FBA},
    {0xFE91, 0x241FE}, {0xFE92, 0x4CA3}, {0xFE93, 0x4C9F}, {0xFE94, 0x4CA0},  {0xFE95, 0x4CA1},  {0xFE96, 0x4C77},
    {0xFE97, 0x4CA2},  {0xFE98, 0x4D13}, {0xFE99, 0x4D14}, {0xFE9A, 0x4D15},  {0xFE9B, 0x4D16},  {0xFE9C, 0x4D17},
    {0xFE9D, 0x4D18},  {0xFE9E, 0x4D19}, {0xFE9F, 0x4DAE}, {0xFEA0, 0x9FBB},
};
static_assert(std::is_sorted(std::begin(kTwoByteCodes), std::end(kTwoByteCodes),
                             [](const TwoByteCode& a, const TwoByteCode& b) { return a.code < b.code; }));

// A8BC took U+1E3F from the four-byte sequence 81 35 F4 37, which stands for the private-use
// code point that A8BC gave up. The four-byte sequences of the code points that the
// two-byte codes above took from them (U+9FB4-U+9FBB, U+FE10-U+FE19) stand for none.
constexpr std::uint32_t kSwappedLinear = 7457;
constexpr std::uint32_t kSwappedCodePoint = 0xE7C7;
bool TakenByTwoByteCode(std::uint32_t cp) { return (cp >= 0x9FB4 && cp <= 0x9FBB) || (cp >= 0xFE10 && cp <= 0xFE19); }

bool InRange(unsigned char b, unsigned char low, unsigned char high) { return b >= low && b <= high; }

// The code point of a four-byte sequence; 0 when it stands for none.
std::uint32_t FourByteCodePoint(const unsigned char* p) {
    if (!InRange(p[1], 0x30, 0x39) || !InRange(p[2], 0x81, 0xFE) || !InRange(p[3], 0x30, 0x39)) return 0;
    const std::uint32_t index = ((static_cast<std::uint32_t>(p[1]) - 0x30) * 126 + (p[2] - 0x81)) * 10 + (p[3] - 0x30);
    if (InRange(p[0], 0x81, 0x84)) {
        const std::uint32_t linear = (static_cast<std::uint32_t>(p[0]) - 0x81) * 12600 + index;
        if (linear > kLastBmpLinear) return 0;
        if (linear == kSwappedLinear) return kSwappedCodePoint;
        const Range* range = std::upper_bound(std::begin(kRanges), std::end(kRanges), linear,
                                              [](std::uint32_t value, const Range& r) { return value < r.linear; });
        --range;
        const std::uint32_t code_point = range->code_point + (linear - range->linear);
        return TakenByTwoByteCode(code_point) ? 0 : code_point;
    }
    if (InRange(p[0], 0x90, 0xE3)) {
        const std::uint32_t code_point = 0x10000 + (static_cast<std::uint32_t>(p[0]) - 0x90) * 12600 + index;
        return code_point <= 0x10FFFF ? code_point : 0;
    }
    return 0;
}

// A two-byte sequence: the list above, else code page 936; 0 when it stands for none.
std::uint32_t TwoByteCodePoint(const unsigned char* p) {
    const auto code = static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    const TwoByteCode* own = std::lower_bound(std::begin(kTwoByteCodes), std::end(kTwoByteCodes), code,
                                              [](const TwoByteCode& c, std::uint16_t value) { return c.code < value; });
    if (own != std::end(kTwoByteCodes) && own->code == code) return own->code_point;
    wchar_t wide = 0;
    const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p), 2, &wide, 1);
    return n == 1 ? wide : 0;
}

int Utf8Length(std::uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

void PutUtf8(std::uint32_t cp, unsigned char* out) {
    const int length = Utf8Length(cp);
    if (length == 1) {
        out[0] = static_cast<unsigned char>(cp);
        return;
    }
    static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (int i = length - 1; i > 0; --i, cp >>= 6) out[i] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    out[0] = static_cast<unsigned char>(kLead[length] | cp);
}

}  // namespace

int Gb18030ToUtf8(const unsigned char* in, int n, unsigned char* out, int outcap) {
    int pos = 0, written = 0;
    while (pos < n) {
        std::uint32_t cp = 0;
        int length = 1;
        if (in[pos] < 0x80) {
            cp = in[pos];
        } else if (in[pos] != 0x80 && in[pos] != 0xFF && pos + 1 < n) {
            length = InRange(in[pos + 1], 0x30, 0x39) ? 4 : 2;
            if (pos + length > n) return -1;
            cp = length == 4 ? FourByteCodePoint(in + pos) : TwoByteCodePoint(in + pos);
            if (cp == 0) return -1;
        } else {
            return -1;
        }
        if (written + Utf8Length(cp) > outcap) return -1;
        PutUtf8(cp, out + written);
        written += Utf8Length(cp);
        pos += length;
    }
    return written;
}

}  // namespace netprobe::xml
