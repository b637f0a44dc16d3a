// Stage sizes at stage set-up: a stage at the loader's bound is set up and played; a size that
// reaches the set-up without the loader (a stage changed in memory) gets no map and closes in
// order instead of writing past the map.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"

namespace stagetest {
namespace {

class StageSizeTest : public StageFixture {
protected:
    // Loads the minimal stage, then gives Stage and StageBackup the size, as a command or a
    // replay could, past the loader's check.
    bool LoadWithSize(int width, int height)
    {
        if (!Load()) {
            return false;
        }
        Stage.m_nWidth = width;
        Stage.m_nHeight = height;
        StageBackup.m_nWidth = width;
        StageBackup.m_nHeight = height;
        return true;
    }
};

TEST_F(StageSizeTest, AStageAtTheBoundIsSetUpAndPlayed)
{
    struct Case {
        const char* what;
        int width, height;
        std::size_t cells;  // row pitch (power of two above width + 19) x (height + 20)
    };
    const Case cases[] = {
        {"one screen", 20, 15, 64u * 35u},
        {"the bound: 16364 x 44", 16364, 44, 16384u * 64u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetHeader("m_nWidth", c.width);
        SetHeader("m_nHeight", c.height);
        SetHeader("m_bReadyBanner", 0);
        ASSERT_TRUE(LoadAndEnter());
        EXPECT_EQ(StageMap.size(), c.cells);
        ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 3));
        harness->RunFrames(10);
        EXPECT_GE(Scene().m_nFrame, 10);
        EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    }
}

TEST_F(StageSizeTest, SizesOutsideTheBoundGetNoMapAndClose)
{
    struct Case {
        const char* what;
        int width, height;
    };
    const Case cases[] = {
        {"width 0", 0, 15},
        {"negative height", 20, -1},
        {"one column below a screen", 19, 15},
        {"one row above the bound", 1004, 1005},
        {"40000 x 65517", 40000, 65517},
        {"height 2^20", 20, 1 << 20},
        {"width 0x7fffffff", 0x7fffffff, 15},
        {"height 0x7fffffff", 20, 0x7fffffff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(LoadWithSize(c.width, c.height));
        EXPECT_FALSE(harness->Enter());
        EXPECT_TRUE(StageMap.empty());
        EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    }
}

}  // namespace
}  // namespace stagetest
