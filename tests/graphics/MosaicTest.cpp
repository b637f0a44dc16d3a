// The mosaic over the six configurations: block colours by depth and the guarded sizes.
#include "graphics/Mosaic.h"

#include <climits>

#include "EffectFilterSupport.h"

namespace gfxtest {
namespace {

class MosaicTest : public DrawTest {
protected:
    // The colour of a block made of the given letters: the first one (Direct3D 16, DirectDraw 8)
    // or the per-channel average (DirectDraw 16 through 255-units).
    DWORD BlockRaw(const std::string& letters) const
    {
        if ((D3D() && C().nBpp == 16) || (!D3D() && C().nBpp == 8)) return Raw(letters[0]);
        const Channels max = MaximaOf(C());
        const bool b255 = !D3D() && C().nBpp == 16;
        Channels avg{};
        for (int k = 0; k < 3; ++k) {
            DWORD sum = 0;
            for (char l : letters) sum += b255 ? ChannelsOf(C(), l)[k] * 255 / max[k] : ChannelsOf(C(), l)[k];
            avg[k] = sum / static_cast<DWORD>(letters.size());
            if (b255) avg[k] = avg[k] * max[k] / 255;
        }
        return RawOf(C(), avg) & RawMask();
    }
};

TEST_P(MosaicTest, PaintsBlocksCutAtTheEdges)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBWY", "GGWWR"});
    DDSURFACEDATA* canvas = Canvas(5, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDMosaic(canvas, 0, 0, 5, 2, 2, pic, 0, 0, 0));
    const DWORD a = BlockRaw("RGGG"), b = BlockRaw("BWWW"), c = BlockRaw("YR");
    EXPECT_EQ(Pixels(canvas), (RawImage{{a, a, b, b, c}, {a, a, b, b, c}}));
}

TEST_P(MosaicTest, BlockOfOneReproducesTheImage)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RGBWY"});
    DDSURFACEDATA* canvas = Canvas(5, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDMosaic(canvas, 0, 0, 5, 1, 1, pic, 0, 0, 0));
    EXPECT_EQ(Pixels(canvas), Expect({"RGBWY"}, Pixels(canvas)));
}

TEST_P(MosaicTest, KeyedBlocksAndBadSizesLeaveTheDestination)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({".R", "RR"});
    DDSURFACEDATA* canvas = Canvas(2, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    const RawImage before = Pixels(canvas);
    for (int nBlock : {0, -4}) EXPECT_TRUE(DDMosaic(canvas, 0, 0, 2, 2, nBlock, pic, 0, 0, 1));
    EXPECT_EQ(Pixels(canvas), before);
    ASSERT_TRUE(DDMosaic(canvas, 0, 0, 2, 2, 2, pic, 0, 0, 1));
    // A transparent top-left pixel leaves the block out; averaging depths count the opaque ones.
    const bool bTopLeft = (D3D() && C().nBpp == 16) || (!D3D() && C().nBpp == 8);
    const DWORD want = bTopLeft ? Raw('C') : BlockRaw("RRR");
    EXPECT_EQ(Pixels(canvas), (RawImage{{want, want}, {want, want}}));
}

TEST_P(MosaicTest, RectangleLargerThanTheSourceIsCut)
{
    OpenWithPalette();
    DDSURFACEDATA* pic = Picture({"RG"});
    DDSURFACEDATA* canvas = Canvas(3, 2, 'C', 1, DTMEMORYTYPE_SYSTEM);
    ASSERT_TRUE(DDMosaic(canvas, 0, 0, INT_MAX, INT_MAX, 1, pic, -1, 0, 0));
    EXPECT_EQ(Pixels(canvas), Expect({"-RG", "---"}, Pixels(canvas)));
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('C'));
}

INSTANTIATE_TEST_SUITE_P(Matrix, MosaicTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
