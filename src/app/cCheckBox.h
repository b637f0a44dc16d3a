// cCheckBox: a check box bound to an int (1 checked, 0 not).
//
// Main thread only.
#pragma once

#include "app/cControl.h"

class cCheckBox : public cControl {
public:
    cCheckBox() : cControl(kCheckBox) {}
    // Binds the item to *pValue, which must outlive the dialog's run.
    void Attach(cDialog& dialog, WORD nId, int* pValue);
    void ToControl() override;
    void FromControl() override;

private:
    int* m_pValue = nullptr;
};
