#include "app/cRadioButton.h"

#include "platform/win/DialogRun.h"

void cRadioButton::Attach(cDialog& dialog, WORD nId, int* pValue, int nButtonValue)
{
    AttachItem(dialog, nId);
    m_pValue = pValue;
    m_nButtonValue = nButtonValue;
}

void cRadioButton::ToControl()
{
    Items().CheckDlgButton(m_nId, *m_pValue == m_nButtonValue ? BST_CHECKED : BST_UNCHECKED);
}

void cRadioButton::FromControl()
{
    if (Items().IsDlgButtonChecked(m_nId) != BST_UNCHECKED) {
        *m_pValue = m_nButtonValue;
    }
}
