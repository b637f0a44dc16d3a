#include "app/cControl.h"

#include "app/cDialog.h"

void cControl::AttachItem(cDialog& dialog, WORD nId)
{
    m_pDialog = &dialog;
    m_nId = nId;
}

DialogRun& cControl::Items()
{
    return m_pDialog->Items();
}
