#include "scenes/MainThreadRequests.h"

#include "core/AppGlobals.h"
#include "platform/win/Messages.h"

namespace {

// The main window's request messages (served by its window procedure).
constexpr UINT kNameDialog = WM_USER + 1;
constexpr UINT kLoadStageFile = WM_USER + 2;
constexpr UINT kLoadReplayFile = WM_USER + 3;

int Send(UINT uMsg)
{
    return SendMessage(hWndMain.load(), uMsg, 0, 0) != 0 ? 1 : 0;
}

}  // namespace

int RequestLoadStageFile()
{
    return Send(kLoadStageFile);
}

int RequestLoadReplay()
{
    return Send(kLoadReplayFile);
}

void RequestNameDialog()
{
    Send(kNameDialog);
}
