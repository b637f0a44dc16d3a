// The shell connected to the dialogs and the stage: the start-up asks for the drawing mode through
// the dialog driver and honours the stored choice at the next start, the ranking entry at a stage
// end asks for the name through the main window's name dialog, and the screen-colour and music
// commands reach the running stage.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DialogResources.h"
#include "app/InitGame.h"
#include "app/ShellDialogs.h"
#include "app/ShellRequests.h"
#include "app/ShellState.h"
#include "app/SystemIni.h"
#include "app/cBootData.h"
#include "app/cMainWindow.h"
#include "app/cProgramDialogs.h"
#include "app/cRankingShell.h"
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/commands/GraphicsCommands.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/FileChooserDriver.h"
#include "platform/win/Files.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/ScriptedDialogDriver.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"
#include "platform/win/WorkArea.h"
#include "project/cSaveData.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"
#include "stage/ranking/cRanking.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"
#include "support/GameFolderWriter.h"
#include "support/PlayHarness.h"

namespace {

using In = DialogInput;
using testsupport::ByteWriter;

std::string BootBytes(int mode, int noDialog)
{
    ByteWriter w;
    w.I32(720).I32(2).I32(mode).I32(noDialog).I32(0);
    return std::string(w.Data().begin(), w.Data().end());
}

bool IsModeRefusal(const MessageBoxRecord& box)
{
    return box.text.rfind(Sjis("画面モードが不正です！"), 0) == 0;
}

class StartUpDrawModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellState();
        StageShell.Reset();
        ClearRecordedMessageBoxes();
        SetWorkArea(RECT{0, 0, 1920, 1080});
        SetDialogDriver(&driver);
    }
    void TearDown() override
    {
        UnInitGame();
        SetDialogDriver(nullptr);
        SetWorkArea(RECT{});
        BootData = cBootData();
        SystemIni = SYSTEMINI();
        ResetShellState();
        StageShell.Reset();
        ClearRecordedMessageBoxes();
    }
    // A game whose System.ini asks for the drawing mode and then names a depth no screen runs
    // at, so that the start-up stops right after the settings with the mode refused.
    static void WriteGame(const std::filesystem::path& root, const char* english)
    {
        testsupport::GameSpec spec = testsupport::MinimalGame();
        spec.systemIni.entries = {{"Direct3D", "2"}, {"WindowMode", "1"}, {"Bpp", "24"}, {"English", english}};
        ASSERT_TRUE(testsupport::WriteGameFolder(root, spec));
        // Start-up failures are logged before their box is shown.
        ASSERT_EQ(CreateReportLog(GamePath((root / "Report_Game.txt").string()).c_str()), 1);
    }
    // One start-up: its result, and the refusal box shown when it got past the settings.
    int Start()
    {
        ClearRecordedMessageBoxes();
        const int result = InitGame("", SW_SHOWNORMAL);
        UnInitGame();
        return result;
    }

    ScriptedDialogDriver driver;
};

TEST_F(StartUpDrawModeTest, TheChoiceIsWrittenToBootDatAndHonouredAtTheNextStart)
{
    struct Case {
        const char* what;
        const char* english;
        std::vector<DialogInput> script;
        int mode;
        int noDialog;
    };
    const std::vector<Case> cases = {
        {"DirectDraw, don't ask again",
         "0",
         {In::Click(IDC_BOOT_DIRECTDRAW), In::Click(IDC_BOOT_NO_DIALOG), In::Click(IDC_BOOT_START)},
         0,
         1},
        {"Direct3D, ask again, in English", "1", {In::Click(IDC_BOOT_DIRECT3D), In::Click(IDC_BOOT_START)}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), c.english);
        driver = ScriptedDialogDriver();
        driver.AddScript(c.script);
        BootData = cBootData();
        EXPECT_EQ(Start(), 0);
        EXPECT_FALSE(StartStoppedByUser());
        ASSERT_EQ(driver.Shown().size(), 1U);
        const bool bEnglish = std::string(c.english) == "1";
        EXPECT_EQ(driver.Shown()[0].Text(IDC_BOOT_START), bEnglish ? "Start" : Sjis("ゲーム開始"));
        EXPECT_EQ(StageShell.bEnglish.load(), bEnglish ? 1 : 0);
        EXPECT_EQ(folder.Read("user_data\\Boot.dat"), BootBytes(c.mode, c.noDialog));
        EXPECT_EQ(SystemIni.Direct3D, c.mode);
        const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_TRUE(IsModeRefusal(boxes[0])) << boxes[0].text;

        // The next start reads Boot.dat afresh: asked again only without "don't ask again"; the
        // script then starts with what the dialog shows, the stored mode.
        BootData = cBootData();
        driver.AddScript({In::Click(IDC_BOOT_START)});
        EXPECT_EQ(Start(), 0);
        EXPECT_EQ(driver.Shown().size(), c.noDialog != 0 ? 1U : 2U);
        EXPECT_EQ(SystemIni.Direct3D, c.mode);
        EXPECT_EQ(folder.Read("user_data\\Boot.dat"), BootBytes(c.mode, c.noDialog));
    }
}

TEST_F(StartUpDrawModeTest, StoppingTheDialogEndsTheStartUpWithoutAMessageOrAFile)
{
    for (const auto& script : {std::vector<DialogInput>{In::Click(IDC_BOOT_DIRECTDRAW), In::Click(IDC_BOOT_STOP)},
                               std::vector<DialogInput>{In::Close()}}) {
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), "0");
        driver = ScriptedDialogDriver();
        driver.AddScript(script);
        BootData = cBootData();
        EXPECT_EQ(Start(), 0);
        EXPECT_TRUE(StartStoppedByUser());
        EXPECT_EQ(driver.Shown().size(), 1U);
        EXPECT_TRUE(RecordedMessageBoxes().empty());
        EXPECT_FALSE(folder.Exists("user_data\\Boot.dat"));
    }
}

unsigned RunCall(void* lpParam)
{
    (*static_cast<std::function<void()>*>(lpParam))();
    return 0;
}

// The stage screen of a played game with the main window and the program's own dialogs, as the
// running program has them.
class ShellStageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessagesForTest();
        ResetShellState();
        wndMain.ResetForTest();
        SetWorkArea(RECT{0, 0, 1920, 1080});
        harness = std::make_unique<testsupport::PlayHarness>(testsupport::MinimalGame());
        ASSERT_TRUE(harness->Loaded());
        ASSERT_TRUE(harness->Enter());
        for (const char* folder : {"user_data/story", "user_data/challenge", "user_data/free"}) {
            std::filesystem::create_directories(harness->Folder().Host(folder));
        }
        cMainWindow::RegisterWindowClass();
        hWnd = wndMain.Create(100, 100);
        ASSERT_NE(hWnd, nullptr);
        hWndMain = hWnd;
        SetShellDialogs(std::make_unique<cProgramDialogs>());
        SetDialogDriver(&driver);
        InstallRankingShell(true);
        savedGameMode = SceneManager.m_nGameMode;
        SceneManager.m_nGameMode = 3;
    }
    void TearDown() override
    {
        SceneManager.m_nGameMode = savedGameMode;
        InstallRankingShell(false);
        SetDialogDriver(nullptr);
        SetShellDialogs(nullptr);
        if (IsWindow(hWnd)) {
            DestroyWindow(hWnd);
        }
        hWndMain = nullptr;
        harness.reset();
        wndMain.ResetForTest();
        SetWorkArea(RECT{});
        OptionData = cOptionData();
        Ranking.Reset();
        ResetShellState();
        ResetMessagesForTest();
    }

    // The ranking entry on a game thread of its own while this thread, the main thread, serves
    // its requests; the ranking display ends on a fresh decide press.
    int EntryOnGameThread()
    {
        std::vector<testsupport::PadFrame> script(40);
        for (std::size_t i = 1; i < script.size(); i += 2) {
            script[i].buttons = 1;
        }
        harness->SetScript(script);
        int result = -1;
        std::function<void()> call = [&] { result = harness->Scene().EntryRanking(); };
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunCall, &call, 0, &id);
        EXPECT_NE(game, nullptr);
        MSG msg;
        while (game != nullptr && WaitForSingleObject(game, 0) == WAIT_TIMEOUT) {
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessage(&msg);
            }
            Sleep(1);
        }
        CloseHandle(game);
        return result;
    }

    std::unique_ptr<testsupport::PlayHarness> harness;
    HWND hWnd = nullptr;
    ScriptedDialogDriver driver;
    int savedGameMode = 0;
};

TEST_F(ShellStageTest, TheRankingEntryAsksForTheNameInTheMainWindowsDialog)
{
    struct Case {
        const char* what;
        int mode;  // the option's registration
        std::vector<DialogInput> script;
        std::size_t dialogs;
        std::string registered;
    };
    const std::vector<Case> cases = {
        {"manual, entered", 0, {In::Text("XYZ"), In::Click(IDC_NAME_OK)}, 1, "XYZ"},
        {"automatic, entered", 2, {In::Text("Q"), In::Key(VK_RETURN)}, 1, "Q"},
        {"closed: the name proposed", 0, {In::Text("ZZ"), In::Close()}, 1, "old"},
        {"fixed name: no dialog", 1, {}, 0, "FIX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        driver = ScriptedDialogDriver();
        driver.AddScript(c.script);
        OptionData.nRankingMode = c.mode;
        OptionData.strRankingName = "FIX";
        SaveData.strName = "old";
        harness->Flow().m_bRanking = 1;
        harness->Flow().m_nPlayKind = 2;
        Ranking.Reset();
        cSceneStage& scene = harness->Scene();
        scene.m_bNewRank = 1;
        scene.m_bRankEntered = 0;
        scene.m_RankReached = {0, -1, -1, -1, -1};
        scene.m_RankValue = {500, 60, 6000, 7, 3};
        bNameDialogDone = 0;

        EXPECT_EQ(EntryOnGameThread(), 1);
        ASSERT_EQ(driver.Shown().size(), c.dialogs);
        if (c.dialogs != 0) {
            // The dialog proposed the name entered last, and its end was reported.
            EXPECT_EQ(driver.Shown()[0].Text(IDC_NAME_EDIT), "old");
            EXPECT_EQ(bNameDialogDone.load(), 1);
            EXPECT_EQ(SaveData.strName, c.registered);
        }
        EXPECT_EQ(Ranking.m_Tables[0].m_Entries[0].strName, c.registered);
    }
}

TEST_F(ShellStageTest, ScreenColourAndMusicCommandsReachTheStage)
{
    struct Case {
        const char* what;
        std::vector<std::int32_t> params;
        bool bStarts;
    };
    const std::vector<Case> cases = {
        {"a tint", {200, 100, 50, 80, 0, 10, 0, 0}, true},
        {"a flash", {10, 20, 30, 100, 0, 3, 1, 4}, true},
        {"a restore with nothing tinted is ignored", {1, 2, 3, 50, 1, 5, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cSceneStage& scene = harness->Scene();
        scene.m_ScreenColor = SCREENCOLOR();
        cEdCommand command;
        command.m_Param.assign(c.params.begin(), c.params.end());
        EXPECT_EQ(ScreenColorCommand(Player[0], command), 0);
        const SCREENCOLOR& tint = scene.m_ScreenColor;
        EXPECT_EQ(tint.bActive, c.bStarts ? 1 : 0);
        if (c.bStarts) {
            EXPECT_EQ(tint.byRed, c.params[0]);
            EXPECT_EQ(tint.byGreen, c.params[1]);
            EXPECT_EQ(tint.byBlue, c.params[2]);
            EXPECT_EQ(tint.nLevel, c.params[3]);
            EXPECT_EQ(tint.nDuration, c.params[5] * 6);
            EXPECT_EQ(tint.bFlash, c.params[6]);
            EXPECT_EQ(tint.nRepeat, c.params[7]);
        }
    }

    // The music command: the loop flag kept for the stage music and the main window asked to
    // play the entry in the stage's slot (no entry: the music stops and 0 is kept).
    SaveData.bStageBgmLoop = 0;
    SaveData.nStageBgm = 5;
    cEdCommand music;
    music.m_Param.assign({0, 1});
    EXPECT_EQ(BgmCommand(music), 0);
    EXPECT_EQ(SaveData.bStageBgmLoop, 1);
    EXPECT_EQ(SaveData.nStageBgm, 0);
}

}  // namespace

namespace {

TEST_F(ShellStageTest, TheEndOfAFreePlayReadsTheStageFileAgain)
{
    const std::string played = Stage.m_strPath;
    ASSERT_FALSE(played.empty());
    struct Case {
        const char* what;
        std::string path;
        int result;
    };
    const std::vector<Case> cases = {
        {"the file played", played, 1},
        {"a file gone meanwhile", "data\\stg4\\gone.stg4_000", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage.m_strPath = c.path;
        SaveData.nStageNo = 7;
        SaveData.strStage = "before";
        EXPECT_EQ(SceneManager.ReloadFreeStage(), c.result);
        // A new free play starts from the file at stage 1 (the save data is reset either way).
        EXPECT_EQ(SaveData.nStageNo, c.result != 0 ? 1 : cSaveData().nStageNo);
        EXPECT_NE(SaveData.strStage, "before");
    }
    Stage.m_strPath = played;
}

}  // namespace

namespace {

TEST_F(ShellStageTest, FileRequestsShowTheProgramsOwnChoosers)
{
    ScriptedFileChooserDriver chooser;
    SetFileChooserDriver(&chooser);
    struct Case {
        const char* what;
        UINT uMsg;
        std::vector<FileChooserInput> script;
        LRESULT result;
        const char* title;  // UTF-8
        bool bSave;
    };
    const std::vector<Case> cases = {
        {"a stage chosen and loaded for free play",
         WM_LOADSTAGEFILE,
         {FileChooserInput::Activate("test.stg4_000")},
         1,
         "ステージファイルの読み込み",
         false},
        {"the replay chooser cancelled",
         WM_LOADREPLAYFILE,
         {FileChooserInput::Cancel()},
         0,
         "リプレイファイルの読み込み",
         false},
        {"the replay save chooser cancelled",
         WM_SAVEREPLAYFILE,
         {FileChooserInput::Cancel()},
         0,
         "リプレイファイルの保存",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        chooser.AddScript(c.script);
        bRequestDone = 0;
        SaveData.strStage = "before";
        EXPECT_EQ(MainWindowMessage(hWnd, c.uMsg, 0, 0), c.result);
        EXPECT_EQ(bRequestDone.load(), 1);
        EXPECT_EQ(bRequestResult.load(), c.result);
        ASSERT_FALSE(chooser.Requests().empty());
        EXPECT_EQ(chooser.Requests().back().title, Sjis(c.title));
        EXPECT_EQ(chooser.Requests().back().bSave, c.bSave);
        if (c.result != 0) {
            EXPECT_NE(SaveData.strStage.find("test"), std::string::npos) << SaveData.strStage;
        }
    }
    SetFileChooserDriver(nullptr);
}

}  // namespace
