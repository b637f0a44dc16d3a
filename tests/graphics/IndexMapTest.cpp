// Palette-index maps of true-colour surfaces over the six configurations.
#include "GraphicsTestSupport.h"

namespace gfxtest {
namespace {

using IndexMapTest = GraphicsMatrixTest;

TEST_P(IndexMapTest, EachPixelGetsThePaletteNumberOfItsColour)
{
    const Config& c = GetParam();
    Write("bmp\\plt\\Palette.bmp", PaletteBmp());
    Write("indexed.bmp", Bmp8(6, 1, [](int x, int) { return static_cast<std::uint32_t>(x); }));
    Write("near.bmp", Bmp24(1, 1, [](int, int) { return 0xFA0505u; }));  // no palette colour: nearest red
    ASSERT_TRUE(Open(c));
    ASSERT_TRUE(DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", c.nBpp));
    ASSERT_TRUE(SetTrans("bmp\\plt\\Palette.bmp"));

    DDSURFACEDATA indexed;
    ASSERT_EQ(DDCreateSurfaceFromFile(&indexed, "indexed.bmp", 1, c.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 1, 0, 0, 0),
              DDSURFACE_OK);
    const std::vector<BYTE>& map = c.bDirect3D ? indexed.lpDT->lpIndexMap : indexed.lpDDS->lpIndexMap;
    if (c.nBpp == 8) {
        EXPECT_TRUE(map.empty());  // 8-bit pixels are palette numbers already
        return;
    }
    ASSERT_GE(map.size(), 6u);
    // Pixel 0 is the transparent colour of a colour-keyed surface: 0.
    for (int x = 0; x < 6; ++x) EXPECT_EQ(map[static_cast<std::size_t>(x)], x) << x;

    DDSURFACEDATA nearest;
    ASSERT_EQ(DDCreateSurfaceFromFile(&nearest, "near.bmp", 0, c.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 1, 0, 0, 0),
              DDSURFACE_OK);
    const std::vector<BYTE>& nearMap = c.bDirect3D ? nearest.lpDT->lpIndexMap : nearest.lpDDS->lpIndexMap;
    ASSERT_FALSE(nearMap.empty());
    EXPECT_EQ(nearMap[0], 1);
}

INSTANTIATE_TEST_SUITE_P(Matrix, IndexMapTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
