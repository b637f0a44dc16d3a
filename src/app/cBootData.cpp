#include "app/cBootData.h"

#include <algorithm>

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

int cBootData::Load(FILE* fp)
{
    const int ok = cDataRecord::Load(fp);
    nDrawMode = std::clamp(nDrawMode, 0, 1);
    bNoDialog = std::clamp(bNoDialog, 0, 1);
    return ok;
}
