// The world-map menu: its entries follow the project's list, the cursor wraps, the story is saved
// into the chosen slot (and a slot that cannot be written is told to the user), the autosave
// switch saves at once or refuses without a known slot, and the menu leads back to the map or to
// the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/TextHelpers.h"
#include "input/cInput.h"
#include "platform/win/MessageBox.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "scenes/cSceneWorldMapMenu.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"

namespace {

using namespace menukeys;

class WorldMapMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_harness.Loaded());
        SaveData.Reset();
        ClearRecordedMessageBoxes();
    }

    // Enters the menu afresh and runs its first frame (set-up and fade-in).
    cSceneWorldMapMenu& EnterMenu()
    {
        m_harness.Enter(SCENE_WORLDMAPMENU);
        m_harness.SetScript({});
        m_harness.RunFrames(1);
        auto* menu = dynamic_cast<cSceneWorldMapMenu*>(m_harness.Current());
        EXPECT_NE(menu, nullptr);
        return *menu;
    }

    // Runs frames until the menu has handed over to another screen (at most a few).
    void RunUntilLeft()
    {
        for (int i = 0; i < 4 && SceneFlow().m_nScene == SCENE_WORLDMAPMENU; ++i) {
            m_harness.RunFrames(1);
        }
    }

    // The game path of story slot n's file: "user_data\story\Story" + (n + 1) in two digits + ".dat".
    static std::string SlotPath(int n)
    {
        std::string number = std::to_string(n + 1);
        if (number.size() < 2) {
            number = "0" + number;
        }
        return "user_data\\story\\Story" + number + ".dat";
    }

    bool SlotFileExists(int n) const { return std::filesystem::is_regular_file(m_harness.Folder().Host(SlotPath(n))); }

    // The files in the story folder (and then everything in it removed, with bRemove).
    int StoryFiles(bool bRemove)
    {
        int files = 0;
        std::vector<std::filesystem::path> entries;
        for (const auto& entry : std::filesystem::directory_iterator(m_harness.Folder().Host("user_data\\story"))) {
            files += entry.is_regular_file() ? 1 : 0;
            entries.push_back(entry.path());
        }
        for (const auto& path : bRemove ? entries : std::vector<std::filesystem::path>{}) {
            std::filesystem::remove_all(path);
        }
        return files;
    }

    testsupport::ScreenHarness m_harness;
};

TEST_F(WorldMapMenuTest, EntriesFollowTheProjectListAndTheCursorWraps)
{
    struct Case {
        std::vector<int> enabled;
        std::vector<int> items;  // the ids offered, in order
        std::vector<Key> keys;
        int state;  // entered by the keys
    };
    const Case cases[] = {
        // Up from the first entry wraps to the last one, "to the title".
        {{1, 1, 1, 1}, {0, 1, 2, 3}, {Dir(DIR_UP), Button(BUTTON_DECIDE)}, MAPMENU_TO_TITLE},
        // Two entries: down twice comes back to the first, the autosave.
        {{0, 1, 0, 1}, {1, 3}, {Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE)}, MAPMENU_AUTOSAVE},
        // Every entry switched off: the save alone.
        {{0, 0, 0, 0}, {0}, {Dir(DIR_UP), Button(BUTTON_DECIDE)}, MAPMENU_SAVE},
    };
    for (const Case& c : cases) {
        for (int id = 0; id < kMapMenuItemCount; ++id) {
            SystemData.MapMenuItems[id].bEnabled = c.enabled[id];
        }
        cSceneWorldMapMenu& menu = EnterMenu();
        ASSERT_EQ(menu.m_nItems, static_cast<int>(c.items.size()));
        for (int i = 0; i < menu.m_nItems; ++i) {
            EXPECT_EQ(menu.m_Items[i], c.items[i]) << "entry " << i;
        }
        EXPECT_EQ(menu.m_nState, MAPMENU_MENU);
        Press(m_harness, c.keys);
        EXPECT_EQ(menu.m_nState, c.state) << "items " << c.items.size();
    }
}

TEST_F(WorldMapMenuTest, SavingWritesTheChosenSlotAndTheListOpensOnIt)
{
    ASSERT_EQ(SaveData.nSlot, -1);
    cSceneWorldMapMenu& menu = EnterMenu();
    // Save, slot 3 (row 2), the confirmation starts on "no": up to "yes", decide.
    Press(m_harness, {Button(BUTTON_DECIDE), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE), Dir(DIR_UP),
                      Button(BUTTON_DECIDE)});

    EXPECT_TRUE(SlotFileExists(2));
    EXPECT_EQ(SaveData.nSlot, 2);
    EXPECT_EQ(SaveSlotList[2].bExist, 1);
    EXPECT_EQ(std::count(m_harness.Sounds().begin(), m_harness.Sounds().end(), SE_SAVE), 1);
    // The file knows its own slot, so that a story continued from it saves there again.
    cSaveData written;
    ASSERT_EQ(written.LoadSlot(2), 1);
    EXPECT_EQ(written.nSlot, 2);
    EXPECT_EQ(menu.m_nState, MAPMENU_SAVE);

    // Back to the menu, save again: the list opens on slot 3 as its first row.
    Press(m_harness, {Button(BUTTON_CANCEL), Button(BUTTON_DECIDE)});
    EXPECT_EQ(menu.m_nState, MAPMENU_SAVE);
    EXPECT_EQ(menu.m_nTop, 2);
    EXPECT_EQ(MenuCursor.m_pCur->nRow, 2);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(WorldMapMenuTest, ASlotThatCannotBeWrittenIsReportedAndTheLastSlotStays)
{
    SaveData.nSlot = 5;
    // A folder in the place of slot 8's file: the file cannot be replaced.
    std::filesystem::create_directories(m_harness.Folder().Host(SlotPath(7)));
    EnterMenu();
    // The list opens on slot 6 (row 5); two down is slot 8.
    Press(m_harness, {Button(BUTTON_DECIDE), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE), Dir(DIR_UP),
                      Button(BUTTON_DECIDE)});

    EXPECT_EQ(SaveData.nSlot, 5);
    EXPECT_EQ(SaveSlotList[7].bExist, -1) << "the folder in the slot's place is listed as unreadable";
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("「") + SlotPath(7) + Sjis("」の書き込みに失敗しました！"));
}

TEST_F(WorldMapMenuTest, AutosaveSavesAtOnceOrRefusesWithoutAKnownSlot)
{
    struct Case {
        const char* name;
        int slot;
        int autoBefore;
        int subState;  // after entering: 1 the switch menu, 2 the message
        std::vector<Key> keys;
        int autoAfter;
        bool written;
        bool blocked = false;  // the slot's file cannot be written
    };
    const Case cases[] = {
        // No slot saved into yet (a switch left on by an older run): the message, nothing changes.
        {"no slot", -1, 1, 2, {Button(BUTTON_DECIDE)}, 1, false},
        {"no slot, cancel", -1, 0, 2, {Button(BUTTON_CANCEL)}, 0, false},
        // The menu starts on "off" when the switch is off: up to "on" saves into the last slot.
        {"on", 4, 0, 1, {Dir(DIR_UP), Button(BUTTON_DECIDE)}, 1, true},
        // Starting on "on", down to "off" only clears the switch.
        {"off", 4, 1, 1, {Dir(DIR_DOWN), Button(BUTTON_DECIDE)}, 0, false},
        {"cancel", 4, 1, 1, {Button(BUTTON_CANCEL)}, 1, false},
        // A slot that cannot be written is told to the user and the switch stays off.
        {"on, not written", 4, 0, 1, {Dir(DIR_UP), Button(BUTTON_DECIDE)}, 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoryFiles(true);
        ClearRecordedMessageBoxes();
        if (c.blocked) {
            std::filesystem::create_directories(m_harness.Folder().Host(SlotPath(4)));
        }
        SaveData.nSlot = c.slot;
        SaveData.bAutoSave = c.autoBefore;
        cSceneWorldMapMenu& menu = EnterMenu();
        Press(m_harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE)});
        ASSERT_EQ(menu.m_nState, MAPMENU_AUTOSAVE);
        EXPECT_EQ(menu.m_nSubState, c.subState);

        Press(m_harness, c.keys);
        EXPECT_EQ(menu.m_nState, MAPMENU_MENU);
        EXPECT_EQ(SaveData.bAutoSave, c.autoAfter);
        EXPECT_EQ(SlotFileExists(4), c.written);
        // Nothing else is written (no file for a slot of -1).
        EXPECT_EQ(StoryFiles(false), c.written ? 1 : 0);
        EXPECT_EQ(SaveData.nSlot, c.slot);
        EXPECT_EQ(RecordedMessageBoxes().size(), c.blocked ? 1u : 0u);
    }
}

TEST_F(WorldMapMenuTest, LeavesForTheMapOrTheTitle)
{
    struct Case {
        const char* name;
        std::vector<Key> keys;
        int scene;
    };
    const Case cases[] = {
        {"cancel", {Button(BUTTON_CANCEL)}, SCENE_WORLDMAP},
        {"back", {Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE)}, SCENE_WORLDMAP},
        {"title, yes", {Dir(DIR_UP), Button(BUTTON_DECIDE), Dir(DIR_UP), Button(BUTTON_DECIDE)}, SCENE_TITLE},
        // The title confirmation starts on "no": deciding there stays in the menu.
        {"title, no", {Dir(DIR_UP), Button(BUTTON_DECIDE), Button(BUTTON_DECIDE)}, SCENE_WORLDMAPMENU},
        {"title, cancel", {Dir(DIR_UP), Button(BUTTON_DECIDE), Button(BUTTON_CANCEL)}, SCENE_WORLDMAPMENU},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneFlow().m_nPrevScene = SCENE_WORLDMAP;
        cSceneWorldMapMenu& menu = EnterMenu();
        Press(m_harness, c.keys);
        if (c.scene == SCENE_WORLDMAPMENU) {
            EXPECT_EQ(menu.m_nState, MAPMENU_MENU);
            continue;
        }
        RunUntilLeft();
        EXPECT_EQ(SceneFlow().m_nScene, c.scene);
        EXPECT_EQ(SceneFlow().m_nPrevScene, SCENE_WORLDMAPMENU);
    }
}

}  // namespace
