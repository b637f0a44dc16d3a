// The palette read from the palette bitmap and the transparent colour in every form, over the six
// configurations.
#include "GraphicsTestSupport.h"
#include "graphics/GraphicsStartup.h"
#include "graphics/LockSD.h"

namespace gfxtest {
namespace {

constexpr const char* kPalettePath = "bmp\\plt\\Palette.bmp";

struct Rgb {
    int r, g, b;
};

// The palette entry a colour of an 8-bit palette bitmap gives in a configuration.
Rgb ExpectedEntry(const Config& c, std::uint32_t colour)
{
    const int r = static_cast<int>((colour >> 16) & 0xFF), g = static_cast<int>((colour >> 8) & 0xFF),
              b = static_cast<int>(colour & 0xFF);
    if (c.bDirect3D && c.nBpp == 16) {
        // Read back from the A1R5G5B5 texture: channel x 255 / 31 of the truncated channel.
        return {(r >> 3) * 255 / 31, (g >> 3) * 255 / 31, (b >> 3) * 255 / 31};
    }
    if (!c.bDirect3D && c.nBpp == 16) return {r >> 3, g >> 2, b >> 3};  // the channel values of R5G6B5
    return {r, g, b};
}

int ExpectedFlags(const Config& c, int i)
{
    if (c.bDirect3D) return 255;
    if (c.nBpp == 8) return (i < 10 || i >= 246) ? PC_EXPLICIT : PC_RESERVED;
    return 0;
}

using PaletteLoadTest = GraphicsMatrixTest;

TEST_P(PaletteLoadTest, ReadsThePaletteFromThePaletteBitmap)
{
    const Config& c = GetParam();
    auto table = TestPaletteColours();
    table[9] = 0x646464;  // 100: at 16 bits under Direct3D 12 x 255 / 31 = 98
    Write(kPalettePath, PaletteBmp(table));
    ASSERT_TRUE(Open(c));
    ASSERT_TRUE(DDLoadPaletteFromFile(Palette, kPalettePath, c.nBpp));
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const Rgb e = ExpectedEntry(c, table[static_cast<std::size_t>(i)]);
        EXPECT_EQ(Palette[i].peRed, e.r);
        EXPECT_EQ(Palette[i].peGreen, e.g);
        EXPECT_EQ(Palette[i].peBlue, e.b);
        EXPECT_EQ(Palette[i].peFlags, ExpectedFlags(c, i));
    }
    if (c.bDirect3D && c.nBpp == 16) {
        EXPECT_EQ(Palette[9].peRed, 98);
    }
    if (!c.bDirect3D && c.nBpp == 8) {
        PALETTEENTRY shown[256];
        lpDDPalette->GetEntries(0, 0, 256, shown);
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(shown[i].peRed, Palette[i].peRed);
            EXPECT_EQ(shown[i].peFlags, Palette[i].peFlags);
        }
    }
}

TEST_P(PaletteLoadTest, TransparentPixelsOfATrueColourPaletteLeaveTheirEntriesUnderDirect3D)
{
    const Config& c = GetParam();
    // Row 8 (entries 0..15) black: the colour Direct3D keys out while no transparent colour is set.
    Write(kPalettePath,
          Bmp24(16, 24, [](int x, int y) { return y == 8 ? 0u : 0x102030u + static_cast<std::uint32_t>(x); }));
    ASSERT_TRUE(Open(c));
    PALETTEENTRY pal[256];
    for (auto& e : pal) e = PALETTEENTRY{7, 7, 7, 7};
    ASSERT_TRUE(DDLoadPaletteFromFile(pal, kPalettePath, c.nBpp));
    if (c.nBpp == 8) {
        EXPECT_EQ(pal[0].peRed, 7);  // nothing is read from a true-colour bitmap at 8 bits
        EXPECT_EQ(pal[16].peRed, 7);
    } else if (c.bDirect3D) {
        EXPECT_EQ(pal[0].peRed, 7);
        EXPECT_EQ(pal[15].peBlue, 7);
        EXPECT_NE(pal[16].peRed, 7);
    } else {
        EXPECT_EQ(pal[0].peRed, 0);
        EXPECT_EQ(pal[15].peBlue, 0);
    }
}

// A palette bitmap smaller than 16 x 24 loads: the entries whose pixels it lacks keep what the
// colour table gave (or what they held), and the start goes on.
TEST_P(PaletteLoadTest, APaletteBitmapTooSmallForTheColourGridKeepsTheOtherEntries)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    const bool bPixels = c.nBpp != 8;
    PALETTEENTRY pal[256];

    Write(kPalettePath, Bmp8(16, 8, [](int, int) { return 0u; }));  // the colour table only
    for (auto& e : pal) e = PALETTEENTRY{7, 7, 7, 7};
    ASSERT_TRUE(DDLoadPaletteFromFile(pal, kPalettePath, c.nBpp));
    const bool bTable = c.bDirect3D || c.nBpp == 8;
    const std::uint32_t colour = TestPaletteColours()[200];
    EXPECT_EQ(pal[200].peRed, bTable ? (colour >> 16) & 0xFF : 7u);
    EXPECT_EQ(pal[200].peBlue, bTable ? colour & 0xFF : 7u);

    // Rows 8 and 9 of the grid: entries 0..31 from the pixels, the others as they were.
    Write(kPalettePath, Bmp24(16, 10, [](int x, int) { return 0x102030u + static_cast<std::uint32_t>(x); }));
    for (auto& e : pal) e = PALETTEENTRY{7, 7, 7, 7};
    ASSERT_TRUE(DDLoadPaletteFromFile(pal, kPalettePath, c.nBpp));
    EXPECT_EQ(pal[31].peRed != 7, bPixels);
    EXPECT_EQ(pal[32].peRed, 7);
    EXPECT_EQ(pal[255].peBlue, 7);
    EXPECT_FALSE(DDLoadPaletteFromFile(Palette, "bmp\\plt\\Missing.bmp", c.nBpp));
}

INSTANTIATE_TEST_SUITE_P(Matrix, PaletteLoadTest, ::testing::ValuesIn(kConfigs), ConfigName);

// The transparent colour magenta (the first pixel of the palette bitmap) in each configuration.
struct TransparentForms {
    DWORD dwColorKey;
    RGBTRIPLE rgbTransmit;     // checked where the back-end keeps it
    RGBTRIPLE rgbPalTransmit;  // checked at 16 bits
    DWORD dwTransmitARGB;      // Direct3D
    WORD wTransmitKey_16;      // Direct3D
};

TransparentForms ExpectedMagenta(const Config& c)
{
    const RGBTRIPLE magenta{255, 0, 255};
    if (c.bDirect3D && c.nBpp == 32) return {0, magenta, {}, 0xFFFF00FF, 0};
    // The opaque A1R5G5B5 texel of full red and blue; the channel values 31, 0, 31; the opaque colour
    // built from those channel values as they are.
    if (c.bDirect3D) return {0xFC1F, RGBTRIPLE{31, 0, 31}, magenta, 0xFF1F001F, 0xFC1F};
    if (c.nBpp == 8) return {0, {}, {}, 0, 0};
    if (c.nBpp == 16) return {0xF81F, {}, magenta, 0, 0};
    return {0x00FF00FF, magenta, {}, 0, 0};
}

bool Same(const RGBTRIPLE& a, const RGBTRIPLE& b)
{
    return a.rgbtRed == b.rgbtRed && a.rgbtGreen == b.rgbtGreen && a.rgbtBlue == b.rgbtBlue;
}

using TransparentColourTest = GraphicsMatrixTest;

TEST_P(TransparentColourTest, TakesTheFirstPixelOfThePaletteBitmapInEveryForm)
{
    const Config& c = GetParam();
    Write(kPalettePath, PaletteBmp());
    ASSERT_TRUE(Open(c));
    ASSERT_TRUE(SetTrans(kPalettePath));
    const TransparentForms e = ExpectedMagenta(c);
    EXPECT_EQ(dwColorKey, e.dwColorKey);
    if (c.bDirect3D) {
        EXPECT_TRUE(Same(lpDTCon->rgbTransmit, e.rgbTransmit));
        EXPECT_EQ(lpDTCon->dwTransmitClear, 0u);
        EXPECT_EQ(lpDTCon->dwTransmitARGB, e.dwTransmitARGB);
        EXPECT_EQ(lpDTCon->wTransmit_16, 0);
        EXPECT_EQ(lpDTCon->wTransmitKey_16, e.wTransmitKey_16);
        if (c.nBpp == 16) {
            EXPECT_TRUE(Same(lpDTCon->rgbPalTransmit, e.rgbPalTransmit));
        }
    } else if (c.nBpp == 32) {
        EXPECT_TRUE(Same(lpDDCon->rgbTransmit, e.rgbTransmit));
    } else if (c.nBpp == 16) {
        EXPECT_TRUE(Same(lpDDCon->rgbPalTransmit, e.rgbPalTransmit));
    }
    EXPECT_FALSE(SetTrans("bmp\\plt\\Missing.bmp"));
}

TEST_P(TransparentColourTest, AFullColourGameGivesItsOwnColourAndPicturesLoseIt)
{
    const Config& c = GetParam();
    Write(kPalettePath, PaletteBmp());
    Write("bmp\\Debug.bmp", Bmp8(8, 8, [](int, int) { return 1u; }));
    Write("sprite.bmp", Bmp24(2, 1, [](int x, int) { return x == 0 ? kGreen : kRed; }));
    GraphicsStartOptions o;
    o.bDirect3D = c.bDirect3D;
    o.hWnd = m_hWnd;
    o.nBpp = c.nBpp;
    o.bWindowMode = c.bWindowMode;
    o.bFullColour = 1;
    o.byTransGreen = 255;
    ASSERT_TRUE(StartGraphics(o));
    if (c.nBpp == 16) {
        // The palette bitmap still gives the key; the 16-bit loaders key out the game's colour.
        const RGBTRIPLE green{0, 255, 0};
        EXPECT_TRUE(Same(c.bDirect3D ? lpDTCon->rgbPalTransmit : lpDDCon->rgbPalTransmit, green));
        EXPECT_EQ(dwColorKey, ExpectedMagenta(c).dwColorKey);
    } else if (c.bDirect3D) {
        EXPECT_EQ(lpDTCon->dwTransmitARGB, 0xFF00FF00u);
        EXPECT_EQ(dwColorKey, 0u);
    } else if (c.nBpp == 32) {
        EXPECT_EQ(dwColorKey, 0x0000FF00u);
    }
    if (c.nBpp == 8) return;  // a full-colour game never runs at 8 bits
    DDSURFACEDATA sd;
    ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "sprite.bmp", 1, c.nBpp, 0, 0, 0, 0, 0, 0, 0), DDSURFACE_OK);
    cLockSD lock(&sd, c.nBpp);
    ASSERT_TRUE(lock.IsLocked());
    const DWORD transparent = c.bDirect3D ? 0u : dwColorKey;
    EXPECT_EQ(lock.Read(0, 0), transparent);
    EXPECT_NE(lock.Read(1, 0), transparent);
}

TEST_P(TransparentColourTest, PaletteNumbersBecomeDeviceColours)
{
    const Config& c = GetParam();
    ASSERT_TRUE(Open(c));
    Palette[5] = PALETTEENTRY{3, 4, 5, 0};
    DWORD expected = 0;
    if (c.bDirect3D) {
        expected = 0xFF030405;
    } else if (c.nBpp == 8) {
        expected = 5;
    } else if (c.nBpp == 16) {
        expected = (3u << 11) | (4u << 5) | 5u;  // entries hold channel values at 16 bits
    } else {
        expected = 0x030405;
    }
    EXPECT_EQ(PalNumToRGB(5), expected);
    // Under Direct3D number 0 is transparent, not the colour of entry 0.
    Palette[0] = PALETTEENTRY{9, 9, 9, 0};
    if (c.bDirect3D) {
        EXPECT_EQ(PalNumToRGB(0), 0u);
    }
    if (c.bDirect3D || c.nBpp == 16) {
        EXPECT_EQ(DDPalToRGB16(Palette[5]), c.bDirect3D ? 0 : static_cast<WORD>((3u << 11) | (4u << 5) | 5u));
    }
    Write("EC_Game.txt", "");  // the trace log of this run was started in another folder
    SetECLog(1, "EC_Game.txt");
    EXPECT_EQ(PalNumToRGB(300), 0u);
    SetECLog(0, "EC_Game.txt");
    EXPECT_NE(m_folder->Read("EC_Game.txt").find("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = 300"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Matrix, TransparentColourTest, ::testing::ValuesIn(kConfigs), ConfigName);

using SetTransmitTest = GraphicsTest;

TEST_F(SetTransmitTest, Direct3DAt16BitsBuildsTheOpaqueColourFromTheChannelValues)
{
    // A key colour of 100, 100, 100: texel channels 12, and 12 again in each byte of the colour.
    auto table = TestPaletteColours();
    table[0] = 0x646464;
    Write(kPalettePath, PaletteBmp(table));
    ASSERT_TRUE(Open(kConfigs[0]));
    ASSERT_TRUE(SetTrans(kPalettePath));
    EXPECT_TRUE(Same(lpDTCon->rgbTransmit, RGBTRIPLE{12, 12, 12}));
    EXPECT_EQ(lpDTCon->dwTransmitARGB, 0xFF0C0C0Cu);
    EXPECT_EQ(lpDTCon->wTransmitKey_16, 0x8000 | (12 << 10) | (12 << 5) | 12);
}

TEST_F(SetTransmitTest, DirectDrawAt16BitsScalesTheGivenColourToTheChannels)
{
    ASSERT_TRUE(Open(kConfigs[4]));
    DDSetTransmit(255, 0, 255);
    EXPECT_EQ(dwColorKey, 0xF81Fu);
    DDSetTransmit(100, 100, 100);  // 100 x 31 / 255 = 12, 100 x 63 / 255 = 24
    EXPECT_EQ(dwColorKey, (12u << 11) | (24u << 5) | 12u);
}

}  // namespace
}  // namespace gfxtest
