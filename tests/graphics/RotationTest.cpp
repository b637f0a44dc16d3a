// The rotation: the quad and the locked path at 0 degrees, right angles and 45 degrees on the
// locked path, the key, and the full-screen back buffer.
#include "graphics/Rotation.h"

#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

class RotationTest : public DrawTest {};

TEST_P(RotationTest, ZeroDegreesCopiesOnBothPaths)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW", "YCRG"});
    for (int nMemory : {DTMEMORYTYPE_VIDEO_RT, DTMEMORYTYPE_SYSTEM}) {
        DDSURFACEDATA* canvas = Canvas(4, 2, 'C', 1, nMemory);
        ASSERT_TRUE(DDBltRotate(canvas, 2, 1, 4, 2, 2, 1, 0, pic, 0, 0, 1));
        EXPECT_EQ(Pixels(canvas), Expect({"RGBW", "YCRG"}, Pixels(canvas))) << nMemory;
    }
}

TEST_P(RotationTest, NinetyDegreesStandsTheImageUpright)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW", "YCRG"});
    DDSURFACEDATA* canvas = Canvas(4, 6, 'C', 1, DTMEMORYTYPE_SYSTEM);
    // Pivot (2, 1) lands on (2, 3); clockwise, the top row becomes the right column.
    ASSERT_TRUE(DDBltRotate(canvas, 2, 3, 4, 2, 2, 1, 90, pic, 0, 0, 0));
    EXPECT_EQ(Pixels(canvas), Expect({"----", "--YR", "--CG", "--RB", "--GW", "----"}, Pixels(canvas)));
    // Counter-clockwise, the top row becomes the left column, read upward.
    DDSURFACEDATA* back = Canvas(4, 6, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDBltRotate(back, 2, 3, 4, 2, 2, 1, -90, pic, 0, 0, 0));
    EXPECT_EQ(Pixels(back), Expect({"----", "----", "-WG-", "-BR-", "-GC-", "-RY-"}, Pixels(back)));
}

TEST_P(RotationTest, FortyFiveDegreesMakesADiamond)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"WWWW", "WWWW", "WWWW", "WWWW"});
    DDSURFACEDATA* canvas = Canvas(11, 11, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDBltRotate(canvas, 5, 5, 4, 4, 2, 2, 45, pic, 0, 0, 0));
    const DWORD w = Raw('W'), c = Raw('C');
    // The square's corners now point up, down, left and right; its edges' middles are cut away.
    EXPECT_EQ(Pixel(canvas, 5, 5), w);
    EXPECT_EQ(Pixel(canvas, 5, 3), w);
    EXPECT_EQ(Pixel(canvas, 3, 5), w);
    EXPECT_EQ(Pixel(canvas, 3, 3), c);
    EXPECT_EQ(Pixel(canvas, 7, 7), c);
    EXPECT_EQ(Pixel(canvas, 0, 0), c);
}

TEST_P(RotationTest, KeySkipsTransparentPixels)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"R.", "GB"});
    DDSURFACEDATA* canvas = Canvas(2, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDBltRotate(canvas, 1, 1, 2, 2, 1, 1, 0, pic, 0, 0, 1));
    EXPECT_EQ(Pixels(canvas), Expect({"RC", "GB"}, Pixels(canvas)));
}

TEST_P(RotationTest, HugeImageOrPivotStaysInsideTheDestination)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG"});
    DDSURFACEDATA* canvas = Canvas(3, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    EXPECT_TRUE(DDBltRotate(canvas, 0, 0, 1 << 30, 1 << 30, 0, 0, 30, pic, 0, 0, 0));
    EXPECT_TRUE(DDBltRotate(canvas, 0, 0, 0, 5, 0, 0, 30, pic, 0, 0, 0));
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('R'));
}

INSTANTIATE_TEST_SUITE_P(Matrix, RotationTest, ::testing::ValuesIn(kConfigs), ConfigName);

class RotationBackBufferTest : public DrawTest {};

TEST_P(RotationBackBufferTest, LockedPathWritesTheBackBufferFormat)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"W.", "GB"}, 1, DTMEMORYTYPE_SYSTEM);
    Paint(&BackBuffer, 'C');
    ASSERT_TRUE(DDBltRotate(&BackBuffer, 1, 1, 2, 2, 1, 1, 0, pic, 0, 0, 1));
    // A texel's five green bits are doubled into the back buffer's six.
    auto screen = [](char letter) {
        const std::uint32_t c = ColourOf(letter);
        return DWORD{((c >> 19) & 31) << 11 | (((c >> 11) & 31) * 2) << 5 | ((c >> 3) & 31)};
    };
    EXPECT_EQ(Pixel(&BackBuffer, 0, 0), screen('W'));
    EXPECT_EQ(Pixel(&BackBuffer, 1, 0), Raw('C', true));
    EXPECT_EQ(Pixel(&BackBuffer, 0, 1), screen('G'));
}

INSTANTIATE_TEST_SUITE_P(FullScreen16, RotationBackBufferTest, ::testing::Values(kConfigs[1]), ConfigName);

}  // namespace
}  // namespace gfxtest
