// A story played through the screens as a player meets them: from the title a new game reaches
// the world map, the hero walks onto a stage, plays it to a clear and comes back to the map with
// the stage cleared; the game is saved into a slot from the world-map menu, the menu goes back to
// the title, and "continue" restores the saved game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleGame.h"
#include "input/cInput.h"
#include "project/cSaveData.h"
#include "screenbase/cScene.h"
#include "stage/cSceneStage.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"

namespace {

using namespace menukeys;

constexpr int kStartX = 3;
constexpr int kStartY = 7;
constexpr int kStageX = 4;  // the stage's node, one cell right of the start
constexpr int kClearFlag = 1;
constexpr int kGrassChip = 5;

// The sample game with a world map of open grass whose only node, right of the start cell, holds
// the first stage (uncleared and not passable, so stepping on it asks at once), and that stage's
// goal moved a few tiles ahead of the hero.
testsupport::GameSpec JourneyGame()
{
    testsupport::GameSpec spec = testsupport::SampleGame();
    auto& stage = spec.stages.front().stage;
    stage.header["m_bStartBanner"] = 0;
    for (auto& item : stage.placedItems) {
        if (item.name == "GOAL") {
            item.x = 6;
        }
    }
    testsupport::WorldMapSpec& map = spec.worldMap;
    map.startX = kStartX;
    map.startY = kStartY;
    for (std::int32_t& cell : map.cells) cell = kGrassChip;
    testsupport::WorldStageSpec entry;
    entry.stageNo = kClearFlag;
    entry.title = "FIRST";
    entry.file = spec.stages.front().path;
    map.nodes = {testsupport::WorldNodeSpec{kStageX, kStartY, "FIRST", {entry}}};
    return spec;
}

std::vector<testsupport::PadFrame> Held(SHORT dir, int frames)
{
    return std::vector<testsupport::PadFrame>(static_cast<std::size_t>(frames), testsupport::PadFrame{dir, 0});
}

TEST(JourneyTest, ANewGameIsPlayedSavedAndContinued)
{
    testsupport::ScreenHarness harness(JourneyGame());
    ASSERT_TRUE(harness.Loaded());
    ASSERT_TRUE(harness.RunUntil(SCENE_TITLE, 1, 5));

    // New game: the world map opens on the start cell.
    Press(harness, {Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness.RunUntil(SCENE_WORLDMAP, 1, 60));
    EXPECT_EQ(SaveData.nMapX, kStartX);
    EXPECT_EQ(SaveData.StageClear[kClearFlag], 0);

    // Stepping onto the stage asks at once; the question opens on "no", up and decide play it.
    Press(harness, {Dir(DIR_RIGHT)});
    ASSERT_TRUE(harness.RunUntil(SCENE_WORLDMAP, 2, 5));
    Press(harness, {Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness.RunUntil(SCENE_STAGE, -1, 60));

    // Walking right reaches the goal; decide on the clear display leads back to the map with the
    // stage cleared.
    harness.SetScript(Held(DIR_RIGHT, 3000));
    ASSERT_TRUE(harness.RunUntil(SCENE_STAGE, STAGESTATE_CLEAR, 3000));
    harness.SetScript({});
    ASSERT_TRUE(harness.RunUntil(SCENE_STAGE, STAGESTATE_CLEAR, 300));
    harness.RunFrames(120);  // the clear caption
    Press(harness, {Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness.RunUntil(SCENE_WORLDMAP, 1, 120));
    EXPECT_EQ(SaveData.StageClear[kClearFlag], 1);
    EXPECT_EQ(SaveData.nMapX, kStageX);
    EXPECT_EQ(SaveData.nMapY, kStartY);

    // Cancel opens the world-map menu; "save", the first slot, "yes".
    harness.SetScript({});
    Press(harness, {Button(BUTTON_CANCEL)});
    ASSERT_TRUE(harness.RunUntil(SCENE_WORLDMAPMENU, 1, 60));
    Press(harness, {Button(BUTTON_DECIDE), Button(BUTTON_DECIDE), Dir(DIR_UP), Button(BUTTON_DECIDE)});
    EXPECT_EQ(SaveData.nSlot, 0);
    EXPECT_TRUE(harness.Folder().Exists("user_data\\story\\Story01.dat"));

    // Out of the slot list, down to "to the title", "yes".
    Press(harness, {Button(BUTTON_CANCEL), Dir(DIR_DOWN), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE),
                    Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness.RunUntil(SCENE_TITLE, 1, 60));

    // What is in memory is forgotten; "continue" and the first slot bring the saved game back.
    SaveData.Reset();
    Press(harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness.RunUntil(SCENE_WORLDMAP, 1, 60));
    EXPECT_EQ(SaveData.StageClear[kClearFlag], 1);
    EXPECT_EQ(SaveData.nMapX, kStageX);
    EXPECT_EQ(SaveData.nMapY, kStartY);
    EXPECT_EQ(SaveData.nSlot, 0);
}

}  // namespace
