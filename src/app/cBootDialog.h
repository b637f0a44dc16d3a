// cBootDialog: the start-up drawing-mode dialog. The user picks Direct3D or DirectDraw and may
// ask not to be asked again; start writes both into BootData and "user_data\Boot.dat" and ends
// with 1, stop or a close request ends with 0 and leaves BootData and the file as they were.
// Esc does nothing.
//
// Main thread, during start-up (before the drawing back-end exists).
#pragma once

#include "app/cDialog.h"

class cBootDialog : public cDialog {
public:
    // mainWindowPos: the main window's outer top-left corner as last placed by the program.
    explicit cBootDialog(POINT mainWindowPos);
    ~cBootDialog() override;

    // The running instance, or nullptr.
    static cBootDialog* Instance() { return s_pInstance; }

protected:
    void OnInitDialog() override;
    void OnCommand(WORD nId, WORD nCode) override;

private:
    static cBootDialog* s_pInstance;
    POINT m_mainWindowPos;
    int m_nDrawMode = 1;
    int m_bNoDialog = 0;
};
