#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>

#include "comm/f_EndecryptInterface.h"
#include "comm/password_encoder.h"

namespace netprobe {
namespace {

const TCrypt crypt;

// The base-90 group whose conversion gives these base-30 digits, three characters long.
std::string Group(std::string_view base30) {
    std::string group = TCrypt::ConvertBase(crypt.Alphabet, base30, 30, 90);
    return std::string(3 - group.size(), '!') + group;
}

// A code text whose digit text is `digits`, built by hand: its runs of three sit in the odd
// groups and every even group is "~~~", no base-90 number, which adds nothing.
std::string CodeForDigits(std::string_view digits) {
    std::string code;
    for (std::size_t pos = 0; pos < digits.size(); pos += 3) code += Group(digits.substr(pos, 3)) + "~~~";
    return code;
}

std::string Digits(std::string_view bytes) {
    std::string digits;
    for (unsigned char b : bytes) digits += std::to_string(1000 + b).substr(1);
    return digits;
}

TEST(Crypt, AlphabetHoldsThePrintableSymbolsWithoutQuotes) {
    ASSERT_EQ(crypt.Alphabet.size(), 92u);
    EXPECT_EQ(crypt.Alphabet.substr(0, 14), "!#$%&()*+,-./0");
    EXPECT_EQ(crypt.Alphabet.substr(29, 1), "@");
    EXPECT_EQ(crypt.Alphabet.substr(88), "{|}~");
}

TEST(Crypt, ConvertBase) {
    const std::string hex = "0123456789ABCDEF";
    struct Row {
        std::string alphabet, digits;
        int from, to;
        std::string expected;
    };
    const Row rows[] = {
        {crypt.Alphabet, "!!0", 90, 30, "0"},     // 13
        {crypt.Alphabet, "#!!", 90, 30, ",!!"},   // 8100 = 9 * 900
        {crypt.Alphabet, "|||", 90, 30, "=@@@"},  // the largest group
        {crypt.Alphabet, "", 90, 30, "!"},
        {crypt.Alphabet, " \t!!0\r\n", 90, 30, "0"},  // blanks at the ends are dropped
        {crypt.Alphabet, "!}!", 90, 30, ""},          // "}" is no base-90 digit
        {crypt.Alphabet, "!\"!", 90, 30, ""},
        {crypt.Alphabet, "\xB0\xA1", 90, 30, ""},
        {crypt.Alphabet, "!!0", 93, 30, ""},  // more digits than the alphabet has
        {crypt.Alphabet, "!!0", 1, 30, ""},
        {crypt.Alphabet, "!!0", 90, 1, ""},
        {"  " + hex + " ", "255", 10, 16, "FF"},
        {hex, "FF", 16, 2, "11111111"},
        {hex, "9223372036854775807", 10, 16, "7FFFFFFFFFFFFFFF"},
        {hex, "9223372036854775808", 10, 16, ""},  // beyond 64 bits: fails, never wraps
        {hex, std::string(40, '0') + "7", 10, 10, "7"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TCrypt::ConvertBase(r.alphabet, r.digits, r.from, r.to), r.expected) << r.digits;
    }
}

TEST(Crypt, IsNumber) {
    for (const char* yes : {"0", "123", "+12", "-0", "0065"}) EXPECT_TRUE(TCrypt::IsNumber(yes)) << yes;
    for (const char* no : {"", "+", "-", "1+2", "+-1", "12a", " 12", "1:2"}) EXPECT_FALSE(TCrypt::IsNumber(no)) << no;
}

TEST(Crypt, DigitTextToBytes) {
    struct Row {
        const char* digits;
        std::string bytes;
    };
    const Row rows[] = {
        {"065066", "AB"},  {"300", "\x2C"},        {"999", "\xE7"},
        {"+12", "\x0C"},   {"-12", "\xF4"},        {"1:2", std::string(1, '\0')},
        {"0650661", "AB"}, {"06506612", "AB\x0C"}, {"0", ""},
        {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(crypt.DecodeBlock(CodeForDigits(r.digits)), r.bytes) << r.digits;
}

TEST(Crypt, GroupsInterleaveAndFailedGroupsKeepTheirPlace) {
    // Odd groups run forward, even groups backward: 123 789 | 012 456.
    EXPECT_EQ(crypt.DecodeBlock(Group("123") + Group("456") + Group("789") + Group("012")), "\x7B\x15\x0C\xC8");
    for (std::string bad : {"}!!", "!~!", "!\"!", "\xB0\xA1!"}) {
        EXPECT_EQ(crypt.DecodeBlock(Group("065") + bad + Group("066") + Group("067")), "ABC");
    }
    // A last group of one or two characters.
    EXPECT_EQ(crypt.DecodeBlock(Group("065") + "~~~" + Group("12").substr(1)), "A\x0C");
    EXPECT_EQ(crypt.DecodeBlock(Group("06") + "~~~" + Group("5").substr(2)), "A");
}

TEST(Crypt, KeyStreamFollowsTheCipherBytes) {
    const auto key = static_cast<std::uint16_t>(crypt.KeyBase + 47);
    EXPECT_EQ(crypt.XorDecode(std::string(4, '\0'), key), "\x4E\x29\x4B\x35");
    EXPECT_EQ(crypt.XorDecode(std::string("\xFF\0\0\0", 4), key), "\xB1\xC3\x0B\x33");
    EXPECT_EQ(crypt.Decrypt(CodeForDigits(Digits(std::string("47\0\0\0\0", 6)))), "\x4E\x29\x4B\x35");
}

TEST(Crypt, KeyOffsetMustBeTwoDecimalDigitsFrom10To99) {
    struct Row {
        std::string bytes;
        int offset;
    };  // offset 0: no password
    const Row rows[] = {{"05xyz", 0}, {"+5xyz", 0}, {"-1xyz", 0},  {"abxyz", 0}, {"47", 0},
                        {"4", 0},     {"", 0},      {"10xyz", 10}, {"99x", 99},  {"100", 10}};
    for (const Row& r : rows) {
        const std::string expected =
            r.offset ? crypt.XorDecode(r.bytes.substr(2), static_cast<std::uint16_t>(crypt.KeyBase + r.offset)) : "";
        EXPECT_EQ(crypt.Decrypt(CodeForDigits(Digits(r.bytes))), expected) << r.bytes;
    }
}

TEST(Crypt, EachBlockOf900CharactersDecodesOnItsOwn) {
    // 149 bytes in odd groups, then an odd and an even group close the first block.
    const std::string first = CodeForDigits(Digits("47" + std::string(147, 'x'))) + Group("065") + Group("066");
    ASSERT_EQ(first.size(), 900u);
    const auto key = static_cast<std::uint16_t>(crypt.KeyBase + 47);
    EXPECT_EQ(crypt.Decrypt(first + Group("067")), crypt.XorDecode(std::string(147, 'x') + "ABC", key));
}

TEST(PasswordEncoder, PinnedCodeTexts) {
    EXPECT_EQ(EncodePassword("secret", 47), "PF0my2a&T`ctS3RVQm");
    EXPECT_EQ(EncodePassword("\xB4\xFA\xC0\xED\xC3\xDC\xC2\xEB", 10), "P>N!(7^(5S\\0Oz2mnrVP0ZOr");  // 代理密码
    EXPECT_EQ(EncodePassword("", 99), "PGl!)7");
    EXPECT_EQ(EncodeStoredPassword("secret", 47), "(*)PF0my2a&T`ctS3RVQm");
    EXPECT_THROW(EncodePassword("x", 9), std::invalid_argument);
    EXPECT_THROW(EncodePassword("x", 100), std::invalid_argument);
}

TEST(PasswordEncoder, RoundTripsRandomPasswords) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> byte(1, 255), length(0, 200), offset(10, 99);
    std::string every;
    for (int b = 1; b <= 255; ++b) every.push_back(static_cast<char>(b));
    EXPECT_EQ(crypt.Decrypt(EncodePassword(every)), every);
    for (int i = 0; i < 500; ++i) {
        std::string plain(static_cast<std::size_t>(length(rng)), '\0');
        for (char& c : plain) c = static_cast<char>(byte(rng));
        const std::string code = EncodePassword(plain, offset(rng));
        ASSERT_EQ(code.find_first_not_of(crypt.Alphabet), std::string::npos);
        ASSERT_EQ(crypt.Decrypt(code), plain);
        ASSERT_EQ(code.size() <= kMaxCodeTextLength, plain.size() <= kMaxStoredPasswordLength) << plain.size();
        if (code.size() <= kMaxCodeTextLength) {
            ASSERT_EQ(DecryptText(code), plain);
        }
    }
    for (std::size_t n : {398u, 399u, 1000u})
        EXPECT_EQ(crypt.Decrypt(EncodePassword(std::string(n, 'p'))), std::string(n, 'p'));
}

TEST(PasswordEncoder, OnlyTheFirst255CodeCharactersCount) {
    const std::string longest(kMaxStoredPasswordLength, '\xD2');
    const std::string code = EncodePassword(longest, 33);
    ASSERT_EQ(code.size(), 255u);
    const std::string longer = code + CodeForDigits(Digits("junk junk junk junk junk"));
    EXPECT_NE(crypt.Decrypt(longer), longest);
    EXPECT_EQ(DecryptText(longer), longest);
    EXPECT_NE(DecryptText(EncodePassword(longest + "!", 33)), longest + "!");
}

}  // namespace
}  // namespace netprobe
