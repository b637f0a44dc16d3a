#include "app/WinMain.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/EditorLink.h"
#include "app/GameLoop.h"
#include "app/InitGame.h"
#include "app/ShellDialogs.h"
#include "app/ShellState.h"
#include "app/SingleInstance.h"
#include "app/cMainWindow.h"
#include "app/cProgramDialogs.h"
#include "core/AppGlobals.h"
#include "core/FailureClose.h"
#include "core/MachineReport.h"
#include "core/Paths.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "input/cPadScript.h"
#include "platform/host/SdlDialogDrivers.h"
#include "platform/hostapi/Host.h"
#include "platform/win/CodePage.h"
#include "platform/win/Environment.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"
#include "scenes/cSceneManager.h"
#include "stage/StageShellFlags.h"

namespace {

constexpr const char* kUsage = "usage: quillborn4-player [--test-play] [STAGE_FILE]";
constexpr UINT kStartMessage = 0x8000;
// Longest QB_FRAMES value taken (about nine days at 60 frames a second).
constexpr long kMaxFrames = 50000000;

// A close asked for by a later copy before the main window exists.
std::atomic<bool> g_bCloseRequested{false};

struct COMMANDLINE {
    bool bHelp = false;
    bool bTestPlay = false;
    std::string stage;  // Shift-JIS game path
    std::string error;
};

// The stage file argument in the program's form: a host path from "/" becomes its game path;
// any other text is taken as a game path. Text that is not valid UTF-8 cannot name a file.
std::string StageArgument(const char* szArg)
{
    if (szArg[0] == '/') {
        return GamePath(szArg);
    }
    std::string sjis;
    return Utf8ToCp932(szArg, sjis) ? sjis : std::string(szArg);
}

COMMANDLINE ParseCommandLine(int argc, const char* const* argv)
{
    COMMANDLINE line;
    bool bStage = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            line.bHelp = true;
        } else if (std::strcmp(arg, "--test-play") == 0) {
            line.bTestPlay = true;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            line.error = std::string("unknown option: ") + arg;
        } else if (bStage) {
            line.error = "more than one stage file";
        } else {
            line.stage = StageArgument(arg);
            bStage = true;
        }
    }
    return line;
}

// The environment of a scripted run; "" when it can be used, else why not.
std::string ReadRunOptions()
{
    ShellRun = SHELLRUNOPTIONS{};
    ShellRun.bHeadless = HeadlessRequested();
    const std::string frames = EnvironmentText("QB_FRAMES");
    if (!frames.empty()) {
        char* end = nullptr;
        const long n = std::strtol(frames.c_str(), &end, 10);
        if (*end != '\0' || n < 0 || n > kMaxFrames) {
            return "QB_FRAMES is not a frame count: " + frames;
        }
        ShellRun.nFrames = static_cast<int>(n);
    }
    ShellRun.inputPath = EnvironmentText("QB_INPUT");
    ShellRun.statePath = EnvironmentText("QB_STATE");
    ShellRun.shotPath = EnvironmentText("QB_SHOT");
    return "";
}

void RequestClose()
{
    g_bCloseRequested = true;
    const HWND hWnd = hWndMain.load();
    if (hWnd != nullptr) {
        PostMessage(hWnd, WM_CLOSE, 0, 0);
    }
}

// The pad script in use for the scene manager while it lives.
class PadScriptInUse {
public:
    explicit PadScriptInUse(cPadScript* lpScript) { SceneManager.SetPadScript(lpScript); }
    ~PadScriptInUse() { SceneManager.SetPadScript(nullptr); }
    PadScriptInUse(const PadScriptInUse&) = delete;
    PadScriptInUse& operator=(const PadScriptInUse&) = delete;
};

// Starts the game thread and hands it its start message once its queue exists.
void StartGameThread()
{
    if (!thGame.Start(GameLoop, nullptr)) {
        ReportLog("%s", "The game thread could not be started");
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return;
    }
    while (!PostThreadMessage(thGame.m_dwThreadID.load(), kStartMessage, 0, 0)) {
        if (WaitForSingleObject(thGame.m_hThread.load(), 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(0);
    }
}

int MessageLoop()
{
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        } else if (StageShell.bAppActive.load() == 0) {
            WaitMessage();
        }
        Sleep(1);
    }
}

// After a start-up that failed: everything built is released and the editor told.
int EndFailedStart(HWND hWnd)
{
    UnInitGame();
    if (TestPlayMode) {
        SendEditorEnd(hWnd, 0);
    }
    return StartStoppedByUser() ? kExitOk : kExitFailed;
}

int Run(const COMMANDLINE& line)
{
    TestPlayMode = line.bTestPlay ? 1 : 0;
    if (!ShellRun.bHeadless && GetHost().IsHeadless()) {
        std::fprintf(stderr, "quillborn4-player: cannot open a display (%s); set QB_HEADLESS=1 to run without one\n",
                     HostDisplayError().c_str());
        return kExitUsage;
    }
    cPadScript padScript;
    const bool bScripted = !ShellRun.inputPath.empty();
    if (bScripted) {
        int nBadLine = 0;
        if (!padScript.Load(GamePath(ShellRun.inputPath).c_str(), &nBadLine)) {
            if (nBadLine == 0) {
                std::fprintf(stderr, "quillborn4-player: QB_INPUT %s cannot be read\n", ShellRun.inputPath.c_str());
            } else {
                std::fprintf(stderr, "quillborn4-player: QB_INPUT %s: no bit mask on line %d\n",
                             ShellRun.inputPath.c_str(), nBadLine);
            }
            return kExitUsage;
        }
    }
    const PadScriptInUse scriptInUse(bScripted ? &padScript : nullptr);
    // Boxes are drawn by the program itself from the first one on (the second copy's question).
    InstallScreenDialogDrivers();
    // A copy that is not going to run leaves the running copy's report log as it is: the log is
    // created only once this copy holds the game folder.
    InstanceLock lock;
    switch (TakeSingleInstance(lock, kInstanceLockPath, RequestClose)) {
    case InstanceOutcome::Run: break;
    case InstanceOutcome::Declined: return kExitOk;
    case InstanceOutcome::Failed: return kExitFailed;
    }
    if (!OpenLogs()) {
        std::fprintf(stderr, "quillborn4-player: the report log Report_Game.txt cannot be written here\n");
        return kExitFailed;
    }
    if (!lock.Held()) {
        ReportLog("%s", "Single instance: the lock file cannot be made; starting without it");
    }
    if (!cMainWindow::RegisterWindowClass()) {
        return kExitFailed;
    }
    const HWND hWnd = wndMain.Create(100, 100);
    if (hWnd == nullptr) {
        static const std::string kText = Sjis("ウインドウが生成出来ません！");
        static const std::string kCaption = Sjis("エラー");
        MessageBoxA(nullptr, kText.c_str(), kCaption.c_str(), MB_OK);
        return kExitFailed;
    }
    wndMain.CentreOnDesktop();
    SetShellDialogs(std::make_unique<cProgramDialogs>());
    ECLog("G");
    if (TestPlayMode) {
        SendEditorStart(hWnd);
    }
    ECLog("H");
    if (!InitGame(line.stage, TestPlayMode ? SW_SHOW : SW_SHOWNORMAL)) {
        return EndFailedStart(hWnd);
    }
    bGameStarted = 1;
    ECLog("I");
    StartGameThread();
    ECLog("J");
    if (g_bCloseRequested.load()) {
        PostMessage(hWnd, WM_CLOSE, 0, 0);
    }
    const int nExit = MessageLoop();
    UnInitGame();
    static const std::string kAfterUnInit = Sjis("UnInitGame後");
    ECLog(kAfterUnInit.c_str());
    lock.Release();
    static const std::string kAfterRelease = Sjis("ReleaseMutex後");
    ECLog(kAfterRelease.c_str());
    // A close for a failure (its reason is in the report log) ends as a failed run.
    return FailureClose.bRequested.load() ? kExitFailed : nExit;
}

}  // namespace

int WinMain(int argc, const char* const* argv)
{
    const COMMANDLINE line = ParseCommandLine(argc, argv);
    if (line.bHelp) {
        std::printf("%s\n", kUsage);
        return kExitOk;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "quillborn4-player: %s\n%s\n", line.error.c_str(), kUsage);
        return kExitUsage;
    }
    const std::string optionError = ReadRunOptions();
    if (!optionError.empty()) {
        std::fprintf(stderr, "quillborn4-player: %s\n", optionError.c_str());
        return kExitUsage;
    }
    return Run(line);
}
