#include "stage/ranking/cRankingTable.h"

#include "core/RecordList.h"

cRankingTable::cRankingTable()
{
    RegisterMembers(nDataVersion);
    m_Entries.Reset(kEntryCount);
}

void cRankingTable::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&bHigherBetter, 1);
}

int cRankingTable::Load(FILE* fp)
{
    return cDataRecord::Load(fp) && LoadRecordList(fp, m_Entries) ? 1 : 0;
}

int cRankingTable::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, m_Entries) && ok;
}

void cRankingTable::Reset()
{
    bHigherBetter = 0;
    m_Entries.resize(kEntryCount);
}

int cRankingTable::FindRank(int nValue) const
{
    for (int i = 0; i < static_cast<int>(m_Entries.size()); ++i) {
        const cRankingEntry& entry = m_Entries[i];
        if (!entry.bValid) {
            return i;
        }
        if (bHigherBetter ? entry.nValue < nValue : entry.nValue > nValue) {
            return i;
        }
    }
    return -1;
}

void cRankingTable::Insert(const std::string& name, int nValue)
{
    if (m_Entries.empty()) {
        return;
    }
    const int rank = FindRank(nValue);
    if (rank < 0) {
        return;  // the result takes no place
    }
    cRankingEntry entry;
    entry.bValid = 1;
    entry.strName = name;
    entry.nValue = nValue;
    m_Entries.insert(m_Entries.begin() + rank, entry);
    m_Entries.pop_back();
}
