#include "project/cWorldChip.h"

cWorldChip::cWorldChip()
{
    RegisterMembers(nDataVersion);
}

void cWorldChip::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nChipValue, 1);
    AddDwordMember(&bBlock, 1);
    AddDwordMember(&nImage, 1);
    AddStrMember(&strMemo, 1);
    AddStrMember(&strName, 1);
}
