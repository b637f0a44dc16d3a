// Character effects drawn pixel by pixel on every back-end configuration: each kind is advanced
// to a chosen frame and drawn onto a canvas, and the canvas is compared with the picture the test
// draws itself from the effect's parameters -- the value start + frames x |end - start| / (run
// time x 6), its truncation, the band size rounded up, the lens radius, the blink phase -- handed
// straight to the graphics engine's blitters. One case draws an enlarged character.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "EffectTestSupport.h"
#include "graphics/BlendBlit.h"
#include "graphics/BlendTable.h"
#include "graphics/BlitEffects.h"
#include "graphics/Blur.h"
#include "graphics/DrawTestSupport.h"
#include "graphics/Fill.h"
#include "graphics/Lens.h"
#include "graphics/Mosaic.h"
#include "graphics/Rotation.h"
#include "objects/chara/cChara.h"
#include "objects/effect/CharaEffectDraw.h"

namespace {

using namespace gfxtest;
using effecttest::UseEffects;

constexpr int L = 40;  // the character's screen rectangle
constexpr int T = 30;
constexpr int kSize = 32;
constexpr int kFrames = 20;  // frames advanced before the drawing
constexpr double kSqrt2 = 1.4142135623730951;

struct KINDCASE {
    int kind;
    std::array<int, 5> p;
};

const KINDCASE kKinds[] = {
    {0, {0, 0, 0, 0, 0}},      {1, {5, 0, 32, 0, 0}},   {2, {5, 0, 32, 3, 0}},     {3, {5, 0, 32, 3, 0}},
    {4, {5, 0, 32, 2, 2}},     {5, {5, 0, 32, 2, 3}},   {6, {10, 3, 0, 0, 0}},     {7, {10, 0, 1440, 0, 0}},
    {8, {10, 0, 1440, 0, 0}},  {9, {10, 0, 256, 0, 0}}, {10, {5, 32, 0, 2, 0}},    {11, {10, 32, 64, 0, 0}},
    {12, {10, 100, 5, 3, -2}}, {13, {10, 1, 4, 5, 0}},  {14, {10, 9999, 0, 0, 0}}, {15, {10, 1, 8, 0, 0}},
    {16, {10, 1, 4, 0, 0}},
};

class CharaEffectDrawTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        OpenWithPalette();
        if (D3D()) LinkSharedSurfaces();
        const int slots[] = {67, 68, 69, 70};
        ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, 4));
        // Two cells of a pattern with transparent holes, and the other facing for the card turn.
        Image cells;
        Image back;
        for (int y = 0; y < kSize; ++y) {
            cells.emplace_back();
            back.emplace_back();
            for (int x = 0; x < 2 * kSize; ++x) {
                cells.back().push_back(".RGBWY"[(x / 4 + y / 3 + x * y % 5) % 6]);
                back.back().push_back(".BY"[(x / 8 + y / 8) % 3]);
            }
        }
        sprite = Picture(cells);
        turnSide = Picture(back);
        graphic.lpPlain = graphic.lpEffect = graphic.lpStretch = sprite;
        graphic.lpTurn = turnSide;
        graphic.sx = kSize;  // the second cell
        graphic.sy = 0;
        graphic.lpStretchWork = &SDTable[68];
        graphic.lpEffectWork = &SDTable[D3D() ? 70 : 68];
    }
    void TearDown() override
    {
        UseEffects({}, {});
        DrawTest::TearDown();
    }

    // A character of size factor k (graphic k x 32 pixels) running entry 1, advanced kFrames.
    void Prepare(cChara& chara, int k)
    {
        chara.screenLeft = L;
        chara.screenTop = T;
        chara.baseGfxWidth = chara.baseGfxHeight = kSize;
        chara.gfxWidth = chara.gfxHeight = k * kSize;
        chara.def.m_nScale = static_cast<std::int8_t>(k);
        chara.charaEffect.Start(1, 0, 0);
        for (int n = 0; n < kFrames; ++n) chara.charaEffect.StepFrame(0);
    }

    DDSURFACEDATA* sprite = nullptr;
    DDSURFACEDATA* turnSide = nullptr;
    CHARAGRAPHIC graphic;
};

// The value after kFrames frames, summed frame by frame as a double.
double ValueAfter(const KINDCASE& c)
{
    if (c.kind == 0) return 0.0;
    double v = c.kind == 6 || c.kind == 14 ? 0.0 : c.p[1];
    const double step = c.kind == 6 || c.kind == 14 ? 1.0 / 6.0 : std::fabs(c.p[2] - c.p[1]) / (c.p[0] * 6.0);
    for (int n = 0; n < kFrames; ++n) v += c.p[2] >= c.p[1] || c.kind == 6 || c.kind == 14 ? step : -step;
    return v;
}

// Shown state of a blink with interval p2 at the drawing after kFrames advances (hidden for the
// first p2 + 1 draws, then p2 draws shown and p2 hidden in turn).
bool BlinkShown(int interval)
{
    const int draw = kFrames + 1;
    return draw >= interval + 2 && ((draw - (interval + 2)) / interval) % 2 == 0;
}

TEST_P(CharaEffectDrawTest, EachKindDrawsItsFormulaAtAChosenFrame)
{
    for (const KINDCASE& c : kKinds) {
        UseEffects({{c.kind, c.p}}, {});
        cChara chara;
        Prepare(chara, 1);
        DDSURFACEDATA* drawn = Canvas(160, 120);
        EXPECT_EQ(DrawCharaEffect(chara, drawn, &graphic, 1, 1), 0) << c.kind;

        DDSURFACEDATA* expected = Canvas(160, 120);
        const double v = ValueAfter(c);
        const int tv = static_cast<int>(v);
        const int sx = graphic.sx;
        const int half = kSize >> 1;
        switch (c.kind) {
        case 0: DDBlt(expected, L, T, kSize, kSize, sprite, sx, 0, 1); break;
        case 1: DDBltBurst(expected, L, T, kSize, kSize, sprite, sx, 0, tv, 1); break;
        case 2:
        case 3: {
            const int band = (kSize + c.p[3] - 1) / c.p[3];  // 32 / 3 rounded up
            DDBltSplit(expected, L, T, kSize, kSize, band, tv, sprite, sx, 0, 1, c.kind == 3);
            break;
        }
        case 4:
        case 5:
            DDBltWave(expected, L, T, kSize, kSize, c.p[3], v, kFrames % 360, c.p[4], sprite, sx, 0, 1, c.kind == 5);
            break;
        case 6:
            if (BlinkShown(c.p[1])) DDBlt(expected, L, T, kSize, kSize, sprite, sx, 0, 1);
            break;
        case 7:
        case 8: DDBltRotate(expected, L + half, T + half, kSize, kSize, half, half, tv, sprite, sx, 0, 1); break;
        case 9: DDBltTurn(expected, L, T, kSize, kSize, sprite, sx, 0, turnSide, sx, 0, kSize, kSize, 1, tv, 0); break;
        case 10: DDBltCircle(expected, L + half, T + half, half, half, tv, c.p[3], sprite, sx + half, half, 1); break;
        case 11: {
            const int g = static_cast<int>(v - 32);
            DDStretchBlt(expected, L - (g >> 1), T - (g >> 1), kSize + g, kSize + g, sprite, sx, 0, kSize, kSize, 1);
            break;
        }
        case 12: {
            const int r = static_cast<int>(kSqrt2 * (std::max(std::abs(c.p[3]), std::abs(c.p[4])) + half));
            DDSURFACEDATA* work = Canvas(4 * r, 4 * r);
            DDFillRectPal(work, 0, 0, 4 * r, 4 * r, 0);
            DDBlt(work, 0, 0, kSize, kSize, sprite, sx, 0, 0);
            DDBltLens(expected, L + half + c.p[3], T + half + c.p[4], r, tv, work, half + c.p[3], half + c.p[4], 1,
                      FALSE);
            break;
        }
        case 13:
            DDBltTint(expected, L, T, kSize, kSize, sprite, sx, 0, 1, PaletteBackup, BlendTable, c.p[3], tv);
            break;
        case 14: DDBltHalf(expected, L, T, kSize, kSize, sprite, sx, 0, 1, BlendTable); break;
        case 15: DDMosaic(expected, L, T, kSize, kSize, tv, sprite, sx, 0, 1); break;
        case 16:
            if (C().nBpp == 8) {
                DDBltTint(expected, L, T, kSize, kSize, sprite, sx, 0, 1, PaletteBackup, BlendTable, 31, tv);
            } else {
                DDBlur(expected, L, T, kSize, kSize, tv, tv, sprite, sx, 0, 1);
            }
            break;
        default: break;
        }
        EXPECT_EQ(Pixels(drawn), Pixels(expected)) << "kind " << c.kind;
    }
}

TEST_P(CharaEffectDrawTest, EnlargedCharacterBurstsByTheSizeFactor)
{
    UseEffects({{1, {5, 0, 32, 0, 0}}}, {});
    cChara chara;
    Prepare(chara, 2);
    DDSURFACEDATA* drawn = Canvas(160, 140);
    DrawCharaEffect(chara, drawn, &graphic, 1, 1);

    // The cell stretched to 64 x 64, then burst by trunc(2 x value).
    DDSURFACEDATA* work = Canvas(64, 64);
    DDStretchBlt(work, 0, 0, 64, 64, sprite, graphic.sx, 0, kSize, kSize, 0);
    DDSURFACEDATA* expected = Canvas(160, 140);
    const double v = ValueAfter({1, {5, 0, 32, 0, 0}});
    DDBltBurst(expected, L, T, 64, 64, work, 0, 0, static_cast<int>(2 * v), 1);
    EXPECT_EQ(Pixels(drawn), Pixels(expected));
}

TEST_P(CharaEffectDrawTest, EnlargedCharacterLensTruncatesTheDistanceBeforeScaling)
{
    // 10 -> 2 in one tenth: 8.67 after one frame; the distance is trunc(8.67) x 2 = 16, not 17.
    UseEffects({{12, {1, 10, 2, 3, -2}}}, {});
    cChara chara;
    Prepare(chara, 2);
    chara.charaEffect.Start(1, 0, 0);
    chara.charaEffect.StepFrame(0);
    const double v = chara.charaEffect.dValue;
    ASSERT_NE(static_cast<int>(v) * 2, static_cast<int>(2 * v));
    DDSURFACEDATA* drawn = Canvas(200, 180);
    DrawCharaEffect(chara, drawn, &graphic, 1, 1);

    const int c = 3 * 2;
    const int d = -2 * 2;
    const int half = kSize;  // half of the 64-pixel graphic
    const int r = static_cast<int>(kSqrt2 * (std::max(std::abs(c), std::abs(d)) + half));
    DDSURFACEDATA* work = Canvas(4 * r, 4 * r);
    DDFillRectPal(work, 0, 0, 4 * r, 4 * r, 0);
    DDStretchBlt(work, 0, 0, 2 * kSize, 2 * kSize, sprite, graphic.sx, 0, kSize, kSize, 0);
    DDSURFACEDATA* expected = Canvas(200, 180);
    DDBltLens(expected, L + half + c, T + half + d, r, static_cast<int>(v) * 2, work, half + c, half + d, 1, FALSE);
    EXPECT_EQ(Pixels(drawn), Pixels(expected));
}

TEST_P(CharaEffectDrawTest, EndedEffectIsClearedAndUnknownKindsDrawPlainly)
{
    UseEffects({{1, {1, 0, 6, 0, 0}}, {77, {5, 0, 32, 0, 0}}}, {});
    cChara chara;
    Prepare(chara, 1);
    chara.charaEffect.Start(1, 0, 0);
    // 0 -> 6 in one tenth: one pixel a frame, past 6 on the 7th drawing.
    DDSURFACEDATA* scratch = Canvas(8, 8);
    int draws = 0;
    int ended = 0;
    while (!ended && draws < 20) {
        ended = DrawCharaEffect(chara, scratch, &graphic, 0, 1);
        ++draws;
    }
    EXPECT_EQ(draws, 7);
    EXPECT_EQ(chara.charaEffect.nNumber, 0);

    chara.charaEffect.Start(2, 0, 0);
    DDSURFACEDATA* drawn = Canvas(160, 120);
    EXPECT_EQ(DrawCharaEffect(chara, drawn, &graphic, 0, 1), 0);
    DDSURFACEDATA* expected = Canvas(160, 120);
    DDBlt(expected, L, T, kSize, kSize, sprite, graphic.sx, 0, 1);
    EXPECT_EQ(Pixels(drawn), Pixels(expected));
    EXPECT_EQ(chara.charaEffect.dValue, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Matrix, CharaEffectDrawTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
