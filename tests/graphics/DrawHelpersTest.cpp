#include "graphics/DrawHelpers.h"

#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

class DrawHelpersTest : public DrawTest {};

struct NumberCase {
    int value;
    int minDigits;
    BOOL centre;
    const char* row;  // expected row of the 12-pixel canvas (digit d has the colour of strip pixel d)
};

TEST_P(DrawHelpersTest, NumberDigitsAndPadding)
{
    OpenWithPalette();
    DDSURFACEDATA* strip = Picture({"RGBWYRGBWY"}, 0);
    const NumberCase cases[] = {
        {0, 1, FALSE, "RCCCCCCCCCCC"},  {7, 3, FALSE, "CCBCCCCCCCCC"},          {7, 3, TRUE, "CBCCCCCCCCCC"},
        {12, 1, FALSE, "GBCCCCCCCCCC"}, {1234567890, 0, FALSE, "GBWYRGBWYRCC"}, {-5, 1, FALSE, "RCCCCCCCCCCC"},
        {45, 4, TRUE, "CYRCCCCCCCCC"},
    };
    for (const NumberCase& c : cases) {
        DDSURFACEDATA* canvas = Canvas(12, 1);
        DDDrawNumber(canvas, 0, 0, 1, 1, strip, 0, 0, 0, c.value, c.minDigits, c.centre, 0);
        EXPECT_EQ(Pixels(canvas), Expect({c.row}, Pixels(canvas))) << c.value << " " << c.minDigits;
    }
}

TEST_P(DrawHelpersTest, FrameBoxPutsTheFrameOutsideTheSkin)
{
    OpenWithPalette();
    DDSURFACEDATA* skin = Picture({"YYYYYYYY", "YYYYYYYY", "YYYYYYYY", "YYYYYYYY"}, 0);
    DDSURFACEDATA* canvas = Canvas(8, 6);
    const RawImage before = Pixels(canvas);
    DDDrawFrameBox(canvas, 1, 1, 4, 3, skin, 1, 1);
    EXPECT_EQ(Pixels(canvas), Expect({"RRRRRRCC", "RYYYYRCC", "RYYYYRCC", "RYYYYRCC", "RRRRRRCC", "CCCCCCCC"}, before));
}

TEST_P(DrawHelpersTest, FrameThickerThanHalfOverlaps)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(6, 6);
    const RawImage before = Pixels(canvas);
    DDDrawFrame(canvas, 1, 1, 4, 4, 3, 1);
    EXPECT_EQ(Pixels(canvas), Expect({"CCCCCC", "CRRRRC", "CRRRRC", "CRRRRC", "CRRRRC", "CCCCCC"}, before));
}

INSTANTIATE_TEST_SUITE_P(Matrix, DrawHelpersTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
