#include "core/AppGlobals.h"

#include "core/FailureClose.h"
#include "platform/win/Messages.h"

std::atomic<HWND> hWndMain{nullptr};
FAILURECLOSE FailureClose;

void CloseForFailure()
{
    FailureClose.bRequested.store(true);
    // A null handle would post to the calling thread's own queue.
    if (HWND hWnd = hWndMain.load()) {
        PostMessage(hWnd, WM_CLOSE, 0, 0);
    }
}

cThread thGame;
cThread thPause;
cThread RankingThread;
cThread StageLoaderThread;
