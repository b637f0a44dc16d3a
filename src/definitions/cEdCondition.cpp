#include "definitions/cEdCondition.h"

#include "core/RecordFile.h"

namespace {

// File versions at which the layout and the numbering changed.
constexpr int kPercentVersion = 43;
constexpr int kFullLayoutVersion = 110;

// Status numbers from nFrom up of the subjects "itself" and "target" moved up by one when a
// status was inserted before them.
void ShiftStatus(std::int8_t& nItem, int nSubject, int nFrom)
{
    if (nSubject != 2 && nItem >= nFrom) {
        nItem = static_cast<std::int8_t>(nItem + 1);
    }
}

}  // namespace

cEdCondition::cEdCondition()
{
    RegisterMembers(nDataVersion);
}

void cEdCondition::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddByteMember(&m_nKind, 1);
    AddDwordMember(&m_nValue, 1);
    if (nVersion >= kFullLayoutVersion) {
        AddDwordMember(&m_nRandMin, 1);
        AddDwordMember(&m_nRandMax, 1);
        AddByteMember(&m_nSubject, 1);
        AddByteMember(&m_nItem, 1);
        AddByteMember(&m_nLeftSource, 1);
        AddByteMember(&m_nLeftVarKind, 1);
        AddWordMember(&m_nIndex, 1);
        AddByteMember(&m_nRightSource, 1);
        AddByteMember(&m_nRightSubject, 1);
        AddByteMember(&m_nRightItem, 1);
        AddByteMember(&m_nRightVarKind, 1);
        AddWordMember(&m_nRightIndex, 1);
    } else {
        AddWordMember(&m_nDropped[0], 1);
        AddWordMember(&m_nDropped[1], 1);
    }
    AddByteMember(&m_nCompare, 1);
    if (nVersion >= kPercentVersion) {
        AddByteMember(&m_bPercent, 1);
    }
    AddByteMember(&m_nDistDir, 1);
}

int cEdCondition::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp)) {
        return 0;
    }
    Upgrade(nFileVersion);
    return 1;
}

void cEdCondition::Upgrade(int v)
{
    if (v >= kCurrentDataVersion) {
        return;
    }
    // Two kinds were inserted before the flag condition.
    if (v < 160 && m_nKind >= 5) {
        m_nKind = static_cast<std::int8_t>(m_nKind + 2);
    }
    // The state "standing on a block" used to be tested the other way round.
    if (v <= 160 && m_nKind == 6 && m_nItem == 2) {
        if (m_nCompare == 0) {
            m_nCompare = 1;
        } else if (m_nCompare == 1) {
            m_nCompare = 0;
        }
    }
    // Statuses were inserted before numbers 10 and, later, 5.
    if (v < 168 && m_nKind == 4) {
        ShiftStatusOperands(10);
    }
    if (v < 203 && m_nKind == 4) {
        ShiftStatusOperands(5);
    }
    // A flag was inserted before "auto-scroll sync".
    if (v < 210 && m_nKind == 5) {
        ShiftStatus(m_nItem, m_nSubject, 6);
    }
    // Distance conditions could once name the target; they name the hero now.
    if (v <= 656 && m_nKind == 7) {
        m_nSubject = 0;
    }
}

void cEdCondition::ShiftStatusOperands(int nFrom)
{
    if (m_nLeftSource == 0) {
        ShiftStatus(m_nItem, m_nSubject, nFrom);
    }
    if (m_nRightSource == 2) {
        ShiftStatus(m_nRightItem, m_nRightSubject, nFrom);
    }
}
