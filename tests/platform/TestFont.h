// The font made for the text tests (tools/make_test_font.py writes fonts/TestFont.ttf), its
// known metrics, and a fixture that makes every face name resolve to it.
//
// At a cell height of 16 pixels one pixel is 64 font units: ascent 13, descent 3, and the glyphs
// are filled boxes (the default glyph a hollow frame) of the sizes in kTestGlyphs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi/FontFileResolver.h"
#include "platform/win/CodePage.h"

inline std::string TestFontPath()
{
    // The tests folder comes from the build (a compiler cache may make __FILE__ relative, and
    // the tests change the current folder).
    return (std::filesystem::path(QB_TESTS_SOURCE_DIR) / "platform" / "fonts" / "TestFont.ttf").string();
}

// One kind of glyph of the test font at a 16-pixel cell: the box relative to the pen position
// and the cell top.
struct TestGlyph {
    int advance, left, top, width, height;
    bool hollow;
};

constexpr int kTestCell = 16;
constexpr int kTestAscent = 13;
constexpr TestGlyph kAsciiGlyph{8, 1, 3, 6, 10, false};      // U+0021..U+007E but i l M W
constexpr TestGlyph kNarrowGlyph{4, 1, 3, 2, 10, false};     // i l
constexpr TestGlyph kWideGlyph{12, 1, 3, 10, 10, false};     // M W
constexpr TestGlyph kKanaGlyph{8, 2, 1, 4, 13, false};       // half-width katakana
constexpr TestGlyph kFullGlyph{16, 1, 1, 14, 14, false};     // ス ソ テ ト 示 表
constexpr TestGlyph kDefaultGlyph{8, 1, 1, 6, 12, true};     // the default glyph
constexpr TestGlyph kSpaceGlyph{8, 0, 0, 0, 0, false};       // U+0020
constexpr TestGlyph kFullSpaceGlyph{16, 0, 0, 0, 0, false};  // U+3000

// A glyph box of the test font drawn with the cell's top-left corner at (x, y).
struct TextBox {
    TestGlyph glyph;
    int x, y;
};

// The picture (raw pixel values, rows top to bottom) a text should leave on a background: each
// glyph's box, or frame for the default glyph, in ink; parts outside the picture are cut off.
inline std::vector<std::vector<DWORD>> TextPicture(int width, int height, DWORD background, DWORD ink,
                                                   const std::vector<TextBox>& boxes)
{
    std::vector<std::vector<DWORD>> rows(static_cast<size_t>(height),
                                         std::vector<DWORD>(static_cast<size_t>(width), background));
    for (const TextBox& b : boxes) {
        const int left = b.x + b.glyph.left;
        const int top = b.y + b.glyph.top;
        for (int y = top; y < top + b.glyph.height; ++y) {
            for (int x = left; x < left + b.glyph.width; ++x) {
                const bool edge =
                    x == left || y == top || x == left + b.glyph.width - 1 || y == top + b.glyph.height - 1;
                if (x >= 0 && y >= 0 && x < width && y < height && (edge || !b.glyph.hollow))
                    rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = ink;
            }
        }
    }
    return rows;
}

// Shift-JIS bytes of UTF-8 text written in the tests.
inline std::string SjisOf(const char* utf8)
{
    std::string out;
    Utf8ToCp932(utf8, out);
    return out;
}

// Every face name resolves to the test font for the duration of a test.
class TestFontFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath())) << TestFontPath(); }
    void TearDown() override { FontFilesUseSystemForTest(); }
};
