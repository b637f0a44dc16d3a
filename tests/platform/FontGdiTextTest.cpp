// GDI text on DirectDraw surface DCs with the test font: glyph placement and the text colour at
// 8, 16 and 32 bits (at 8 bits the nearest entry of the primary's palette), clipping, background
// modes, extents, and the lifetime of fonts and DC settings.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "DDrawFixture.h"
#include "TestFont.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/GdiTextState.h"

namespace {

HFONT MakeFont(int height)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, SjisOf("ＭＳ ゴシック").c_str());
}

class FontGdiTextTest : public DDrawFixture {
protected:
    void SetUp() override
    {
        DDrawFixture::SetUp();
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
        m_font = MakeFont(kTestCell);
    }
    void TearDown() override
    {
        EXPECT_TRUE(DeleteObject(m_font));
        FontFilesUseSystemForTest();
        DDrawFixture::TearDown();
    }

    // A palette on the primary: every entry `fill`, with the given entries set.
    void SetPrimaryPalette(PALETTEENTRY fill, const std::vector<std::pair<int, PALETTEENTRY>>& set)
    {
        PALETTEENTRY entries[256];
        for (PALETTEENTRY& e : entries) e = fill;
        for (const auto& [index, entry] : set) entries[index] = entry;
        ASSERT_EQ(m_dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &m_palette, nullptr), DD_OK);
        ASSERT_EQ(m_primary->SetPalette(m_palette), DD_OK);
        m_palette->Release();  // the primary keeps it
    }

    // Draws with the surface's DC: the test font, transparent background, the colour.
    void DrawText(IDirectDrawSurface7* s, int x, int y, const std::string& text, COLORREF color)
    {
        HDC dc = nullptr;
        ASSERT_EQ(s->GetDC(&dc), DD_OK);
        HGDIOBJ old = SelectObject(dc, m_font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, color);
        EXPECT_TRUE(TextOutA(dc, x, y, text.data(), static_cast<int>(text.size())));
        SelectObject(dc, old);
        ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    }

    HFONT m_font = nullptr;
    IDirectDrawPalette* m_palette = nullptr;
};

TEST_F(FontGdiTextTest, TextOutPutsEachGlyphInTheTextColourOfTheSurfaceFormat)
{
    struct Case {
        TestFormat format;
        DWORD ink;  // RGB(0xFF, 0x80, 0x40) in the format
    };
    // 565: 31 << 11 | 32 << 5 | 8; 555: 31 << 10 | 16 << 5 | 8; 8 bits: the palette entry of the colour.
    for (const Case& c : {Case{TestFormat::Index8, 5}, Case{TestFormat::Rgb565, 0xFC08},
                          Case{TestFormat::Rgb555, 0x7E08}, Case{TestFormat::Xrgb32, 0x00FF8040}}) {
        SCOPED_TRACE(FormatName(c.format));
        OpenFullScreen(c.format);
        if (c.format == TestFormat::Index8) SetPrimaryPalette({0, 0, 0, 0}, {{5, {0xFF, 0x80, 0x40, 0}}});
        IDirectDrawSurface7* s = MakeSurface(40, 20);
        ASSERT_EQ(Fill(s, 0), DD_OK);
        // "A表ｱ": 表 is 0x95 0x5C, a double-byte character whose trail byte is a backslash.
        DrawText(s, 3, 2, "A\x95\x5C\xB1", RGB(0xFF, 0x80, 0x40));
        EXPECT_EQ(Read(s, 40, 20),
                  TextPicture(40, 20, 0, c.ink, {{kAsciiGlyph, 3, 2}, {kFullGlyph, 11, 2}, {kKanaGlyph, 27, 2}}));
        TearDown();
        SetUp();
    }
}

TEST_F(FontGdiTextTest, GlyphsAreCutAtTheSurfaceEdges)
{
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* s = MakeSurface(24, 12);
    ASSERT_EQ(Fill(s, 0), DD_OK);
    DrawText(s, -4, -5, "\x95\x5C", RGB(1, 2, 3));
    DrawText(s, 18, 4, "W", RGB(1, 2, 3));
    EXPECT_EQ(Read(s, 24, 12), TextPicture(24, 12, 0, 0x010203, {{kFullGlyph, -4, -5}, {kWideGlyph, 18, 4}}));
}

TEST_F(FontGdiTextTest, AtEightBitsTheInkIsTheNearestEntryOfThePrimarysPaletteWhenDrawn)
{
    OpenFullScreen(TestFormat::Index8);
    SetPrimaryPalette({0xFF, 0xFF, 0xFF, 0}, {{0, {0, 0, 0xFF, 0}},
                                              {7, {10, 20, 30, 0}},
                                              {200, {10, 20, 30, 0}},
                                              {10, {200, 0, 0, 0}},
                                              {12, {0xFF, 10, 10, 0}},
                                              {20, {100, 0, 0, 0}},
                                              {30, {0, 0, 0, 0}}});
    struct Case {
        const char* name;
        COLORREF color;
        DWORD index;
    };
    const Case cases[] = {
        {"exact match, lowest of two", RGB(10, 20, 30), 7},
        {"least squared distance", RGB(250, 0, 0), 12},
        {"equal distances: lowest index", RGB(50, 0, 0), 20},
        {"exact white: the first white entry", RGB(0xFF, 0xFF, 0xFF), 1},
    };
    IDirectDrawSurface7* s = MakeSurface(8, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Fill(s, 3), DD_OK);
        DrawText(s, 0, 0, "A", c.color);
        EXPECT_EQ(Read(s, 8, 16), TextPicture(8, 16, 3, c.index, {{kAsciiGlyph, 0, 0}}));
    }
    // The engine swaps its palette in around text drawing: the entries current at drawing decide.
    const PALETTEENTRY grey{0x80, 0x80, 0x80, 0};
    ASSERT_EQ(m_palette->SetEntries(0, 12, 1, &grey), DD_OK);
    ASSERT_EQ(Fill(s, 3), DD_OK);
    DrawText(s, 0, 0, "A", RGB(250, 0, 0));
    EXPECT_EQ(Read(s, 8, 16), TextPicture(8, 16, 3, 10, {{kAsciiGlyph, 0, 0}}));
}

TEST_F(FontGdiTextTest, OpaqueModeFirstFillsTheTextBoxWhiteAndIsTheDefaultWithBlackText)
{
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* s = MakeSurface(20, 18);
    ASSERT_EQ(Fill(s, 0x123456), DD_OK);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SelectObject(dc, m_font);
    EXPECT_TRUE(TextOutA(dc, 1, 1, "Ai", 2));
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    Rows expected = TextPicture(20, 18, 0x123456, 0, {});
    for (int y = 1; y < 17; ++y)
        for (int x = 1; x < 13; ++x) expected[static_cast<size_t>(y)][static_cast<size_t>(x)] = 0xFFFFFF;
    const Rows ink = TextPicture(20, 18, 1, 0, {{kAsciiGlyph, 1, 1}, {kNarrowGlyph, 9, 1}});
    for (size_t y = 0; y < ink.size(); ++y)
        for (size_t x = 0; x < ink[y].size(); ++x)
            if (ink[y][x] == 0) expected[y][x] = 0;
    EXPECT_EQ(Read(s, 20, 18), expected);
}

TEST_F(FontGdiTextTest, ExtentIsTheSumOfTheAdvancesByTheCellHeight)
{
    struct Case {
        const char* name;
        std::string text;
        int height;
        LONG cx;
    };
    const std::vector<Case> cases = {
        {"ASCII", "Test", 16, 32},
        {"proportional ASCII", "AiW", 16, 24},
        {"mixed", SjisOf("テスト Test 表示"), 16, 128},
        {"mixed at 30 pixels", SjisOf("テスト Test 表示"), 30, 240},
        {"0x5C trail byte", "\x95\x5C", 16, 16},
        {"half-width katakana", "\xB1\xB2", 16, 16},
        {"lone lead byte", "\x95", 16, 8},
        {"empty", "", 16, 0},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HFONT font = MakeFont(c.height);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32A(dc, c.text.data(), static_cast<int>(c.text.size()), &size));
        EXPECT_EQ(size.cx, c.cx);
        EXPECT_EQ(size.cy, c.height);
        SelectObject(dc, old);
        EXPECT_TRUE(DeleteObject(font));
    }
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(FontGdiTextTest, BadArgumentsFailAndSettingsReturnTheirPreviousValues)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE size{};
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "A", 1));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", -1));
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 1));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "A", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(reinterpret_cast<HDC>(0x4321), "A", 1, &size));
    HDC window = GetDC(nullptr);
    EXPECT_FALSE(TextOutA(window, 0, 0, "A", 1)) << "a window DC has no pixels";
    EXPECT_EQ(ReleaseDC(nullptr, window), 1);

    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(0x4321), 0), CLR_INVALID);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(FontGdiTextTest, ADeletedFontLeavesTheDcWithTheDefaultFont)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeFont(30);
    SelectObject(dc, font);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font));
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "A", 1, &size));
    EXPECT_EQ(size.cy, 16) << "the default font's cell";
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(FontGdiTextTest, SettingsOfDeletedDcsDoNotPileUp)
{
    for (int i = 0; i < 500; ++i) {
        HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(i, 0, 0));
        DeleteDC(dc);
    }
    EXPECT_LT(GdiTextStateCount(), 100u);
}

}  // namespace
