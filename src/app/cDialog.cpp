#include "app/cDialog.h"

#include <algorithm>
#include <string>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/Messages.h"
#include "platform/win/WorkArea.h"

namespace {

// The debug message for an item the dialog lacks; WM_CLOSE to the main window follows.
void ReportMissingControl(UINT nId)
{
    static const std::string kBefore = Sjis("コントロールID 【");
    static const std::string kAfter = Sjis("】 が見つかりません！");
    const std::string text = kBefore + std::to_string(nId) + kAfter;
    ECLogClose(hWndMain.load(), "%s", text.c_str());
}

}  // namespace

cDialog::cDialog(int nResourceId, const DlgTemplate& tpl) : m_nResourceId(nResourceId), m_template(tpl)
{}

cDialog::~cDialog() = default;

int cDialog::DoModal(int)
{
    if (m_bRunning) {
        return 0;
    }
    m_bRunning = true;
    m_controls.clear();
    m_nResult = 0;
    m_run = std::make_unique<DialogRun>(m_template);
    m_run->SetCommandHandler([this](WORD nId, WORD nCode) { Command(nId, nCode); });
    m_run->SetCloseHandler([this] { OnClose(); });
    OnInitDialog();
    if (!m_run->Ended()) {
        RunDialog(*m_run);
    }
    m_controls.clear();
    m_bRunning = false;
    return m_nResult;
}

void cDialog::End(int nResult)
{
    m_nResult = nResult;
    m_controls.clear();
    if (m_run) {
        m_run->End(nResult);
    }
}

void cDialog::ToControls()
{
    for (const auto& control : m_controls) {
        control->ToControl();
    }
}

void cDialog::FromControls()
{
    for (const auto& control : m_controls) {
        control->FromControl();
    }
}

cControl* cDialog::FindControlById(UINT nId)
{
    for (const auto& control : m_controls) {
        if (control->Id() == nId) {
            return control.get();
        }
    }
    ReportMissingControl(nId);
    return nullptr;
}

void cDialog::Command(WORD nId, WORD nCode)
{
    if (m_bCommandBusy) {
        return;
    }
    m_bCommandBusy = true;
    OnCommand(nId, nCode);
    m_bCommandBusy = false;
}

void cDialog::RouteCommand(WORD nId, WORD nCode)
{
    for (const auto& control : m_controls) {
        if (control->Id() != nId) {
            continue;
        }
        if (control->Kind() == cControl::kEdit && nCode == EN_UPDATE) {
            control->OnChange();
        }
        return;
    }
}

void cDialog::SetItemText(UINT nId, const char* szText)
{
    if (!m_run->SetDlgItemText(static_cast<int>(nId), szText)) {
        ReportMissingControl(nId);
    }
}

void cDialog::PlaceAt(int x, int y)
{
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = GetSystemMetrics(SM_CYDLGFRAME);
    const int caption = m_template.bCaption ? GetSystemMetrics(SM_CYCAPTION) : 0;
    const int outerWidth = DialogUnitsToPixelsX(m_template.cx) + 2 * frameX;
    const int outerHeight = DialogUnitsToPixelsY(m_template.cy) + 2 * frameY + caption;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The right and bottom edges first, so that a dialog larger than the area keeps its top-left
    // corner on it.
    x = std::max<int>(std::min<int>(x, work.right - outerWidth), work.left);
    y = std::max<int>(std::min<int>(y, work.bottom - outerHeight), work.top);
    m_run->SetPosition(POINT{x, y});
}
