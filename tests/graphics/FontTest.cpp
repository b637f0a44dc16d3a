#include "graphics/Font.h"

#include "DrawTestSupport.h"
#include "graphics/DeviceLoss.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "platform/TestFont.h"

namespace gfxtest {
namespace {

// The fonts over the six configurations, every face resolving to the test font. Ink is palette
// entry 4 (white), window frames entry 1 (red).
class FontTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
    }
    void TearDown() override
    {
        m_font.Release();
        ReleaseFontTable();
        FontFilesUseSystemForTest();
        DrawTest::TearDown();
    }

    static FONTINFO Info(int nCellWidth, int nCellHeight, int nCacheMode)
    {
        FONTINFO info;
        info.szFaceName = "Test";
        info.nHeight = 16;
        info.nCellWidth = nCellWidth;
        info.nCellHeight = nCellHeight;
        info.dwPalNum = 4;
        info.nSkinSlot = 45;
        info.nFrameThick = 1;
        info.dwFramePalNum = 1;
        info.nAlphabetSlot = -1;
        info.nCacheMode = nCacheMode;
        return info;
    }

    void Make(int nCellWidth, int nCellHeight, int nCacheMode)
    {
        ASSERT_TRUE(m_font.Create(Info(nCellWidth, nCellHeight, nCacheMode)));
    }

    // Expected picture of glyph boxes on a canvas of 'C' in white ink.
    RawImage Text(DDSURFACEDATA* sd, const std::vector<TextBox>& boxes) const
    {
        return TextPicture(sd->nWidth, sd->nHeight, Raw('C'), Raw('W'), boxes);
    }

    // The ink of a glyph in the font's colour is the pixel a fill with the same palette number
    // gives, for a few palette numbers (primaries, white, mixed colours).
    void ExpectInkIsTheFillColour()
    {
        for (DWORD palNum : {1u, 2u, 4u, 6u, 77u, 200u}) {
            FONTINFO info = Info(16, 16, 0);
            info.dwPalNum = palNum;
            m_font.Release();
            ASSERT_TRUE(m_font.Create(info));
            DDSURFACEDATA* canvas = Canvas(32, 16);
            m_font.Draw(canvas, 0, 0, "A", 0);
            DDFillRectPal(canvas, 16, 0, 16, 16, palNum);
            EXPECT_EQ(Pixel(canvas, 2 + kAsciiGlyph.left, kAsciiGlyph.top), Pixel(canvas, 16, 0))
                << "palette number " << palNum;
        }
    }

    Font m_font;
};

TEST_P(FontTest, FixedExtents)
{
    OpenWithPalette();
    Make(8, 16, 0);
    struct Case {
        const char* text;
        LONG cx, cy;
    };
    const std::string kana = SjisOf("あいう\nAB");
    const Case cases[] = {{"", 0, 16}, {"ab\ncde", 24, 32}, {"ab\n", 16, 32}, {kana.c_str(), 24, 32}};
    for (const Case& c : cases) {
        SIZE size{-1, -1};
        EXPECT_EQ(m_font.GetFixedTextExtent(&size, c.text), &size);
        EXPECT_EQ(size.cx, c.cx) << c.text;
        EXPECT_EQ(size.cy, c.cy) << c.text;
        m_font.GetTextExtent(&size, c.text);
        EXPECT_EQ(size.cx, c.cx) << c.text;
    }
}

TEST_P(FontTest, ProportionalExtentsUseTheGlyphAdvances)
{
    OpenWithPalette();
    Make(0, 16, 0);
    SIZE size{};
    m_font.GetTextExtent(&size, "AiM\nA");
    EXPECT_EQ(size.cx, kAsciiGlyph.advance + kNarrowGlyph.advance + kWideGlyph.advance);
    EXPECT_EQ(size.cy, 32);
    const std::string wide = SjisOf("テト");
    m_font.GetTextExtent(&size, wide.c_str());
    EXPECT_EQ(size.cx, 2 * kFullGlyph.advance);
    EXPECT_EQ(size.cy, 16);
}

// The same picture with and without glyph caches: a single byte sits cell width / 8 right and
// cell height / 16 - 1 down in its cell, a double-byte glyph at the corner; "\n" goes a cell down.
TEST_P(FontTest, PlacementAndInkWithAndWithoutCaches)
{
    OpenWithPalette();
    const std::string text = SjisOf("Aテ\n ｱ");
    for (int cacheMode : {0, 1}) {
        m_font.Release();
        Make(16, 16, cacheMode);
        EXPECT_EQ(m_font.HalfCache() != nullptr, cacheMode == 1);
        // A render target is drawn on directly, a system-memory surface through the compose surface.
        for (int memoryType : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
            DDSURFACEDATA* canvas = Canvas(64, 48, 'C', 1, memoryType);
            m_font.Draw(canvas, 8, 4, text.c_str(), 0);
            EXPECT_EQ(Pixels(canvas), Text(canvas, {{kAsciiGlyph, 10, 4}, {kFullGlyph, 24, 4}, {kKanaGlyph, 26, 20}}))
                << "cache mode " << cacheMode << ", memory type " << memoryType;
        }
    }
}

// With an alphabet picture, lower-case letters come from its cells (letter k at k x cell width)
// and the font does not draw them.
TEST_P(FontTest, LowerCaseLettersFromTheAlphabetPicture)
{
    OpenWithPalette();
    std::string row;
    for (int k = 0; k < 26; ++k) row += k % 2 == 0 ? "RR" : "GG";
    Picture({row, row}, 1);
    ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[50], "bmp\\picture0.bmp", 1, C().nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    // With and without glyph caches, on a render target and through the compose surface.
    for (int cacheMode : {0, 1}) {
        FONTINFO info = Info(2, 2, cacheMode);
        info.nAlphabetSlot = 50;
        m_font.Release();
        ASSERT_TRUE(m_font.Create(info));
        for (int memoryType : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
            DDSURFACEDATA* canvas = Canvas(8, 2, 'C', 1, memoryType);
            const RawImage before = Pixels(canvas);
            m_font.Draw(canvas, 2, 0, "ab", 0);
            EXPECT_EQ(Pixels(canvas), Expect({"CCRRGGCC", "CCRRGGCC"}, before))
                << "cache mode " << cacheMode << ", memory type " << memoryType;
        }
    }
}

// Centred glyphs: x + cell / 2 - advance / 2, y + cell / 2 - height / 2.
TEST_P(FontTest, CentredGlyphsSitInTheMiddleOfTheirCell)
{
    OpenWithPalette();
    Make(16, 16, 0);
    m_font.SetCentreGlyphs(1);
    DDSURFACEDATA* canvas = Canvas(48, 16);
    const std::string text = SjisOf("Aテ");
    m_font.Draw(canvas, 0, 0, text.c_str(), 0);
    EXPECT_EQ(Pixels(canvas), Text(canvas, {{kAsciiGlyph, 4, 0}, {kFullGlyph, 16, 0}}));
}

// Text aimed at the back buffer lands on the virtual back buffer while it is on, like every blit.
using FontD3DTest = FontTest;

TEST_P(FontD3DTest, DrawingOnTheBackBufferFollowsTheVirtualBackBuffer)
{
    OpenWithPalette();
    Make(16, 16, 0);
    DDSetVirBackBuffer(TRUE);
    m_font.Draw(&BackBuffer, 0, 0, "A", 0);
    EXPECT_EQ(Pixel(&VirBackBuffer, 2 + kAsciiGlyph.left, kAsciiGlyph.top), Raw('W'));
}

TEST_P(FontTest, InkIsTheColourOfThePaletteNumber)
{
    OpenWithPalette();
    ExpectInkIsTheFillColour();
}

// DirectDraw at 16 bits with a 555 screen: the palette holds 5-bit green values there.
using FontDD16Test = FontTest;

TEST_P(FontDD16Test, InkIsTheColourOfThePaletteNumberOnA555Screen)
{
    DDrawUse555(true);
    OpenWithPalette();
    ExpectInkIsTheFillColour();
}

TEST_P(FontTest, HalfCacheHoldsByteInItsCell)
{
    OpenWithPalette();
    Make(16, 16, 1);
    ASSERT_NE(m_font.HalfCache(), nullptr);
    DDSURFACEDATA* cache = m_font.HalfCache()->Surface();
    // Half-width katakana 0xB1: column 1, row 11; 'A' (0x41): column 1, row 4.
    EXPECT_EQ(Pixel(cache, 16 + 2 + kKanaGlyph.left, 11 * 16 + kKanaGlyph.top), Raw('W'));
    EXPECT_EQ(Pixel(cache, 16 + 2 + kAsciiGlyph.left, 4 * 16 + kAsciiGlyph.top), Raw('W'));
}

// The double-byte cache starts with the 256 listed characters, grows by one per new character,
// and once full draws further new characters directly.
TEST_P(FontTest, FullAddCacheGrowsThenFallsBack)
{
    OpenWithPalette();
    Make(16, 16, 1);
    FastFont* cache = m_font.FullAddCache();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->Capacity(), D3D() ? 32 * 32 : 32 * 30);
    EXPECT_EQ(cache->GlyphCount(), 256);
    const std::string hyou = SjisOf("表");
    DDSURFACEDATA* canvas = Canvas(64, 32);
    m_font.Draw(canvas, 0, 0, hyou.c_str(), 0);
    m_font.Draw(canvas, 16, 0, hyou.c_str(), 0);
    EXPECT_EQ(cache->GlyphCount(), 257);
    const FastFont::Glyph* g = cache->FindGlyph(static_cast<BYTE>(hyou[0]), static_cast<BYTE>(hyou[1]));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->nCell, 256);
    EXPECT_EQ(Pixel(cache->Surface(), g->nCellX + kFullGlyph.left, g->nCellY + kFullGlyph.top), Raw('W'));

    // Fill it with kanji the test font lacks (default glyph), a line at a time.
    DDSURFACEDATA* scratch = Canvas(640, 32);
    int lead = 0x89, trail = 0x40;
    while (cache->GlyphCount() < cache->Capacity()) {
        std::string line;
        for (int i = 0; i < 32 && cache->GlyphCount() + i < cache->Capacity(); ++i) {
            line += static_cast<char>(lead);
            line += static_cast<char>(trail);
            if (++trail == 0x7F) trail = 0x80;
            if (trail == 0xFD) {
                trail = 0x40;
                ++lead;
            }
        }
        m_font.Draw(scratch, 0, 0, line.c_str(), 0);
    }
    const std::string shi = SjisOf("示");
    DDSURFACEDATA* after = Canvas(32, 16);
    m_font.Draw(after, 8, 0, shi.c_str(), 0);
    EXPECT_EQ(cache->GlyphCount(), cache->Capacity());
    EXPECT_EQ(cache->FindGlyph(static_cast<BYTE>(shi[0]), static_cast<BYTE>(shi[1])), nullptr);
    EXPECT_EQ(Pixels(after), Text(after, {{kFullGlyph, 8, 0}}));
}

TEST_P(FontTest, WindowTextSizedFromTheTextAndCentredOnTheSkin)
{
    OpenWithPalette();
    std::vector<std::string> skinRows(100, std::string(200, 'G'));
    DDSURFACEDATA* skin = Picture(skinRows, 0);
    // The font takes its window skin from built-in slot 45.
    ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[45], "bmp\\picture0.bmp", 0, C().nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    (void)skin;
    Make(10, 16, 0);
    DDSURFACEDATA* canvas = Canvas(256, 40);
    // Ten cells of 10: 100 pixels of text, 8 of margin; x 10000 -> 200 / 2 - 108 / 2 = 46.
    m_font.DrawWindowText(canvas, kCentreOnSkin, 10, 0, 0, "AAAAAAAAAA", 8);
    EXPECT_EQ(Pixel(canvas, 45, 10), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 46, 10), Raw('G'));
    EXPECT_EQ(Pixel(canvas, 153, 25), Raw('G'));
    EXPECT_EQ(Pixel(canvas, 154, 25), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 100, 26), Raw('R'));  // bottom frame: 16 rows of box
    EXPECT_EQ(Pixel(canvas, 100, 9), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 44, 10), Raw('C'));
    // The first glyph 8 pixels in, a single byte 10 / 8 = 1 pixel into its cell.
    EXPECT_EQ(Pixel(canvas, 46 + 8 + 1 + kAsciiGlyph.left, 10 + kAsciiGlyph.top), Raw('W'));
    EXPECT_EQ(Pixel(canvas, 46 + 8 + 1 + kAsciiGlyph.left - 1, 10 + kAsciiGlyph.top), Raw('G'));
}

TEST_P(FontTest, PrintfIsBounded)
{
    OpenWithPalette();
    Make(8, 16, 0);
    DDSURFACEDATA* canvas = Canvas(64, 16);
    const std::string longText(4000, 'A');
    m_font.Printf(canvas, 0, 0, "%s", longText.c_str());
    m_font.PrintfWindowText(canvas, 0, 0, 0, 0, "%s%s", longText.c_str(), longText.c_str());
    EXPECT_EQ(Pixel(canvas, 1 + kAsciiGlyph.left, kAsciiGlyph.top), Raw('W'));
}

// Digit strips are drawn at creation and again after a device loss, as are the caches.
TEST_P(FontTest, DigitStripsAndCachesAfterDeviceLoss)
{
    OpenWithPalette();
    FONTINFO infos[1] = {Info(16, 16, 1)};
    ASSERT_TRUE(CreateFontTable(FontTable, infos, 1));
    ASSERT_TRUE(CreateNumberSurfaces(NumberSD, NumberSDInfoTable, 1, FontTable, infos));
    auto digitInk = [&](int d) { return Pixel(&NumberSD[0], d * 16 + 2 + kAsciiGlyph.left, kAsciiGlyph.top); };
    EXPECT_EQ(digitInk(0), Raw('W'));
    EXPECT_EQ(digitInk(9), Raw('W'));
    if (D3D()) {
        lpDevice->SimulateDeviceLoss();
        EXPECT_FALSE(DDPresent(60, 0, nullptr));
        lpDevice->MakeDeviceResettable();
        ASSERT_TRUE(DDRestoreSurface());
    } else {
        DDrawLoseAllSurfaces();
        ASSERT_TRUE(DDRestore());
    }
    EXPECT_EQ(NumberSD[0].bLost, 0);
    EXPECT_EQ(digitInk(5), Raw('W'));
    DDSURFACEDATA* cache = FontTable[0].HalfCache()->Surface();
    EXPECT_EQ(Pixel(cache, 16 + 2 + kAsciiGlyph.left, 4 * 16 + kAsciiGlyph.top), Raw('W'));
    DDSURFACEDATA* canvas = Canvas(48, 16);
    const std::string text = SjisOf("Aテ");
    FontTable[0].Draw(canvas, 0, 0, text.c_str(), 0);
    EXPECT_EQ(Pixels(canvas), Text(canvas, {{kAsciiGlyph, 2, 0}, {kFullGlyph, 16, 0}}));
}

INSTANTIATE_TEST_SUITE_P(Matrix, FontTest, ::testing::ValuesIn(kConfigs), ConfigName);
INSTANTIATE_TEST_SUITE_P(Direct3D, FontD3DTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);
INSTANTIATE_TEST_SUITE_P(DirectDraw16, FontDD16Test, ::testing::Values(kConfigs[4]), ConfigName);

}  // namespace
}  // namespace gfxtest
