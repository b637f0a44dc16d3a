// The nested frame loops of the stage-play screen: WaitLoop on thPause (blocking commands and the
// extra-life popup) and RankingLoop on RankingThread. The game thread starts the worker and waits
// for it; a close ends either loop through WM_QUIT in its queue.
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "input/cInput.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"

namespace {

// The start message of a worker's queue.
constexpr UINT WM_THREAD_START = 0x8000;
// After a close request without a WM_QUIT, the wait loop ends itself this much later.
constexpr DWORD kQuitFallbackMs = 2000;

// True while the thread of worker still runs.
bool IsRunning(const cThread& worker)
{
    const HANDLE h = worker.m_hThread.load();
    return h != nullptr && WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
}

// One frame's services before the loop's own step: pacing, lost surfaces, the poll of input.
void PollFrame(cVector<cInput>& input)
{
    WaitFrame();
    if (!SceneFlow().RestoreAllSurfaces()) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
    }
    SceneFlow().UpdateInput(input);
}

}  // namespace

void cSceneStage::SetWaitMode(int mode, int waitKey, int count, int noDelay)
{
    m_Wait.Set(mode, waitKey, count, noDelay);
}

void cSceneStage::RunWait(bool bHandshake)
{
    if (!thPause.Start(&cSceneStage::WaitLoop, this)) {
        ECLog("RunWait: thPause could not be started");
        return;
    }
    if (bHandshake) {
        // The queue is there once the post succeeds; a thread that already ended needs none.
        while (!PostThreadMessage(thPause.m_dwThreadID.load(), WM_THREAD_START, 0, 0) && IsRunning(thPause)) {
            Sleep(0);
        }
    }
    thPause.Wait();
    AfterWait(bHandshake);
}

void cSceneStage::AfterWait(bool bHandshake)
{
    if (!bHandshake) {
        return;
    }
    if (m_bQuit) {
        // The first close ended the wait; this one closes the program.
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return;
    }
    while (!StageShell.bAppActive && !m_bQuit && !IsCloseSequenceBegun()) {
        Sleep(1);
    }
}

unsigned cSceneStage::WaitLoop(void* lpParam)
{
    cSceneStage& stage = *static_cast<cSceneStage*>(lpParam);
    if (stage.m_bQuit) {
        return 0;
    }
    // The loop polls a copy, so that the play's controllers (and the replay taken from them) do
    // not see the wait.
    cVector<cInput> input = Input;
    cInput& pad = input[0];
    pad.ClearHistory();
    pad.ResetKeyLog();
    pad.Clear();
    pad.ClearButton();

    bool bPressedBefore = false;  // the copy starts with its buttons cleared
    bool bQuitSeen = false;
    bool bQuitPosted = false;
    DWORD quitSeenAt = 0;
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                break;
            }
            continue;
        }
        if (!StageShell.bAppActive) {
            Sleep(1);
            continue;
        }
        if (stage.m_bQuit) {
            // Normally the close posts WM_QUIT here; should it not come, the loop ends itself.
            if (!bQuitSeen) {
                bQuitSeen = true;
                quitSeenAt = timeGetTime();
            } else if (!bQuitPosted && timeGetTime() - quitSeenAt >= kQuitFallbackMs) {
                PostThreadMessage(GetCurrentThreadId(), WM_QUIT, 0, 0);
                bQuitPosted = true;
            }
            Sleep(1);
            continue;
        }
        PollFrame(input);
        pad.PushHistory();
        const bool bDown = (pad.wButton & BUTTON_DECIDE) != 0;
        pad.TriggerButton(0);
        if (stage.CheckReplayKey()) {
            continue;
        }
        const bool bPressed = (pad.wButton & BUTTON_DECIDE) != 0;
        const bool bEnds = stage.m_Wait.Step(bPressed, bPressedBefore);
        bPressedBefore = bDown;
        if (bEnds) {
            if (stage.m_Wait.bWaitKey) {
                PlaySE(stage.m_Wait.nMode == WAITMODE_MESSAGE ? SE_MESSAGE_DECIDE : SE_DECIDE);
                stage.m_bButtonLatch = 1;
            }
            break;
        }
        stage.m_bDrawInWait = 1;
        stage.Draw(kDrawFrozen);
        stage.m_bDrawInWait = 0;
        SceneFlow().Flip();
    }
    return 1;
}

void cSceneStage::RunRanking()
{
    if (!RankingThread.Start(&cSceneStage::RankingLoop, this)) {
        ECLog("RunRanking: RankingThread could not be started");
        return;
    }
    while (!PostThreadMessage(RankingThread.m_dwThreadID.load(), WM_THREAD_START, 0, 0) && IsRunning(RankingThread)) {
        Sleep(0);
    }
    RankingThread.Wait();
}

unsigned cSceneStage::RankingLoop(void* lpParam)
{
    const int nKind = SceneFlow().m_nPlayKind;
    SaveData.StepSelection(nKind, 0);
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return 1;
            }
            continue;
        }
        if (!StageShell.bAppActive) {
            Sleep(1);
            continue;
        }
        PollFrame(Input);
        cInput& pad = Input[0];
        pad.KeyRepeat();
        pad.TriggerButton(0);
        if (pad.wButton & BUTTON_DECIDE) {
            PlaySE(SE_DECIDE);
            return 1;
        }
        if ((pad.wButton & BUTTON_4) && SystemData.CountMenuItem(nKind) > 1) {
            PlaySE(SE_GENRE);
            SaveData.StepSelection(nKind, 1);
        }
        static_cast<cSceneStage*>(lpParam)->DrawRankingDisplay();
        SceneFlow().Flip();
    }
}
