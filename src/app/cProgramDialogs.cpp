#include "app/cProgramDialogs.h"

#include "app/FileDialogs.h"
#include "app/ShellState.h"
#include "app/cMainWindow.h"
#include "app/cNameDialog.h"

bool cProgramDialogs::OpenFile(const FILEDIALOGREQUEST& request, std::string& path)
{
    switch (request.kind) {
    case FileRequestKind::LoadStage: return ChooseStageToLoad(wndMain.Handle(), path);
    case FileRequestKind::LoadReplay: return ChooseReplayToLoad(wndMain.Handle(), path);
    case FileRequestKind::SaveReplay: return SaveFile(request, path);
    }
    return false;
}

bool cProgramDialogs::SaveFile(const FILEDIALOGREQUEST& request, std::string& path)
{
    return ChooseReplayToSave(wndMain.Handle(), request.proposed, path);
}

void cProgramDialogs::NameDialog()
{
    cNameDialog dialog(wndMain.LastPosition(), bWindowed == 0);
    dialog.DoModal(0);
}
