#include "platform/win/DialogDriver.h"

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
    return dialog.Result();
}
