#include "project/cDbEffectFrame.h"

cDbEffectFrame::cDbEffectFrame()
{
    RegisterMembers(nDataVersion);
}

void cDbEffectFrame::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nCell, 1);
    AddDwordMember(&nTime, 1);
}
