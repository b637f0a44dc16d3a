// The states of the stage-play screen: the start banners' timing in frames, the pause menu with
// its entries, continue, cancel, retry and quit, the stage-clear display's wait, the miss menu
// and the game-over display.
#include "StageFixture.h"

#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "stage/StageShellFlags.h"

namespace stagetest {
namespace {

class StageStates : public StageFixture {
protected:
    // Frames from the start banners (state 1) until play (state 2) begins, counting the frame
    // that enters play.
    int FramesToPlay()
    {
        for (int frame = 1; frame <= 400; ++frame) {
            harness->RunFrames(1);
            if (Scene().m_nState == STAGESTATE_PLAY) {
                return frame;
            }
        }
        return -1;
    }
    // Enters a state directly, as the stage would (sub-state 0).
    void Put(int nState, int nSaved = STAGESTATE_PLAY)
    {
        Scene().m_nState = nState;
        Scene().m_nSubState = 0;
        Scene().m_nSavedState = nSaved;
        Scene().m_nSavedSubState = 0;
    }
    // Runs one frame of pad input.
    void Frame(SHORT buttons, SHORT dir = 0)
    {
        harness->SetScript({testsupport::PadFrame{dir, buttons}});
        harness->RunFrames(1);
    }
};

TEST_F(StageStates, StartBannersLast79FramesEach)
{
    struct Case {
        const char* name;
        int stageBanner;
        int readyBanner;
        int gameMode;
        int testDirect;
        int framesToPlay;
    };
    const Case cases[] = {
        {"both banners", 1, 1, 0, 0, 159},
        {"stage banner only", 1, 0, 0, 0, 80},
        {"second banner only", 0, 1, 0, 0, 80},
        {"no banner", 0, 0, 0, 0, 1},
        {"replay: its own banner only", 0, 0, 4, 0, 80},
        {"test play of a single stage", 1, 1, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spec = testsupport::MinimalGame();
        SetHeader("m_bStartBanner", c.stageBanner);
        SetHeader("m_bReadyBanner", c.readyBanner);
        ASSERT_TRUE(Load());
        harness->Flow().m_nGameMode = c.gameMode;
        StageShell.bTestPlay = c.testDirect;
        StageShell.bDirectPlay = c.testDirect;
        ASSERT_TRUE(harness->Enter());
        EXPECT_EQ(FramesToPlay(), c.framesToPlay);
        EXPECT_EQ(Scene().m_nBannerCount, 0);
        harness.reset();
    }
}

TEST_F(StageStates, SpaceOpensThePauseMenuAndContinueResumesWithTheButtonsLatched)
{
    SetHeader("m_bReadyBanner", 0);
    ASSERT_TRUE(LoadAndEnter());
    harness->RunFrames(3);
    ASSERT_EQ(Scene().m_nState, STAGESTATE_PLAY);
    const int playFrames = Scene().m_nFrame;
    SetKeyState(VK_SPACE, true);
    harness->RunFrames(1);
    SetKeyState(VK_SPACE, false);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PAUSE);
    EXPECT_EQ(Scene().m_nSavedState, STAGESTATE_PLAY);
    EXPECT_EQ(Scene().m_nFrame, playFrames);  // the pausing frame runs no play
    EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{4});

    Frame(0);  // the menu opens on "continue"
    EXPECT_EQ(MenuCursor.m_pCur->nRow, 1);
    harness->RunFrames(5);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PAUSE) << "the play stands still while paused";
    EXPECT_EQ(Scene().m_nFrame, playFrames);

    // Continue with button 1 held on: play resumes, and the held button does nothing in play
    // until it has been released once.
    harness->SetScript({{0, BUTTON_DECIDE}, {0, BUTTON_DECIDE}, {0, BUTTON_DECIDE}, {0, 0}, {0, BUTTON_DECIDE}});
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PLAY);
    EXPECT_EQ(Scene().m_bButtonLatch, 1);
    harness->RunFrames(2);
    EXPECT_EQ(Input[0].wButton, 0) << "the held button is discarded";
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_bButtonLatch, 0);
    harness->RunFrames(1);
    EXPECT_EQ(Input[0].wButton, BUTTON_DECIDE) << "a new press counts";
}

TEST_F(StageStates, PauseMenuOffersRetryByPlayKind)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        const char* name;
        int playKind;
        int storySetting;
        int stageCleared;
        int entries;
    };
    const Case cases[] = {
        {"free play always", cSaveData::kPlayFree, 0, 0, 3},
        {"story, stage not cleared", cSaveData::kPlayStory, 1, 0, 2},
        {"story, cleared, setting on", cSaveData::kPlayStory, 1, 1, 3},
        {"story, cleared, setting off", cSaveData::kPlayStory, 0, 1, 2},
        {"replay playback", 3, 1, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        harness->Flow().m_nPlayKind = c.playKind;
        SystemData.bPauseRetryStory = c.storySetting;
        SaveData.nStageNo = 5;
        SaveData.StageClear[5] = c.stageCleared;
        EXPECT_EQ(Scene().PauseMenuEntries(), c.entries);
    }
}

TEST_F(StageStates, PauseMenuChoices)
{
    struct Case {
        const char* name;
        int playKind;  // free: three entries; story (not cleared): two
        int directPlay;
        int savedState;
        int savedSubState;
        SHORT dir;  // moves from the opening row 1
        SHORT button;
        int state;
        int subState;
        int nextScene;
        int closes;
        std::vector<WPARAM> sounds;
    };
    const Case cases[] = {
        {"continue", cSaveData::kPlayFree, 0, STAGESTATE_CLEAR, 1, 0, BUTTON_DECIDE, STAGESTATE_CLEAR, 1, -1, 0, {1}},
        {"quit",
         cSaveData::kPlayFree,
         0,
         STAGESTATE_PLAY,
         0,
         DIR_UP,
         BUTTON_DECIDE,
         STAGESTATE_FADEOUT,
         0,
         SCENE_TITLE,
         0,
         {1}},
        {"quit in direct play",
         cSaveData::kPlayFree,
         1,
         STAGESTATE_PLAY,
         0,
         DIR_UP,
         BUTTON_DECIDE,
         STAGESTATE_FADEOUT,
         1,
         -1,
         1,
         {1}},
        {"quit from two entries in direct play",
         cSaveData::kPlayStory,
         1,
         STAGESTATE_PLAY,
         0,
         DIR_UP,
         BUTTON_DECIDE,
         STAGESTATE_FADEOUT,
         0,
         SCENE_TITLE,
         0,
         {1}},
        {"cancel from three entries",
         cSaveData::kPlayFree,
         0,
         STAGESTATE_CLEAR,
         1,
         0,
         BUTTON_CANCEL,
         STAGESTATE_CLEAR,
         1,
         -1,
         0,
         {2}},
        {"cancel from two entries restarts the display",
         cSaveData::kPlayStory,
         0,
         STAGESTATE_CLEAR,
         1,
         0,
         BUTTON_CANCEL,
         STAGESTATE_CLEAR,
         0,
         -1,
         0,
         {2}},
        {"down wraps from continue to quit in two entries",
         cSaveData::kPlayStory,
         0,
         STAGESTATE_PLAY,
         0,
         DIR_DOWN,
         BUTTON_DECIDE,
         STAGESTATE_FADEOUT,
         0,
         SCENE_TITLE,
         0,
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spec = testsupport::MinimalGame();
        ASSERT_TRUE(LoadAndEnter());
        harness->Flow().m_nPlayKind = c.playKind;
        harness->Flow().m_nNextScene = -1;
        SystemData.bPauseRetryStory = 0;
        StageShell.bDirectPlay = c.directPlay;
        Put(STAGESTATE_PAUSE, c.savedState);
        Scene().m_nSavedSubState = c.savedSubState;
        Frame(0);  // opens on row 1
        RecordedSounds().clear();
        if (c.dir != 0) {
            Frame(0, c.dir);
        }
        Frame(c.button);
        EXPECT_EQ(Scene().m_nState, c.state);
        EXPECT_EQ(Scene().m_nSubState, c.subState);
        EXPECT_EQ(harness->Flow().m_nNextScene, c.nextScene);
        EXPECT_EQ(TakePosted(WM_CLOSE), c.closes);
        EXPECT_EQ(RecordedSounds(), c.sounds);
        harness.reset();
        StageShell.Reset();
    }
}

TEST_F(StageStates, PauseRetrySetsTheStageUpAgainAndShowsTheBanners)
{
    ASSERT_TRUE(LoadAndEnter());
    harness->Flow().m_nPlayKind = cSaveData::kPlayFree;
    ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 200));
    harness->RunFrames(10);
    ASSERT_GT(Scene().m_nFrame, 0);
    Put(STAGESTATE_PAUSE);
    Frame(0);
    Frame(0, DIR_DOWN);  // row 2: retry
    Frame(BUTTON_DECIDE);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_START);
    EXPECT_EQ(Scene().m_nFrame, 0);
    EXPECT_EQ(Scene().m_nSubStepTotal, 0);
    EXPECT_EQ(Scene().m_bButtonLatch, 1);
}

TEST_F(StageStates, ClearDisplayWaitsFiftyFramesWithTheCaptionAndNoneWithout)
{
    struct Case {
        const char* name;
        int caption;
        int autoAdvance;
        SHORT button;
        int leavesOnFrame;
    };
    const Case cases[] = {
        {"caption: the key counts from frame 51", 1, 0, BUTTON_DECIDE, 51},
        {"no caption: the first frame takes the key", 0, 0, BUTTON_DECIDE, 1},
        {"auto advance leaves without a key", 1, 1, 0, 51},
        {"auto advance without caption", 0, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spec = testsupport::MinimalGame();
        SetHeader("m_bClearCaption", c.caption);
        SetHeader("m_bSkipResults", c.autoAdvance);
        ASSERT_TRUE(LoadAndEnter());
        Put(STAGESTATE_CLEAR);
        int left = -1;
        for (int frame = 1; frame <= 100 && left < 0; ++frame) {
            Frame(frame % 2 == 1 ? c.button : 0);  // fresh presses on odd frames
            if (Scene().m_nState == STAGESTATE_FADEOUT) {
                left = frame;
            }
        }
        // The key is pressed on odd frames only; 51 and 1 are odd.
        EXPECT_EQ(left, c.leavesOnFrame);
        harness.reset();
    }
}

TEST_F(StageStates, SpaceDuringTheClearAndGameOverDisplaysOpensThePause)
{
    for (int state : {STAGESTATE_CLEAR, STAGESTATE_GAMEOVER}) {
        SCOPED_TRACE(state);
        spec = testsupport::MinimalGame();
        ASSERT_TRUE(LoadAndEnter());
        Put(state);
        harness->RunFrames(3);
        const int sub = Scene().m_nSubState;
        SetKeyState(VK_SPACE, true);
        harness->RunFrames(1);
        SetKeyState(VK_SPACE, false);
        EXPECT_EQ(Scene().m_nState, STAGESTATE_PAUSE);
        EXPECT_EQ(Scene().m_nSavedState, state);
        EXPECT_EQ(Scene().m_nSavedSubState, sub);
        harness.reset();
    }
}

TEST_F(StageStates, MissMenuRetriesOrGoesBackToTheMap)
{
    struct Case {
        const char* name;
        SHORT dir;
        int state;
        int nextScene;
        int leftAfterMiss;  // the save data's flag the world map reads on return
    };
    for (const Case& c :
         {Case{"retry", 0, STAGESTATE_START, -1, 0}, Case{"map", DIR_DOWN, STAGESTATE_FADEOUT, SCENE_WORLDMAP, 1}}) {
        SCOPED_TRACE(c.name);
        spec = testsupport::MinimalGame();
        ASSERT_TRUE(LoadAndEnter());
        harness->Flow().m_nNextScene = -1;
        SaveData.bMapEntered = 0;
        Put(STAGESTATE_MISS);
        Frame(0);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, 0);
        if (c.dir != 0) {
            Frame(0, c.dir);
        }
        Frame(BUTTON_CANCEL);  // no cancel in this menu
        EXPECT_EQ(Scene().m_nState, STAGESTATE_MISS);
        Frame(0);
        Frame(BUTTON_DECIDE);
        EXPECT_EQ(Scene().m_nState, c.state);
        EXPECT_EQ(harness->Flow().m_nNextScene, c.nextScene);
        EXPECT_EQ(SaveData.bMapEntered, c.leftAfterMiss);
        harness.reset();
    }
}

TEST_F(StageStates, GameOverLeavesForTheTitleOnButtonOne)
{
    ASSERT_TRUE(LoadAndEnter());
    harness->Flow().m_nNextScene = -1;
    Put(STAGESTATE_GAMEOVER);
    harness->RunFrames(10);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_GAMEOVER);
    Frame(BUTTON_DECIDE);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_FADEOUT);
    EXPECT_EQ(harness->Flow().m_nNextScene, SCENE_TITLE);
    EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{1});
}

TEST_F(StageStates, ACloseRequestDuringPlayClosesTheProgram)
{
    SetHeader("m_bReadyBanner", 0);
    ASSERT_TRUE(LoadAndEnter());
    harness->RunFrames(2);
    const int frames = Scene().m_nFrame;
    Scene().m_bQuit = 1;
    harness->RunFrames(1);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    EXPECT_EQ(Scene().m_nFrame, frames);
}

}  // namespace
}  // namespace stagetest
