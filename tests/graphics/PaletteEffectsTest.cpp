// Palette mixing and rotation, and the true-colour palette fade of DirectDraw.
#include "graphics/PaletteEffects.h"

#include <array>

#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

using Pal = std::array<PALETTEENTRY, 256>;

Pal Numbered()
{
    Pal pal{};
    for (int i = 0; i < 256; ++i)
        pal[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), static_cast<BYTE>(i & 7)};
    return pal;
}

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue && a.peFlags == b.peFlags;
}

class PaletteOpsTest : public ::testing::Test {
protected:
    void SetUp() override { m_savedBpp = nScreenBpp, nScreenBpp = 8; }
    void TearDown() override { nScreenBpp = m_savedBpp; }
    int m_savedBpp = 0;
};

TEST_F(PaletteOpsTest, FadePaletteMixesTheRangeTowardTheColour)
{
    const Pal src = Numbered();
    Pal dst{};
    DDFadePalette(dst.data(), 10, 12, 128, 0, 0, 0, src.data());
    for (int i = 10; i <= 12; ++i) {
        EXPECT_EQ(dst[i].peRed, src[i].peRed / 2) << i;
        EXPECT_EQ(dst[i].peGreen, src[i].peGreen / 2) << i;
        EXPECT_EQ(dst[i].peBlue, src[i].peBlue / 2) << i;
        EXPECT_EQ(dst[i].peFlags, 1) << i;
    }
    EXPECT_TRUE(Same(dst[9], PALETTEENTRY{}));
    EXPECT_TRUE(Same(dst[13], PALETTEENTRY{}));
    // Level 0 gives the colour; 64 mixes a quarter of the source: (200 x 64 + 100 x 192) >> 8 = 125.
    DDFadePalette(dst.data(), 200, 200, 0, 7, 8, 9, src.data());
    EXPECT_TRUE(Same(dst[200], PALETTEENTRY{7, 8, 9, 1}));
    DDFadePalette(dst.data(), 200, 200, 64, 100, 100, 100, src.data());
    EXPECT_EQ(dst[200].peRed, 125);
}

TEST_F(PaletteOpsTest, FadePaletteClampsLevelAndRange)
{
    const Pal src = Numbered();
    Pal dst{};
    DDFadePalette(dst.data(), -5, 400, 1000, 0, 0, 0, src.data());
    for (int i = 0; i < 256; ++i) EXPECT_EQ(dst[i].peRed, src[i].peRed) << i;
    DDFadePalette(dst.data(), 0, 255, -40, 9, 9, 9, src.data());
    EXPECT_TRUE(Same(dst[77], PALETTEENTRY{9, 9, 9, 1}));
}

TEST_F(PaletteOpsTest, RotatePaletteMovesTheRange)
{
    const Pal src = Numbered();
    struct Case {
        int nCount, nDirection;
        std::array<int, 4> order;  // source entries now at 208..211
    };
    const Case cases[] = {
        {1, 1, {209, 210, 211, 208}},  {1, 0, {211, 208, 209, 210}}, {0, 1, {208, 209, 210, 211}},
        {4, 0, {208, 209, 210, 211}},  {2, 7, {208, 209, 210, 211}}, {5, 0, {211, 208, 209, 210}},
        {-1, 1, {208, 209, 210, 211}},
    };
    for (const Case& c : cases) {
        Pal dst{};
        DDRotatePalette(dst.data(), 208, 211, c.nCount, c.nDirection, src.data());
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(Same(dst[208 + k], src[c.order[k]])) << c.nCount << "/" << c.nDirection;
        EXPECT_TRUE(Same(dst[0], src[0]));
        EXPECT_TRUE(Same(dst[212], src[212]));
    }
}

TEST_F(PaletteOpsTest, RotatePaletteInPlaceByPaletteVariant)
{
    const Pal src = Numbered();
    Pal pal = src;
    // Variant 2: entries 16..207 moved by 32 toward higher indices.
    DDRotatePalette(pal.data(), 16, 207, 32, 0, pal.data());
    EXPECT_TRUE(Same(pal[48], src[16]));
    EXPECT_TRUE(Same(pal[16], src[176]));
    EXPECT_TRUE(Same(pal[208], src[208]));
    // A variant above 12 asks for more than the range holds: the count wraps (13 acts as 1).
    Pal dst{};
    DDRotatePalette(dst.data(), 16, 207, 16 * 13, 0, src.data());
    EXPECT_TRUE(Same(dst[32], src[16]));
    EXPECT_TRUE(Same(dst[208], src[208]));
}

TEST_F(PaletteOpsTest, RotatePaletteDoesNothingAtOtherDepths)
{
    nScreenBpp = 24;
    const Pal src = Numbered();
    Pal dst{};
    DDRotatePalette(dst.data(), 208, 211, 1, 1, src.data());
    for (const PALETTEENTRY& e : dst) EXPECT_TRUE(Same(e, PALETTEENTRY{}));
}

class FadeUnPalTest : public DrawTest {};

TEST_P(FadeUnPalTest, MixesTheSourceWithTheColour)
{
    OpenWithPalette();
    DDSURFACEDATA* src = Picture({"RWG"});
    DDSURFACEDATA* dst = Canvas(3, 1);
    const RawImage before = Pixels(dst);
    ASSERT_EQ(DDFade_UnPal(dst, 64, 0, 0, 255, src), 1);
    if (D3D() || C().nBpp == 8) {
        EXPECT_EQ(Pixels(dst), before);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t c = ColourOf("RWG"[i]);
        const DWORD r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        DWORD want;
        if (C().nBpp == 16) {
            auto mix = [](DWORD v, DWORD k, DWORD max) { return max * ((k * 192 + 64 * (v * 255 / max)) >> 8) / 255; };
            want = mix(r >> 3, 0, 31) << 11 | mix(g >> 2, 0, 63) << 5 | mix(b >> 3, 255, 31);
        } else {
            want = ((r * 64) >> 8) << 16 | ((g * 64) >> 8) << 8 | ((255 * 192 + b * 64) >> 8);
        }
        EXPECT_EQ(Pixel(dst, i, 0), want) << i;
    }
}

TEST_P(FadeUnPalTest, StaysInsideASmallerSource)
{
    OpenWithPalette();
    DDSURFACEDATA* src = Picture({"W"});
    DDSURFACEDATA* dst = Canvas(2, 2);
    ASSERT_EQ(DDFade_UnPal(dst, 256, 0, 0, 0, src), 1);
    if (D3D() || C().nBpp == 8) return;
    EXPECT_EQ(Pixel(dst, 0, 0), Raw('W'));
    EXPECT_EQ(Pixel(dst, 1, 0), Raw('C'));
    EXPECT_EQ(Pixel(dst, 0, 1), Raw('C'));
}

INSTANTIATE_TEST_SUITE_P(Matrix, FadeUnPalTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
