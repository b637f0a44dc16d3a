// The Direct3D sprite batch: recording instead of drawing, runs and their draw calls, the sorted
// order by registered texture shown by overlapping sprites, the blits drawn at once, the split of
// runs too long for 16-bit indices, and DirectDraw drawing at once.
#include "DrawTestSupport.h"
#include "graphics/BlendState.h"
#include "graphics/Blit.h"

namespace gfxtest {
namespace {

using Kind = D3D9CallRecord::Kind;

class SpriteBatchTest : public DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        if (HasFatalFailure()) return;
        OpenWithPalette();
        m_a = Picture({"RG"});
        m_b = Picture({"BW"});
        m_canvas = Canvas(3, 1);
        lpDevice->CallLog().Clear();
        lpDevice->CallLog().Enable(true);
    }

    // The indexed draws of the log: their textures in order, and how many runs (a run's draws start
    // again at index 0).
    std::vector<const IDirect3DTexture9*> DrawnTextures() const
    {
        std::vector<const IDirect3DTexture9*> textures;
        for (const D3D9CallRecord& r : lpDevice->CallLog().Records())
            if (r.kind == Kind::DrawIndexedPrimitive) textures.push_back(r.texture);
        return textures;
    }
    int Runs() const
    {
        int runs = 0;
        for (const D3D9CallRecord& r : lpDevice->CallLog().Records())
            if (r.kind == Kind::DrawIndexedPrimitive && r.startIndex == 0) ++runs;
        return runs;
    }
    const IDirect3DTexture9* A() const { return m_a->lpDT->lpTexture; }
    const IDirect3DTexture9* B() const { return m_b->lpDT->lpTexture; }

    DDSURFACEDATA* m_a = nullptr;  // red, green
    DDSURFACEDATA* m_b = nullptr;  // blue, white
    DDSURFACEDATA* m_canvas = nullptr;
};

// Six blits onto three pixels: A red and B blue at 0, A green and B white at 1, A red then A green
// at 2. The last one drawn at a pixel shows.
struct OrderCase {
    const char* name;
    int bSort;
    std::vector<char> registered;  // 'A', 'B' in registration order
    Image expected;
    std::vector<char> drawn;  // texture of each draw
    int nRuns;
};

const OrderCase kOrderCases[] = {
    {"unsorted: one run per change of texture, in blit order",
     0,
     {'A', 'B'},
     {"BWG"},
     {'A', 'B', 'A', 'B', 'A', 'A'},
     5},
    {"sorted: the first registered texture first", 1, {'B', 'A'}, {"RGG"}, {'B', 'B', 'A', 'A', 'A', 'A'}, 2},
    {"sorted the other way", 1, {'A', 'B'}, {"BWG"}, {'A', 'A', 'A', 'A', 'B', 'B'}, 2},
    {"sorted: an unregistered texture before the registered ones",
     1,
     {'A'},
     {"RGG"},
     {'B', 'B', 'A', 'A', 'A', 'A'},
     2},
};

TEST_P(SpriteBatchTest, DrawsRecordedBlitsInTheOrderOfTheirTextures)
{
    for (const OrderCase& t : kOrderCases) {
        SCOPED_TRACE(t.name);
        Paint(m_canvas, 'C');
        const RawImage before = Pixels(m_canvas);
        lpDevice->CallLog().Clear();
        DDBeginBatch(t.bSort);
        for (char c : t.registered) DDBatchAddTexture(c == 'A' ? m_a : m_b);
        DDBlt(m_canvas, 0, 0, 1, 1, m_a, 0, 0, 1);
        DDBlt(m_canvas, 0, 0, 1, 1, m_b, 0, 0, 1);
        DDBlt(m_canvas, 1, 0, 1, 1, m_a, 1, 0, 1);
        DDBlt(m_canvas, 1, 0, 1, 1, m_b, 1, 0, 1);
        DDBlt(m_canvas, 2, 0, 1, 1, m_a, 0, 0, 1);
        DDBlt(m_canvas, 2, 0, 1, 1, m_a, 1, 0, 1);
        EXPECT_EQ(Pixels(m_canvas), before) << "nothing is drawn before the batch closes";
        EXPECT_EQ(lpDevice->CallLog().Count(Kind::DrawPrimitive), 0u);
        EXPECT_TRUE(DDEndBatch());
        EXPECT_EQ(Pixels(m_canvas), Expect(t.expected, before));
        std::vector<const IDirect3DTexture9*> drawn;
        for (char c : t.drawn) drawn.push_back(c == 'A' ? A() : B());
        EXPECT_EQ(DrawnTextures(), drawn);
        EXPECT_EQ(Runs(), t.nRuns);
    }
}

TEST_P(SpriteBatchTest, AChangeOfBlendStateStartsANewRun)
{
    DDBeginBatch(0);
    DDBlt(m_canvas, 0, 0, 1, 1, m_a, 0, 0, 1);
    DDSetDiffuse(0xFF808080);
    DDBlt(m_canvas, 1, 0, 1, 1, m_a, 0, 0, 1);
    DDResetDiffuse();
    DDBlt(m_canvas, 2, 0, 1, 1, m_a, 0, 0, 1);
    DDEndBatch();
    EXPECT_EQ(Runs(), 3);
    EXPECT_EQ(Pixel(m_canvas, 1, 0), C().nBpp == 32 ? 0xFF800000u : 0x8000u | 16u << 10);
    EXPECT_EQ(Pixel(m_canvas, 2, 0), Raw('R'));
}

// A target in system memory takes the software path: drawn at once, before the batched blits.
TEST_P(SpriteBatchTest, BlitsOutsideTheHardwarePathAreDrawnAtOnce)
{
    DDSURFACEDATA* system = Canvas(1, 1, 'C', 1, DTMEMORYTYPE_SYSTEM);
    DDBeginBatch(1);
    DDBlt(m_canvas, 0, 0, 1, 1, m_a, 0, 0, 1);
    DDBlt(system, 0, 0, 1, 1, m_b, 0, 0, 1);
    EXPECT_EQ(Pixel(system, 0, 0), Raw('B'));
    EXPECT_NE(Pixel(m_canvas, 0, 0), Raw('R'));
    DDEndBatch();
    EXPECT_EQ(Pixel(m_canvas, 0, 0), Raw('R'));
}

// Opening a batch while one holds records draws those first instead of dropping them.
TEST_P(SpriteBatchTest, OpeningABatchAgainDrawsWhatWasRecorded)
{
    DDBeginBatch(1);
    DDBlt(m_canvas, 0, 0, 1, 1, m_a, 0, 0, 1);
    DDBeginBatch(0);
    EXPECT_EQ(Pixel(m_canvas, 0, 0), Raw('R'));
    DDBlt(m_canvas, 1, 0, 1, 1, m_b, 0, 0, 1);
    DDEndBatch();
    EXPECT_EQ(Pixel(m_canvas, 1, 0), Raw('B'));
    EXPECT_TRUE(DDEndBatch()) << "closing a closed batch does nothing";
}

// 16385 sprites of one texture: a run holds at most 16384 quads (4 x 16384 16-bit indices), so the
// last sprite is drawn by a second run, with its own vertices.
TEST_P(SpriteBatchTest, SplitsRunsLongerThanSixteenBitIndicesReach)
{
    DDSURFACEDATA* wide = Canvas(128, 129);
    constexpr int kSprites = 16385;
    DDBeginBatch(0);
    for (int k = 0; k < kSprites; ++k) {
        const bool bLast = k == kSprites - 1;
        DDBlt(wide, k % 128, k / 128, 1, 1, m_a, bLast ? 1 : 0, 0, 1);
    }
    DDEndBatch();
    EXPECT_EQ(lpDevice->CallLog().Count(Kind::DrawIndexedPrimitive), static_cast<size_t>(kSprites));
    EXPECT_EQ(Runs(), 2);
    EXPECT_EQ(Pixel(wide, 0, 0), Raw('R'));
    EXPECT_EQ(Pixel(wide, 127, 127), Raw('R'));
    EXPECT_EQ(Pixel(wide, 0, 128), Raw('G'));
}

INSTANTIATE_TEST_SUITE_P(Direct3D, SpriteBatchTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);

using DirectDrawSpriteBatchTest = DrawTest;

TEST_P(DirectDrawSpriteBatchTest, DrawsAtOnce)
{
    OpenWithPalette();
    DDSURFACEDATA* source = Picture({"R"});
    DDSURFACEDATA* canvas = Canvas(1, 1);
    DDBeginBatch(1);
    DDBatchAddTexture(source);
    DDBlt(canvas, 0, 0, 1, 1, source, 0, 0, 1);
    EXPECT_EQ(Pixel(canvas, 0, 0), Raw('R'));
    EXPECT_FALSE(DDBatchIsOpen());
    EXPECT_TRUE(DDEndBatch());
}

INSTANTIATE_TEST_SUITE_P(DirectDraw, DirectDrawSpriteBatchTest,
                         ::testing::Values(kConfigs[3], kConfigs[4], kConfigs[5]), ConfigName);

}  // namespace
}  // namespace gfxtest
