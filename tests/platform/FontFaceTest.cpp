// Glyph layout and metrics of FontFace with the test font: cell and baseline, advances, glyph
// boxes, and the reading of Shift-JIS bytes (double-byte, half-width katakana, 0x5C trail bytes,
// lone lead bytes and unknown characters drawing the default glyph).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFont.h"
#include "platform/gdi/FontFace.h"

namespace {

using FontFaceTest = TestFontFixture;

// Checks a glyph's box against the test font's design and that its ink is a filled box or a
// one-pixel frame.
void ExpectGlyph(const GlyphImage& g, const TestGlyph& want, const std::string& where)
{
    SCOPED_TRACE(where);
    EXPECT_EQ(g.advance, want.advance);
    ASSERT_EQ(g.width, want.width);
    ASSERT_EQ(g.height, want.height);
    if (want.width == 0) return;
    EXPECT_EQ(g.left, want.left);
    EXPECT_EQ(g.top, want.top);
    int wrong = 0;
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1;
            const bool expected = want.hollow ? edge : true;
            wrong += g.InkAt(x, y) != expected ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0) << "pixels differing from the designed " << (want.hollow ? "frame" : "box");
}

TEST_F(FontFaceTest, CellHeightIsTheRequestedHeightWithTheBaselineAtTheScaledWindowsAscent)
{
    struct Case {
        int height, cell, ascent;
    };
    // ascent = 832 x cell / 1024, rounded.
    for (const Case& c : {Case{16, 16, 13}, Case{9, 9, 7}, Case{30, 30, 24}, Case{32, 32, 26}}) {
        auto font = FontFace::Create(SjisOf("ＭＳ ゴシック"), c.height, 400);
        EXPECT_EQ(font->CellHeight(), c.cell) << c.height;
        EXPECT_EQ(font->Ascent(), c.ascent) << c.height;
    }
    EXPECT_EQ(FontFace::Create("", 0, 0)->CellHeight(), FontFace::kDefaultCellHeight);
}

TEST_F(FontFaceTest, ShiftJisBytesBecomeTheGlyphsOfTheirCharacters)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<TestGlyph> glyphs;
    };
    const std::vector<Case> cases = {
        {"proportional ASCII", "AiW", {kAsciiGlyph, kNarrowGlyph, kWideGlyph}},
        {"half-width katakana", "\xB1\xDF", {kKanaGlyph, kKanaGlyph}},
        {"double-byte characters", SjisOf("テスト表示"), {kFullGlyph, kFullGlyph, kFullGlyph, kFullGlyph, kFullGlyph}},
        {"0x5C trail byte (表), then a backslash", "\x95\x5C\x5C", {kFullGlyph, kAsciiGlyph}},
        {"0x5C trail byte (ソ)",
         "\x83\x5C"
         "A",
         {kFullGlyph, kAsciiGlyph}},
        {"lone lead byte at the end", "A\x95", {kAsciiGlyph, kDefaultGlyph}},
        {"lead byte before a byte that is no trail byte", "\x95 A", {kDefaultGlyph, kSpaceGlyph, kAsciiGlyph}},
        {"unassigned double-byte code", "\x85\x40", {kDefaultGlyph}},
        {"character the font lacks (あ)", "\x82\xA0", {kDefaultGlyph}},
        {"single bytes that are no character", "\x80\xA0\xFD", {kDefaultGlyph, kDefaultGlyph, kDefaultGlyph}},
        {"full-width space", "\x81\x40", {kFullSpaceGlyph}},
    };
    auto font = FontFace::Create(SjisOf("ＭＳ ゴシック"), kTestCell, 400);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PlacedGlyph> placed = font->Layout(c.bytes);
        ASSERT_EQ(placed.size(), c.glyphs.size());
        int pen = 0;
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_EQ(placed[i].penX, pen) << "glyph " << i;
            ExpectGlyph(*placed[i].glyph, c.glyphs[i], "glyph " + std::to_string(i));
            pen += c.glyphs[i].advance;
        }
        EXPECT_EQ(font->TextWidth(c.bytes), pen);
    }
}

TEST_F(FontFaceTest, AdvancesScaleWithTheCellHeight)
{
    // "テスト Test 表示": five full-width, two spaces and four ASCII letters: 5 x 16 + 6 x 8 at 16.
    const std::string text = SjisOf("テスト Test 表示");
    struct Case {
        int height, width;
    };
    for (const Case& c : {Case{16, 128}, Case{30, 240}, Case{32, 256}}) {
        auto font = FontFace::Create(SjisOf("ＭＳ ゴシック"), c.height, 400);
        EXPECT_EQ(font->TextWidth(text), c.width) << c.height;
    }
}

TEST_F(FontFaceTest, GlyphBoxesScaleWithTheCellHeight)
{
    // At 32 pixels one pixel is 32 units: 'A' is 12 x 20 from (2, 26 - 20), 表 28 x 28 from (2, 2).
    auto font = FontFace::Create(SjisOf("ＭＳ ゴシック"), 32, 400);
    const std::vector<PlacedGlyph> placed = font->Layout("A\x95\x5C");
    ASSERT_EQ(placed.size(), 2u);
    ExpectGlyph(*placed[0].glyph, {16, 2, 6, 12, 20, false}, "A");
    ExpectGlyph(*placed[1].glyph, {32, 2, 2, 28, 28, false}, "表");
    EXPECT_EQ(placed[1].penX, 16);
}

}  // namespace
