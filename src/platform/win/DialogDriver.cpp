#include "platform/win/DialogDriver.h"

#include <vector>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"
#include "platform/win/Keyboard.h"

namespace {

DialogDriver* g_dialogDriver = nullptr;  // main thread

}  // namespace

void SetDialogDriver(DialogDriver* driver)
{
    g_dialogDriver = driver;
}

DialogDriver* GetDialogDriver()
{
    return g_dialogDriver;
}

void TakeBackKeyboardAfterDialog()
{
    const std::vector<int> held = standin::LinkedHost().TakeBackKeyboard();
    ReleaseAllKeys();
    for (const int vk : held) {
        SetKeyState(vk, true);
    }
}

int RunDialog(DialogRun& dialog)
{
    if (g_dialogDriver != nullptr) {
        g_dialogDriver->Run(dialog);
    } else {
        for (const DlgItemTemplate& item : dialog.Template().items) {
            if (item.kind == DlgItemKind::DefPushButton && !dialog.Ended()) {
                dialog.Click(item.id);
            }
        }
    }
    if (!dialog.Ended()) {
        dialog.CloseRequest();
    }
    if (!dialog.Ended()) {
        dialog.End(0);
    }
    TakeBackKeyboardAfterDialog();
    return dialog.Result();
}
