// The screen harness follows the screens as the scene manager does: a screen that leaves is
// replaced on the next frame by the one it chose, and the requests sent to the main window are
// answered and recorded.
#include <gtest/gtest.h>

#include "core/MainWindowRequests.h"
#include "scenes/SceneFactory.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"
#include "support/ScreenHarness.h"

namespace {

// A screen that plays sound 1 and leaves for the stage play when button 1 is pressed.
class LeavingScreen : public cScene {
public:
    LeavingScreen() { SetStates<LeavingScreen>({&LeavingScreen::Wait}); }
    void Main() override { RunFrame(3); }
    void Wait()
    {
        if (Input[0].wButton & 1) {
            PlaySE(1);
            SceneFlow().m_nNextScene = SCENE_STAGE;
            LeaveScreen(SCENE_TITLE);
        }
    }
};

cScene* CreateLeaving()
{
    return new LeavingScreen();
}

TEST(ScreenHarnessTest, FollowsTheScreenChosenAndRecordsTheRequests)
{
    testsupport::ScreenHarness harness;
    ASSERT_TRUE(harness.Loaded());
    SetSceneCreator(SCENE_TITLE, CreateLeaving);
    harness.SetScript({{0, 0}, {0, 0}, {0, 1}});

    ASSERT_TRUE(harness.RunUntil(SCENE_TITLE, -1, 1));
    EXPECT_FALSE(harness.RunUntil(SCENE_STAGE, -1, 2));
    ASSERT_TRUE(harness.RunUntil(SCENE_STAGE, STAGESTATE_START, 10));
    EXPECT_EQ(harness.Sounds(), std::vector<int>{1});
    EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_TITLE);
    EXPECT_EQ(harness.Requests(WM_LOADSTAGEFILE), 0);
}

}  // namespace
