#include "definitions/cEdKeyCondition.h"

#include "core/RecordFile.h"
#include "core/RecordReader.h"

cEdKeyCondition::cEdKeyCondition()
{
    Reset();
}

void cEdKeyCondition::RegisterMembers(int)
{
    ClearMemberList();
    AddByteMember(&m_bFacingRelative, 1);
    AddWordMember(&m_nMinFrames, 1);
    AddWordMember(&m_nMaxFrames, 1);
    AddByteMember(&m_bAnyLength, 1);
    AddByteMember(&m_nKeyMode, 1);
}

void cEdKeyCondition::Reset()
{
    Clear();
    m_KeyFlag.assign(kKeyCount, 0);
}

int cEdKeyCondition::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp) && LoadKeyFlags(fp);
    if (m_KeyFlag.size() < static_cast<std::size_t>(kKeyCount)) {
        m_KeyFlag.resize(kKeyCount, 0);
    }
    return ok;
}

int cEdKeyCondition::LoadKeyFlags(FILE* fp)
{
    int count = 0;
    if (!ReadListCount(fp, count, 1)) {
        return 0;
    }
    // The count fits the bytes left; the entries are taken in one read, into the vector's room.
    m_KeyFlag.assign(static_cast<std::size_t>(count), 0);
    return RecordReader(fp).Read(m_KeyFlag.data(), m_KeyFlag.size()) ? 1 : 0;
}

int cEdKeyCondition::Save(FILE* fp)
{
    bool ok = cDataRecord::Save(fp) != 0;
    ok = WriteInt32(fp, static_cast<std::int32_t>(m_KeyFlag.size())) && ok;
    if (!m_KeyFlag.empty()) {
        ok = std::fwrite(m_KeyFlag.data(), 1, m_KeyFlag.size(), fp) == m_KeyFlag.size() && ok;
    }
    return ok ? 1 : 0;
}
