#include <string>

#include "app/EditorLink.h"
#include "app/ShellDialogs.h"
#include "app/ShellRequests.h"
#include "app/ShellState.h"
#include "app/SystemIni.h"
#include "app/cMainWindow.h"
#include "app/cWindowData.h"
#include "core/AppGlobals.h"
#include "core/CheckedAccess.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/DeviceLoss.h"
#include "input/ReplayFileName.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/gdi/PngWriter.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Files.h"
#include "platform/win/Keyboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Threads.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "scenes/FreeStage.h"
#include "scenes/cSceneManager.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"
#include "stage/PlayStateFile.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"

namespace {

constexpr const char* kWindowDataPath = "user_data\\Window.dat";
// How long the close waits for a worker to leave by itself (ms) before its wrapper's own stop.
constexpr DWORD kWorkerStopMs = 10000;

// Main-thread work that a close must not interrupt, and a close that arrived during it.
int g_nBusy = 0;
bool g_bClosePending = false;

// Marks a request or a load running on the main thread; a close that arrived meanwhile is posted
// again once the last such section ends.
class BusySection {
public:
    explicit BusySection(HWND hWnd) : m_hWnd(hWnd) { ++g_nBusy; }
    ~BusySection()
    {
        if (--g_nBusy == 0 && g_bClosePending) {
            g_bClosePending = false;
            PostMessage(m_hWnd, WM_CLOSE, 0, 0);
        }
    }
    BusySection(const BusySection&) = delete;
    BusySection& operator=(const BusySection&) = delete;

private:
    HWND m_hWnd;
};

// Dialog-box mode around a dialog: the cursor shows and the screen is kept for the dialog.
class DialogMode {
public:
    DialogMode() { DDSetDialogMode(TRUE); }
    ~DialogMode() { DDSetDialogMode(FALSE); }
    DialogMode(const DialogMode&) = delete;
    DialogMode& operator=(const DialogMode&) = delete;
};

const char* Text(const char* szEnglish, const char* szJapanese)
{
    return SystemIni.English != 0 ? szEnglish : szJapanese;
}

// The file request's end: the flags for polling requesters, and the answer.
LRESULT FinishFileRequest(int nResult)
{
    bRequestResult = nResult;
    bRequestDone = 1;
    return nResult;
}

void ShowLoadFailure(const std::string& path)
{
    static const std::string kFormat = Sjis("「%s」の読み込みに失敗しました！");
    ReportLog(kFormat.c_str(), path.c_str());
    ErrorBoxF(kFormat.c_str(), path.c_str());
}

void SaveWindowPlacement(HWND hWnd)
{
    if (SystemIni.WindowMode == 0 || bGameStarted.load() == 0 || IsIconic(hWnd)) {
        return;
    }
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    WindowData.x = rc.left;
    WindowData.y = rc.top;
    WindowData.nWidth = wndMain.ClientWidth();
    WindowData.nHeight = wndMain.ClientHeight();
    WindowData.bMaximized = IsZoomed(hWnd) ? 1 : 0;
    if (!WindowData.SaveFile(kWindowDataPath)) {
        ReportLog("%s", "Window.dat could not be written; the old placement stays");
    }
}

void WritePlayStateFile()
{
    if (ShellRun.statePath.empty()) {
        return;
    }
    const std::string path = GamePath(ShellRun.statePath);
    if (!WritePlayState(path.c_str(), SceneManager.m_nScene)) {
        ReportLog("%s", "The play state could not be written");
    }
}

// The last frame handed to the screen, as the player showed it, for scripts that look at it.
void WriteShotFile()
{
    if (ShellRun.shotPath.empty()) {
        return;
    }
    const HostFrame frame = GetHost().LastFrame();
    if (!WritePngFile(ShellRun.shotPath, frame.pixels.data(), frame.width, frame.height, frame.width)) {
        ReportLog("%s", "The picture of the last frame could not be written");
    }
}

// Asks a worker to leave through its queue and waits for it while this thread keeps serving the
// messages sent to it, so that a worker busy in a load or a request finishes that step and leaves
// at its own WM_QUIT check; only a worker that does not leave within the bound is left to its
// wrapper's Exit.
void StopWorker(cThread& worker)
{
    for (DWORD waited = 0; waited < kWorkerStopMs; ++waited) {
        const HANDLE h = worker.m_hThread.load();
        if (h == nullptr || WaitForSingleObject(h, 0) != WAIT_TIMEOUT) {
            break;
        }
        PostThreadMessage(worker.m_dwThreadID.load(), WM_QUIT, 0, 0);
        WaitForSingleObject(h, 1);
    }
    worker.Exit();
}

void CloseSequence(HWND hWnd)
{
    SaveWindowPlacement(hWnd);
    if (thPause.m_hThread.load() != nullptr) {
        ECLog("WM_CLOSE thPause.m_hThread");
        if (lpSceneStage != nullptr) {
            lpSceneStage->m_bQuit = 1;
        }
        PostThreadMessage(thPause.m_dwThreadID.load(), WM_QUIT, 0, 0);
        return;
    }
    static const std::string kClosing = Sjis("WM_CLOSE 成功！");
    ECLog(kClosing.c_str());
    // From here a worker waiting for the main thread is answered at once instead of waiting.
    BeginCloseSequence();
    BgmPlayer.Stop();
    StopWorker(StageLoaderThread);
    StopWorker(thPause);
    StopWorker(RankingThread);
    ECLog("thPause.Exit()");
    StopWorker(thGame);
    ECLog("thGame.Exit()");
    // The game thread has ended: the play state is read while nothing changes it.
    WritePlayStateFile();
    WriteShotFile();
    DestroyWindow(hWnd);
}

LRESULT NameDialogRequest()
{
    // The workers stay suspended until the dialog-box mode has ended.
    {
        DialogMode mode;
        SuspendThreads();
        ShellDialogs().NameDialog();
    }
    ResumeThreads();
    bNameDialogDone = 1;
    return 1;
}

// Shows the chooser the request asks for (the save chooser for a replay save) in dialog mode.
// False when it was cancelled.
bool ChooseFile(const FILEDIALOGREQUEST& request, std::string& path)
{
    DialogMode mode;
    return request.kind == FileRequestKind::SaveReplay ? ShellDialogs().SaveFile(request, path)
                                                       : ShellDialogs().OpenFile(request, path);
}

LRESULT LoadStageRequest(HWND hWnd)
{
    BusySection busy(hWnd);
    FILEDIALOGREQUEST request;
    request.kind = FileRequestKind::LoadStage;
    request.title = Text("Load stage file", Sjis("ステージファイルの読み込み").c_str());
    request.folder = "data\\stg4\\";
    request.pattern = "*.stg4_*;*.rpl4_*";
    std::string path;
    if (!ChooseFile(request, path)) {
        return FinishFileRequest(0);
    }
    // The loader reports its own failures.
    return FinishFileRequest(LoadFreeStage(path.c_str(), 0) ? 1 : 0);
}

LRESULT LoadReplayRequest(HWND hWnd)
{
    BusySection busy(hWnd);
    FILEDIALOGREQUEST request;
    request.kind = FileRequestKind::LoadReplay;
    request.title = Text("Load replay file", Sjis("リプレイファイルの読み込み").c_str());
    request.folder = "user_data\\rpl4";
    request.pattern = "*.rpl4_*";
    std::string path;
    if (!ChooseFile(request, path)) {
        return FinishFileRequest(0);
    }
    // The replay plays with the save data it was recorded with; the player's is kept apart and
    // comes back when the playback ends (a file without save data plays with a copy of it).
    cSaveData replaySave = SaveData;
    if (!Replay.LoadFile(path.c_str(), &StageBackup, replaySave)) {
        ShowLoadFailure(path);
        return FinishFileRequest(0);
    }
    ReplaySaveData.Begin(replaySave);
    return FinishFileRequest(1);
}

LRESULT SaveReplayRequest(HWND hWnd, WPARAM wParam)
{
    BusySection busy(hWnd);
    FILEDIALOGREQUEST request;
    request.kind = FileRequestKind::SaveReplay;
    request.title = Text("Save replay file", Sjis("リプレイファイルの保存").c_str());
    request.folder = "user_data\\rpl4";
    request.pattern = "*.rpl4_*";
    request.proposed = ProposeReplayFileName(SaveData.strStage);
    std::string path;
    if (!ChooseFile(request, path)) {
        return FinishFileRequest(0);
    }
    const bool bPrevious = wParam == 1;
    cReplay& replay = bPrevious ? ReplayPrev : Replay;
    cSaveData& snapshot = bPrevious ? SaveDataAtStartPrev : SaveDataAtStart;
    if (!replay.SaveFile(path.c_str(), Stage, StageBackup, snapshot)) {
        static const std::string kFormat = Sjis("「%s」の書き込みに失敗しました！");
        ReportLog(kFormat.c_str(), path.c_str());
        ErrorBoxF(kFormat.c_str(), path.c_str());
        return FinishFileRequest(0);
    }
    return FinishFileRequest(1);
}

// A sound number outside the table is a bad index of it: reported with the size a slot's line has
// always given, the program asked to close, and slot 0 played in its place.
LRESULT PlaySoundRequest(WPARAM wParam)
{
    constexpr std::size_t kReportedSlotSize = 284;
    const int nSound = static_cast<int>(wParam);
    if (nSound < 0 || static_cast<std::size_t>(nSound) >= SoundTable.size()) {
        ReportBadIndex('V', nSound, SoundTable.size(), kReportedSlotSize);
        if (SoundTable.empty()) {
            return 0;
        }
        DS_Play(&SoundTable[0], 0);
        return 0;
    }
    DS_Play(&SoundTable[nSound], 0);
    return 0;
}

LRESULT MusicRequest(WPARAM wParam, LPARAM lParam)
{
    if (wParam < static_cast<WPARAM>(kScreenMusicSlots)) {
        const int nScreen = static_cast<int>(wParam);
        const int nBgm = SystemData.MusicTable[nScreen];
        if (nBgm == 0) {
            BgmPlayer.Stop();
            return 0;
        }
        BgmPlayer.SetFile(nScreen, Database.Bgm[nBgm].strFileName.c_str());
        BgmPlayer.Play(0, nScreen, SystemData.MusicLoopFlags[nScreen], 0, 1);
        return 0;
    }
    if (wParam == static_cast<WPARAM>(BGM_SLOT_STAGE)) {
        const int nBgm = static_cast<int>(lParam);
        SaveData.nStageBgm = nBgm;
        BgmPlayer.SetFile(BGM_SLOT_STAGE, Database.Bgm[nBgm].strFileName.c_str());
        if (nBgm == 0) {
            BgmPlayer.Stop();
        } else {
            BgmPlayer.Play(0, BGM_SLOT_STAGE, SaveData.bStageBgmLoop, 0, 1);
        }
    }
    return 0;
}

LRESULT OnDestroy(HWND hWnd)
{
    ECLog("WM_DESTROY");
    wndMain.SetHandle(nullptr);
    hWndMain = nullptr;
    if (TestPlayMode) {
        SendEditorEnd(hWnd, 1);
    }
    PostQuitMessage(0);
    return 0;
}

// The client area in screen coordinates: the target of the windowed DirectDraw present.
LRESULT OnMove(HWND hWnd)
{
    RECT client{};
    GetClientRect(hWnd, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(hWnd, &topLeft);
    ClientToScreen(hWnd, &bottomRight);
    rcClient = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return 0;
}

LRESULT OnClose(HWND hWnd)
{
    if (g_nBusy > 0) {
        g_bClosePending = true;
        return 0;
    }
    CloseSequence(hWnd);
    return 0;
}

}  // namespace

LRESULT MainWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_DESTROY: return OnDestroy(hWnd);
    case WM_CLOSE: return OnClose(hWnd);
    case WM_MOVE: return OnMove(hWnd);
    case WM_ACTIVATEAPP: StageShell.bAppActive = wParam != 0 ? 1 : 0; return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessage(hWnd, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_PAINT:
    case WM_PALETTECHANGED:
    case WM_QUERYNEWPALETTE: return 0;
    case WM_NAMEDIALOG: return NameDialogRequest();
    case WM_LOADSTAGEFILE: return LoadStageRequest(hWnd);
    case WM_LOADREPLAYFILE: return LoadReplayRequest(hWnd);
    case WM_SAVEREPLAYFILE: return SaveReplayRequest(hWnd, wParam);
    case WM_PLAYSE: return PlaySoundRequest(wParam);
    case WM_PLAYBGM: return MusicRequest(wParam, lParam);
    case WM_RESTOREDEVICE: DDRestoreSurface(); return 0;
    default: return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    }
}

void SuspendThreads()
{
    thGame.Suspend();
    thPause.Suspend();
    RankingThread.Suspend();
    StageLoaderThread.Suspend();
}

void ResumeThreads()
{
    thGame.Resume();
    thPause.Resume();
    RankingThread.Resume();
    StageLoaderThread.Resume();
}

bool MainThreadBusy()
{
    return g_nBusy > 0;
}

void ResetMainWindowProcForTest()
{
    g_nBusy = 0;
    g_bClosePending = false;
}
