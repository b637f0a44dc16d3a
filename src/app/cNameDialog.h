// cNameDialog: the ranking-name dialog. One edit of at most three characters on one line (a
// double-byte character counts as one), bound to the option screen's ranking name when the game
// mode is the option screen (5), else to the running stage's ranking name when a stage screen
// exists, else to nothing. OK copies the edit into the bound name and ends with 1; a close request
// ends with 0 and leaves the name. Esc does nothing; there is no other way out.
//
// Main thread, while the worker threads are suspended.
#pragma once

#include <string>

#include "app/cDialog.h"

class cNameDialog : public cDialog {
public:
    // Characters of the name, and the name's size with its terminator.
    static constexpr int kNameChars = 3;
    static constexpr int kNameSize = kNameChars + 1;
    // mainWindowPos: the main window's outer top-left corner; bFullScreen: the game runs in full
    // screen (the dialog is then placed from the screen's corner).
    cNameDialog(POINT mainWindowPos, bool bFullScreen);
    ~cNameDialog() override;

    static cNameDialog* Instance() { return s_pInstance; }
    // The name the dialog edits now, by the rule above; nullptr for none.
    static std::string* BoundName();

protected:
    void OnInitDialog() override;
    void OnCommand(WORD nId, WORD nCode) override;

private:
    static cNameDialog* s_pInstance;
    POINT m_corner;
};
