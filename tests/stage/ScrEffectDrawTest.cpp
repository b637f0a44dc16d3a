// Screen effects drawn on every back-end configuration: a composed frame in the back buffer is
// transformed by each kind's handler after a chosen number of frames, and compared pixel by pixel
// with the same frame transformed by the test itself from the effect's parameters (the value
// start + frames x |end - start| / (run time x 6), the moving offset, the shake's swing, the
// bands rounded up, the extents measured from the player's graphic centre, the zoom window).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "graphics/BlendState.h"
#include "graphics/Blit.h"
#include "graphics/BlitEffects.h"
#include "graphics/DrawTestSupport.h"
#include "graphics/Fill.h"
#include "graphics/Lens.h"
#include "graphics/Mosaic.h"
#include "graphics/Rotation.h"
#include "objects/StageObjects.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "stage/draw/ScrEffectDraw.h"

namespace {

using namespace gfxtest;

constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kFrames = 4;
constexpr int kPlayerLeft = 100;  // the player's graphic: 32 x 32 at (100, 300), centre (116, 316)
constexpr int kPlayerTop = 300;
constexpr double kSqrt2 = 1.4142135623730951;

class EffectField : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

struct SCRCASE {
    const char* name;
    int kind;
    std::array<int, 5> p;
};

const SCRCASE kCases[] = {
    {"move", 1, {10, 0, 0, 640, 0}},        {"shake x", 2, {10, 4, 4, 0, 0}},
    {"shake y", 3, {10, 4, 4, 0, 0}},       {"split x, 7 bands", 4, {10, 0, 640, 7, 0}},
    {"split y", 5, {10, 0, 480, 20, 0}},    {"wave x", 6, {10, 0, 640, 4, 8}},
    {"wave y", 7, {10, 0, 480, 4, 10}},     {"blink", 8, {10, 10, 0, 0, 0}},
    {"rotate", 9, {10, 0, 1440, 0, 0}},     {"circle", 10, {10, 640, 0, 8, 0}},
    {"zoom in", 11, {10, 640, 1280, 0, 0}}, {"zoom out", 11, {10, 640, 320, 0, 0}},
    {"lens", 12, {10, 1500, 5, 30, -20}},   {"mosaic", 13, {10, 1, 60, 0, 0}},
};

class ScrEffectDrawTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        OpenWithPalette();
        if (D3D()) LinkSharedSurfaces();
        const int slots[] = {67, 68, 69, 70};
        ASSERT_TRUE(DDLoadSurfaces(SDTable, slots, 4));
        Image rows;
        for (int y = 0; y < kH; ++y) {
            rows.emplace_back();
            for (int x = 0; x < kW; ++x) rows.back().push_back("RGBWYC"[(x / 16 + y / 12 + (x * 7 + y) % 3) % 6]);
        }
        frame = Picture(rows, 0);
        work = Canvas(kW, kH);
        ResetStageObjects();
        Player[P1].screenLeft = kPlayerLeft;
        Player[P1].screenTop = kPlayerTop;
        Player[P1].gfxWidth = Player[P1].gfxHeight = 32;
    }
    void TearDown() override
    {
        ResetStageObjects();
        Database.SetDefault();
        BuildDerivedTables();
        DrawTest::TearDown();
    }
    // The composed frame. Under Direct3D the stage drawing redirects a frame with a screen effect
    // into the virtual back buffer, which the effects can read.
    void Compose()
    {
        if (D3D()) DDSetVirBackBuffer(TRUE);
        DDBlt(&BackBuffer, 0, 0, kW, kH, frame, 0, 0, 0);
    }
    // The test's own frame: copied into its work surface, the back buffer filled (unless not).
    void Begin(bool bFill)
    {
        Compose();
        DDBlt(work, 0, 0, kW, kH, &BackBuffer, 0, 0, 0);
        if (bFill) DDFillSurfacePal(&BackBuffer, 16);
        DDSetAlphaOp(1);
    }

    DDSURFACEDATA* frame = nullptr;
    DDSURFACEDATA* work = nullptr;
    EffectField field;
};

// The pictures on one configuration of each kind of back buffer (the pixel formats of
// the others are the blitters' own concern): Direct3D 32, DirectDraw 8 and 32.
class ScrEffectKindsTest : public ScrEffectDrawTest {};
const Config kKindConfigs[] = {kConfigs[2], kConfigs[3], kConfigs[5]};

// The value after n frames, summed as a double: p2 toward p3 by |p3 - p2| / (p1 x 6), or tenths
// counted by 1/6 for the move, shake and blink kinds.
double ValueAfter(const SCRCASE& c, int n)
{
    const bool timed = c.kind == 1 || c.kind == 2 || c.kind == 3 || c.kind == 8;
    double v = timed ? 0.0 : c.p[1];
    const double step = timed ? 1.0 / 6.0 : std::fabs(c.p[2] - c.p[1]) / (c.p[0] * 6.0);
    for (int i = 0; i < n; ++i) v += timed || c.p[2] >= c.p[1] ? step : -step;
    return v;
}

// The shake's offset after n frames: +-p3 x p2 x 4 / (p1 x 6) a frame, turning at +-p2.
double ShakeAfter(const SCRCASE& c, int n)
{
    const double amp = c.p[1];
    const double d = c.p[2] * amp * 4 / (c.p[0] * 6.0);
    double o = 0.0;
    int dir = 0;
    for (int i = 0; i < n; ++i) {
        if (dir == 0) {
            o += d;
            if (o >= amp) {
                o = amp;
                dir = 1;
            }
        } else {
            o -= d;
            if (o <= -amp) {
                o = -amp;
                dir = 0;
            }
        }
    }
    return o;
}

// "" when the pictures are equal, else the number of differing pixels and the first one.
std::string Differences(const RawImage& a, const RawImage& b)
{
    if (a.size() != b.size()) return "sizes differ";
    int count = 0;
    std::string first;
    for (size_t y = 0; y < a.size(); ++y) {
        for (size_t x = 0; x < a[y].size() && x < b[y].size(); ++x) {
            if (a[y][x] == b[y][x]) continue;
            if (count++ == 0) {
                first = " first at (" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(a[y][x]) +
                        " drawn, " + std::to_string(b[y][x]) + " expected";
            }
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
}

int FarX(int cx)
{
    return cx < 320 ? kW - cx : cx;
}
int FarY(int cy)
{
    return cy < 240 ? kH - cy : cy;
}

TEST_P(ScrEffectKindsTest, EachKindTransformsTheFrameByItsFormula)
{
    for (const SCRCASE& c : kCases) {
        Database.SetDefault();
        Database.ScrEffect.resize(2);
        Database.ScrEffect[0].nKind = 0;
        Database.ScrEffect[1].nKind = c.kind;
        for (int i = 0; i < 5; ++i) Database.ScrEffect[1].nParam[i] = c.p[static_cast<size_t>(i)];
        BuildDerivedTables();
        field.m_ScrEffect.Start(1, 0, 0);
        for (int n = 0; n < kFrames; ++n) {
            Compose();
            ASSERT_EQ(DrawScrEffect(field, 0), 0) << c.name;
        }
        Compose();
        DrawScrEffect(field, 1);
        const RawImage drawn = Pixels(&BackBuffer);

        const double v = ValueAfter(c, kFrames);
        const int tv = static_cast<int>(v);
        const int cx = kPlayerLeft + 16;
        const int cy = kPlayerTop + 16;
        switch (c.kind) {
        case 1: {
            const double before = ValueAfter(c, kFrames - 1);  // the offset drawn was computed a frame ago
            const int a = static_cast<int>((c.p[3] - c.p[1]) / static_cast<double>(c.p[0]) * before + c.p[1]);
            const int b = static_cast<int>((c.p[4] - c.p[2]) / static_cast<double>(c.p[0]) * before + c.p[2]);
            Begin(true);
            DDBlt(&BackBuffer, a, b, kW, kH, work, 0, 0, 0);
            break;
        }
        case 2: {
            const double o = ShakeAfter(c, kFrames);
            Begin(false);
            if (o > 0) DDFillRectPal(&BackBuffer, 0, 0, static_cast<int>(o + 1), kH, 16);
            if (o < 0) DDFillRectPal(&BackBuffer, static_cast<int>(o + kW), 0, static_cast<int>(1 - o), kH, 16);
            DDBlt(&BackBuffer, static_cast<int>(o), 0, kW, kH, work, 0, 0, 0);
            break;
        }
        case 3:
            Begin(true);
            DDBlt(&BackBuffer, 0, static_cast<int>(ShakeAfter(c, kFrames)), kW, kH, work, 0, 0, 0);
            break;
        case 4:
        case 5: {
            const int side = c.kind == 4 ? kH : kW;
            Begin(true);
            DDBltSplit(&BackBuffer, 0, 0, kW, kH, (side + c.p[3] - 1) / c.p[3], tv, work, 0, 0, 0, c.kind == 5);
            break;
        }
        case 6:
        case 7:
            Begin(true);
            DDBltWave(&BackBuffer, 0, 0, kW, kH, c.p[3], v, kFrames % 360, c.p[4], work, 0, 0, 0, c.kind == 7);
            break;
        case 8:
            // Without backgrounds to redraw, the composed frame stays as it is.
            Compose();
            DDSetAlphaOp(1);
            break;
        case 9:
            Begin(true);
            DDBltRotate(&BackBuffer, 320, 240, kW, kH, 320, 240, tv, work, 0, 0, 0);
            break;
        case 10:
            Begin(true);
            DDBltCircle(&BackBuffer, cx, cy, FarX(cx), FarY(cy), tv, c.p[3], work, cx, cy, 0);
            break;
        case 11: {
            const double s = v / 640.0;
            Begin(s < 1.0);
            if (s >= 1.0) {
                const int w = static_cast<int>(kW / s);
                const int h = static_cast<int>(kH / s);
                int left = static_cast<int>(cx - 320 / s);
                int top = static_cast<int>(cy - 240 / s);
                left = left + w >= kW ? static_cast<int>(kW - kW / s) : std::max(left, 0);
                top = top + h >= kH ? static_cast<int>(kH - kH / s) : std::max(top, 0);
                DDStretchBlt(&BackBuffer, 0, 0, kW, kH, work, left, top, w, h, 1);
            } else {
                DDStretchBlt(&BackBuffer, static_cast<int>((kW - kW * s) / 2), static_cast<int>((kH - kH * s) / 2),
                             static_cast<int>(kW * s), static_cast<int>(kH * s), work, 0, 0, kW, kH, 1);
            }
            break;
        }
        case 12: {
            const int lx = cx + c.p[3];
            const int ly = cy + c.p[4];
            const int r = static_cast<int>(kSqrt2 * std::max(FarX(lx), FarY(ly)));
            Begin(true);
            DDBltLens(&BackBuffer, lx, ly, r, tv, work, lx, ly, 0, FALSE);
            break;
        }
        case 13:
            Begin(true);
            DDMosaic(&BackBuffer, 0, 0, kW, kH, tv, work, 0, 0, 0);
            break;
        default: break;
        }
        DDResetAlphaOp();
        EXPECT_EQ(Differences(drawn, Pixels(&BackBuffer)), "") << c.name;
        EXPECT_EQ(field.m_ScrEffect.nNumber, 1) << c.name << " still runs";
    }
}

TEST_P(ScrEffectKindsTest, RunEndsAndZeroDivisionsAndUnknownKindsAreSafe)
{
    Database.SetDefault();
    Database.ScrEffect.resize(4);
    Database.ScrEffect[0].nKind = 0;
    Database.ScrEffect[1].nKind = 4;  // split with run time 0 and no divisions
    Database.ScrEffect[1].nParam[0] = 0;
    Database.ScrEffect[1].nParam[2] = 12;
    Database.ScrEffect[2].nKind = 99;
    Database.ScrEffect[3].nKind = 2;  // shake with run time 0
    Database.ScrEffect[3].nParam[0] = 0;
    Database.ScrEffect[3].nParam[1] = 4;
    Database.ScrEffect[3].nParam[2] = 4;
    BuildDerivedTables();
    // Run time 0 counts as one tenth: 0 -> 12 by 2 a frame passes 12 on the 7th frame; a single
    // band is the whole height.
    field.m_ScrEffect.Start(1, 0, 0);
    int frames = 0;
    while (field.m_ScrEffect.nNumber != 0 && frames < 50) {
        Compose();
        DrawScrEffect(field, 0);
        ++frames;
    }
    EXPECT_EQ(frames, 7);
    field.m_ScrEffect.Start(3, 0, 0);
    for (int n = 0; n < 3; ++n) DrawScrEffect(field, 0);
    EXPECT_TRUE(std::isfinite(field.m_ScrEffect.dOffset));

    field.m_ScrEffect.Start(2, 0, 0);
    if (D3D()) DDSetVirBackBuffer(FALSE);
    DDBlt(&BackBuffer, 0, 0, kW, kH, frame, 0, 0, 0);
    const RawImage before = Pixels(&BackBuffer);
    for (int n = 0; n < 5; ++n) EXPECT_EQ(DrawScrEffect(field, 0), 0);
    EXPECT_EQ(Pixels(&BackBuffer), before) << "an unknown kind acts as none";
    EXPECT_EQ(field.m_ScrEffect.nNumber, 2) << "and stays until replaced";
}

TEST_P(ScrEffectKindsTest, BlinkHasTheBackgroundsRedrawnWhileItsPhaseIsDark)
{
    constexpr int kBlink = 8;
    constexpr int kPeriod = 3;  // frames between the flips
    Database.SetDefault();
    Database.ScrEffect.resize(2);
    Database.ScrEffect[0].nKind = 0;
    Database.ScrEffect[1].nKind = kBlink;
    Database.ScrEffect[1].nParam[0] = 50;  // a run of 300 frames
    Database.ScrEffect[1].nParam[1] = kPeriod;
    BuildDerivedTables();
    field.m_ScrEffect.Start(1, 0, 0);
    int a = field.m_ScrEffect.nA;
    int b = field.m_ScrEffect.nB;
    for (int frame = 0; frame < 4 * kPeriod; ++frame) {
        if (a >= kPeriod) {
            a = 0;
            b = b ? 0 : 1;
        }
        const bool bDark = b == 0;
        ++a;
        int redrawn = 0;
        EXPECT_EQ(DrawScrEffect(field, 0, [&redrawn] { ++redrawn; }), 0);
        EXPECT_EQ(redrawn, bDark ? 1 : 0) << "frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, ScrEffectKindsTest, ::testing::ValuesIn(kKindConfigs), ConfigName);

}  // namespace
