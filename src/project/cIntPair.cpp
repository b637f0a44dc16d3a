#include "project/cIntPair.h"

cIntPair::cIntPair()
{
    RegisterMembers(nDataVersion);
}

cIntPair::cIntPair(std::int32_t nFirst, std::int32_t nSecond) : first(nFirst), second(nSecond)
{
    RegisterMembers(nDataVersion);
}

void cIntPair::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&first, 1);
    AddDwordMember(&second, 1);
}
