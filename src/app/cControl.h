// cControl: binds one dialog item to a value of the program (the base of the bindings). The
// owning dialog calls ToControl to show the value, FromControl to read it back, and OnChange when
// the user changed the item's text.
//
// Main thread only; a binding lives only while its dialog runs.
#pragma once

#include "platform/win/WinTypes.h"

class cDialog;
class DialogRun;

class cControl {
public:
    // Kind codes of the bindings.
    static constexpr int kStatic = 0;
    static constexpr int kEdit = 3;
    static constexpr int kCheckBox = 5;
    static constexpr int kRadioButton = 6;

    explicit cControl(int nKind) : m_nKind(nKind) {}
    virtual ~cControl() = default;
    cControl(const cControl&) = delete;
    cControl& operator=(const cControl&) = delete;

    // Data to control and control to data.
    virtual void ToControl() {}
    virtual void FromControl() {}
    // The item's text changed (EN_UPDATE).
    virtual void OnChange() {}

    int Kind() const { return m_nKind; }
    WORD Id() const { return m_nId; }

protected:
    // Binds to the item id of the dialog.
    void AttachItem(cDialog& dialog, WORD nId);
    // The running dialog's items.
    DialogRun& Items();

    int m_nKind;
    cDialog* m_pDialog = nullptr;
    WORD m_nId = 0;
};
