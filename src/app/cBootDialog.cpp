#include "app/cBootDialog.h"

#include "app/DialogResources.h"
#include "app/SystemIni.h"
#include "app/cBootData.h"
#include "app/cCheckBox.h"
#include "app/cRadioButton.h"
#include "core/ReportLog.h"
#include "project/cSystemData.h"

cBootDialog* cBootDialog::s_pInstance = nullptr;

namespace {

// The dialog's corner from the main window's: the window's centre less (187, 136).
constexpr int kOffsetX = 320 - 187;
constexpr int kOffsetY = 240 - 136;

}  // namespace

cBootDialog::cBootDialog(POINT mainWindowPos) : cDialog(IDD_BOOT, BootDialogTemplate()), m_mainWindowPos(mainWindowPos)
{
    s_pInstance = this;
}

cBootDialog::~cBootDialog()
{
    if (s_pInstance == this) {
        s_pInstance = nullptr;
    }
}

void cBootDialog::OnInitDialog()
{
    const int x = m_mainWindowPos.x + kOffsetX;
    const int y = m_mainWindowPos.y + kOffsetY;
    PlaceAt(x, y);
    // The cursor goes onto the start button, from the corner asked for (truncated toward zero).
    Items().SetCursorPoint(POINT{static_cast<LONG>(x + 181.9), static_cast<LONG>(y + 198.9)});
    Items().SetCaption(SystemData.strTitle);
    // The controls work on copies, so that stop leaves BootData as it was.
    m_nDrawMode = BootData.nDrawMode;
    m_bNoDialog = BootData.bNoDialog;
    AddControl<cRadioButton>().Attach(*this, IDC_BOOT_DIRECT3D, &m_nDrawMode, 1);
    AddControl<cRadioButton>().Attach(*this, IDC_BOOT_DIRECTDRAW, &m_nDrawMode, 0);
    AddControl<cCheckBox>().Attach(*this, IDC_BOOT_NO_DIALOG, &m_bNoDialog);
    ToControls();
    if (SystemIni.English != 0) {
        SetItemText(IDC_BOOT_GROUP, "Drawing mode");
        SetItemText(IDC_BOOT_START, "Start");
        SetItemText(IDC_BOOT_STOP, "Cancel");
        SetItemText(IDC_BOOT_NOTE, "Configure the detail settings at \"System.ini\".");
        SetItemText(IDC_BOOT_NO_DIALOG, "Do not ask this dialog again");
    }
}

void cBootDialog::OnCommand(WORD nId, WORD nCode)
{
    RouteCommand(nId, nCode);
    if (nCode != BN_CLICKED) {
        return;
    }
    if (nId == IDC_BOOT_START) {
        FromControls();
        BootData.nDrawMode = m_nDrawMode;
        BootData.bNoDialog = m_bNoDialog;
        // A failed write keeps the old file and is only logged: the chosen mode still holds for
        // this run.
        if (BootData.SaveFile("user_data\\Boot.dat") == 0) {
            ReportLog("%s", "user_data\\Boot.dat could not be written; the drawing mode holds for this run only");
        }
        End(1);
    } else if (nId == IDC_BOOT_STOP) {
        End(0);
    }
}
