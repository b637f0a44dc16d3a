// The rotation: the quad and the locked path at 0 degrees, right angles, 30 and 45 degrees on the
// locked path, the colour key, and the full-screen back buffer.
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

// At 30 degrees sin x 1024 is 511.99..., truncated to 511: destination (1, 3) maps to image row
// 1 + ((511 x 2) >> 10) = 1 and shows Y; a factor rounded to 512 would map it below the image.
TEST_P(RotationTest, ThirtyDegreesTruncatesTheFixedPointFactors)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBW", "YCRG"});
    DDSURFACEDATA* canvas = Canvas(7, 7, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    ASSERT_TRUE(DDBltRotate(canvas, 3, 3, 4, 2, 2, 1, 30, pic, 0, 0, 0));
    EXPECT_EQ(Pixels(canvas),
              Expect({"-------", "-------", "--RG---", "-YCRBW-", "---RG--", "-------", "-------"}, before));
}

// The key is the colour key itself on both back-ends: a pixel equal to dwColorKey is skipped.
// Under Direct3D at 16 bits that is the opaque key texel, so the transparent texels the loader
// made (0) are copied; at 32 bits the key is 0, the transparent texel itself.
TEST_P(RotationTest, KeySkipsPixelsEqualToTheColourKey)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"R.", "GB"}, 1, DTMEMORYTYPE_SYSTEM);
    {
        cLockSD lock(pic, C().nBpp);
        ASSERT_TRUE(lock.IsLocked());
        lock.Write(1, 1, dwColorKey);
    }
    DDSURFACEDATA* canvas = Canvas(2, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    ASSERT_TRUE(DDBltRotate(canvas, 1, 1, 2, 2, 1, 1, 0, pic, 0, 0, 1));
    RawImage expected = Expect({"R-", "G-"}, before);
    if (D3D() && C().nBpp == 16) expected[0][1] = 0;
    EXPECT_EQ(Pixels(canvas), expected);
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

TEST_P(RotationBackBufferTest, LockedPathCopiesTexelsUnchangedIntoTheBackBuffer)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"W.", "GB"}, 1, DTMEMORYTYPE_SYSTEM);
    Paint(&BackBuffer, 'C');
    ASSERT_TRUE(DDBltRotate(&BackBuffer, 1, 1, 2, 2, 1, 1, 0, pic, 0, 0, 1));
    // The A1R5G5B5 texels land as they are in the R5G6B5 back buffer, the transparent one too.
    EXPECT_EQ(Pixel(&BackBuffer, 0, 0), Raw('W'));
    EXPECT_EQ(Pixel(&BackBuffer, 1, 0), 0u);
    EXPECT_EQ(Pixel(&BackBuffer, 0, 1), Raw('G'));
    EXPECT_EQ(Pixel(&BackBuffer, 1, 1), Raw('B'));
}

INSTANTIATE_TEST_SUITE_P(FullScreen16, RotationBackBufferTest, ::testing::Values(kConfigs[1]), ConfigName);

}  // namespace
}  // namespace gfxtest
