#include "project/cCharaCarryState.h"

cCharaCarryState::cCharaCarryState()
{
    RegisterMembers(nDataVersion);
}

void cCharaCarryState::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nHp, 1);
    AddDwordMember(&nSp, 1);
    AddDwordMember(&nTime, 1);
    AddDwordMember(&nLives, 1);
    AddDwordMember(&nBgm, 1);
}

int cCharaCarryState::Load(FILE* fp)
{
    return cDataRecord::Load(fp) && Chara.Load(fp) ? 1 : 0;
}

int cCharaCarryState::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return Chara.Save(fp) && ok;
}
