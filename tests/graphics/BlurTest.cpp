// The blur over the six configurations: window averages, keyed pixels and the guarded sizes.
#include "graphics/Blur.h"

#include <climits>

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

INSTANTIATE_TEST_SUITE_P(Matrix, BlurTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
