// The Direct3D box batch: fills collected until the batch closes, one run per stretch of fills of
// one target, colours and translucency as the single fill gives them, clears to the transparent
// colour done at once; DirectDraw fills at once.
#include "DrawTestSupport.h"
#include "graphics/Fill.h"

namespace gfxtest {
namespace {

using Kind = D3D9CallRecord::Kind;

class BoxBatchTest : public DrawTest {
protected:
    int Runs() const
    {
        int runs = 0;
        for (const D3D9CallRecord& r : lpDevice->CallLog().Records())
            if (r.kind == Kind::DrawIndexedPrimitive && r.startIndex == 0) ++runs;
        return runs;
    }
};

// Fills in the order given, by target ('1' or '2') and pixel; the runs follow the changes of target.
struct RunCase {
    const char* name;
    std::string targets;
    int nRuns;
};

const RunCase kRunCases[] = {
    {"alternating targets", "121", 3},
    {"grouped targets", "112", 2},
    {"one target", "111", 1},
};

TEST_P(BoxBatchTest, CollectsFillsUntilTheBatchClosesAndDrawsARunPerTarget)
{
    OpenWithPalette();
    DDSURFACEDATA* first = Canvas(3, 1);
    DDSURFACEDATA* second = Canvas(3, 1);
    lpDevice->CallLog().Enable(true);
    for (const RunCase& t : kRunCases) {
        SCOPED_TRACE(t.name);
        Paint(first, 'C');
        Paint(second, 'C');
        const RawImage before = Pixels(first);
        lpDevice->CallLog().Clear();
        DDBeginBoxBatch();
        for (size_t k = 0; k < t.targets.size(); ++k)
            DDFillRectPal(t.targets[k] == '1' ? first : second, static_cast<int>(k), 0, 1, 1, IndexOf('Y'));
        EXPECT_EQ(Pixels(first), before) << "nothing is drawn before the batch closes";
        DDEndBoxBatch();
        EXPECT_EQ(Runs(), t.nRuns);
        EXPECT_EQ(lpDevice->CallLog().Count(Kind::DrawIndexedPrimitive), t.targets.size());
        for (size_t k = 0; k < t.targets.size(); ++k)
            EXPECT_EQ(Pixel(t.targets[k] == '1' ? first : second, static_cast<int>(k), 0), Raw('Y'));
    }
}

TEST_P(BoxBatchTest, BlendsTranslucentColoursAndClearsToTransparentAtOnce)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(2, 1, 'B');
    DDBeginBoxBatch();
    DDFillRectColor(canvas, 0, 0, 1, 1, 0x80FF0000);
    DDFillRectPal(canvas, 1, 0, 1, 1, 0);
    EXPECT_EQ(Pixel(canvas, 1, 0), 0u) << "the clear to transparent is not collected";
    DDEndBoxBatch();
    EXPECT_EQ(Pixel(canvas, 0, 0), C().nBpp == 32 ? 0xBF80007Fu : 0x8000u | 16u << 10 | 15u);
}

INSTANTIATE_TEST_SUITE_P(Direct3D, BoxBatchTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);

using DirectDrawBoxBatchTest = DrawTest;

TEST_P(DirectDrawBoxBatchTest, FillsAtOnce)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(1, 1);
    DDBeginBoxBatch();
    DDFillRectPal(canvas, 0, 0, 1, 1, IndexOf('W'));
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('W'));
    EXPECT_FALSE(DDBoxBatchIsOpen());
    DDEndBoxBatch();
}

INSTANTIATE_TEST_SUITE_P(DirectDraw, DirectDrawBoxBatchTest, ::testing::Values(kConfigs[3], kConfigs[4], kConfigs[5]),
                         ConfigName);

}  // namespace
}  // namespace gfxtest
