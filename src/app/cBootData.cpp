#include "app/cBootData.h"

cBootData BootData;

cBootData::cBootData()
{
    RegisterMembers(nDataVersion);
}

void cBootData::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nDrawMode, 1);
    AddDwordMember(&bNoDialog, 1);
}
