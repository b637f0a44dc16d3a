// The blur over the six configurations: window averages, keyed pixels and the guarded sizes.
#include "graphics/Blur.h"

#include <climits>
#include <string>

#include "EffectFilterSupport.h"

namespace gfxtest {
namespace {

class BlurTest : public DrawTest {
protected:
    DWORD Average(const std::string& letters) const
    {
        Channels avg{};
        for (int k = 0; k < 3; ++k) {
            DWORD sum = 0;
            for (char l : letters) sum += ChannelsOf(C(), l)[k];
            avg[k] = sum / static_cast<DWORD>(letters.size());
        }
        return RawOf(C(), avg) & RawMask();
    }
};

TEST_P(BlurTest, AveragesTheWindowBeforeEachPixel)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGB", "WWR"});
    DDSURFACEDATA* canvas = Canvas(3, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    ASSERT_TRUE(DDBlur(canvas, 0, 0, 3, 2, 1, 1, pic, 0, 0, 0));
    if (C().nBpp == 8) {
        EXPECT_EQ(Pixels(canvas), before);
        return;
    }
    // Radius 1: offsets -1 and 0 in each direction, inside the rectangle.
    EXPECT_EQ(Pixels(canvas), (RawImage{{Average("R"), Average("RG"), Average("GB")},
                                        {Average("RW"), Average("RGWW"), Average("GBWR")}}));
}

TEST_P(BlurTest, KeyedPixelsStayAndDoNotCount)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"R.B"});
    DDSURFACEDATA* canvas = Canvas(3, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDBlur(canvas, 0, 0, 3, 1, 1, 1, pic, 0, 0, 1));
    if (C().nBpp == 8) return;
    EXPECT_EQ(Pixels(canvas), (RawImage{{Average("R"), Raw('C'), Average("B")}}));
}

TEST_P(BlurTest, LargeRadiusAndRectangleStayBounded)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG"});
    DDSURFACEDATA* canvas = Canvas(2, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    EXPECT_TRUE(DDBlur(canvas, 0, 0, 2, 1, 0, 1, pic, 0, 0, 0));
    EXPECT_TRUE(DDBlur(canvas, 0, 0, 2, 1, -3, -3, pic, 0, 0, 0));
    EXPECT_EQ(Pixels(canvas), before);
    ASSERT_TRUE(DDBlur(canvas, 0, 0, INT_MAX, INT_MAX, INT_MAX, INT_MAX, pic, 0, 0, 0));
    if (C().nBpp == 8) return;
    // The window covers the whole rectangle from every pixel.
    EXPECT_EQ(Pixels(canvas), (RawImage{{Average("RG"), Average("RG")}}));
}

// A wider picture with transparent pixels, its rectangle cut by the destination on the left, the
// right and the bottom: each written pixel is the average of the counted pixels of its window,
// summed here pixel by pixel; transparent pixels and the pixels outside the canvas stay.
TEST_P(BlurTest, WideKeyedPictureAveragesEachWindowOfCountedPixels)
{
    OpenWithPalette();
    const Image rows = {"RGB.WYRGB", "W.RGBWY.R", "YRGBW.RGB", "BW.YRGBWY", "GBWRY.BWR", "RYB.GWRGB"};
    DDSURFACEDATA* pic = Picture(rows);
    DDSURFACEDATA* canvas = Canvas(5, 4, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    const int x = -1, y = 1, w = 7, h = 4, rx = 2, ry = 3, sx = 1, sy = 1;
    ASSERT_TRUE(DDBlur(canvas, x, y, w, h, rx, ry, pic, sx, sy, 1));
    if (C().nBpp == 8) return;
    RawImage want = before;
    for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx < 5; ++dx) {
            const int i = dx - x, j = dy - y;
            if (i < 0 || i >= w || j < 0 || j >= h || rows[sy + j][sx + i] == '.') continue;
            std::string counted;
            for (int b = j - ry; b < j + ry; ++b)
                for (int a = i - rx; a < i + rx; ++a)
                    if (a >= 0 && a < w && b >= 0 && b < h && rows[sy + b][sx + a] != '.')
                        counted += rows[sy + b][sx + a];
            want[dy][dx] = Average(counted);
        }
    }
    EXPECT_EQ(Pixels(canvas), want);
}

INSTANTIATE_TEST_SUITE_P(Matrix, BlurTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
