// The stage end: the play time and the time limit, lives, the run's totals with their extra
// lives, the end of the player's death, and the screen that follows a cleared stage by game mode,
// numbered world and the world-map entry's clear action.
#include "StageFixture.h"

#include <filesystem>
#include <functional>

#include "definitions/cEdStage.h"
#include "graphics/FrameTiming.h"
#include "objects/StageObjects.h"
#include "platform/win/Threads.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"

namespace stagetest {
namespace {

constexpr int kUnlimited = 999999;

unsigned RunCallProc(void* lpParam)
{
    (*static_cast<std::function<void()>*>(lpParam))();
    return 0;
}

class StageEnd : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        StageShell.Reset();
    }
    void TearDown() override
    {
        StageShell.Reset();
        StageFixture::TearDown();
    }
    // Runs call on a game thread of its own while this thread, the main window's, serves the
    // requests sent to it, as the program's threads do.
    static void OnGameThread(std::function<void()> call)
    {
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunCallProc, &call, 0, &id);
        ASSERT_NE(game, nullptr);
        while (WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
    }
    static int Count(const std::vector<WPARAM>& sounds, WPARAM n)
    {
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), n));
    }
};

TEST_F(StageEnd, PlayTimeCountsHundredthsOfSixtyFramesAndStopsAt99_59_99)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        int frames;  // m_nPlayFrames before
        int calls;
    };
    const Case cases[] = {{0, 1}, {0, 2}, {0, 60}, {0, 91}, {359990, 5}, {359998, 3}};
    for (const Case& c : cases) {
        Scene().m_nPlayFrames = c.frames;
        Scene().m_nPlayTime = c.frames * 100 / 60;
        for (int i = 0; i < c.calls; ++i) {
            Scene().CountPlayTime();
        }
        // Frames stop counting in the call that reaches the cap.
        int frames = c.frames;
        int time = frames * 100 / 60;
        for (int i = 0; i < c.calls && time < 599999; ++i) {
            ++frames;
            time = std::min(frames * 100 / 60, 599999);
        }
        EXPECT_EQ(Scene().m_nPlayTime, time) << c.frames << " + " << c.calls;
        EXPECT_EQ(Scene().m_nPlayFrames, frames) << c.frames << " + " << c.calls;
    }
    Scene().m_nPlayFrames = 0;
    Scene().m_nPlayTime = 0;
    Scene().CountPlayTime();
    Scene().CountPlayTime();
    EXPECT_EQ(Scene().m_nPlayTime, 3);  // 100 / 60 per frame: 1, then 3
}

TEST_F(StageEnd, TheTimeLimitCountsOnceEverySixtyPlayFrames)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        int noLimit;
        int time;
        int step;
        int frames;
        int expectTime;
        int upAtFrame;  // first frame whose result is 1; 0 none
    };
    const Case cases[] = {
        {0, 5, -1, 59, 5, 0},   {0, 5, -1, 60, 4, 0},    {0, 5, -1, 180, 2, 0},
        {0, 1, -1, 120, 0, 60}, {0, 999, 1, 60, 999, 0}, {1, 5, -1, 180, 5, 0},
    };
    for (const Case& c : cases) {
        CheckOneSecond(0, 60);
        Scene().m_bNoTimeLimit = c.noLimit;
        Scene().m_nTime = c.time;
        int upAt = 0;
        for (int f = 1; f <= c.frames; ++f) {
            if (Scene().CountTimeLimit(c.step) && upAt == 0) {
                upAt = f;
            }
        }
        EXPECT_EQ(Scene().m_nTime, c.expectTime) << c.time << " over " << c.frames;
        EXPECT_EQ(upAt, c.upAtFrame) << c.time << " over " << c.frames;
    }
}

TEST_F(StageEnd, PlayFramesCountTheTimeAndTheHeroDiesWhenItRunsOut)
{
    SetHeader("m_bReadyBanner", 0);
    SetHeader("m_bTimeLimit", 1);
    SetHeader("m_nTimeLimit", 1);
    SetHeader("m_dGravity", 0.0);  // the hero stays where it stands
    ASSERT_TRUE(LoadAndEnter());
    harness->RunFrames(1);  // enters play
    ASSERT_EQ(Scene().m_nState, STAGESTATE_PLAY);
    harness->RunFrames(59);
    EXPECT_EQ(Player[P1].dying, 0);
    EXPECT_EQ(Scene().m_nTime, 1);
    EXPECT_EQ(Scene().m_nPlayTime, 59 * 100 / 60);
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nTime, 0);
    EXPECT_EQ(Player[P1].dying, 1);
    EXPECT_EQ(Count(RecordedSounds(), 8), 1);
}

TEST_F(StageEnd, ALifeIsUsedPerDeath)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        int direct;
        int lives;
        int result;
        int livesAfter;
    };
    const Case cases[] = {{1, 0, 1, 0}, {0, kUnlimited, 1, kUnlimited}, {0, 3, 1, 2}, {0, 1, 1, 0}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        StageShell.bDirectPlay = c.direct;
        cSaveData save;
        save.nLives = c.lives;
        EXPECT_EQ(Scene().ConsumeLife(save), c.result) << c.lives;
        EXPECT_EQ(save.nLives, c.livesAfter) << c.lives;
    }
}

TEST_F(StageEnd, TotalsGrowAndEachPassedScoreStepGivesALife)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        const char* name;
        int runScore;
        int stageScore;
        int noLimit;
        int extraOn;
        int step;
        int lives;
        int expectLives;
    };
    const Case cases[] = {
        {"no extra lives", 900, 2200, 0, 0, 1000, 5, 5},
        {"three steps passed", 900, 2200, 0, 1, 1000, 5, 8},
        {"no step passed", 1000, 999, 0, 1, 1000, 5, 5},
        {"capped at 99", 0, 2000, 1, 1, 1000, 98, 99},
        {"lives above 99 come down to 99", 0, 1000, 0, 1, 1000, 150, 99},
        {"unlimited lives", 0, 5000, 0, 1, 1000, kUnlimited, kUnlimited},
        {"step 0", 0, 5000, 0, 1, 0, 5, 5},
        {"a run score at the top of the range stays there", 2147483000, 5000, 0, 0, 1000, 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedSounds().clear();
        SaveData.nRunScore = c.runScore;
        SaveData.nTotalScore = c.stageScore;
        SaveData.nRunValue1 = 10;
        SaveData.nRunValue2 = 20;
        SaveData.nRunValue3 = 30;
        SaveData.nRunValue4 = 40;
        SaveData.nLives = c.lives;
        SystemData.bExtraLifeByScore = c.extraOn;
        SystemData.nExtraLifeScore = c.step;
        Scene().m_bNoTimeLimit = c.noLimit;
        Scene().m_nTime = 77;
        Scene().m_nPlayTime = 1234;
        Player[P1].hp = 7;
        Player[P1].sp = 3;
        const int polls = harness->Flow().Polls();
        int announced = -1;
        OnGameThread([&] { announced = Scene().AddStageTotals(); });

        const long long sum = static_cast<long long>(c.runScore) + c.stageScore;
        const int run = sum > 2147483647 ? 2147483647 : static_cast<int>(sum);
        EXPECT_EQ(SaveData.nRunScore, run);
        EXPECT_EQ(SaveData.nRunValue1, c.noLimit ? 10 : 10 + 77);
        EXPECT_EQ(SaveData.nRunValue2, 20 + 1234);
        EXPECT_EQ(SaveData.nRunValue3, 30 + 7);
        EXPECT_EQ(SaveData.nRunValue4, 40 + 3);
        EXPECT_EQ(SaveData.nLives, c.expectLives);
        const bool bLives = c.extraOn && c.step != 0 && c.lives != kUnlimited;
        const int expectAnnounced = bLives ? run / c.step - c.runScore / c.step : 0;
        EXPECT_EQ(announced, expectAnnounced);
        EXPECT_EQ(Count(RecordedSounds(), 15), expectAnnounced);
        // Each notice holds the frozen stage for a 30-frame wait (31 polls).
        EXPECT_EQ(harness->Flow().Polls() - polls, 31 * expectAnnounced);
    }
}

TEST_F(StageEnd, TheEndOfTheDeathRetriesOpensTheMissMenuOrEndsTheGame)
{
    struct Case {
        const char* name;
        int gameMode;
        int playKind;
        int missMenu;
        int lives;
        int state;
        int livesAfter;
    };
    const Case cases[] = {
        {"replay: restart with the retry point's lives", 4, 3, 0, 0, STAGESTATE_START, 3},
        {"last life used: game over", 0, 0, 1, 0, STAGESTATE_GAMEOVER, 0},
        {"story with the miss menu", 0, 0, 1, 2, STAGESTATE_MISS, 1},
        {"story without it: retry", 0, 0, 0, 2, STAGESTATE_START, 1},
        {"free play: retry", 3, 2, 1, 1, STAGESTATE_START, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        spec = testsupport::MinimalGame();
        ASSERT_TRUE(Load());
        harness->Flow().m_nGameMode = c.gameMode;
        harness->Flow().m_nPlayKind = c.playKind;
        ASSERT_TRUE(harness->Enter());
        SystemData.bStoryMissMenu = c.missMenu;
        SaveData.nRetryLives = 3;
        SaveData.nLives = c.lives;
        Scene().m_nState = STAGESTATE_PLAY;
        Scene().EndPlayerDeath();
        EXPECT_EQ(Scene().m_nState, c.state);
        EXPECT_EQ(SaveData.nLives, c.livesAfter);
        harness.reset();
    }
}

class FinishStageTest : public StageEnd {
protected:
    // The world "w01": stage 1 is played; stage 2 exists (generation 3), stage 3 does not.
    bool EnterWorld(int gameMode)
    {
        spec = testsupport::MinimalGame();
        spec.stages.front().path = "data\\stg4\\w01-1.stg4";
        testsupport::StageFileSpec second = spec.stages.front();
        second.path = "data\\stg4\\w01-2.stg4";
        second.generation = 3;
        spec.stages.push_back(second);
        if (!Load()) {
            return false;
        }
        harness->Flow().m_nGameMode = gameMode;
        harness->Flow().m_nPlayKind = gameMode == 2 ? 1 : gameMode == 3 ? 2 : 0;
        if (!harness->Enter()) {
            return false;
        }
        SaveData.SetStageFile(Stage.m_strPath.c_str());
        return true;
    }
};

TEST_F(FinishStageTest, TheNextScreenFollowsTheGameModeAndTheWorld)
{
    struct Case {
        const char* name;
        int gameMode;
        int nextStage;
        int direct;
        int afterClear;
        int scene;
        int worldStage;  // after: the next stage taken, else the one played (1)
        int cleared;     // the current entry's cleared flag after
    };
    const Case cases[] = {
        {"story: the next stage of the world", 0, 2, 0, 0, SCENE_STAGE, 2, 0},
        {"story: no such stage ends the world", 0, 3, 0, 0, SCENE_WORLDMAP, 1, 1},
        {"story: next 0 ends the world", 1, 0, 0, 0, SCENE_WORLDMAP, 1, 1},
        {"story: clear action title keeps the stage number", 0, 3, 0, 2, SCENE_TITLE, 3, 1},
        {"story: clear action next lap", 0, 0, 0, 1, SCENE_WORLDMAP, 1, 0},
        {"challenge: the next stage", 2, 2, 0, 0, SCENE_STAGE, 2, 0},
        {"free, direct play: the same stage", 3, 2, 1, 0, SCENE_STAGE, 1, 0},
        {"free: the next stage", 3, 2, 0, 0, SCENE_STAGE, 2, 0},
        {"free: the world ends at the title", 3, 3, 0, 0, SCENE_TITLE, 1, 0},
        {"replay: plays again", 4, 2, 0, 0, SCENE_STAGE, 1, 0},
        {"another mode: world select", 5, 0, 0, 0, SCENE_WORLDSELECT, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(EnterWorld(c.gameMode));
        StageShell.bDirectPlay = c.direct;
        cWorldStage entry;
        entry.nAfterClear = c.afterClear;
        SaveData.nMapEntry = &entry;
        SaveData.nStageNo = 5;
        SaveData.nWorldStage = 1;
        SaveData.nLap = 0;
        SaveData.bStartPos = 1;
        SaveData.nRunScore = 4321;
        SaveData.StageClear.Reset(1000);
        Scene().m_nNextStage = c.nextStage;

        EXPECT_EQ(Scene().FinishStage(), c.scene);
        EXPECT_EQ(SaveData.nWorldStage, c.worldStage);
        EXPECT_EQ(SaveData.StageClear[5], c.cleared);
        const bool bNext = c.scene == SCENE_STAGE && c.worldStage == 2;
        EXPECT_EQ(Stage.m_strPath.find("w01-2.stg4_003") != std::string::npos, bNext) << Stage.m_strPath;
        if (c.gameMode <= 1 && !bNext) {
            EXPECT_EQ(SaveData.GetHighScore(SaveData.strStage), 4321);
        }
        EXPECT_EQ(SaveData.nLap, c.afterClear == 1 ? 1 : 0);
        EXPECT_EQ(SaveData.bStartPos, c.direct ? 0 : 1);
        SaveData.nMapEntry = nullptr;
        harness.reset();
    }
}

TEST_F(FinishStageTest, AClearedChallengeKeepsItsBestOpensTheNextAndIsSaved)
{
    struct Case {
        int entry;  // current challenge, 1-based
        int best;
        int runScore;
        int open;
        int expectBest;
        int expectOpen;
        int projectCount = 3;  // challenges of the project
        int records = 3;       // records of the challenge file
    };
    const Case cases[] = {
        {1, 100, 250, 1, 250, 2},
        {2, 300, 250, 3, 300, 3},
        {3, 0, 10, 3, 10, 3},  // the last one opens no more than there are
        // A challenge file written when the project had fewer or more challenges: the project's
        // count bounds the open ones.
        {3, 0, 10, 3, 10, 4, 5, 3},
        {3, 0, 10, 3, 10, 3, 3, 5},
    };
    const int savedCount = SystemData.nWorldCount;
    for (const Case& c : cases) {
        ASSERT_TRUE(EnterWorld(2));
        std::filesystem::create_directories(harness->Folder().Host("user_data/challenge"));
        SystemData.nWorldCount = c.projectCount;
        SaveData.WorldRecord.Reset(static_cast<unsigned>(c.records));
        SaveData.WorldRecord[c.entry - 1].second = c.best;
        SaveData.nBestTotal = 1000;
        SaveData.nStageNo = c.entry;
        SaveData.nWorldOpen = c.open;
        SaveData.nRunScore = c.runScore;
        Scene().m_nNextStage = 0;

        EXPECT_EQ(Scene().FinishStage(), SCENE_WORLDSELECT);
        EXPECT_EQ(SaveData.WorldRecord[c.entry - 1].first, 1);
        EXPECT_EQ(SaveData.WorldRecord[c.entry - 1].second, c.expectBest);
        EXPECT_EQ(SaveData.nBestTotal, 1000 + c.expectBest - c.best);
        EXPECT_EQ(SaveData.nWorldOpen, c.expectOpen);
        cSaveData saved;
        ASSERT_EQ(saved.LoadFile("user_data\\challenge\\Challenge.dat"), 1);
        EXPECT_EQ(saved.nWorldOpen, c.expectOpen);
        EXPECT_EQ(saved.nBestTotal, 1000 + c.expectBest - c.best);
        harness.reset();
    }
    SystemData.nWorldCount = savedCount;
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

TEST_F(StageEnd, TheStageMusicIsAskedForByTheKeepRule)
{
    ASSERT_TRUE(LoadAndEnter());
    struct Case {
        int bMusic;
        int keep;
        int stageBgm;
        int playing;
        bool sent;
    };
    const Case cases[] = {
        {1, 0, 3, 3, true},  {1, 1, 3, 3, false}, {1, 1, 0, 0, true},  {1, 1, 3, 2, true},
        {0, 0, 3, 3, false}, {0, 0, 3, 2, true},  {0, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        RecordedMusic().clear();
        Stage.m_nBgm = c.stageBgm;
        Stage.m_bBgmKeep = c.keep;
        Stage.m_bBgmLoop = 1;
        SaveData.nStageBgm = c.playing;
        SaveData.bStageBgmLoop = 0;
        Scene().RequestStageMusic(c.bMusic != 0);
        const std::vector<std::pair<WPARAM, LPARAM>> want =
            c.sent ? std::vector<std::pair<WPARAM, LPARAM>>{{4, c.stageBgm}} : std::vector<std::pair<WPARAM, LPARAM>>{};
        EXPECT_EQ(RecordedMusic(), want) << c.bMusic << c.keep << c.stageBgm << c.playing;
        EXPECT_EQ(SaveData.bStageBgmLoop, c.sent ? 1 : 0);
    }
}

TEST_F(StageEnd, TheLastSecondsOfTheTimeLimitSoundAtEachNewSecond)
{
    SetHeader("m_bReadyBanner", 0);
    SetHeader("m_bTimeLimit", 1);
    SetHeader("m_nTimeLimit", 3);
    SetHeader("m_nTimeWarning", 2);
    SetHeader("m_dGravity", 0.0);
    ASSERT_TRUE(LoadAndEnter());
    harness->RunFrames(1);  // enters play
    // Seconds left after each 60 frames: 2 (sounds), 1 (sounds), 0 (time up, silent).
    harness->RunFrames(59);
    EXPECT_EQ(Count(RecordedSounds(), 13), 0);
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_nTime, 2);
    EXPECT_EQ(Count(RecordedSounds(), 13), 1);
    harness->RunFrames(59);
    EXPECT_EQ(Count(RecordedSounds(), 13), 1);
    harness->RunFrames(1);
    EXPECT_EQ(Count(RecordedSounds(), 13), 2);
    harness->RunFrames(60);
    EXPECT_EQ(Scene().m_nTime, 0);
    EXPECT_EQ(Count(RecordedSounds(), 13), 2);
}

}  // namespace
}  // namespace stagetest
