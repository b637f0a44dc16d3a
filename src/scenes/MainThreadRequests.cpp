#include "scenes/MainThreadRequests.h"

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "platform/win/Messages.h"

namespace {

int Send(UINT uMsg)
{
    return SendMessage(hWndMain.load(), uMsg, 0, 0) != 0 ? 1 : 0;
}

}  // namespace

int RequestLoadStageFile()
{
    return Send(WM_LOADSTAGEFILE);
}

int RequestLoadReplay()
{
    return Send(WM_LOADREPLAYFILE);
}

void RequestNameDialog()
{
    Send(WM_NAMEDIALOG);
}
