// The lens: the sphere's mapping on worked numbers, bClear, and the refused sizes.
#include "graphics/Lens.h"

#include <climits>
#include <cmath>

#include "DrawTestSupport.h"

namespace gfxtest {
namespace {

class LensTest : public DrawTest {
protected:
    // A one-row picture of 'R' with 'G' at column 9 and 'B' at column 10.
    DDSURFACEDATA* MarkedRow(int nWidth)
    {
        std::string row(static_cast<size_t>(nWidth), 'R');
        row[9] = 'G';
        row[10] = 'B';
        return Picture({row});
    }
};

TEST_P(LensTest, RefusesDegenerateSpheres)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG"});
    DDSURFACEDATA* canvas = Canvas(2, 1);
    const RawImage before = Pixels(canvas);
    struct Case {
        int nRadius, nDepth;
    };
    for (const Case& c : {Case{0, 5}, Case{-1, 5}, Case{5, -1}, Case{0, 0}})
        EXPECT_FALSE(DDBltLens(canvas, 0, 0, c.nRadius, c.nDepth, pic, 0, 0, 1, FALSE)) << c.nRadius << "," << c.nDepth;
    EXPECT_EQ(Pixels(canvas), before);
}

TEST_P(LensTest, DepthHundredOnRadiusFifty)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = MarkedRow(120);
    DDSURFACEDATA* canvas = Canvas(120, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDBltLens(canvas, 0, 0, 50, 100, pic, 0, 0, 1, FALSE));
    // F = 111; at offset 10, 10 x 100 / sqrt(111^2 - 100) + 0.5 = 9.55: column 9 is shown.
    EXPECT_EQ(Pixel(canvas, 10, 0), Raw('G'));
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 51, 0), Raw('C'));
}

TEST_P(LensTest, FlatDepthShowsTheCentreInsideAndTheRimAcross)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = MarkedRow(30);
    DDSURFACEDATA* canvas = Canvas(30, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    // Centre at column 10 ('B'): inner pixels show it; the rim (offset 10) copies column 20 ('R').
    ASSERT_TRUE(DDBltLens(canvas, 10, 0, 10, 0, pic, 10, 0, 1, FALSE));
    for (int i = 1; i < 20; ++i) EXPECT_EQ(Pixel(canvas, i, 0), Raw('B')) << i;
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 20, 0), Raw('R'));
    EXPECT_EQ(Pixel(canvas, 21, 0), Raw('C'));
}

TEST_P(LensTest, HugeRadiusStaysInsideBothPictures)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG"});
    DDSURFACEDATA* canvas = Canvas(2, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    EXPECT_TRUE(DDBltLens(canvas, 0, 0, INT_MAX, 1, pic, 0, 0, 1, FALSE));
}

// Whole discs on a render-target canvas, pixel by pixel against the sphere's formula: rows wider
// than the runs the lens works in, discs cut by every edge of the canvas, keyed source pixels
// left out, and the pixels outside the disc (or outside the canvas's written square) untouched.
TEST_P(LensTest, EveryPixelOfTheDiscComesFromTheSphere)
{
    OpenWithPalette();
    const char letters[] = "RGBWY.";
    Image rows;
    for (int y = 0; y < 40; ++y) {
        std::string row;
        for (int x = 0; x < 150; ++x) row += letters[(x * 7 + y * 3 + x / 11) % 6];
        rows.push_back(row);
    }
    DDSURFACEDATA* pic = Picture(rows);
    struct Case {
        int cx, cy, nRadius, nDepth, scx, scy;
    };
    for (const Case& c : {Case{75, 20, 70, 40, 75, 20}, Case{10, 5, 90, 120, 140, 35}, Case{140, 38, 30, 0, 20, 3},
                          Case{-20, 50, 60, 25, 75, 20}}) {
        SCOPED_TRACE(testing::Message() << c.cx << "," << c.cy << " r " << c.nRadius << " depth " << c.nDepth);
        DDSURFACEDATA* canvas = Canvas(150, 40);
        const RawImage before = Pixels(canvas);
        ASSERT_TRUE(DDBltLens(canvas, c.cx, c.cy, c.nRadius, c.nDepth, pic, c.scx, c.scy, 1, FALSE));
        const long long F = static_cast<long long>(
            std::sqrt(static_cast<double>(c.nRadius) * c.nRadius + static_cast<double>(c.nDepth) * c.nDepth));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 150; ++x) {
                const long long i = x - c.cx, j = y - c.cy;
                DWORD expected = before[static_cast<size_t>(y)][static_cast<size_t>(x)];
                if (i * i + j * j <= static_cast<long long>(c.nRadius) * c.nRadius) {
                    const double Z = std::sqrt(static_cast<double>(F * F - (i * i + j * j)));
                    const long long u = c.scx + (Z != 0 ? static_cast<long long>(i * c.nDepth / Z + 0.5) : i);
                    const long long v = c.scy + (Z != 0 ? static_cast<long long>(j * c.nDepth / Z + 0.5) : j);
                    if (u >= 0 && v >= 0 && u < 150 && v < 40 &&
                        rows[static_cast<size_t>(v)][static_cast<size_t>(u)] != '.')
                        expected = Pixel(pic, static_cast<int>(u), static_cast<int>(v));
                }
                ASSERT_EQ(Pixel(canvas, x, y), expected) << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, LensTest, ::testing::ValuesIn(kConfigs), ConfigName);

class LensClearTest : public DrawTest {};

TEST_P(LensClearTest, ClearsTheSquareOutsideTheDisc)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"WWWWW", "WWWWW", "WWWWW", "WWWWW", "WWWWW"});
    DDSURFACEDATA* canvas = Canvas(5, 5, 'C', 1, DTMEMORYTYPE_SYSTEM);
    // F = 2 > depth 1; the rim pixel (2, 0) has Z = 0 and copies straight across.
    ASSERT_TRUE(DDBltLens(canvas, 2, 2, 2, 1, pic, 2, 2, 1, TRUE));
    EXPECT_EQ(Pixel(canvas, 0, 0), 0u);
    EXPECT_EQ(Pixel(canvas, 4, 4), 0u);
    EXPECT_EQ(Pixel(canvas, 2, 2), Raw('W'));
    EXPECT_EQ(Pixel(canvas, 2, 0), Raw('W'));
}

INSTANTIATE_TEST_SUITE_P(Direct3D32, LensClearTest, ::testing::Values(kConfigs[2]), ConfigName);

}  // namespace
}  // namespace gfxtest
