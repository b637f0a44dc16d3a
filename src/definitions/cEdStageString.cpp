#include "definitions/cEdStageString.h"

cEdStageString::cEdStageString()
{
    RegisterMembers(nDataVersion);
}

void cEdStageString::RegisterMembers(int)
{
    ClearMemberList();
    AddStrMember(&m_strText, 1);
}
