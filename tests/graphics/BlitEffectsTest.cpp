// The blit-composed effects over the six configurations: where each band, face, quadrant and
// chord lands.
#include "graphics/BlitEffects.h"

#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

class BlitEffectsTest : public DrawTest {};

TEST_P(BlitEffectsTest, WaveWithoutAmplitudeRedrawsTheImage)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW", "YRGB"});
    for (BOOL bVertical : {FALSE, TRUE}) {
        for (int nBand : {1, 3}) {
            DDSURFACEDATA* canvas = Canvas(4, 2);
            DDBltWave(canvas, 0, 0, 4, 2, 3, 0.0, 17, nBand, pic, 0, 0, 1, bVertical);
            EXPECT_EQ(Pixels(canvas), Expect({"RGBW", "YRGB"}, Pixels(canvas))) << bVertical << "/" << nBand;
        }
    }
    DDSURFACEDATA* canvas = Canvas(4, 2);
    DDBltWave(canvas, 0, 0, 4, 2, 1, 5.0, 0, 0, pic, 0, 0, 1, TRUE);
    EXPECT_EQ(Pixels(canvas), Expect({"CCCC", "CCCC"}, Pixels(canvas)));
}

TEST_P(BlitEffectsTest, WaveShiftsEachBandBySine)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW"});
    DDSURFACEDATA* canvas = Canvas(4, 5);
    // Bands of 2 columns, step 180 degrees: phase 90 puts band 0 at sin 270 = -1 and band 1 at
    // sin 450 = +1; 1.5 pixels truncate to one.
    DDBltWave(canvas, 0, 2, 4, 1, 1, 1.5, 90, 2, pic, 0, 0, 1, TRUE);
    EXPECT_EQ(Pixels(canvas), Expect({"CCCC", "RGCC", "CCCC", "CCBW", "CCCC"}, Pixels(canvas)));
}

TEST_P(BlitEffectsTest, SplitPushesAlternateBandsApart)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBWY"});
    DDSURFACEDATA* canvas = Canvas(5, 3);
    DDBltSplit(canvas, 0, 1, 5, 1, 2, 1, pic, 0, 0, 1, TRUE);
    EXPECT_EQ(Pixels(canvas), Expect({"CCBWC", "CCCCC", "RGCCC"}, Pixels(canvas)));
    DDSURFACEDATA* plain = Canvas(5, 3);
    DDBltSplit(plain, 0, 1, 5, 1, 0, 1, pic, 0, 0, 1, TRUE);
    DDBltSplit(plain, 0, 0, 5, 1, -2, 1, pic, 0, 0, 1, TRUE);
    EXPECT_EQ(Pixels(plain), Expect({"CCCCC", "RGBWY", "CCCCC"}, Pixels(plain)));
}

TEST_P(BlitEffectsTest, TurnNarrowsSwitchesFacesAndWidens)
{
    OpenWithPalette();
    DDSURFACEDATA* front = Picture({"RRRR"});
    DDSURFACEDATA* back = Picture({"BBBB"});
    struct Case {
        int nStep;
        const char* row;
    };
    for (const Case& c :
         {Case{0, "RRRR"}, Case{1, "CRRC"}, Case{2, "CBBC"}, Case{3, "BBBB"}, Case{5, "CBBC"}, Case{6, "CRRC"}}) {
        DDSURFACEDATA* canvas = Canvas(4, 1);
        DDBltTurn(canvas, 0, 0, 4, 1, front, 0, 0, back, 0, 0, 4, 1, 1, c.nStep, 0);
        EXPECT_EQ(Pixels(canvas), Expect({c.row}, Pixels(canvas))) << c.nStep;
    }
    DDSURFACEDATA* canvas = Canvas(4, 1);
    DDBltTurn(canvas, 0, 0, 1, 1, front, 0, 0, back, 0, 0, 4, 1, 1, 3, 0);
    DDBltTurn(canvas, 0, 0, 4, 1, front, 0, 0, back, 0, 0, 4, 1, 1, 3, 1);
    DDBltTurn(canvas, 0, 0, 4, 1, front, 0, 0, back, 0, 0, 4, 1, 1, 3, 2);
    EXPECT_EQ(Pixels(canvas), Expect({"CCCC"}, Pixels(canvas)));
}

TEST_P(BlitEffectsTest, BurstMovesTheQuadrantsApart)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG", "BW"});
    DDSURFACEDATA* same = Canvas(2, 2);
    DDBltBurst(same, 0, 0, 2, 2, pic, 0, 0, 0, 1);
    EXPECT_EQ(Pixels(same), Expect({"RG", "BW"}, Pixels(same)));
    DDSURFACEDATA* apart = Canvas(4, 4);
    DDBltBurst(apart, 1, 1, 2, 2, pic, 0, 0, 1, 1);
    EXPECT_EQ(Pixels(apart), Expect({"RCCG", "CCCC", "CCCC", "BCCW"}, Pixels(apart)));
}

TEST_P(BlitEffectsTest, CircleCopiesChordsOfTheDisc)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBWY", "GBWYR", "BWYRG", "WYRGB", "YRGBW"});
    DDSURFACEDATA* canvas = Canvas(5, 5);
    // Radius 2: rows -1, 0, 1 have half chords 1 (the middle row's 2 is cut to 1); row -2 none.
    DDBltCircle(canvas, 2, 2, 10, 10, 2, 1, pic, 2, 2, 1);
    EXPECT_EQ(Pixels(canvas), Expect({"CCCCC", "CBWCC", "CWYCC", "CYRCC", "CCCCC"}, Pixels(canvas)));
    DDSURFACEDATA* none = Canvas(5, 5);
    EXPECT_EQ(DDBltCircle(none, 2, 2, 10, 10, 0, 1, pic, 2, 2, 1), 0);
    EXPECT_EQ(DDBltCircle(none, 2, 2, 10, 10, 2, 0, pic, 2, 2, 1), 0);
    // Sizes far beyond the pictures end quickly and stay inside them.
    DDBltCircle(none, 2, 2, 2000000000, 2000000000, 2000000000, 1, pic, 2, 2, 1);
    EXPECT_EQ(Pixel(none, 0, 0), Raw('R'));
}

INSTANTIATE_TEST_SUITE_P(Matrix, BlitEffectsTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
