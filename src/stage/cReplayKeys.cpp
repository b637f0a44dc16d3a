#include "stage/cReplayKeys.h"

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "input/cReplay.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "screenbase/cScene.h"
#include "sound/SoundEffects.h"

namespace {

constexpr int VK_F2 = VK_F1 + 1;

bool Down(int vKey)
{
    return (GetAsyncKeyState(vKey) & 0x8000) != 0;
}

}  // namespace

int cReplayKeys::Check(int nGameMode, int bRecording, int& nCoolDown)
{
    if (nGameMode == GAMEMODE_REPLAY || bRecording == 0) {
        return 0;
    }
    if (nCoolDown > 0) {
        --nCoolDown;
    }
    const bool bF1 = Down(VK_F1);
    const bool bF2 = Down(VK_F2);
    if (!bF1) {
        m_bF1Served = false;
    }
    if (!bF2) {
        m_bF2Served = false;
    }
    if (!bF1 && !bF2) {
        return 0;
    }
    const cReplay& replay = bF1 ? Replay : ReplayPrev;
    if (replay.Empty()) {
        if (nCoolDown <= 0) {
            PlaySE(SE_NOTICE);
            nCoolDown = kReplayNoticeFrames;
        }
        return 0;
    }
    bool& bServed = bF1 ? m_bF1Served : m_bF2Served;
    if (bServed) {
        return 0;
    }
    bServed = true;
    PlaySE(SE_DECIDE);
    // The main window serves the request (its dialog included) before the send returns.
    SendMessage(hWndMain.load(), WM_SAVEREPLAYFILE, bF1 ? 0 : 1, 0);
    // The dialog may have swallowed the key-up. The key counts as down until it is seen up, so
    // a key still (or again, by auto-repeat) down after the dialog opens nothing.
    ReleaseAllKeys();
    return 1;
}
