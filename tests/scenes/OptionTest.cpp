// The option screen: the entries the project enables, editing with wrap at both ends, cancel
// restoring the value and its effect on the sound slots, the ranking-name dialog, leaving for the
// title, and the music switch applied only when the screen is left.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "core/RecordFile.h"
#include "core/TextHelpers.h"
#include "input/cInput.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSystemData.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneOption.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"
#include "stage/cMenuCursor.h"
#include "support/GameFolder.h"
#include "support/WaveWriter.h"

namespace {

constexpr SHORT kUp = 4;
constexpr SHORT kDown = 8;
constexpr SHORT kDecide = 1;
constexpr SHORT kCancel = 2;
constexpr UINT kNameDialogRequest = WM_USER + 1;
constexpr UINT kSoundRequest = WM_USER + 5;
constexpr const char* kDialogName = "XYZ";
constexpr int kSoundedSlots = 3;

// What the screen asked of the main window.
struct Requests {
    int nNameDialogs = 0;
    std::vector<WPARAM> sounds;
};
Requests g_requests;

// The main window: the name dialog sets the options' ranking name as a user would.
LRESULT MainProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == kNameDialogRequest) {
        ++g_requests.nNameDialogs;
        OptionData.strRankingName = kDialogName;
        return 1;
    }
    if (uMsg == kSoundRequest) {
        g_requests.sounds.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class OptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        UseVirtualClock(true, 0);
        ResetMessagesForTest();
        RegisterClassA("QbOptionTestWindow", MainProc);
        m_hWnd = CreateWindowExA(0, "QbOptionTestWindow", "test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr);
        hWndMain = m_hWnd;
        g_requests = Requests{};
        nDataVersion = kCurrentDataVersion;
        SystemData.SetDefaults();
        OptionData = cOptionData();
        SceneFlow() = cSceneFlow{};
        ResetInput();
        MenuCursor.Reset();
        StartSound();
    }
    void TearDown() override
    {
        DS_UnInit();
        SoundTable.clear();
        SoundInfoList.clear();
        BgmPlayer.UnInit();
        hWndMain = nullptr;
        DestroyWindow(m_hWnd);
        ResetMessagesForTest();
        SceneFlow() = cSceneFlow{};
        OptionData = cOptionData();
        UseVirtualClock(false);
    }

    // Sound slots 0..2 at the start-up volume of step 7 (the other system slots are silent); slot
    // 1 sounds twice at once (a duplicate buffer).
    void StartSound()
    {
        m_folder.Write(
            "wave\\se.wav",
            testsupport::EncodeWav(testsupport::Synthesize(std::vector<testsupport::ToneSpec>(1), 22050), 22050, 16));
        std::vector<std::string> system(kSoundedSlots, "wave\\se.wav");
        BuildSoundList(system, {});
        SoundInfoList[1].nBufferCount = 2;
        ASSERT_TRUE(DS_Init(nullptr, 22050, 8, 1));
        DS_CreateSoundTable(&SoundTable, &SoundInfoList, SeVolumeTable[7]);
    }

    // One frame with the pad word and buttons held, then one with everything released.
    static void Press(cSceneOption& screen, SHORT dir, SHORT buttons)
    {
        Input[0].wDir = dir;
        Input[0].wButton = buttons;
        screen.Main();
        Input[0].wDir = 0;
        Input[0].wButton = 0;
        screen.Main();
    }
    // The screen entered and its list shown, the cursor on the first row.
    static void EnterList(cSceneOption& screen)
    {
        screen.Main();
        // The palette fade-in needs a drawing back-end; the list follows it.
        screen.m_nState = 1;
        screen.Main();
    }
    // The cursor moved down to row nRow of the list and the entry decided.
    static void Choose(cSceneOption& screen, int nRow)
    {
        for (int i = 0; i < nRow; ++i) {
            Press(screen, kDown, 0);
        }
        Press(screen, 0, kDecide);
    }

    testsupport::GameFolder m_folder;
    HWND m_hWnd = nullptr;
};

TEST_F(OptionTest, EntriesAreTheProjectsEnabledOnesInListOrder)
{
    const struct {
        std::vector<int> enabled;
        std::vector<int> ids;
    } cases[] = {
        {{1, 1, 1, 1, 1, 1}, {0, 1, 2, 3, 4, 5}},
        {{0, 1, 0, 1, 0, 1}, {1, 3, 5}},
        {{0, 0, 0, 0, 0, 1}, {5}},
        {{0, 0, 0, 0, 0, 0}, {0}},  // none enabled: the first entry alone
    };
    for (const auto& c : cases) {
        for (int i = 0; i < kOptionEntryCount; ++i) {
            SystemData.OptionMenuItems[i].bEnabled = c.enabled[i];
        }
        cSceneOption screen;
        screen.Main();
        ASSERT_EQ(screen.m_nItems, static_cast<int>(c.ids.size()));
        EXPECT_EQ(std::vector<int>(screen.m_Items, screen.m_Items + screen.m_nItems), c.ids);
    }
}

TEST_F(OptionTest, EditedValuesWrapAtBothEnds)
{
    const struct {
        int id;
        std::int32_t cOptionData::*field;
        int max;
    } cases[] = {
        {OPTION_PALETTE, &cOptionData::nPaletteSet, 23},
        {OPTION_MUSIC, &cOptionData::bMusic, 1},
        {OPTION_VOLUME, &cOptionData::nSoundVolume, 10},
        {OPTION_REGISTRATION, &cOptionData::nRankingMode, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        OptionData = cOptionData();
        OptionData.*c.field = c.max;
        cSceneOption screen;
        EnterList(screen);
        Choose(screen, c.id);
        ASSERT_EQ(screen.m_nSubState, 2);
        Press(screen, kUp, 0);
        EXPECT_EQ(OptionData.*c.field, 0);
        Press(screen, kDown, 0);
        EXPECT_EQ(OptionData.*c.field, c.max);
        Press(screen, kDown, 0);
        EXPECT_EQ(OptionData.*c.field, c.max - 1);
        Press(screen, 0, kDecide);
        EXPECT_EQ(screen.m_nSubState, 1);
        EXPECT_EQ(OptionData.*c.field, c.max - 1);
        EXPECT_EQ(MenuCursor.m_pCur->nRow, c.id);
    }
}

TEST_F(OptionTest, CancelRestoresTheValueAndTheFirstBufferVolumes)
{
    const int nStartVolume = SeVolumeTable[7];
    cSceneOption screen;
    EnterList(screen);
    Choose(screen, OPTION_VOLUME);
    Press(screen, kDown, 0);
    Press(screen, kDown, 0);
    ASSERT_EQ(OptionData.nSoundVolume, 5);
    for (int n = 0; n < kSoundedSlots; ++n) {
        EXPECT_EQ(DS_GetVolume(&SoundTable[n], 0), SeVolumeTable[5]) << "slot " << n;
    }
    // Only the first buffer of a slot follows; its duplicate keeps the start-up volume.
    EXPECT_EQ(DS_GetVolume(&SoundTable[1], 1), nStartVolume);

    g_requests.sounds.clear();
    Press(screen, 0, kCancel);
    EXPECT_EQ(OptionData.nSoundVolume, 7);
    for (int n = 0; n < kSoundedSlots; ++n) {
        EXPECT_EQ(DS_GetVolume(&SoundTable[n], 0), nStartVolume) << "slot " << n;
    }
    EXPECT_EQ(g_requests.sounds, std::vector<WPARAM>{2});
    EXPECT_EQ(screen.m_nSubState, 1);
    EXPECT_EQ(screen.m_nState, 1);  // back in the list, not leaving
    EXPECT_EQ(MenuCursor.m_pCur->nRow, OPTION_VOLUME);
}

TEST_F(OptionTest, NameEntryOpensTheDialogAndShowsTheNewName)
{
    cSceneOption screen;
    EnterList(screen);
    Choose(screen, OPTION_NAME);
    EXPECT_EQ(g_requests.nNameDialogs, 1);
    EXPECT_EQ(OptionData.strRankingName, kDialogName);
    EXPECT_EQ(cSceneOption::ValueText(OPTION_NAME), kDialogName);
    EXPECT_EQ(screen.m_nState, 1);
    EXPECT_EQ(screen.m_nSubState, 1);
}

TEST_F(OptionTest, ValuesAreShownAsTheirTexts)
{
    OptionData.nPaletteSet = 17;
    OptionData.bMusic = 0;
    OptionData.nSoundVolume = 10;
    OptionData.nRankingMode = 2;
    EXPECT_EQ(cSceneOption::ValueText(OPTION_PALETTE), "17");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_MUSIC), "OFF");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_VOLUME), "10");
    EXPECT_EQ(cSceneOption::ValueText(OPTION_REGISTRATION), Sjis("自動登録（登録名入力）"));
    EXPECT_EQ(cSceneOption::ValueText(OPTION_BACK), "");
    OptionData.bMusic = 1;
    EXPECT_EQ(cSceneOption::ValueText(OPTION_MUSIC), "ON");
}

TEST_F(OptionTest, BackAndCancelLeaveForTheTitle)
{
    const struct {
        const char* name;
        int row;
        SHORT button;
        WPARAM sound;
    } cases[] = {{"back entry", OPTION_BACK, kDecide, 1}, {"cancel", 2, kCancel, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_requests.sounds.clear();
        SceneFlow().m_nNextScene = SCENE_WORLDMAP;
        cSceneOption screen;
        EnterList(screen);
        for (int i = 0; i < c.row; ++i) {
            Press(screen, kDown, 0);
        }
        Press(screen, 0, c.button);
        EXPECT_EQ(screen.m_nState, 2);
        EXPECT_EQ(SceneFlow().m_nNextScene, SCENE_TITLE);
        EXPECT_EQ(g_requests.sounds, std::vector<WPARAM>{c.sound});
    }
}

TEST_F(OptionTest, MusicSwitchIsAppliedToTheManagerWhenLeaving)
{
    const struct {
        int bInit;
        int bMusic;
        int bInitAfter;
        int nBgmAfter;
    } cases[] = {
        {1, 1, 1, 7},  // playing and on: the music goes on
        {1, 0, 0, 0},  // switched off: released, the next screen asks again
        {0, 0, 0, 7},
        {0, 1, 1, 0},  // switched on: made anew, the title asks for its music again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bInit << c.bMusic);
        BgmPlayer.UnInit();
        if (c.bInit) {
            ASSERT_EQ(BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots), 1);
        }
        OptionData.bMusic = c.bMusic;
        SceneFlow().m_nBgm = 7;
        cSceneOption::ApplyBgm();
        EXPECT_EQ(BgmPlayer.m_bInit, c.bInitAfter);
        EXPECT_EQ(SceneFlow().m_nBgm, c.nBgmAfter);
    }
}

}  // namespace
