// The screen fades: the angle sequence, the palette entries at 8 bits, the saved picture at 16 and
// 32 bits under DirectDraw and the black quad under Direct3D.
#include "graphics/Fade.h"

#include <cmath>

#include "DrawTestSupport.h"
#include "graphics/PaletteEffects.h"
#include "platform/ddraw/DirectDrawPalette.h"

namespace gfxtest {
namespace {

// The level the DirectDraw fade uses at an angle in degrees.
int LevelAt(double dAngle)
{
    return static_cast<int>(std::sin(dAngle * 0.017453292519943295) * 256);
}

class FadeTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        DDResetFadesForTest();
    }
    void TearDown() override
    {
        DDResetFadesForTest();
        DrawTest::TearDown();
    }
    // Entry 5 (yellow) of PaletteBackup and of the device palette.
    void ExpectEntry5AtLevel(int nLevel)
    {
        const PALETTEENTRY& e = PaletteBackup[5];
        EXPECT_EQ(e.peRed, (255 * nLevel) >> 8);
        EXPECT_EQ(e.peGreen, (255 * nLevel) >> 8);
        EXPECT_EQ(e.peBlue, 0);
        EXPECT_EQ(e.peFlags, 1);
        PALETTEENTRY shown{};
        ASSERT_EQ(lpDDPalette->GetEntries(0, 5, 1, &shown), DD_OK);
        EXPECT_EQ(shown.peRed, e.peRed);
    }
};

class Fade8Test : public FadeTest {};

TEST_P(Fade8Test, FadeOutTakesTenStepsOfTenDegrees)
{
    OpenWithPalette();
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 10.0, Palette, FALSE), k == 9 ? TRUE : FALSE);
        ExpectEntry5AtLevel(LevelAt(90 - 10 * k));
    }
    EXPECT_EQ(PaletteBackup[5].peRed, 0);
    // The completed fade re-armed itself: the next call starts again from the picture.
    EXPECT_FALSE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 10.0, Palette, FALSE));
    ExpectEntry5AtLevel(256);
}

TEST_P(Fade8Test, FadeInByFortyFiveDegrees)
{
    OpenWithPalette();
    const int angles[] = {0, 45, 90};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(DDFadeIn(PaletteBackup, 0, 255, 0, 0, 0, 45.0, Palette, FALSE), k == 2 ? TRUE : FALSE) << k;
        ExpectEntry5AtLevel(LevelAt(angles[k]));
    }
}

TEST_P(Fade8Test, ResetDrawsTheLastStepAtOnce)
{
    OpenWithPalette();
    EXPECT_TRUE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 10.0, Palette, TRUE));
    ExpectEntry5AtLevel(0);
}

TEST_P(Fade8Test, StepWithoutProgressEndsTheFade)
{
    OpenWithPalette();
    EXPECT_FALSE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 0.0, Palette, FALSE));
    EXPECT_TRUE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 0.0, Palette, FALSE));
    ExpectEntry5AtLevel(0);
}

INSTANTIATE_TEST_SUITE_P(DirectDraw8, Fade8Test, ::testing::Values(kConfigs[3]), ConfigName);

class FadeTrueColourTest : public FadeTest {};

TEST_P(FadeTrueColourTest, DirectDrawRedrawsTheSavedPicture)
{
    OpenWithPalette();
    Paint(&BackBuffer, 'W');
    EXPECT_FALSE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 45.0, Palette, FALSE));
    EXPECT_EQ(Pixel(&BackBuffer, 3, 3), Raw('W'));
    // Whatever the frame draws is replaced by the saved picture, faded.
    Paint(&BackBuffer, 'R');
    EXPECT_FALSE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 45.0, Palette, FALSE));
    const DWORD level = static_cast<DWORD>(LevelAt(45));
    const DWORD want = C().nBpp == 32 ? ((255 * level) >> 8) * 0x010101u
                                      : (31 * ((level * 255) >> 8) / 255) << 11 |
                                            (63 * ((level * 255) >> 8) / 255) << 5 | (31 * ((level * 255) >> 8) / 255);
    EXPECT_EQ(Pixel(&BackBuffer, 3, 3), want);
    EXPECT_TRUE(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 45.0, Palette, FALSE));
    EXPECT_EQ(Pixel(&BackBuffer, 3, 3), 0u);
}

INSTANTIATE_TEST_SUITE_P(DirectDraw, FadeTrueColourTest, ::testing::Values(kConfigs[4], kConfigs[5]), ConfigName);

class FadeDirect3DTest : public FadeTest {};

TEST_P(FadeDirect3DTest, BlackQuadGrowsOverTheBackBuffer)
{
    OpenWithPalette();
    const double angles[] = {90, 45, 0};
    for (int k = 0; k < 3; ++k) {
        Paint(&BackBuffer, 'W');
        EXPECT_EQ(DDFadeOut(PaletteBackup, 0, 255, 0, 0, 0, 45.0, Palette, FALSE), k == 2 ? TRUE : FALSE);
        const DWORD alpha = 255 - static_cast<DWORD>(std::sin(angles[k] * 0.017453292519943295) * 255);
        const DWORD v = (255 * (255 - alpha) + 127) / 255;
        DWORD want;
        if (C().nBpp == 32)
            want = v * 0x010101u | (Pixel(&BackBuffer, 0, 0) & 0xFF000000u);
        else
            want = (v >> 3) << 11 | (v >> 2) << 5 | (v >> 3);
        EXPECT_EQ(Pixel(&BackBuffer, 0, 0), want) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Direct3D, FadeDirect3DTest, ::testing::Values(kConfigs[1], kConfigs[2]), ConfigName);

}  // namespace
}  // namespace gfxtest
