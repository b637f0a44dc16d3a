#include "project/cRankingRow.h"

#include "project/SettingsLists.h"

cRankingRow::cRankingRow()
{
    RegisterMembers(nDataVersion);
    GenreFlags.assign(kGenreCount, 0);
}

void cRankingRow::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&bEnabled, 1);
}

int cRankingRow::Load(FILE* fp)
{
    return cDataRecord::Load(fp) && LoadValueList(fp, GenreFlags) ? 1 : 0;
}

int cRankingRow::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveValueList(fp, GenreFlags) && ok;
}
