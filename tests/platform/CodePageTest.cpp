#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win/CodePage.h"

namespace {

struct ByteCase {
    BYTE byte;
    bool expected;
};

TEST(CodePageTest, LeadBytesAreTheTwoCp932Ranges)
{
    const ByteCase cases[] = {
        {0x40, false}, {0x7F, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
        {0xB1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false},
    };
    for (const ByteCase& c : cases) {
        EXPECT_EQ(IsDBCSLeadByte(c.byte) != FALSE, c.expected) << std::hex << int(c.byte);
    }
}

TEST(CodePageTest, TrailBytesSkipTheDeleteCode)
{
    const ByteCase cases[] = {
        {0x3F, false}, {0x40, true}, {0x5C, true}, {0x7E, true},
        {0x7F, false}, {0x80, true}, {0xFC, true}, {0xFD, false},
    };
    for (const ByteCase& c : cases) {
        EXPECT_EQ(IsDBCSTrailByte(c.byte), c.expected) << std::hex << int(c.byte);
    }
}

struct TextCase {
    const char* utf8;
    const char* sjis;
};

// Code points of the system's own texts and of path names whose trail byte is '\'.
const TextCase kRoundTrips[] = {
    {"abc\\x.txt", "abc\\x.txt"},
    {"表示", "\x95\x5C\x8E\xA6"},
    {"ソ", "\x83\x5C"},
    {"エラー", "\x83\x47\x83\x89\x81\x5B"},
    {"○ × ？", "\x81\x9B\x20\x81\x7E\x20\x81\x48"},
    {"ｱ", "\xB1"},       // half-width katakana: one byte
    {"～", "\x81\x60"},  // U+FF5E, the code page's own choice for 0x8160
    {"①", "\x87\x40"},   // NEC extension row
};

TEST(CodePageTest, ConvertsBothWays)
{
    for (const TextCase& c : kRoundTrips) {
        EXPECT_EQ(Cp932ToUtf8(c.sjis), c.utf8);
        std::string sjis;
        EXPECT_TRUE(Utf8ToCp932(c.utf8, sjis)) << c.utf8;
        EXPECT_EQ(sjis, c.sjis);
    }
}

TEST(CodePageTest, BadShiftJisBytesBecomeReplacementCharacters)
{
    const TextCase cases[] = {
        {"a\xEF\xBF\xBD", "a\x81"},          // lead byte at the end
        {"\xEF\xBF\xBD b", "\x81\x20\x62"},  // lead byte without a trail byte: the space stays
        {"\xEF\xBF\xBD"
         "x",
         "\x85\x40x"},  // unassigned pair: one character
        {"\xEF\xBF\xBD\xEF\xBF\xBD", "\x80\xFF"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(Cp932ToUtf8(c.sjis), c.utf8);
        std::string utf8;
        EXPECT_FALSE(TryCp932ToUtf8(c.sjis, utf8));
        EXPECT_EQ(utf8, c.utf8);
    }
}

TEST(CodePageTest, CharactersWithoutShiftJisFormFailAndBecomeQuestionMarks)
{
    const TextCase cases[] = {
        {"a\xF0\x9F\x98\x80"
         "b",
         "a?b"},                  // an emoji
        {"caf\xC3\xA9", "caf?"},  // e acute is not in the code page
        {"x\xC3", "x?"},          // truncated UTF-8
        {"\xE3\x81"
         "z",
         "?z"},  // broken sequence: the rest survives
    };
    for (const TextCase& c : cases) {
        std::string sjis;
        EXPECT_FALSE(Utf8ToCp932(c.utf8, sjis)) << c.sjis;
        EXPECT_EQ(sjis, c.sjis);
    }
}

TEST(CodePageTest, ThreadsConvertAtTheSameTime)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 500; ++i) {
                const TextCase& c = kRoundTrips[(i + t) % std::size(kRoundTrips)];
                std::string sjis;
                if (Cp932ToUtf8(c.sjis) != c.utf8 || !Utf8ToCp932(c.utf8, sjis) || sjis != c.sjis) {
                    ++failures[t];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
