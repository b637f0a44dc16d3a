#include "project/cDbAnimeFrame.h"

cDbAnimeFrame::cDbAnimeFrame()
{
    RegisterMembers(nDataVersion);
}

void cDbAnimeFrame::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nCell, 1);
    AddDwordMember(&nTime, 1);
    AddDwordMember(&bLock, 1);
}
