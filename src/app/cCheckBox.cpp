#include "app/cCheckBox.h"

#include "platform/win/DialogRun.h"

void cCheckBox::Attach(cDialog& dialog, WORD nId, int* pValue)
{
    AttachItem(dialog, nId);
    m_pValue = pValue;
}

void cCheckBox::ToControl()
{
    Items().CheckDlgButton(m_nId, *m_pValue != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void cCheckBox::FromControl()
{
    *m_pValue = Items().IsDlgButtonChecked(m_nId);
}
