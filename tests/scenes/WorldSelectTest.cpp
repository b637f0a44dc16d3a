// The world select: the worlds offered, paging and the position kept across visits, the first
// stage file of a world, a world that cannot be read, a world started, the ranking shown and its
// genre switched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "SampleGame.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "platform/win/MessageBox.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "scenes/cSceneWorldSelect.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/ranking/cRanking.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"

namespace {

using namespace menukeys;
using testsupport::GameSpec;

constexpr int kChallenge = 1;

// "data\stg4\c" + the world number in (at least) two digits + "-1.stg4".
std::string FirstStageOf(int world)
{
    char name[64];
    std::snprintf(name, sizeof(name), "data\\stg4\\c%02d-1.stg4", world);
    return name;
}

// The sample game with the challenge worlds given (their first stages a copy of its first stage)
// and no others.
GameSpec ChallengeGame(const std::vector<int>& worlds)
{
    GameSpec spec = testsupport::SampleGame();
    const testsupport::StageSpec stage = spec.stages.front().stage;
    std::erase_if(spec.stages,
                  [](const testsupport::StageFileSpec& s) { return s.path.rfind("data\\stg4\\c", 0) == 0; });
    for (int world : worlds) {
        spec.stages.push_back({FirstStageOf(world), 0, stage});
    }
    return spec;
}

// The screen's state for a test: a fresh challenge record, the challenge as the play kind.
void StartChallenge(int fixedWorlds, int worldCount, int opened)
{
    SystemData.bFixedWorldCount = fixedWorlds;
    SystemData.nWorldCount = worldCount;
    SaveData.Reset();
    SaveData.Validate();
    SaveData.nWorldOpen = opened;
    SceneFlow().m_nPlayKind = kChallenge;
    ClearRecordedMessageBoxes();
}

// Enters the world select afresh and runs its first frame (set-up and fade-in).
cSceneWorldSelect& EnterSelect(testsupport::ScreenHarness& harness)
{
    harness.Enter(SCENE_WORLDSELECT);
    harness.SetScript({});
    harness.RunFrames(1);
    harness.ClearRecords();
    auto* screen = dynamic_cast<cSceneWorldSelect*>(harness.Current());
    EXPECT_NE(screen, nullptr);
    return *screen;
}

TEST(WorldSelectTest, FirstStageFileOfAWorld)
{
    EXPECT_EQ(WorldStageFileName(1), "data\\stg4\\c01-1.stg4");
    EXPECT_EQ(WorldStageFileName(12), "data\\stg4\\c12-1.stg4");
    EXPECT_EQ(WorldStageFileName(100), "data\\stg4\\c100-1.stg4");
}

TEST(WorldSelectTest, OffersTheOpenedWorldsOrAllOfThem)
{
    testsupport::ScreenHarness harness(ChallengeGame({}));
    ASSERT_TRUE(harness.Loaded());
    struct Case {
        const char* name;
        int fixed;
        int worldCount;
        int opened;
        int rememberedTop;  // the scroll kept from an earlier visit
        int count;
        int visible;
        int top;
    };
    const Case cases[] = {
        {"fresh record", 0, 40, 1, 0, 1, 1, 0},
        {"twelve opened", 0, 40, 12, 0, 12, 10, 0},
        {"all open", 1, 25, 1, 0, 25, 10, 0},
        {"all open, scrolled", 1, 25, 1, 15, 25, 10, 15},
        // A record started again offers fewer worlds than the remembered scroll passed.
        {"fewer than remembered", 0, 40, 3, 9, 3, 3, 0},
        {"fewer than remembered, a page", 0, 40, 14, 12, 14, 10, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartChallenge(c.fixed, c.worldCount, c.opened);
        SceneFlow().m_nSelectWorld = c.rememberedTop;
        SceneFlow().m_nSelectWorldTop = c.rememberedTop;
        cSceneWorldSelect& screen = EnterSelect(harness);
        EXPECT_EQ(screen.m_nState, WORLDSELECT_LIST);
        harness.RunFrames(1);
        EXPECT_EQ(screen.m_nCount, c.count);
        EXPECT_EQ(screen.m_nVisible, c.visible);
        EXPECT_EQ(screen.m_nTop, c.top);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, std::min(c.rememberedTop, c.count - 1));
        // The list ends at its last world.
        Press(harness, {Dir(DIR_RIGHT), Dir(DIR_RIGHT), Dir(DIR_RIGHT), Dir(DIR_DOWN)});
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.count - 1);
    }
}

TEST(WorldSelectTest, StartsAWorldAndKeepsThePositionForTheNextVisit)
{
    testsupport::ScreenHarness harness(ChallengeGame({2, 10}));
    ASSERT_TRUE(harness.Loaded());
    struct Case {
        const char* name;
        std::vector<Key> keys;
        int unlimited;
        int lives;
        int world;
        int top;
        int startLives;
        int stock;
    };
    const Case cases[] = {
        {"second world", {Dir(DIR_DOWN), Button(BUTTON_DECIDE)}, 0, 3, 2, 0, 3, 2},
        // A page right from the top shows worlds 10 to 19 with the cursor on world 10.
        {"a page on",
         {Dir(DIR_RIGHT), Button(BUTTON_DECIDE)},
         1,
         3,
         10,
         9,
         cSaveData::kUnlimitedLives,
         cSaveData::kUnlimitedLives},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartChallenge(1, 25, 1);
        SystemData.UnlimitedLivesTable[kChallenge] = c.unlimited;
        SystemData.LivesTable[kChallenge] = c.lives;
        SceneFlow().m_nSelectWorld = 0;
        SceneFlow().m_nSelectWorldTop = 0;
        EnterSelect(harness);
        Press(harness, c.keys);
        for (int i = 0; i < 4 && SceneFlow().m_nScene == SCENE_WORLDSELECT; ++i) {
            harness.RunFrames(1);
        }
        EXPECT_EQ(SceneFlow().m_nScene, SCENE_STAGE);
        EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDSELECT);
        EXPECT_EQ(harness.Sounds(), std::vector<int>{SE_DECIDE});
        EXPECT_EQ(SaveData.nStageNo, c.world);
        EXPECT_EQ(SaveData.nWorldStage, 1);
        EXPECT_EQ(SaveData.bWorldRun, 1);
        char key[64];
        std::snprintf(key, sizeof(key), "data\\stg4\\c%02d.", c.world);
        EXPECT_EQ(SaveData.strStage, key);
        EXPECT_EQ(SaveData.nStartLives, c.startLives);
        EXPECT_EQ(SaveData.nLives, c.stock);

        cSceneWorldSelect& again = EnterSelect(harness);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.world - 1);
        EXPECT_EQ(again.m_nTop, c.top);
    }
}

TEST(WorldSelectTest, AWorldThatCannotBeReadKeepsTheList)
{
    testsupport::ScreenHarness harness(ChallengeGame({}));
    ASSERT_TRUE(harness.Loaded());
    StartChallenge(1, 25, 1);
    cSceneWorldSelect& screen = EnterSelect(harness);
    Press(harness, {Button(BUTTON_DECIDE)});

    EXPECT_EQ(harness.Sounds(), std::vector<int>{SE_NOTICE});
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("ステージファイル data\\stg4\\c01-1.stg4 が読み込めません！"));
    EXPECT_EQ(harness.TakePosted(WM_CLOSE), 0);
    EXPECT_EQ(SceneFlow().m_nScene, SCENE_WORLDSELECT);
    EXPECT_EQ(screen.m_nState, WORLDSELECT_LIST);
    Press(harness, {Dir(DIR_DOWN)});
    EXPECT_EQ(MenuCursor.m_pCur->nRow, 1);
}

TEST(WorldSelectTest, RankingToggleAndGenre)
{
    testsupport::ScreenHarness harness(ChallengeGame({}));
    ASSERT_TRUE(harness.Loaded());
    struct Case {
        const char* name;
        int rankings;  // the challenge keeps rankings
        std::vector<int> genres;
        int shownBefore;
        SHORT button;
        int shownAfter;
        int genreAfter;
        int genreSounds;
    };
    const Case cases[] = {
        // Without rankings in the challenge a toggle left on is cleared, silently.
        {"off, toggle", 0, {1, 1, 0, 0, 0}, 1, BUTTON_3, 0, 0, 0},
        {"on, toggle", 1, {1, 1, 0, 0, 0}, 0, BUTTON_3, 1, 0, 1},
        {"on, toggle back", 1, {1, 1, 0, 0, 0}, 1, BUTTON_3, 0, 0, 1},
        {"on, next genre", 1, {1, 0, 1, 0, 0}, 1, BUTTON_4, 1, 2, 1},
        // One genre enabled: nothing to switch to.
        {"on, one genre", 1, {1, 0, 0, 0, 0}, 1, BUTTON_4, 1, 0, 0},
        {"off, genre", 0, {1, 1, 0, 0, 0}, 1, BUTTON_4, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartChallenge(1, 25, 1);
        SystemData.RankingRows[kChallenge].bEnabled = c.rankings;
        for (int g = 0; g < cRankingRow::kGenreCount; ++g) {
            SystemData.RankingRows[kChallenge].GenreFlags[g] = static_cast<std::uint8_t>(c.genres[g]);
        }
        SaveData.bRankingShow = c.shownBefore;
        SaveData.nRankingKind = 0;
        EnterSelect(harness);
        Press(harness, {Button(c.button)});
        EXPECT_EQ(SaveData.bRankingShow, c.shownAfter);
        EXPECT_EQ(SaveData.nRankingKind, c.genreAfter);
        EXPECT_EQ(std::count(harness.Sounds().begin(), harness.Sounds().end(), SE_GENRE), c.genreSounds);
    }
}

TEST(WorldSelectTest, ShowsTheRankingTheWorldsFirstStageKeeps)
{
    testsupport::ScreenHarness harness(ChallengeGame({1}));
    ASSERT_TRUE(harness.Loaded());
    StartChallenge(1, 25, 1);
    SceneFlow().m_bRanking = 1;
    // The ranking belongs to the stage's own name, whichever numbered variant the play read.
    Ranking.Reset();
    Ranking.m_Tables[RANKING_SCORE].Insert("ABC", 4321);
    ASSERT_EQ(Ranking.SaveFile(kChallenge, "c01-1.stg4"), 1);
    Ranking.Reset();

    EnterSelect(harness);
    const cRankingEntry& best = Ranking.m_Tables[RANKING_SCORE].m_Entries[0];
    EXPECT_EQ(best.bValid, 1);
    EXPECT_EQ(best.nValue, 4321);
}

}  // namespace
