// Tint and translucency over the six configurations: exact pixels on a 4 x 1 picture against the
// mixing rules of each path (Direct3D quad, Direct3D locked, DirectDraw 8/16/32).
#include "graphics/BlendBlit.h"

#include <climits>

#include "DrawTestSupport.h"
#include "graphics/BlendTable.h"
#include "platform/d3d9/D3D9PixelFormat.h"

namespace gfxtest {
namespace {

struct Rgb {
    DWORD r, g, b;
};

Rgb RgbOf(char letter)
{
    const std::uint32_t c = ColourOf(letter);
    return {(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF};
}

// A blend table whose mixtures are easy to follow: a over b gives (a * 7 + b) & 255.
BYTE TestMix(DWORD a, DWORD b)
{
    return static_cast<BYTE>((a * 7 + b) & 0xFF);
}

class BlendBlitTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                BlendTable[a * 256 + b] = TestMix(static_cast<DWORD>(a), static_cast<DWORD>(b));
    }

    // The tint palette as each path reads it: bytes, or channel values under DirectDraw at 16 bits.
    std::vector<PALETTEENTRY> TintPalette(char letter) const
    {
        std::vector<PALETTEENTRY> pal(256);
        const Rgb c = RgbOf(letter);
        const bool bChannels = !D3D() && C().nBpp == 16;
        pal[IndexOf(letter)] = {static_cast<BYTE>(bChannels ? c.r >> 3 : c.r),
                                static_cast<BYTE>(bChannels ? c.g >> 2 : c.g),
                                static_cast<BYTE>(bChannels ? c.b >> 3 : c.b), 0};
        return pal;
    }

    // 16-bit Direct3D texel from 8-bit channels (truncated, alpha set).
    static DWORD Texel16(DWORD r, DWORD g, DWORD b) { return 0x8000u | (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); }

    // The expected tinted pixel of source letter s toward letter t.
    DWORD ExpectTint(char s, char t, int nLevel, bool bLocked) const
    {
        const Rgb src = RgbOf(s), tint = RgbOf(t);
        if (!D3D() && C().nBpp == 8) {
            DWORD p = IndexOf(s);
            for (int k = 0; k < nLevel; ++k) p = TestMix(p, IndexOf(t));
            return p;
        }
        if (!D3D() && C().nBpp == 16) {
            auto mix = [&](DWORD v, DWORD tv, DWORD max) {
                DWORD a = v * 255 / max;
                const DWORD b = tv * 255 / max;
                for (int k = 0; k < nLevel; ++k) a = (a + b) >> 1;
                return a * max / 255;
            };
            return mix(src.r >> 3, tint.r >> 3, 31) << 11 | mix(src.g >> 2, tint.g >> 2, 63) << 5 |
                   mix(src.b >> 3, tint.b >> 3, 31);
        }
        if (!D3D()) {
            auto mix = [&](DWORD v, DWORD tv) {
                for (int k = 0; k < nLevel; ++k) v = (v + tv) >> 1;
                return v;
            };
            return mix(src.r, tint.r) << 16 | mix(src.g, tint.g) << 8 | mix(src.b, tint.b);
        }
        const bool b16 = C().nBpp == 16;
        if (!bLocked) {
            static const DWORD kAlpha[] = {0, 128, 80, 48, 16, 0};
            const DWORD a = kAlpha[nLevel];
            auto mix = [&](DWORD v, DWORD tv) {
                const DWORD s8 = b16 ? Expand5(v >> 3) : v;
                return (s8 * a + tv * (255 - a) + 127) / 255;
            };
            const DWORD r = mix(src.r, tint.r), g = mix(src.g, tint.g), b = mix(src.b, tint.b);
            return b16 ? Texel16(r, g, b) : 0xFF000000u | r << 16 | g << 8 | b;
        }
        static const int kShare[] = {0, 128, 64, 32, 16, 0};
        const float wt = static_cast<float>(kShare[nLevel]) / 255.0f;
        const DWORD max = b16 ? 31 : 255;
        auto mix = [&](DWORD v, DWORD tv) {
            const DWORD sv = b16 ? v >> 3 : v, t = tv * max / 255;
            if (nLevel == 1) return (sv + t) >> 1;
            return static_cast<DWORD>(static_cast<float>(sv) * wt + (1.0f - wt) * static_cast<float>(t));
        };
        const DWORD r = mix(src.r, tint.r), g = mix(src.g, tint.g), b = mix(src.b, tint.b);
        return b16 ? 0x8000u | r << 10 | g << 5 | b : 0xFF000000u | r << 16 | g << 8 | b;
    }

    // The expected half-and-half mixture of source letter s over destination letter d.
    DWORD ExpectHalf(char s, char d, bool bLocked, int nLevel = 128) const
    {
        const Rgb src = RgbOf(s), dst = RgbOf(d);
        if (!D3D() && C().nBpp == 8) return IndexOf(d) == 0 ? IndexOf(s) : TestMix(IndexOf(d), IndexOf(s));
        if (!D3D() && C().nBpp == 16) {
            auto mix = [](DWORD a, DWORD b, DWORD max) { return ((a * 255 / max + b * 255 / max) >> 1) * max / 255; };
            return mix(src.r >> 3, dst.r >> 3, 31) << 11 | mix(src.g >> 2, dst.g >> 2, 63) << 5 |
                   mix(src.b >> 3, dst.b >> 3, 31);
        }
        if (!D3D()) return ((src.r + dst.r) >> 1) << 16 | ((src.g + dst.g) >> 1) << 8 | ((src.b + dst.b) >> 1);
        const bool b16 = C().nBpp == 16;
        if (!bLocked) {
            const DWORD a = 255 - static_cast<DWORD>(nLevel);
            auto mix = [&](DWORD sv, DWORD dv) {
                const DWORD s8 = b16 ? Expand5(sv >> 3) : sv, d8 = b16 ? Expand5(dv >> 3) : dv;
                return (s8 * a + d8 * (255 - a) + 127) / 255;
            };
            const DWORD r = mix(src.r, dst.r), g = mix(src.g, dst.g), b = mix(src.b, dst.b);
            const DWORD alpha = (a * a + 255 * (255 - a) + 127) / 255;
            return b16 ? Texel16(r, g, b) : alpha << 24 | r << 16 | g << 8 | b;
        }
        if (b16)
            return 0x8000u | (((src.r >> 3) + (dst.r >> 3)) >> 1) << 10 | (((src.g >> 3) + (dst.g >> 3)) >> 1) << 5 |
                   (((src.b >> 3) + (dst.b >> 3)) >> 1);
        return 0xFF000000u | ((src.r + dst.r) >> 1) << 16 | ((src.g + dst.g) >> 1) << 8 | ((src.b + dst.b) >> 1);
    }
};

// Under Direct3D a system-memory target takes the locked path; elsewhere it is the same surface.
struct PathCase {
    const char* name;
    bool bLocked;
};
const PathCase kPaths[] = {{"quad", false}, {"locked", true}};

TEST_P(BlendBlitTest, TintMixesEachLevelAndSkipsTransparentPixels)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW.G"});
    for (const PathCase& path : kPaths) {
        for (int nLevel = 1; nLevel <= 5; ++nLevel) {
            SCOPED_TRACE(std::string(path.name) + " level " + std::to_string(nLevel));
            DDSURFACEDATA* canvas = Canvas(4, 1, 'C', 1, path.bLocked ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT);
            const std::vector<PALETTEENTRY> pal = TintPalette('B');
            ASSERT_TRUE(DDBltTint(canvas, 0, 0, 4, 1, pic, 0, 0, 1, pal.data(), BlendTable, 3 + 256, nLevel));
            const RawImage got = Pixels(canvas);
            const bool bLocked = path.bLocked || !D3D();
            EXPECT_EQ(got[0][0], ExpectTint('R', 'B', nLevel, bLocked) & RawMask());
            EXPECT_EQ(got[0][1], ExpectTint('W', 'B', nLevel, bLocked) & RawMask());
            EXPECT_EQ(got[0][2], Raw('C'));
            EXPECT_EQ(got[0][3], ExpectTint('G', 'B', nLevel, bLocked) & RawMask());
        }
    }
}

TEST_P(BlendBlitTest, TintLevelZeroDrawsNothing)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW"});
    DDSURFACEDATA* canvas = Canvas(2, 1);
    const RawImage before = Pixels(canvas);
    EXPECT_TRUE(DDBltTint(canvas, 0, 0, 2, 1, pic, 0, 0, 1, PaletteBackup, BlendTable, 3, 0));
    EXPECT_EQ(Pixels(canvas), before);
}

// Below zero DirectDraw mixes no times (the picture as it is, through each path's arithmetic);
// Direct3D never uses the quad and draws the pure tint colour over the opaque pixels.
TEST_P(BlendBlitTest, TintLevelBelowZeroDrawsUntintedOrThePureTint)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW.G"});
    for (const PathCase& path : kPaths) {
        for (int nLevel : {-1, -3, INT_MIN}) {
            SCOPED_TRACE(std::string(path.name) + " level " + std::to_string(nLevel));
            DDSURFACEDATA* canvas = Canvas(4, 1, 'C', 1, path.bLocked ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT);
            const std::vector<PALETTEENTRY> pal = TintPalette('B');
            ASSERT_TRUE(DDBltTint(canvas, 0, 0, 4, 1, pic, 0, 0, 1, pal.data(), BlendTable, 3 + 256, nLevel));
            const RawImage got = Pixels(canvas);
            // Level 5 of the locked Direct3D path is the pure tint; level 0 of DirectDraw no mixing.
            const int nSame = D3D() ? 5 : 0;
            EXPECT_EQ(got[0][0], ExpectTint('R', 'B', nSame, true) & RawMask());
            EXPECT_EQ(got[0][1], ExpectTint('W', 'B', nSame, true) & RawMask());
            EXPECT_EQ(got[0][2], Raw('C'));
            EXPECT_EQ(got[0][3], ExpectTint('G', 'B', nSame, true) & RawMask());
        }
    }
}

TEST_P(BlendBlitTest, HalfMixesSourceAndDestination)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW.G"});
    for (const PathCase& path : kPaths) {
        SCOPED_TRACE(path.name);
        DDSURFACEDATA* canvas = Canvas(4, 1, 'C', 1, path.bLocked ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT);
        ASSERT_TRUE(DDBltHalf(canvas, 0, 0, 4, 1, pic, 0, 0, 1, BlendTable));
        const RawImage got = Pixels(canvas);
        const bool bLocked = path.bLocked || !D3D();
        EXPECT_EQ(got[0][0], ExpectHalf('R', 'C', bLocked) & RawMask());
        EXPECT_EQ(got[0][1], ExpectHalf('W', 'C', bLocked) & RawMask());
        EXPECT_EQ(got[0][2], Raw('C'));
        EXPECT_EQ(got[0][3], ExpectHalf('G', 'C', bLocked) & RawMask());
    }
}

TEST_P(BlendBlitTest, AlphaLevelIsHonouredOnlyByTheQuad)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW"});
    for (int nLevel : {0, 64, 300}) {
        SCOPED_TRACE(nLevel);
        DDSURFACEDATA* canvas = Canvas(2, 1);
        ASSERT_TRUE(DDBltAlpha(canvas, 0, 0, 2, 1, pic, 0, 0, 1, BlendTable, nLevel));
        // Out-of-range levels are clamped to the invisible end.
        const int level = std::min(nLevel, 255);
        EXPECT_EQ(Pixel(canvas, 0, 0), ExpectHalf('R', 'C', !D3D(), level) & RawMask());
        EXPECT_EQ(Pixel(canvas, 1, 0), ExpectHalf('W', 'C', !D3D(), level) & RawMask());
    }
}

TEST_P(BlendBlitTest, LockedPathsStayInsideBothPictures)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW"});
    DDSURFACEDATA* canvas = Canvas(3, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    // A huge rectangle from game data: only the pixels inside both pictures change.
    ASSERT_TRUE(DDBltHalf(canvas, -1, 1, INT_MAX, INT_MAX, pic, 0, 0, 1, BlendTable));
    const RawImage got = Pixels(canvas);
    const DWORD c = Raw('C');
    EXPECT_EQ(got[0], (std::vector<DWORD>{c, c, c}));
    EXPECT_EQ(got[1][0], ExpectHalf('W', 'C', true) & RawMask());
    EXPECT_EQ(got[1][1], c);
    EXPECT_EQ(got[1][2], c);
}

INSTANTIATE_TEST_SUITE_P(Matrix, BlendBlitTest, ::testing::ValuesIn(kConfigs), ConfigName);

// DirectDraw at 8 bits: the table decides every mixture.
class BlendBlit8Test : public BlendBlitTest {};

TEST_P(BlendBlit8Test, TintAppliesTheTableOncePerLevel)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"R"});
    DDSURFACEDATA* canvas = Canvas(1, 1);
    ASSERT_TRUE(DDBltTint(canvas, 0, 0, 1, 1, pic, 0, 0, 1, PaletteBackup, BlendTable, 9, 2));
    EXPECT_EQ(Pixel(canvas, 0, 0), DWORD{TestMix(TestMix(1, 9), 9)});
    // A level far beyond the four the game uses still ends, with the table applied that often.
    DWORD p = 1;
    for (int k = 0; k < 1000003; ++k) p = TestMix(p, 9);
    ASSERT_TRUE(DDBltTint(canvas, 0, 0, 1, 1, pic, 0, 0, 1, PaletteBackup, BlendTable, 9, 1000003));
    EXPECT_EQ(Pixel(canvas, 0, 0), p);
}

TEST_P(BlendBlit8Test, AlphaCopiesOntoIndexZeroAndMixesIndexZeroWithoutKey)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"R."});
    DDSURFACEDATA* onZero = Canvas(2, 1, '.');
    ASSERT_TRUE(DDBltHalf(onZero, 0, 0, 2, 1, pic, 0, 0, 1, BlendTable));
    EXPECT_EQ(Pixels(onZero), (RawImage{{1, 0}}));
    DDSURFACEDATA* canvas = Canvas(2, 1, 'C');
    ASSERT_TRUE(DDBltHalf(canvas, 0, 0, 2, 1, pic, 0, 0, 0, BlendTable));
    EXPECT_EQ(Pixels(canvas), (RawImage{{TestMix(6, 1), TestMix(6, 0)}}));
}

INSTANTIATE_TEST_SUITE_P(DirectDraw8, BlendBlit8Test, ::testing::Values(kConfigs[3]), ConfigName);

// Direct3D in full screen at 16 bits: the back buffer is R5G6B5.
class BlendBlitBackBufferTest : public BlendBlitTest {};

TEST_P(BlendBlitBackBufferTest, LockedHalfDoublesTheSourceGreen)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RW"}, 1, DTMEMORYTYPE_SYSTEM);
    Paint(&BackBuffer, 'C');
    ASSERT_TRUE(DDBltHalf(&BackBuffer, 0, 0, 2, 1, pic, 0, 0, 1, BlendTable));
    const Rgb d = RgbOf('C');
    for (int i = 0; i < 2; ++i) {
        const Rgb s = RgbOf("RW"[i]);
        const DWORD want = (((s.r >> 3) + (d.r >> 3)) >> 1) << 11 | (((d.g >> 2) + 2 * (s.g >> 3)) >> 1) << 5 |
                           (((s.b >> 3) + (d.b >> 3)) >> 1);
        EXPECT_EQ(Pixel(&BackBuffer, i, 0), want) << i;
    }
}

TEST_P(BlendBlitBackBufferTest, LockedTintLevelOneWritesTheGreenSum)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"W"}, 1, DTMEMORYTYPE_SYSTEM);
    const std::vector<PALETTEENTRY> pal = TintPalette('B');
    ASSERT_TRUE(DDBltTint(&BackBuffer, 0, 0, 1, 1, pic, 0, 0, 1, pal.data(), BlendTable, 3, 1));
    // White (31, 31, 31) toward blue (0, 0, 31): red 15, green 31 + 0 as six bits, blue 31.
    EXPECT_EQ(Pixel(&BackBuffer, 0, 0), DWORD{15u << 11 | 31u << 5 | 31u});
}

INSTANTIATE_TEST_SUITE_P(FullScreen16, BlendBlitBackBufferTest, ::testing::Values(kConfigs[1]), ConfigName);

class ChangeColorTest : public DrawTest {};

TEST_P(ChangeColorTest, DirectDrawDrawsNothingAndReturnsOne)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(2, 1);
    const RawImage before = Pixels(canvas);
    EXPECT_EQ(DDChangeColor(canvas, 0, 0, 2, 1, 100, 255, 0, 0), 1);
    EXPECT_EQ(Pixels(canvas), before);
}

INSTANTIATE_TEST_SUITE_P(DirectDraw, ChangeColorTest, ::testing::Values(kConfigs[3], kConfigs[4], kConfigs[5]),
                         ConfigName);

// The stage's colour veil on the back buffer, which has no texture: the quad samples opaque white,
// so it lays its own colour over the whole picture with alpha 255 - nAlpha, whatever rectangle is
// given.
class ChangeColorBackBufferTest : public DrawTest {};

TEST_P(ChangeColorBackBufferTest, VeilsTheWholeBackBufferWithItsColour)
{
    OpenWithPalette();
    struct Case {
        int nAlpha;
        BYTE r, g, b;
    };
    const Case cases[] = {{0, 255, 0, 0}, {128, 0, 255, 64}, {200, 40, 80, 250}, {255, 255, 255, 255}};
    const std::uint32_t d = ColourOf('C');
    for (const Case& t : cases) {
        Paint(&BackBuffer, 'C');
        const DWORD kept = Pixel(&BackBuffer, 0, 0) & 0xFF000000u;
        EXPECT_EQ(DDChangeColor(&BackBuffer, 5, 5, 2, 1, t.nAlpha, t.r, t.g, t.b), 1);
        const DWORD a = 255 - static_cast<DWORD>(t.nAlpha);
        auto mix = [&](DWORD c, int shift) { return (c * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255 << shift; };
        const DWORD want = kept | mix(t.r, 16) | mix(t.g, 8) | mix(t.b, 0);
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), want) << t.nAlpha;
        EXPECT_EQ(Pixel(&BackBuffer, BackBuffer.nWidth - 1, BackBuffer.nHeight - 1), want) << t.nAlpha;
    }
}

INSTANTIATE_TEST_SUITE_P(Direct3D32, ChangeColorBackBufferTest, ::testing::Values(kConfigs[2]), ConfigName);

}  // namespace
}  // namespace gfxtest
