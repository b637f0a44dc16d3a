#include "app/cNameDialog.h"

#include "app/DialogResources.h"
#include "app/SystemIni.h"
#include "app/cEdit.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "stage/cSceneStage.h"

cNameDialog* cNameDialog::s_pInstance = nullptr;

namespace {

// The dialog's corner from the main window's (or the screen's) corner.
constexpr int kOffsetX = 240;
constexpr int kOffsetY = 220;

}  // namespace

cNameDialog::cNameDialog(POINT mainWindowPos, bool bFullScreen)
    : cDialog(IDD_NAME, NameDialogTemplate()),
      m_corner(bFullScreen ? POINT{kOffsetX, kOffsetY} : POINT{mainWindowPos.x + kOffsetX, mainWindowPos.y + kOffsetY})
{
    s_pInstance = this;
}

cNameDialog::~cNameDialog()
{
    if (s_pInstance == this) {
        s_pInstance = nullptr;
    }
}

std::string* cNameDialog::BoundName()
{
    if (SceneManager.m_nGameMode == GAMEMODE_OPTION) {
        return &OptionData.strRankingName;
    }
    return lpSceneStage != nullptr ? &lpSceneStage->m_RankName : nullptr;
}

void cNameDialog::OnInitDialog()
{
    PlaceAt(m_corner.x, m_corner.y);
    Items().SetCursorPoint(POINT{m_corner.x + 80, m_corner.y + 65});
    std::string* name = BoundName();
    if (name != nullptr) {
        AddControl<cEdit>().Attach(*this, IDC_NAME_EDIT, name, kNameSize, kNameChars, 1, true);
    }
    Items().SetFocus(IDC_NAME_EDIT);
    Items().SetEditSel(IDC_NAME_EDIT, 0, -1);
    if (SystemIni.English != 0) {
        SetItemText(IDC_NAME_LABEL, "     Name");
    }
}

void cNameDialog::OnCommand(WORD nId, WORD nCode)
{
    RouteCommand(nId, nCode);
    if (nCode == BN_CLICKED && nId == IDC_NAME_OK) {
        FromControls();
        End(1);
    }
}
