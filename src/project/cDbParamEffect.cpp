#include "project/cDbParamEffect.h"

cDbParamEffect::cDbParamEffect()
{
    RegisterMembers(nDataVersion);
}

void cDbParamEffect::RegisterMembers(int)
{
    ClearMemberList();
    AddStrMember(&strName, 1);
    AddDwordMember(&nKind, 1);
    AddDwordMember(nParam, kEffectParamCount);
}
