// The world list drawn onto the screen surface, in every back-end configuration: the cleared sign
// of a world stands after its label, (characters of the label + 4) x 32 pixels from the left, on
// the world's row of the scrolled list.
#include <string>

#include "graphics/SurfaceCatalogue.h"
#include "project/FontDrawTestSupport.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "scenes/cSceneWorldSelect.h"

namespace {

constexpr int kSlotAccessory = 49;

// The screen with its surface drawing reachable.
class DrawnWorldSelect : public cSceneWorldSelect {
public:
    using cSceneWorldSelect::DrawSurface;
};

class WorldSelectDrawTest : public projecttest::FontDrawTest {
protected:
    void SetUp() override
    {
        FontDrawTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        FONTINFO info;
        info.szFaceName = "Test";
        info.nHeight = 32;
        info.nCellWidth = 32;
        info.nCellHeight = 32;
        info.dwPalNum = 4;
        info.nSkinSlot = 45;
        info.nFrameThick = 1;
        info.dwFramePalNum = 1;
        ASSERT_TRUE(FontTable[Font32].Create(info));
        // "bmp\Accessory.bmp": only the cleared sign (96, 0), 32 x 32 of yellow, is not transparent.
        const char* path = "bmp\\Accessory.bmp";
        Write(path, gfxtest::Bmp8(128, 32, [](int x, int) { return x >= 96 ? gfxtest::IndexOf('Y') : 0u; }));
        ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[kSlotAccessory], path, 1, C().nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    }
    void TearDown() override
    {
        DDReleaseSurface(&SDTable[kSlotAccessory]);
        SystemData.SetDefaults();
        SaveData.Reset();
        FontDrawTest::TearDown();
    }
};

TEST_P(WorldSelectDrawTest, ClearedSignStandsAfterTheLabelOnTheWorldsRow)
{
    SystemData.bFixedWorldCount = 1;
    SystemData.nWorldCount = 12;
    SystemData.bSelectShowTotalScore = 0;
    SystemData.bSelectShowHighScore = 0;
    SystemData.RankingRows[cSaveData::kPlayChallenge].bEnabled = 0;
    SystemData.TextTable[0] = "AB";
    SaveData.Reset();
    SaveData.Validate();
    SaveData.WorldRecord[1].first = 1;

    struct Case {
        int top;
        int y;  // of world 2's row
    };
    // One screen for both: a screen releases its pictures when it goes.
    DrawnWorldSelect screen;
    for (const Case& c : {Case{0, 160 + 32}, Case{1, 160}}) {
        SCOPED_TRACE(c.top);
        screen.m_nTop = c.top;
        DDSURFACEDATA* canvas = Canvas(640, 480);
        screen.DrawSurface(*canvas);
        const int x = (2 + 4) * 32;
        EXPECT_EQ(BoxOf(Pixels(canvas), Raw('Y'), 0, 0, 639, 479), (projecttest::InkBox{x, c.y, x + 31, c.y + 31}));
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, WorldSelectDrawTest, ::testing::ValuesIn(gfxtest::kConfigs), gfxtest::ConfigName);

}  // namespace
