#include "app/GameLoop.h"

#include <atomic>

#include "app/ShellState.h"
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"
#include "scenes/cSceneManager.h"
#include "stage/StageShellFlags.h"

namespace {

std::atomic<int> g_nFrames{0};

}  // namespace

unsigned GameLoop(void*)
{
    g_nFrames = 0;
    const int nLimit = ShellRun.nFrames;
    MSG msg;
    for (;;) {
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ECLog("GameLoop WM_QUIT!");
                return 1;
            }
            continue;
        }
        const bool bDone = nLimit > 0 && g_nFrames.load() >= nLimit;
        if (StageShell.bAppActive.load() == 0 || bDone) {
            Sleep(1);
            continue;
        }
        if (!SceneManager.Frame()) {
            PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
            return 1;
        }
        if (++g_nFrames == nLimit) {
            PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        }
    }
}

int GameLoopFrames()
{
    return g_nFrames.load();
}
