// The title screen on the screen harness: the menu built from the project's entry list, the
// cursor reopened on the mode chosen last, each choice's play kind, ranking switch and next
// screen, the save data a new game, a story slot and the challenge mode start with, the requests
// for a stage or replay file that the main window answers, and quit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/MainWindowRequests.h"
#include "definitions/cEdStage.h"
#include "input/ReplayFileName.h"
#include "input/cInput.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/FreeStage.h"
#include "scenes/cSceneTitle.h"
#include "screenbase/cMenuCursor.h"
#include "stage/ranking/cRanking.h"
#include "support/MenuKeys.h"
#include "support/SaveDataWriter.h"
#include "support/ScreenHarness.h"

namespace {

using testsupport::PadFrame;

constexpr int kEntries = cSystemData::kTitleMenuCount;
// The world map the tests write: its start cell.
constexpr int kStartX = 6;
constexpr int kStartY = 11;

class TitleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::GameSpec spec = testsupport::MinimalGame();
        spec.worldMap.startX = kStartX;
        spec.worldMap.startY = kStartY;
        m_harness = std::make_unique<testsupport::ScreenHarness>(spec);
        ASSERT_TRUE(m_harness->Loaded());
    }

    // A title entry list of nLength entries offering those whose bit is set in nMask (bit n:
    // entry n).
    static void OfferEntries(int nMask, int nLength = kEntries)
    {
        SystemData.TitleMenuItems.resize(static_cast<std::size_t>(nLength));
        for (int id = 0; id < nLength; ++id) {
            SystemData.TitleMenuItems[id].bEnabled = (nMask >> id) & 1;
        }
    }

    // Opens the title afresh with the script from its first frame (the fade-in, which ends at
    // once without a drawing back-end) and runs that frame and nMenuFrames more.
    cSceneTitle& Open(std::vector<PadFrame> script, int nMenuFrames)
    {
        script.insert(script.begin(), PadFrame{});
        m_harness->SetScript(std::move(script));
        m_harness->Enter(SCENE_TITLE);
        m_harness->RunFrames(1 + nMenuFrames);
        return Title();
    }
    cSceneTitle& Title() { return *dynamic_cast<cSceneTitle*>(m_harness->Current()); }
    std::vector<int> Items()
    {
        std::vector<int> ids;
        for (int row = 0; row < Title().ItemCount(); ++row) {
            ids.push_back(Title().ItemId(row));
        }
        return ids;
    }

    std::unique_ptr<testsupport::ScreenHarness> m_harness;
};

TEST_F(TitleTest, TheMenuOffersTheEnabledEntriesAndReopensOnTheModeChosenLast)
{
    struct Case {
        const char* name;
        int nOffered;  // bit n: entry n offered
        int nGameMode;
        std::vector<PadFrame> script;  // menu frames
        std::vector<int> items;
        int nRowAtInit;
        int nRow;                // after the script
        int nLength = kEntries;  // of the project's list
    };
    const Case cases[] = {
        {"every entry", 0x7F, 0, {{}}, {0, 1, 2, 3, 4, 5, 6}, 0, 0},
        {"none offered: the new game alone", 0, 4, {{}}, {0}, 4, 0},
        {"reopened on the last mode", 0x25, 5, {{}}, {0, 2, 5}, 2, 2},
        // The mode is not offered: its number is the row until the first step wraps it.
        {"last mode not offered", 0x25, 6, {{}}, {0, 2, 5}, 6, 0},
        {"up from the first row wraps to the last", 0x7F, 0, {{DIR_UP, 0}}, {0, 1, 2, 3, 4, 5, 6}, 0, 6},
        {"down from the last row wraps to the first", 0x7F, 6, {{DIR_DOWN, 0}}, {0, 1, 2, 3, 4, 5, 6}, 6, 0},
        // Entries past the seven known ones have no action: the menu ends with quit.
        {"a longer list", 0x1FF, 0, {{DIR_UP, 0}}, {0, 1, 2, 3, 4, 5, 6}, 0, 6, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OfferEntries(c.nOffered, c.nLength);
        SceneFlow().m_nGameMode = c.nGameMode;
        cSceneTitle& title = Open({}, 0);
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.nRowAtInit);
        EXPECT_EQ(title.m_nState, cSceneTitle::kStateMenu);

        m_harness->ClearRecords();
        m_harness->SetScript(c.script);
        m_harness->RunFrames(static_cast<int>(c.script.size()));
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.nRow);
        EXPECT_EQ(MenuCursor.m_pCur->y, cSceneTitle::kMenuY + cSceneTitle::kRowPitch * c.nRow);
        EXPECT_TRUE(m_harness->Sounds().empty());
    }
}

TEST_F(TitleTest, EachChoiceSetsThePlayKindItsRankingSwitchAndTheNextScreen)
{
    constexpr int kStays = -1;
    struct Case {
        const char* name;
        int id;
        int nAnswer;  // the main window's answer to a file request
        int nPlayKind;
        int nNextScene;  // kStays: the title menu stays
        int nState;      // the title's state after the choice
    };
    const Case cases[] = {
        {"new game", 0, 0, 0, SCENE_WORLDMAP, cSceneTitle::kStateFadeOut},
        {"continue", 1, 0, 0, kStays, cSceneTitle::kStateSlotList},
        {"challenge", 2, 0, 1, SCENE_WORLDSELECT, cSceneTitle::kStateFadeOut},
        {"free play read", 3, 1, 2, SCENE_STAGE, cSceneTitle::kStateFadeOut},
        {"free play cancelled or failed", 3, 0, 2, kStays, cSceneTitle::kStateMenu},
        {"replay read", 4, 1, 3, SCENE_STAGE, cSceneTitle::kStateFadeOut},
        {"replay cancelled or failed", 4, 0, 3, kStays, cSceneTitle::kStateMenu},
        {"options", 5, 0, -1, SCENE_OPTION, cSceneTitle::kStateFadeOut},
        {"quit", 6, 0, -1, kStays, cSceneTitle::kStateMenu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OfferEntries(0x7F);
        // Only the chosen play kind records rankings, so the switch read is the kind's own.
        for (int kind = 0; kind < cSystemData::kPlayKindCount; ++kind) {
            SystemData.RankingRows[kind].bEnabled = kind == c.nPlayKind ? 1 : 0;
        }
        cSceneFlow& flow = SceneFlow();
        flow.m_nGameMode = c.id;
        flow.m_nPlayKind = -1;
        flow.m_bRanking = 0;
        flow.m_nNextScene = SCENE_TITLE;
        m_harness->onLoadStage = [&c] { return c.nAnswer; };
        m_harness->onLoadReplay = [&c] { return c.nAnswer; };
        m_harness->ClearRecords();
        m_harness->TakePosted(WM_CLOSE);

        cSceneTitle& title = Open({{0, BUTTON_DECIDE}}, 1);
        EXPECT_EQ(m_harness->Sounds(), std::vector<int>{1});
        EXPECT_EQ(flow.m_nGameMode, c.id);
        EXPECT_EQ(flow.m_nPlayKind, c.nPlayKind);
        EXPECT_EQ(flow.m_bRanking, c.nPlayKind >= 0 ? 1 : 0);
        EXPECT_EQ(title.m_nState, c.nState);
        EXPECT_EQ(m_harness->Requests(WM_LOADSTAGEFILE), c.id == 3 ? 1 : 0);
        EXPECT_EQ(m_harness->Requests(WM_LOADREPLAYFILE), c.id == 4 ? 1 : 0);
        EXPECT_EQ(m_harness->TakePosted(WM_CLOSE), c.id == 6 ? 1 : 0);

        // The next frame fades out and hands over; the screen after it is made on the frame after.
        m_harness->RunFrames(1);
        if (c.nNextScene == kStays) {
            EXPECT_EQ(flow.m_nScene, SCENE_TITLE);
            EXPECT_EQ(m_harness->Current(), &title);
        } else {
            EXPECT_EQ(flow.m_nScene, c.nNextScene);
            EXPECT_EQ(flow.m_nPrevScene, SCENE_TITLE);
        }
    }
}

TEST_F(TitleTest, ANewGameStartsOnTheMapsStartCellWithTheStorysLives)
{
    struct Case {
        const char* name;
        std::vector<std::int32_t> unlimited;  // by play kind
        std::vector<std::int32_t> lives;
        int nStartLives;
        int nLives;
    };
    const Case cases[] = {
        {"counted lives", {0, 1, 1, 1}, {4, 9, 9, 9}, 4, 3},
        {"unlimited lives", {1, 0, 0, 0}, {4, 9, 9, 9}, 999999, 999999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OfferEntries(0x7F);
        SystemData.UnlimitedLivesTable.assign(c.unlimited.begin(), c.unlimited.end());
        SystemData.LivesTable.assign(c.lives.begin(), c.lives.end());
        // What a play before left behind.
        SaveData.nMapX = 1;
        SaveData.nMapY = 2;
        SaveData.nLap = 3;
        SaveData.Var[5] = 77;
        SaveData.nSlot = 4;
        SaveData.strName = "zzz";
        SceneFlow().m_nGameMode = 0;

        Open({{0, BUTTON_DECIDE}}, 1);
        EXPECT_EQ(SaveData.nMapX, kStartX);
        EXPECT_EQ(SaveData.nMapY, kStartY);
        EXPECT_EQ(SaveData.nLap, 0);
        EXPECT_EQ(SaveData.nStartLives, c.nStartLives);
        EXPECT_EQ(SaveData.nLives, c.nLives);
        EXPECT_EQ(SaveData.Var[5], 0);
        EXPECT_EQ(SaveData.nSlot, -1);
        EXPECT_EQ(SaveData.strName, "aaa");
        EXPECT_EQ(SaveData.nWorldOpen, 1);
        EXPECT_EQ(SaveData.StageClear[0], 1);
    }
}

TEST_F(TitleTest, ContinueLoadsASavedSlotRefusesOthersAndCancelGoesBack)
{
    constexpr int kSavedSlot = 2;
    testsupport::SaveDataSpec saved;
    saved.mapX = 3;
    saved.mapY = 4;
    saved.stageNo = 12;
    saved.runScore = 4321;
    saved.lives = 6;
    saved.startLives = 7;
    struct Case {
        const char* name;
        bool bSaved;                   // slot 2's file is there when the list is made
        bool bGoneOnDecide;            // and removed before the decide
        std::vector<PadFrame> script;  // a held direction repeats only after a delay: released between
        std::vector<int> sounds;
        int nState;
        int nRow;  // the cursor's row afterwards
    };
    // Sounds: 1 decide, 2 cancel, 3 refused (the cursor's own sound is not a request).
    const Case cases[] = {
        {"no saved slot", false, false, {{}, {0, BUTTON_DECIDE}, {DIR_DOWN, 0}, {0, BUTTON_DECIDE}}, {1, 3, 3}, 2, 1},
        {"the saved slot", true, false, {{DIR_DOWN, 0}, {}, {DIR_DOWN, 0}, {0, BUTTON_DECIDE}}, {1, 1}, 3, kSavedSlot},
        {"an empty slot beside it", true, false, {{DIR_DOWN, 0}, {0, BUTTON_DECIDE}}, {1, 3}, 2, 1},
        {"its file gone since the list was made",
         true,
         true,
         {{DIR_DOWN, 0}, {}, {DIR_DOWN, 0}, {0, BUTTON_DECIDE}},
         {1, 3},
         2,
         kSavedSlot},
        // Back on the title menu with the cursor on "continue" again.
        {"cancel", false, false, {{DIR_DOWN, 0}, {0, BUTTON_CANCEL}}, {1, 2}, 1, 1},
    };
    const std::string slotFile = "user_data\\story\\Story03.dat";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OfferEntries(0x7F);
        SystemData.UnlimitedLivesTable[0] = 0;
        m_harness->Folder().Remove(slotFile);
        if (c.bSaved) {
            m_harness->Folder().Write(slotFile, testsupport::SaveDataFile(saved).Data());
        }
        SaveData.Reset();
        SceneFlow().m_nGameMode = 1;
        m_harness->ClearRecords();

        // The decide on "continue" opens the list; its first frame reads the slots.
        cSceneTitle& title = Open({{0, BUTTON_DECIDE}}, 1);
        ASSERT_EQ(title.m_nState, cSceneTitle::kStateSlotList);
        ASSERT_EQ(MenuCursor.m_Stack.size(), 2u);
        std::vector<PadFrame> script = c.script;
        m_harness->SetScript({script.front()});
        m_harness->RunFrames(1);
        EXPECT_EQ(title.VisibleSlots(), cSceneTitle::kMaxVisibleSlots);
        if (c.bGoneOnDecide) {
            m_harness->Folder().Remove(slotFile);
        }
        script.erase(script.begin());
        m_harness->SetScript(script);
        m_harness->RunFrames(static_cast<int>(script.size()));

        EXPECT_EQ(m_harness->Sounds(), c.sounds);
        EXPECT_EQ(title.m_nState, c.nState);
        const bool bLoaded = c.nState == cSceneTitle::kStateFadeOut;
        EXPECT_EQ(SaveData.nStageNo, bLoaded ? 12 : 0);
        EXPECT_EQ(SaveData.nRunScore, bLoaded ? 4321 : 0);
        if (bLoaded) {
            EXPECT_EQ(SceneFlow().m_nNextScene, SCENE_WORLDMAP);
            EXPECT_EQ(SaveData.nMapX, 3);
            EXPECT_EQ(SaveData.nLives, 6);
        }
        EXPECT_EQ(MenuCursor.m_Stack.size(), c.nState == cSceneTitle::kStateMenu ? 1u : 2u);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.nRow);
    }
}

TEST_F(TitleTest, TheChallengeContinuesItsRecordOrStartsAFreshOneForEveryWorld)
{
    constexpr int kWorlds = 7;
    testsupport::SaveDataSpec record;
    record.worldOpen = 3;
    record.runScore = 500;
    record.worldRecords = {{1, 900}, {1, 800}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}};
    struct Case {
        const char* name;
        bool bRecord;
        int nWorldOpen;
        int nFirstBest;
    };
    const Case cases[] = {
        {"a record kept", true, 3, 900},
        {"no record yet", false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OfferEntries(0x7F);
        SystemData.nWorldCount = kWorlds;
        m_harness->Folder().Remove("user_data\\challenge\\Challenge.dat");
        if (c.bRecord) {
            m_harness->Folder().Write("user_data\\challenge\\Challenge.dat", testsupport::SaveDataFile(record).Data());
        }
        // What a story play left behind.
        SaveData.Reset();
        SaveData.WorldRecord.clear();
        SaveData.nStageNo = 5;
        SaveData.Var[1] = 3;
        SceneFlow().m_nGameMode = 2;

        Open({{0, BUTTON_DECIDE}}, 1);
        EXPECT_EQ(SceneFlow().m_nNextScene, SCENE_WORLDSELECT);
        ASSERT_EQ(SaveData.WorldRecord.size(), static_cast<std::size_t>(kWorlds));
        EXPECT_EQ(SaveData.WorldRecord[0].second, c.nFirstBest);
        for (int w = 1; !c.bRecord && w < kWorlds; ++w) {
            EXPECT_EQ(SaveData.WorldRecord[w].first, 0);
            EXPECT_EQ(SaveData.WorldRecord[w].second, 0);
        }
        EXPECT_EQ(SaveData.nWorldOpen, c.nWorldOpen);
        EXPECT_EQ(SaveData.nStageNo, 0);
        EXPECT_EQ(SaveData.Var[1], 0);
    }
}

// A free play's stage named with '/' (a shell's completion) is kept in the game's own form, so
// that its stage key, its replay name and its ranking file are found from it; the numbered variant
// read keeps the ranking of the stage's own name.
TEST_F(TitleTest, AFreeStageNamedWithForwardSlashesKeepsItsNamesInTheGamesOwnForm)
{
    const struct {
        const char* given;
        int bNewest;
    } cases[] = {{"data/stg4/test.stg4", 1}, {"data/stg4/test.stg4_000", 0}, {"data\\stg4/test.stg4_000", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        ASSERT_EQ(LoadFreeStage(c.given, c.bNewest), 1);
        EXPECT_EQ(Stage.m_strPath, "data\\stg4\\test.stg4_000");
        EXPECT_EQ(SaveData.strStage, "data\\stg4\\test.");
        EXPECT_EQ(ProposeReplayFileName(SaveData.strStage), "test_00.rpl4_720");
        std::string path;
        ASSERT_EQ(MakeRankingPath(path, cSaveData::kPlayFree, RankingStageName(Stage.m_strPath).c_str()), 1);
        EXPECT_EQ(path, "user_data\\free\\test.stg4rkg");
    }
}

}  // namespace
