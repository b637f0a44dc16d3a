// cRadioButton: one radio button of a group bound to an int: the button is checked while the int
// holds the button's value, and a checked button writes its value back.
//
// Main thread only.
#pragma once

#include "app/cControl.h"

class cRadioButton : public cControl {
public:
    cRadioButton() : cControl(kRadioButton) {}
    // Binds the item to *pValue, which must outlive the dialog's run.
    void Attach(cDialog& dialog, WORD nId, int* pValue, int nButtonValue);
    void ToControl() override;
    void FromControl() override;

private:
    int* m_pValue = nullptr;
    int m_nButtonValue = 0;
};
