#include "stage/ranking/cRankingEntry.h"

cRankingEntry::cRankingEntry()
{
    RegisterMembers(nDataVersion);
}

void cRankingEntry::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&bValid, 1);
    AddDwordMember(&nValue, 1);
    AddStrMember(&strName, 1);
}
