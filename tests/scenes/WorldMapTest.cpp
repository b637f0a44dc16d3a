// The world-map screen: which stage entry of a node is active (flag, variable comparison, minimum
// score), where a cell lies in the map, and the screen itself run frame by frame: walking,
// blocking, the stage-entry confirmation, the automatic start of a blocking stage, the return
// after a miss, the autosave after a stage and the way to the world-map menu.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "SampleGame.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "project/cRankingRow.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/WorldMapRules.h"
#include "scenes/cSceneWorldMap.h"
#include "screenbase/cMenuCursor.h"
#include "stage/ranking/cRanking.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"

namespace {

// Puts the save data back to a new game around each test.
class WorldMapRulesTest : public ::testing::Test {
protected:
    void SetUp() override { SaveData.Reset(); }
    void TearDown() override { SaveData.Reset(); }
};

struct CompareCase {
    int code;
    int v;
    int c;
    bool holds;
};

// Every comparison code on both sides of its edge, the divisibility codes with c = 0 and a negative
// v, and codes outside 0..7.
const CompareCase kCompareCases[] = {
    {0, 3, 3, true},  {0, 3, 4, false},  {1, 3, 4, true},        {1, 3, 3, false}, {2, 3, 3, true}, {2, 2, 3, false},
    {3, 3, 3, true},  {3, 4, 3, false},  {4, 4, 3, true},        {4, 3, 3, false}, {5, 2, 3, true}, {5, 3, 3, false},
    {6, 7, 0, true},  {6, -9, 3, true},  {6, 7, 3, false},       {7, 7, 0, false}, {7, 7, 3, true}, {7, -9, 3, false},
    {8, 3, 3, false}, {-1, 3, 3, false}, {6, INT_MIN, -1, true},
};

TEST_F(WorldMapRulesTest, VariableConditionFollowsTheComparisonCode)
{
    constexpr int kVar = 5;
    for (const CompareCase& k : kCompareCases) {
        SCOPED_TRACE(testing::Message() << "code " << k.code << " v " << k.v << " c " << k.c);
        EXPECT_EQ(WorldCompare(k.code, k.v, k.c), k.holds);

        cWorldNode node;
        node.Entry[0].nCondVar = kVar;
        node.Entry[0].nCondOp = k.code;
        node.Entry[0].nCondValue = k.c;
        SaveData.Var[kVar] = k.v;
        EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node) != nullptr, k.holds);
    }
}

struct EntryCase {
    const char* what;
    int needStage;  // required flag number
    int flagValue;  // that flag's value in the save data (when it exists)
    int condVar;    // variable number (condition code 0, value 0, the variable left 0)
    int needScore;
    int bestTotal;
    bool holds;
};

const EntryCase kEntryCases[] = {
    {"no requirement", 0, 0, 0, 0, 0, true},
    {"negative flag number needs nothing", -3, 0, 0, 0, 0, true},
    {"required flag not set", 12, 0, 0, 0, 0, false},
    {"required flag set", 12, 1, 0, 0, 0, true},
    {"flag number beyond the flags is never set", 5000, 1, 0, 0, 0, false},
    {"variable number beyond the variables fails", 0, 0, 300, 0, 0, false},
    {"negative variable number fails", 0, 0, -2, 0, 0, false},
    {"total score reaches the minimum", 0, 0, 0, 100, 100, true},
    {"total score below the minimum", 0, 0, 0, 101, 100, false},
};

TEST_F(WorldMapRulesTest, RequiredFlagVariableNumberAndMinimumScore)
{
    for (const EntryCase& k : kEntryCases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        if (k.needStage > 0 && k.needStage < cSaveData::kStageCount) {
            SaveData.StageClear[k.needStage] = k.flagValue;
        }
        SaveData.nBestTotal = k.bestTotal;
        cWorldNode node;
        node.Entry[0].nNeedStage = k.needStage;
        node.Entry[0].nCondVar = k.condVar;
        node.Entry[0].nNeedScore = k.needScore;
        EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node) != nullptr, k.holds);
    }
}

TEST_F(WorldMapRulesTest, FirstEntryWhoseConditionsHoldIsActive)
{
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(nullptr), nullptr);

    cWorldNode node;
    node.Entry.Reset(3);
    node.Entry[0].nNeedStage = 40;  // not cleared
    node.Entry[1].nNeedScore = 1;   // total 0
    node.Entry[2].nStageNo = 7;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), &node.Entry[2]);

    SaveData.StageClear[40] = 1;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), &node.Entry[0]);

    node.Entry[2].nNeedStage = 41;
    SaveData.StageClear[40] = 0;
    EXPECT_EQ(cSceneWorldMap::GetActiveStage(&node), nullptr);
}

TEST_F(WorldMapRulesTest, ClearedAndPassable)
{
    cWorldStage entry;
    entry.nStageNo = 9;
    EXPECT_FALSE(cSceneWorldMap::IsCleared(nullptr));
    EXPECT_FALSE(cSceneWorldMap::IsPassable(nullptr));
    EXPECT_FALSE(cSceneWorldMap::IsCleared(&entry));
    EXPECT_FALSE(cSceneWorldMap::IsPassable(&entry));
    entry.bPassable = 1;
    EXPECT_TRUE(cSceneWorldMap::IsPassable(&entry));
    entry.bPassable = 0;
    SaveData.StageClear[9] = 1;
    EXPECT_TRUE(cSceneWorldMap::IsCleared(&entry));
    EXPECT_TRUE(cSceneWorldMap::IsPassable(&entry));
    entry.nStageNo = -4;  // a clear-flag number outside the flags is never cleared
    EXPECT_FALSE(cSceneWorldMap::IsCleared(&entry));
}

TEST(WorldCellIndexTest, ClampsColumnAndRowIntoTheMap)
{
    cWorldMap map;
    ASSERT_EQ(map.SetSize(20, 15), 1);
    const int shift = map.nPitch_Shift;  // 32 columns a row: shift 5
    ASSERT_EQ(shift, 5);
    struct {
        int col, row, index;
    } const cases[] = {
        {3, 2, 3 + (2 << 5)}, {-5, 2, 0 + (2 << 5)},  {25, 2, 19 + (2 << 5)},   {3, -1, 3},
        {25, -4, 19},         {3, 40, 3 + (14 << 5)}, {19, 14, 19 + (14 << 5)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.col << ", " << k.row);
        EXPECT_EQ(WorldCellIndex(map, k.col, k.row), k.index);
    }
}

TEST(WorldCellIndexTest, ChipNumberOutsideTheChipTableIsNoChip)
{
    cWorldMap map;
    ASSERT_EQ(map.SetSize(20, 15), 1);
    map.Chip.Reset(2);
    map.Chip[1].bBlock = 1;
    map.Cell[WorldCellIndex(map, 4, 4)] = 1;
    map.Cell[WorldCellIndex(map, 5, 4)] = 2;
    map.Cell[WorldCellIndex(map, 6, 4)] = -1;
    EXPECT_EQ(WorldCellChip(map, 4, 4), &map.Chip[1]);
    EXPECT_EQ(WorldCellChip(map, 5, 4), nullptr);
    EXPECT_EQ(WorldCellChip(map, 6, 4), nullptr);
}

// The screen on a small map of its own, 10 x 6 cells of ground (chip 0) with one blocking chip:
//
//   row 1: E at (5, 1), a node whose only entry needs flag 999: no active stage, blocking chip
//   row 3: A (2, 3) uncleared stage, no pass switch     B (4, 3) stage 11, replay switch 0
//          C (6, 3) a kind-2 entry (blocks the way)
//   row 4: F (7, 4) uncleared stage whose file does not exist
//   row 5: D (4, 5) stage 13, replay switch 1
//
// A, B, D play the sample game's first stage. Tests clear stages by setting their flags.
constexpr int kMapWidth = 10;
constexpr int kMapHeight = 6;
constexpr int kMapPitch = 16;
constexpr int kStageA = 10;
constexpr int kStageB = 11;
constexpr int kStageD = 13;
constexpr const char* kStageFile = "data\\stg4\\stage1.stg4";

testsupport::WorldStageSpec Entry(int kind, int stageNo, int replay, const char* file = kStageFile)
{
    testsupport::WorldStageSpec entry;
    entry.kind = kind;
    entry.stageNo = stageNo;
    entry.replay = replay;
    entry.title = "STAGE";
    entry.file = file;
    return entry;
}

testsupport::GameSpec SmallMapGame()
{
    using testsupport::WorldNodeSpec;
    testsupport::GameSpec game = testsupport::SampleGame();
    testsupport::WorldMapSpec& map = game.worldMap;
    map.width = kMapWidth;
    map.height = kMapHeight;
    map.pitch = kMapPitch;
    map.pitchShift = 4;
    map.startX = 1;
    map.startY = 1;
    map.chips = {testsupport::WorldChipSpec{0, 0, 5, "", ""}, testsupport::WorldChipSpec{1, 1, 0, "", ""}};
    map.cells.assign(kMapPitch * kMapHeight, 0);
    map.cells[1 * kMapPitch + 5] = 1;
    testsupport::WorldStageSpec locked = Entry(0, 14, 0);
    locked.needStage = 999;
    map.nodes = {
        WorldNodeSpec{5, 1, "E", {locked}},
        WorldNodeSpec{2, 3, "A", {Entry(0, kStageA, 0)}},
        WorldNodeSpec{4, 3, "B", {Entry(0, kStageB, 0)}},
        WorldNodeSpec{6, 3, "C", {Entry(2, 12, 0)}},
        WorldNodeSpec{7, 4, "F", {Entry(0, 15, 0, "data\\stg4\\missing.stg4")}},
        WorldNodeSpec{4, 5, "D", {Entry(0, kStageD, 1)}},
    };
    return game;
}

// One harness for the whole suite (writing and loading the game is the costly part); every test
// enters the world map afresh with a new game's save data.
class WorldMapScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_harness = std::make_unique<testsupport::ScreenHarness>(SmallMapGame()); }
    static void TearDownTestSuite()
    {
        s_harness.reset();
        SaveData.Reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_harness->Loaded());
        SaveData.Reset();
        m_carryLives = SystemData.bCarryLives;
        m_unlimited = SystemData.UnlimitedLivesTable[0];
    }
    void TearDown() override
    {
        SystemData.bCarryLives = m_carryLives;
        SystemData.UnlimitedLivesTable[0] = m_unlimited;
        s_harness->TakePosted(WM_CLOSE);
    }

    // Enters the world map with the hero at (col, row), coming from screen prev, and runs its
    // first frame (Init and the fade-in, which ends at once without a back-end). script feeds
    // the frames after it.
    cSceneWorldMap& Enter(int col, int row, int prev, std::vector<testsupport::PadFrame> script = {})
    {
        SaveData.nMapX = col;
        SaveData.nMapY = row;
        SceneFlow().m_nPrevScene = prev;
        script.insert(script.begin(), testsupport::PadFrame{});
        s_harness->SetScript(std::move(script));
        s_harness->Enter(SCENE_WORLDMAP);
        s_harness->ClearRecords();
        s_harness->RunFrames(1);
        return Map();
    }
    cSceneWorldMap& Map() { return dynamic_cast<cSceneWorldMap&>(*s_harness->Current()); }
    static int Col() { return MenuCursor.m_pCur->nCol; }
    static int Row() { return MenuCursor.m_pCur->nRow; }
    void Run(int n) { s_harness->RunFrames(n); }

    static std::unique_ptr<testsupport::ScreenHarness> s_harness;
    int m_carryLives = 0;
    int m_unlimited = 0;
};

std::unique_ptr<testsupport::ScreenHarness> WorldMapScreenTest::s_harness;

struct WalkCase {
    const char* what;
    int col, row;  // start
    SHORT dir;     // pad word of the one step
    int endCol, endRow, facing;
};

const WalkCase kWalkCases[] = {
    {"left wins over up", 3, 1, DIR_LEFT | DIR_UP, 2, 1, 2},
    {"right wins over up and down", 3, 1, DIR_RIGHT | DIR_UP | DIR_DOWN, 4, 1, 3},
    {"up wins over down", 3, 2, DIR_UP | DIR_DOWN, 3, 1, 1},
    {"down", 3, 1, DIR_DOWN, 3, 2, 0},
    {"left edge", 0, 0, DIR_LEFT, 0, 0, 2},
    {"top edge", 0, 0, DIR_UP, 0, 0, 1},
    {"right edge", kMapWidth - 1, kMapHeight - 1, DIR_RIGHT, kMapWidth - 1, kMapHeight - 1, 3},
    {"bottom edge", kMapWidth - 1, kMapHeight - 1, DIR_DOWN, kMapWidth - 1, kMapHeight - 1, 0},
    {"blocking chip under a node without active stage", 4, 1, DIR_RIGHT, 4, 1, 3},
    {"kind-2 entry", 6, 2, DIR_DOWN, 6, 2, 0},
    {"cleared stage lets the hero on", 4, 2, DIR_DOWN, 4, 3, 0},
};

TEST_F(WorldMapScreenTest, WalksOneDirectionPerFrameAndTurnsEvenWhenRefused)
{
    for (const WalkCase& k : kWalkCases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        SaveData.StageClear[kStageB] = 1;
        SaveData.nMapDir = 0;
        cSceneWorldMap& map = Enter(k.col, k.row, SCENE_TITLE, {{k.dir, 0}});
        Run(1);
        EXPECT_EQ(Col(), k.endCol);
        EXPECT_EQ(Row(), k.endRow);
        EXPECT_EQ(map.Dir(), k.facing);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateMap);
        // The view follows the hero: it stands at column 9, row 7 of the view.
        EXPECT_EQ(map.ScrollX(), k.endCol - 9);
        EXPECT_EQ(map.ScrollY(), k.endRow - 7);
        // The cell before the step is kept whenever a direction was pressed.
        EXPECT_EQ(SaveData.nMapEnterX, k.col);
        EXPECT_EQ(SaveData.nMapEnterY, k.row);
    }
}

TEST_F(WorldMapScreenTest, UnclearedStageAsksAtOnceAndTheSecondChoicePutsTheHeroBack)
{
    struct {
        const char* what;
        SHORT button;
    } const cases[] = {{"second choice", BUTTON_DECIDE}, {"cancel", BUTTON_CANCEL}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        cSceneWorldMap& map = Enter(1, 3, SCENE_TITLE, {{DIR_RIGHT, 0}, {0, 0}, {0, k.button}, {0, 0}});
        Run(1);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateConfirm);
        EXPECT_EQ(SaveData.nMapX, 2);  // the map position is saved on opening the question
        EXPECT_EQ(SaveData.nMapY, 3);
        Run(1);
        EXPECT_EQ(Row(), 1);  // the question starts on its second choice
        Run(1);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateMap);
        EXPECT_EQ(Col(), 1);
        EXPECT_EQ(Row(), 3);
        Run(1);  // back on the cell before, the question does not come again
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateMap);
        EXPECT_EQ(SceneFlow().m_nScene, SCENE_WORLDMAP);
    }
}

TEST_F(WorldMapScreenTest, DecideOnAClearedStageAsksOnlyWithTheReplaySwitch)
{
    SaveData.StageClear[kStageB] = 1;
    cSceneWorldMap& noReplay = Enter(4, 3, SCENE_TITLE, {{0, BUTTON_DECIDE}});
    Run(1);
    EXPECT_EQ(noReplay.m_nState, cSceneWorldMap::kStateMap);

    SaveData.Reset();
    SaveData.StageClear[kStageD] = 1;
    cSceneWorldMap& replay = Enter(4, 5, SCENE_TITLE, {{0, BUTTON_DECIDE}});
    Run(1);
    EXPECT_EQ(replay.m_nState, cSceneWorldMap::kStateConfirm);
}

struct StartCase {
    const char* what;
    int carryLives;
    int unlimited;
    int stock;
    int startLives;  // expected
};

TEST_F(WorldMapScreenTest, StageChosenInTheQuestionIsStartedWithItsSaveData)
{
    const int storyLives = SystemData.LivesTable[0];
    const StartCase cases[] = {
        {"carried lives: the stock and the life played", 1, 0, 4, 4 + 1},
        {"carried lives, unlimited", 1, 1, 4, cSaveData::kUnlimitedLives},
        {"lives not carried: the story's starting lives", 0, 0, 4, storyLives},
    };
    for (const StartCase& k : cases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        SaveData.nLives = k.stock;
        SystemData.bCarryLives = k.carryLives;
        SystemData.UnlimitedLivesTable[0] = k.unlimited;
        cSceneWorldMap& map = Enter(1, 3, SCENE_TITLE, {{DIR_RIGHT, 0}, {0, 0}, {DIR_UP, 0}, {0, BUTTON_DECIDE}});
        Run(4);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateFadeOut);
        EXPECT_EQ(SceneFlow().m_nNextScene, SCENE_STAGE);
        const cWorldStage* entry = &WorldMap.Node[1].Entry[0];
        EXPECT_EQ(SaveData.nMapEntry, entry);
        EXPECT_EQ(SaveData.nStageNo, kStageA);
        EXPECT_EQ(SaveData.nWorldStage, 1);
        EXPECT_EQ(SaveData.nStartLives, k.startLives);
        EXPECT_EQ(SaveData.nMapDir, 3);  // facing right, the way the hero stepped on
        cSaveData key;
        key.SetStageFile(Stage.m_strPath.c_str());
        EXPECT_EQ(SaveData.strStage, key.strStage);
        Run(1);  // the fade-out hands over to the stage play
        EXPECT_EQ(SceneFlow().m_nScene, SCENE_STAGE);
        EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDMAP);
    }
}

TEST_F(WorldMapScreenTest, BlockingStageStartsAtTheEndOfTheFadeInUnlessBackFromTheMenu)
{
    struct {
        const char* what;
        int col, row;
        int prev;
        int state;   // after the first frame
        int closes;  // WM_CLOSE posted
    } const cases[] = {
        {"new game on an uncleared stage", 2, 3, SCENE_TITLE, cSceneWorldMap::kStateFadeOut, 0},
        {"back from the world-map menu", 2, 3, SCENE_WORLDMAPMENU, cSceneWorldMap::kStateMap, 0},
        {"stage file missing: the program closes", 7, 4, SCENE_TITLE, cSceneWorldMap::kStateFadeIn, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        cSceneWorldMap& map = Enter(k.col, k.row, k.prev);
        EXPECT_EQ(map.m_nState, k.state);
        EXPECT_EQ(s_harness->TakePosted(WM_CLOSE), k.closes);
        if (k.state == cSceneWorldMap::kStateFadeOut) {
            EXPECT_EQ(SceneFlow().m_nNextScene, SCENE_STAGE);
            EXPECT_EQ(SaveData.nStageNo, kStageA);
            EXPECT_EQ(SaveData.nMapEnterX, k.col);
            EXPECT_EQ(SaveData.nMapEnterY, k.row);
        }
    }
}

TEST_F(WorldMapScreenTest, BackFromAMissTheHeroStandsBeforeTheStageUnlessItWasCleared)
{
    struct {
        const char* what;
        int cleared;
        int beforeCol;  // the cell before the stage, as the save data holds it
        int col;        // where the hero stands
    } const cases[] = {
        {"not cleared: back on the cell before", 0, 1, 1},
        {"cleared meanwhile: on the stage", 1, 1, 2},
        {"a cell before outside the map is not taken", 0, INT_MIN, 2},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        SaveData.StageClear[kStageA] = k.cleared;
        SaveData.bMapEntered = 1;
        SaveData.nMapEnterX = k.beforeCol;
        SaveData.nMapEnterY = 3;
        cSceneWorldMap& map = Enter(2, 3, SCENE_STAGE);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateMap);
        EXPECT_EQ(SaveData.bMapEntered, 0);
        EXPECT_EQ(Col(), k.col);
        EXPECT_EQ(Row(), 3);
        EXPECT_EQ(map.ScrollX(), Col() - 9);
    }
}

TEST_F(WorldMapScreenTest, AutosaveAfterAStageOnlyIntoAKnownSlot)
{
    const std::filesystem::path slotFile =
        testsupport::HostPath(s_harness->Folder().Root(), "user_data\\story\\Story03.dat");
    struct {
        const char* what;
        int autoSave;
        int slot;
        int prev;
        bool saved;
    } const cases[] = {
        {"after a stage into slot 2", 1, 2, SCENE_STAGE, true},
        {"a new run has no slot", 1, -1, SCENE_STAGE, false},
        {"autosave off", 0, 2, SCENE_STAGE, false},
        {"back from the menu", 1, 2, SCENE_WORLDMAPMENU, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        std::filesystem::remove(slotFile);
        SaveData.Reset();
        SaveData.bAutoSave = k.autoSave;
        SaveData.nSlot = k.slot;
        Enter(1, 1, k.prev);
        EXPECT_EQ(std::filesystem::exists(slotFile), k.saved);
        EXPECT_EQ(s_harness->TakePosted(WM_CLOSE), 0);
    }
    std::filesystem::remove(slotFile);
}

TEST_F(WorldMapScreenTest, ButtonsThreeAndFourShowTheRankingAndStepItsGenre)
{
    const cRankingRow savedRow = SystemData.RankingRows[0];
    constexpr SHORT kPanel = 4;
    constexpr SHORT kGenre = 8;
    struct {
        const char* what;
        int ranking;  // the story's ranking switch
        std::vector<std::uint8_t> genres;
        int shown;  // panel toggle before
        SHORT button;
        int shownAfter;
        int genreAfter;  // from genre 0
        std::vector<int> sounds;
    } const cases[] = {
        {"panel on", 1, {1, 1, 0, 0, 0}, 0, kPanel, 1, 0, {6}},
        {"panel off", 1, {1, 1, 0, 0, 0}, 1, kPanel, 0, 0, {6}},
        {"rankings off: the panel only goes off", 0, {1, 1, 0, 0, 0}, 1, kPanel, 0, 0, {}},
        {"rankings off: the panel stays off", 0, {1, 1, 0, 0, 0}, 0, kPanel, 0, 0, {}},
        {"next enabled genre", 1, {1, 0, 0, 1, 0}, 0, kGenre, 0, 3, {6}},
        {"one genre: nothing to step to", 1, {1, 0, 0, 0, 0}, 0, kGenre, 0, 0, {}},
        {"rankings off: no genre step", 0, {1, 1, 0, 0, 0}, 0, kGenre, 0, 0, {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        SaveData.Reset();
        SaveData.StageClear[kStageB] = 1;
        SaveData.bRankingShow = k.shown;
        SystemData.RankingRows[0].bEnabled = k.ranking;
        SystemData.RankingRows[0].GenreFlags.assign(k.genres.begin(), k.genres.end());
        SceneFlow().m_nPlayKind = 0;
        cSceneWorldMap& map = Enter(4, 3, SCENE_TITLE, {{0, k.button}});
        s_harness->ClearRecords();
        Run(1);
        EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateMap);
        EXPECT_EQ(SaveData.bRankingShow, k.shownAfter);
        EXPECT_EQ(SaveData.nRankingKind, k.genreAfter);
        EXPECT_EQ(s_harness->Sounds(), k.sounds);
    }
    SystemData.RankingRows[0] = savedRow;
}

TEST_F(WorldMapScreenTest, StageInformationIsTheBestScoreAndTheRankingThePlayKeeps)
{
    cSaveData key;
    key.SetStageFile(kStageFile);
    SaveData.SetHighScore(key.strStage, 777);
    SaveData.StageClear[kStageB] = 1;
    // The ranking belongs to the stage's own name, whichever numbered variant the play read.
    Ranking.Reset();
    Ranking.m_Tables[RANKING_SCORE].Insert("ABC", 4321);
    ASSERT_EQ(Ranking.SaveFile(0, "stage1.stg4"), 1);
    Ranking.Reset();
    SceneFlow().m_nPlayKind = 0;
    SceneFlow().m_bRanking = 1;

    cSceneWorldMap& map = Enter(4, 3, SCENE_TITLE);
    SceneFlow().m_bRanking = 0;
    EXPECT_EQ(map.HighScore(), 777);
    EXPECT_EQ(SaveData.strStage, key.strStage);
    const cRankingEntry& best = Ranking.m_Tables[RANKING_SCORE].m_Entries[0];
    EXPECT_EQ(best.bValid, 1);
    EXPECT_EQ(best.strName, "ABC");
    EXPECT_EQ(best.nValue, 4321);
}

TEST_F(WorldMapScreenTest, CancelOpensTheWorldMapMenuWithThePositionSaved)
{
    cSceneWorldMap& map = Enter(3, 1, SCENE_TITLE, {{DIR_RIGHT, 0}, {0, BUTTON_CANCEL}});
    Run(2);
    EXPECT_EQ(map.m_nState, cSceneWorldMap::kStateFadeOut);
    EXPECT_EQ(SaveData.nMapX, 4);
    EXPECT_EQ(SaveData.nMapY, 1);
    EXPECT_EQ(s_harness->Sounds(), std::vector<int>{4});
    Run(1);
    EXPECT_EQ(SceneFlow().m_nScene, SCENE_WORLDMAPMENU);
    EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDMAP);

    // Cancel in the menu: a new world-map screen puts the hero where it left, facing the same way.
    s_harness->SetScript({{0, 0}, {0, BUTTON_CANCEL}});
    ASSERT_TRUE(s_harness->RunUntil(SCENE_WORLDMAP, cSceneWorldMap::kStateMap, 20));
    EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDMAPMENU);
    EXPECT_EQ(Col(), 4);
    EXPECT_EQ(Row(), 1);
    EXPECT_EQ(Map().Dir(), 3);
}

}  // namespace
