// The main window's procedure on the test thread (the main thread): the requests of the game
// thread answer a result or "not done", a failed file keeps the program running, a close that
// arrives during a request waits for it, a close during a nested wait loop ends the loop first,
// and a close while the game thread waits in a request ends every thread by itself.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ShellDialogs.h"
#include "app/ShellRequests.h"
#include "app/ShellState.h"
#include "app/SystemIni.h"
#include "app/cMainWindow.h"
#include "app/cWindowData.h"
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "platform/win/Files.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "support/PlayHarness.h"
#include "support/TestMainWindow.h"

namespace {

// Dialogs that answer from a list and may act while they are open.
class TestDialogs : public cScriptedDialogs {
public:
    std::function<void()> whileOpen;
    bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) override
    {
        if (whileOpen) {
            whileOpen();
        }
        return cScriptedDialogs::OpenFile(request, path);
    }
};

class MainWindowProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMessagesForTest();
        ResetMainWindowProcForTest();
        ResetShellState();
        ClearRecordedMessageBoxes();
        wndMain.ResetForTest();
        harness = std::make_unique<testsupport::PlayHarness>(testsupport::MinimalGame());
        ASSERT_TRUE(harness->Loaded());
        // The user folders the start-up makes.
        std::filesystem::create_directories(harness->Folder().Host("user_data\\rpl4"));
        cMainWindow::RegisterWindowClass();
        hWnd = wndMain.Create(100, 100);
        ASSERT_NE(hWnd, nullptr);
        hWndMain = hWnd;
        auto owned = std::make_unique<TestDialogs>();
        dialogs = owned.get();
        SetShellDialogs(std::move(owned));
    }
    void TearDown() override
    {
        SetShellDialogs(nullptr);
        if (IsWindow(hWnd)) {
            DestroyWindow(hWnd);
        }
        hWndMain = nullptr;
        harness.reset();
        wndMain.ResetForTest();
        SystemIni = SYSTEMINI{};
        ResetShellState();
        StageShell.Reset();
        ResetMessagesForTest();
    }

    // Removes the posted messages of the window; how many were uMsg.
    int TakePosted(UINT uMsg) { return testsupport::TestMainWindow::TakePosted(hWnd, uMsg); }
    // Runs the posted messages of the thread; true when WM_QUIT was among them.
    bool DispatchPosted()
    {
        bool bQuit = false;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            bQuit = bQuit || msg.message == WM_QUIT;
            DispatchMessage(&msg);
        }
        return bQuit;
    }

    std::unique_ptr<testsupport::PlayHarness> harness;
    HWND hWnd = nullptr;
    TestDialogs* dialogs = nullptr;
};

TEST_F(MainWindowProcTest, FileRequestsAnswerWhetherTheFileWasTakenAndAFailureKeepsTheProgramRunning)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        std::vector<cScriptedDialogs::Answer> answers;
        LRESULT result;
        std::string box;  // Shift-JIS; "" none
    };
    const Case cases[] = {
        {"stage cancelled", WM_LOADSTAGEFILE, 0, {}, 0, ""},
        {"stage chosen", WM_LOADSTAGEFILE, 0, {{true, "data\\stg4\\test.stg4_000"}}, 1, ""},
        {"stage missing",
         WM_LOADSTAGEFILE,
         0,
         {{true, "data\\stg4\\none.stg4_000"}},
         0,
         Sjis("ステージファイル data\\stg4\\none.stg4_000 の読み込みに失敗しました！")},
        {"replay cancelled", WM_LOADREPLAYFILE, 0, {}, 0, ""},
        {"replay missing",
         WM_LOADREPLAYFILE,
         0,
         {{true, "user_data\\rpl4\\none.rpl4_720"}},
         0,
         Sjis("「user_data\\rpl4\\none.rpl4_720」の読み込みに失敗しました！")},
        {"replay save cancelled", WM_SAVEREPLAYFILE, 1, {}, 0, ""},
        {"replay saved", WM_SAVEREPLAYFILE, 0, {{true, "user_data\\rpl4\\a_00.rpl4_720"}}, 1, ""},
        {"replay not writable",
         WM_SAVEREPLAYFILE,
         1,
         {{true, "no_folder\\a_00.rpl4_720"}},
         0,
         Sjis("「no_folder\\a_00.rpl4_720」の書き込みに失敗しました！")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecordedMessageBoxes();
        dialogs->Script(c.answers);
        bRequestDone = 0;
        bRequestResult = -1;
        EXPECT_EQ(SendMessage(hWnd, c.message, c.wParam, 0), c.result);
        EXPECT_EQ(bRequestDone.load(), 1);
        EXPECT_EQ(bRequestResult.load(), c.result);
        const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.box);
        }
        EXPECT_EQ(TakePosted(WM_CLOSE), 0) << "a file that failed does not end the program";
        EXPECT_TRUE(IsWindow(hWnd));
    }
    // The dialogs were asked in the user's language with the folders of their files.
    const std::vector<FILEDIALOGREQUEST>& requests = dialogs->FileRequests();
    ASSERT_EQ(requests.size(), 8u);
    EXPECT_EQ(requests[0].title, Sjis("ステージファイルの読み込み"));
    EXPECT_EQ(requests[0].folder, "data\\stg4\\");
    EXPECT_EQ(requests[3].title, Sjis("リプレイファイルの読み込み"));
    EXPECT_EQ(requests[3].folder, "user_data\\rpl4");
}

TEST_F(MainWindowProcTest, AChosenStageStartsAFreePlayOfIt)
{
    SaveData.nLives = 5;
    dialogs->Script({{true, "data\\stg4\\test.stg4_000"}});
    ASSERT_EQ(SendMessage(hWnd, WM_LOADSTAGEFILE, 0, 0), 1);
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\test.stg4_000");
    EXPECT_EQ(SaveData.nStageNo, 1);
    EXPECT_EQ(SaveData.nWorldStage, 1);
    EXPECT_EQ(SaveData.strStage, "data\\stg4\\test.");
}

TEST_F(MainWindowProcTest, SoundAndMusicRequestsCheckTheirNumbers)
{
    // A sound slot outside the table is logged and closes the program in order (checked access);
    // the line gives the table's size and a slot's recorded size, 284.
    const std::string log = harness->Folder().Host("Report_Game.txt").string();
    ASSERT_EQ(CreateReportLog(GamePath(log).c_str()), 1);
    EXPECT_EQ(SendMessage(hWnd, WM_PLAYSE, 0, 0), 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    EXPECT_EQ(SendMessage(hWnd, WM_PLAYSE, 1000, 0), 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
    EXPECT_EQ(harness->Folder().Read("Report_Game.txt"),
              "err V[1000] ( " + std::to_string(SoundTable.size()) + " , 284 )\r\n");
    // The stage music 0 stops the music and is kept as the stage's music number.
    SaveData.nStageBgm = 3;
    EXPECT_EQ(SendMessage(hWnd, WM_PLAYBGM, 4, 0), 0);
    EXPECT_EQ(SaveData.nStageBgm, 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    // Music numbers beyond the screens' and the stage's do nothing.
    EXPECT_EQ(SendMessage(hWnd, WM_PLAYBGM, 9, 7), 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
}

TEST_F(MainWindowProcTest, ActivationEscapeAndTheClientAreaOnTheScreen)
{
    // A move keeps the present's target: the client area in screen coordinates.
    wndMain.Move(200, 150);
    RECT client{};
    GetClientRect(hWnd, &client);
    POINT corner{0, 0};
    ClientToScreen(hWnd, &corner);
    EXPECT_EQ(rcClient.left, corner.x);
    EXPECT_EQ(rcClient.top, corner.y);
    EXPECT_EQ(rcClient.right - rcClient.left, client.right);
    EXPECT_EQ(rcClient.bottom - rcClient.top, client.bottom);
    EXPECT_GE(corner.x, 200) << "inside the frame";

    SendMessage(hWnd, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(StageShell.bAppActive.load(), 0);
    SendMessage(hWnd, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(StageShell.bAppActive.load(), 1);
    SendMessage(hWnd, WM_KEYDOWN, 'Z', 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    SendMessage(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(TakePosted(WM_CLOSE), 1);
}

TEST_F(MainWindowProcTest, ACloseDuringARequestWaitsForItsEnd)
{
    bool bWindowDuringRequest = false;
    dialogs->whileOpen = [&] {
        SendMessage(hWnd, WM_CLOSE, 0, 0);
        bWindowDuringRequest = IsWindow(hWnd) != 0;
    };
    dialogs->Script({{true, "data\\stg4\\test.stg4_000"}});
    EXPECT_EQ(SendMessage(hWnd, WM_LOADSTAGEFILE, 0, 0), 1) << "the request ran to its end";
    EXPECT_TRUE(bWindowDuringRequest);
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\test.stg4_000");
    // The close comes back once the request is over, and ends the program.
    EXPECT_TRUE(DispatchPosted()) << "the message loop is ended";
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(hWndMain.load(), nullptr);
}

TEST_F(MainWindowProcTest, TheWindowsPlaceIsKeptOnCloseOnlyForAWindowThatIsNotMinimised)
{
    struct Case {
        const char* name;
        int windowMode;
        int showCommand;
        bool saved;
    };
    const Case cases[] = {
        {"window", 1, SW_SHOWNORMAL, true},
        {"minimised window", 1, SW_MINIMIZE, false},
        {"full screen", 0, SW_SHOWNORMAL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        harness->Folder().Remove("user_data\\Window.dat");
        if (!IsWindow(hWnd)) {
            ResetMessagesForTest();
            wndMain.ResetForTest();
            cMainWindow::RegisterWindowClass();
            hWnd = wndMain.Create(100, 100);
            hWndMain = hWnd;
        }
        SystemIni.WindowMode = c.windowMode;
        bGameStarted = 1;
        ShowWindow(hWnd, c.showCommand);
        wndMain.Move(150, 120);
        SendMessage(hWnd, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(hWnd));
        ASSERT_EQ(harness->Folder().Exists("user_data\\Window.dat"), c.saved);
        if (c.saved) {
            cWindowData placement;
            ASSERT_TRUE(placement.LoadFile("user_data\\Window.dat"));
            EXPECT_EQ(placement.x, 150);
            EXPECT_EQ(placement.y, 120);
            EXPECT_EQ(placement.nWidth, 640);
            EXPECT_EQ(placement.nHeight, 480);
            EXPECT_EQ(placement.bMaximized, 0);
        }
    }
}

// A nested wait loop as the stage runs it on thPause: frames until WM_QUIT.
unsigned WaitLoopStandIn(void*)
{
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return 1;
            }
        }
        Sleep(1);
    }
}

TEST_F(MainWindowProcTest, ACloseDuringTheWaitLoopEndsTheLoopFirstAndTheProgramOnTheNextClose)
{
    ASSERT_TRUE(harness->Enter());
    ASSERT_TRUE(thPause.Start(WaitLoopStandIn, nullptr));
    while (!PostThreadMessage(thPause.m_dwThreadID.load(), WM_APP, 0, 0)) {
        Sleep(1);
    }
    SendMessage(hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hWnd)) << "the first close only ends the wait loop";
    EXPECT_EQ(harness->Scene().m_bQuit.load(), 1);
    thPause.Wait();  // the loop ended by itself on its WM_QUIT
    EXPECT_EQ(thPause.m_hThread.load(), nullptr);
    // The game thread, back from the wait, sees m_bQuit and asks again.
    SendMessage(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
}

std::atomic<int> g_nRequestsAnswered{0};
std::atomic<bool> g_bLeftByItself{false};

// A game thread that asks the main window for sounds until it is told to quit.
unsigned RequestingGameThread(void*)
{
    MSG msg;
    for (;;) {
        SendMessage(hWndMain.load(), WM_PLAYSE, 0, 0);
        ++g_nRequestsAnswered;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT) {
            g_bLeftByItself = true;
            return 1;
        }
    }
}

TEST_F(MainWindowProcTest, ACloseWhileTheGameThreadWaitsInARequestEndsItWithoutForce)
{
    g_nRequestsAnswered = 0;
    g_bLeftByItself = false;
    ASSERT_TRUE(thGame.Start(RequestingGameThread, nullptr));
    // The game thread's first request is under way before the close: the main thread does not
    // serve it, so the thread waits in it when the close begins.
    while (PendingSentMessages(GetCurrentThreadId()) == 0) {
        Sleep(1);
    }
    MainWindowMessage(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(thGame.m_hThread.load(), nullptr);
    EXPECT_TRUE(g_bLeftByItself.load()) << "the game thread left at its own WM_QUIT check";
    EXPECT_GE(g_nRequestsAnswered.load(), 1);
    EXPECT_FALSE(IsWindow(hWnd));
}

std::atomic<int> g_nLoads{0};

// A game thread that loads the stage again and again (the loader runs on StageLoaderThread while
// the game thread waits for it) until it is told to quit.
unsigned LoadingGameThread(void*)
{
    MSG msg;
    for (;;) {
        LoadStage("data\\stg4\\test.stg4", 1, &StageBackup);
        ++g_nLoads;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                g_bLeftByItself = true;
                return 1;
            }
        }
    }
}

TEST_F(MainWindowProcTest, ACloseDuringAStageLoadStopsTheLoaderAndTheGameThreadInOrder)
{
    g_nLoads = 0;
    g_bLeftByItself = false;
    ASSERT_TRUE(thGame.Start(LoadingGameThread, nullptr));
    while (g_nLoads.load() == 0) {
        Sleep(1);
    }
    MainWindowMessage(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(StageLoaderThread.m_hThread.load(), nullptr);
    EXPECT_EQ(thGame.m_hThread.load(), nullptr);
    EXPECT_TRUE(g_bLeftByItself.load()) << "the game thread left at its own WM_QUIT check";
    EXPECT_FALSE(IsWindow(hWnd));
}

}  // namespace
