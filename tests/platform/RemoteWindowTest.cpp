// The reading of what another program's window says in the WM_COPYDATA exchange: its title
// (length first) and its result. Those bytes come from outside: every size must be read safely.
#include "platform/win/RemoteWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes TitleBytes(std::uint32_t length, const std::string& text)
{
    Bytes out(4 + text.size());
    for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(length >> (8 * i));
    for (std::size_t i = 0; i < text.size(); ++i) out[4 + i] = static_cast<unsigned char>(text[i]);
    return out;
}

struct TitleCase {
    const char* name;
    Bytes bytes;
    RemoteTitle::State state;
    std::size_t size;   // bytes step 1 takes (or needs so far)
    std::string title;  // when whole
};

TEST(RemoteWindowTest, TheTitleIsReadFromAnyBytes)
{
    const TitleCase cases[] = {
        {"empty", {}, RemoteTitle::State::Short, 4, ""},
        {"part of the length", {5, 0, 0}, RemoteTitle::State::Short, 4, ""},
        {"length without the title", TitleBytes(5, ""), RemoteTitle::State::Short, 9, ""},
        {"part of the title", TitleBytes(5, "edi"), RemoteTitle::State::Short, 9, ""},
        {"exact", TitleBytes(5, "edito"), RemoteTitle::State::Whole, 9, "edito"},
        {"an empty title", TitleBytes(0, ""), RemoteTitle::State::Whole, 4, ""},
        {"bytes after the title", TitleBytes(3, "abcdef"), RemoteTitle::State::Whole, 7, "abc"},
        {"NUL and high bytes kept", TitleBytes(3, std::string("\0\x83\xff", 3)), RemoteTitle::State::Whole, 7,
         std::string("\0\x83\xff", 3)},
        {"the longest title", TitleBytes(kRemoteTitleMax, std::string(kRemoteTitleMax, 'x')), RemoteTitle::State::Whole,
         4 + kRemoteTitleMax, std::string(kRemoteTitleMax, 'x')},
        {"one byte too long", TitleBytes(kRemoteTitleMax + 1, "x"), RemoteTitle::State::Refused, 4, ""},
        {"a length near 4 GB", TitleBytes(0xFFFFFFFF, "x"), RemoteTitle::State::Refused, 4, ""},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RemoteTitle read = ReadRemoteTitle(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(read.state, c.state);
        EXPECT_EQ(read.size, c.size);
        EXPECT_EQ(read.title, c.title);
    }
    EXPECT_EQ(ReadRemoteTitle(nullptr, 100).state, RemoteTitle::State::Short);
}

TEST(RemoteWindowTest, TheResultTakesEightBytesLittleEndian)
{
    const Bytes minusTwo = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x55};
    LRESULT result = 7;
    EXPECT_TRUE(ReadRemoteResult(minusTwo.data(), minusTwo.size(), &result));
    EXPECT_EQ(result, -2);
    const Bytes one = {1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(ReadRemoteResult(one.data(), one.size(), &result));
    EXPECT_EQ(result, 1);
    result = 7;
    EXPECT_FALSE(ReadRemoteResult(one.data(), 7, &result));
    EXPECT_FALSE(ReadRemoteResult(nullptr, 8, &result));
    EXPECT_EQ(result, 7) << "nothing written without eight bytes";
}

}  // namespace
