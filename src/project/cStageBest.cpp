#include "project/cStageBest.h"

#include <utility>

cStageBest::cStageBest()
{
    RegisterMembers(nDataVersion);
}

cStageBest::cStageBest(std::string key, std::int32_t value) : strName(std::move(key)), nValue(value)
{
    RegisterMembers(nDataVersion);
}

void cStageBest::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nValue, 1);
    AddStrMember(&strName, 1);
}
