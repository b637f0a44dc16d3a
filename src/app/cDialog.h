// cDialog: a modal dialog of the program, run from its template through the installed dialog
// driver, with the controls that bind its items to program data (in attach order).
//
// DoModal empties the control list, starts the run, calls OnInitDialog (where a dialog binds its
// controls and shows their values) and lets the driver feed the user's input until End. Commands
// reach OnCommand one at a time: a command that arrives while one is handled is dropped. A close
// request calls OnClose, which ends the dialog with 0.
//
// One instance of a dialog class runs at a time. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "app/cControl.h"
#include "platform/win/DialogRun.h"
#include "platform/win/DialogTemplate.h"

class cDialog {
public:
    cDialog(int nResourceId, const DlgTemplate& tpl);
    virtual ~cDialog();
    cDialog(const cDialog&) = delete;
    cDialog& operator=(const cDialog&) = delete;

    // Runs the dialog and returns its result; 0 at once when it runs already. nFlags is kept for
    // the callers' sake (the system passes 0; there are no other windows to hide or disable).
    int DoModal(int nFlags);
    // Stores the result, empties the control list and ends the run.
    void End(int nResult);
    // Every bound control's data to control, or control to data, in attach order.
    void ToControls();
    void FromControls();
    // Takes a control into the list; returns it for binding.
    template <class T>
    T& AddControl()
    {
        m_controls.push_back(std::make_unique<T>());
        return static_cast<T&>(*m_controls.back());
    }
    // The bound check box (or other control) with that id; none: the debug message with the id,
    // WM_CLOSE to the main window, and nullptr.
    cControl* FindControlById(UINT nId);

    int ResourceId() const { return m_nResourceId; }
    int Result() const { return m_nResult; }
    // The running dialog's items; valid from OnInitDialog until DoModal returns.
    DialogRun& Items() { return *m_run; }

protected:
    virtual void OnInitDialog() {}
    // A command from an item (BN_CLICKED, EN_UPDATE). The dialogs call RouteCommand first.
    virtual void OnCommand(WORD nId, WORD nCode) { RouteCommand(nId, nCode); }
    virtual void OnClose() { End(0); }
    // EN_UPDATE of a bound edit runs its change check; the other kinds react to nothing.
    void RouteCommand(WORD nId, WORD nCode);
    // Sets an item's text; a missing item gives the debug message with its id and WM_CLOSE to the
    // main window.
    void SetItemText(UINT nId, const char* szText);
    // Places the dialog's outer top-left corner at (x, y), kept on the work area.
    void PlaceAt(int x, int y);

private:
    void Command(WORD nId, WORD nCode);

    int m_nResourceId;
    DlgTemplate m_template;
    std::unique_ptr<DialogRun> m_run;
    std::vector<std::unique_ptr<cControl>> m_controls;
    int m_nResult = 0;
    bool m_bRunning = false;
    bool m_bCommandBusy = false;
};
