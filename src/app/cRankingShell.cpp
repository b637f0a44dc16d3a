#include "app/cRankingShell.h"

#include "app/ShellRequests.h"
#include "app/ShellState.h"
#include "app/cNameDialog.h"
#include "core/AppGlobals.h"
#include "platform/win/Messages.h"
#include "scenes/cOptionData.h"

int cRankingShell::RegistrationMode() const
{
    return OptionData.nRankingMode;
}

std::string cRankingShell::FixedName() const
{
    return OptionData.strRankingName;
}

int cRankingShell::AskName(std::string& name)
{
    std::string* bound = cNameDialog::BoundName();
    const HWND hWnd = hWndMain.load();
    if (bound == nullptr || hWnd == nullptr) {
        return 0;
    }
    *bound = name;
    bNameDialogDone = 0;
    // The request is synchronous: the flag is set before SendMessage returns, and a send during
    // the close returns 0 at once without it.
    if (SendMessage(hWnd, WM_NAMEDIALOG, 0, 0) == 0 || bNameDialogDone.load() == 0) {
        return 0;
    }
    name = *bound;
    return 1;
}

void InstallRankingShell(bool bInstall)
{
    static cRankingShell s_shell;
    lpRankingShell = bInstall ? &s_shell : nullptr;
}
