// The pad script of scripted runs: one decimal bit mask per frame, refused with its line number
// when a line is not one, and applied to the controller as direction and button words.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/cPadScript.h"
#include "support/GameFolder.h"

namespace {

std::vector<int> Frames(cPadScript& script, int n)
{
    std::vector<int> masks;
    for (int i = 0; i < n; ++i) {
        masks.push_back(script.Next());
    }
    return masks;
}

TEST(PadScriptTest, LinesAreFramesAndNothingIsHeldAfterTheLast)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> frames;  // the masks of the first frames read
    };
    const Case cases[] = {
        {"plain lines", "2\n18\n4095\n", {2, 18, 4095, 0, 0}},
        {"empty line holds nothing", "1\n\n8\n", {1, 0, 8, 0}},
        {"carriage returns", "3\r\n\r\n5\r\n", {3, 0, 5, 0}},
        {"no final line feed", "6\n7", {6, 7, 0}},
        {"empty file", "", {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cPadScript script;
        ASSERT_TRUE(script.Parse(c.text));
        EXPECT_EQ(Frames(script, static_cast<int>(c.frames.size())), c.frames);
    }
}

TEST(PadScriptTest, ALineThatIsNoMaskIsRefusedWithItsNumber)
{
    struct Case {
        const char* name;
        std::string text;
        int line;
    };
    const Case cases[] = {
        {"beyond twelve bits", "1\n4096\n", 2},
        {"negative", "-1\n", 1},
        {"blank inside", "1\n2 \n", 2},
        {"not decimal", "1\n2\n0x10\n", 3},
        {"a carriage return alone in the middle", "1\r2\n", 1},
        {"too long a number", "00001\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cPadScript script;
        int line = -1;
        EXPECT_FALSE(script.Parse(c.text, &line));
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(script.Frames(), 0);
        EXPECT_EQ(script.Next(), 0);
    }
}

TEST(PadScriptTest, MasksBecomeTheControllersDirectionAndButtonWords)
{
    // Bits 0..3: left, right, up, down; bits 4..11: buttons 1..8.
    const int mask = DIR_LEFT | DIR_DOWN | (1 << 4) | (1 << 11);
    cInput input;
    cPadScript::Apply(input, mask);
    EXPECT_EQ(input.wDir, DIR_LEFT | DIR_DOWN);
    EXPECT_EQ(input.wButton, 0x81);
    EXPECT_EQ(cPadScript::MaskOf(input.wDir, input.wButton), mask);
    cPadScript::Apply(input, 0);
    EXPECT_EQ(input.wDir, 0);
    EXPECT_EQ(input.wButton, 0);
}

TEST(PadScriptTest, AFileIsReadAndAMissingOneIsRefused)
{
    testsupport::GameFolder folder;
    folder.Write("input.txt", "8\n\n24\n");
    cPadScript script;
    ASSERT_TRUE(script.Load("input.txt"));
    EXPECT_EQ(Frames(script, 4), (std::vector<int>{8, 0, 24, 0}));
    int line = -1;
    EXPECT_FALSE(script.Load("missing.txt", &line));
    EXPECT_EQ(line, 0);
}

}  // namespace
