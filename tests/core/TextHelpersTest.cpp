#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(TextHelpersTest, CountDigitsCountsTheMagnitude)
{
    struct Case {
        int value;
        int digits;
    };
    const Case cases[] = {{0, 1}, {-9, 1}, {10, 2}, {2147483647, 10}, {INT_MIN, 10}, {-100, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(CountDigits(c.value), c.digits) << c.value;
    }
}

TEST(TextHelpersTest, IntToStrPadsSignsAndBlanks)
{
    struct Case {
        int value, width, keepZeros, plusSign;
        const char* text;
    };
    const Case cases[] = {
        {7, 3, 1, 0, "007"},
        {7, 3, 0, 0, "  7"},
        {7, 3, 1, 1, "+007"},
        {7, 3, 0, 1, "+  7"},
        {123, 2, 0, 0, "123"},  // never shorter than the number
        {0, 4, 0, 0, "   0"},   // the last digit stays
        {0, 0, 0, 1, "+0"},
        {-5, 3, 0, 0, "-  5"},           // the sign goes in front of the blanks
        {-5, 3, 1, 1, "-005"},           // no "+" for negative values
        {42, 12, 1, 0, "000000000042"},  // widths above 10 add zeros
        {5, -3, 1, 0, "5"},
        {INT_MIN, 0, 1, 0, "-2147483648"},
        {1020, 6, 0, 0, "  1020"},  // zeros after the first other digit stay
    };
    for (const Case& c : cases) {
        std::string out = "old";
        IntToStr(out, c.value, c.width, c.keepZeros, c.plusSign);
        EXPECT_EQ(out, c.text) << c.value << " width " << c.width;
    }
}

TEST(TextHelpersTest, MidStrClampsStartAndLength)
{
    struct Case {
        int start, length;
        const char* part;
    };
    const Case cases[] = {
        {2, 3, "cde"},     {4, 10, "ef"},
        {6, 3, ""},        {7, 3, ""},
        {-1, 3, "ab"},     {0, 0, ""},
        {1, -1, "bcdef"},  {-3, 3, ""},
        {-5, 3, "abcdef"}, {1, INT_MAX, "bcdef"},  // start + length overflows an int: still the rest
        {0, 6, "abcdef"},
    };
    const std::string source = "abcdef";
    for (const Case& c : cases) {
        EXPECT_EQ(MidStr(source, c.start, c.length), c.part) << c.start << ", " << c.length;
    }
}

TEST(TextHelpersTest, MidStrAndResyncStrCutAtTheFirstNul)
{
    std::string written("abc\0def", 7);
    EXPECT_EQ(MidStr(written, 1, 10), "bc");
    EXPECT_EQ(MidStr(written, 4, 1), "");
    EXPECT_EQ(ResyncStr(written), 3);
    EXPECT_EQ(written, "abc");
}

TEST(TextHelpersTest, CountCharsCountsDoubleByteCharactersOnceAndLineFeedsNot)
{
    struct Case {
        const char* text;
        int count;
    };
    const Case cases[] = {
        {"\x82\xa0\x82\xa2\n"
         "a",
         3},  // two double-byte characters, a line feed, one letter
        {"", 0},
        {"ab\n\ncd", 4},
        {"\x81\x5c"
         "x",
         2},              // a trail byte of 0x5C is not a separate character
        {"\x81", 1},      // a lead byte at the end stands alone
        {"\xa0\xa1", 2},  // half-width katakana are single bytes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountChars(c.text), c.count) << c.text;
    }
}

TEST(TextHelpersTest, IsDBCSCharNeedsALeadAndATrailByte)
{
    struct Case {
        const char* text;
        int result;
    };
    const Case cases[] = {
        {"\x82\xa0", 1}, {"\x81\x40", 1}, {"\xfc\xfc", 1}, {"\xe0\x7e", 1}, {"\x82", 0},  // lead byte followed by NUL
        {"\x82\x7f", 0}, {"\x82\x3f", 0}, {"a\x82", 0},    {"\xa0\x40", 0}, {"\x80\x40", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDBCSChar(c.text), c.result) << static_cast<unsigned>(static_cast<unsigned char>(c.text[0]));
    }
}

TEST(TextHelpersTest, FormatStringCutsAt5119Bytes)
{
    std::string out;
    FormatString(out, "err V[%d] ( %d , %d )", 5, 3, 124);
    EXPECT_EQ(out, "err V[5] ( 3 , 124 )");

    std::string longText(6000, 'x');
    FormatString(out, "%s!", longText.c_str());
    EXPECT_EQ(out.size(), 5119u);
    EXPECT_EQ(out, std::string(5119, 'x'));
}

TEST(TextHelpersTest, FormatStringNeverCutsADoubleByteCharacterInHalf)
{
    struct Case {
        std::size_t prefix;  // ASCII bytes before the tail
        const char* tail;
        std::size_t kept;  // bytes of the result
    };
    const Case cases[] = {
        {5118, "\x82\xa0", 5118},          // the lead byte would be byte 5119: dropped with its trail
        {5117, "\x82\xa0\x62", 5119},      // the character fits whole, the "b" after it not
        {5118, "\x81\x5c", 5118},          // a trail byte of 0x5C counts with its lead byte
        {5116, "\x81\x5c\x81\x5c", 5118},  // the second character would end past the limit
        {5118, "\x82\n", 5119},            // a lead byte without a trail byte is a character alone
        {5118, "\xa0\xa1", 5119},          // half-width katakana are single bytes
    };
    for (const Case& c : cases) {
        const std::string text = std::string(c.prefix, 'a') + c.tail;
        std::string out;
        FormatString(out, "%s", text.c_str());
        EXPECT_EQ(out, text.substr(0, c.kept)) << c.prefix << " + " << c.tail;
    }
}

TEST(TextHelpersTest, SjisConvertsTheFixedTexts)
{
    EXPECT_EQ(Sjis("エラー"), "\x83\x47\x83\x89\x81\x5b");
    EXPECT_EQ(Sjis("abc"), "abc");
}

}  // namespace
