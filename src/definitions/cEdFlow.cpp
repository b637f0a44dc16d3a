#include "definitions/cEdFlow.h"

#include "core/RecordFile.h"
#include "definitions/CommandList.h"
#include "definitions/ConditionList.h"
#include "definitions/DefinitionList.h"

namespace {

constexpr int kMemoVersion = 676;

}  // namespace

cEdFlow::cEdFlow()
{
    Clear();
    m_nKeyGap = kDefaultKeyGap;
}

void cEdFlow::RegisterMembers(int nVersion)
{
    ClearMemberList();
    if (nVersion >= kMemoVersion) {
        AddStrMember(&m_strMemo, 1);
    }
    AddByteMember(&m_nFlowID, 1);
    AddByteMember(&m_nFlowGroup, 1);
    AddByteMember(&m_bTestPlayOnly, 1);
    AddByteMember(&m_nCondMode, 1);
    AddByteMember(&m_bCondOnce, 1);
    AddByteMember(&m_nTrigger, 1);
    AddByteMember(&m_nKeyGap, 1);
    AddByteMember(&m_bKeyRepeat, 1);
}

int cEdFlow::Load(FILE* fp)
{
    int ok = cDataRecord::Load(fp) && LoadConditionList(m_Condition, fp) && LoadKeyConditionList(m_KeyCondition, fp) &&
             LoadCommandList(m_Command, fp);
    if (ok) {
        Upgrade(nFileVersion);
    }
    // The player never keeps the editor's comments.
    m_strMemo.clear();
    // Each command repaired itself as it was read; only a read cut short leaves commands (or
    // older contents) that were not.
    if (!ok) {
        Repair();
    }
    return ok ? 1 : 0;
}

int cEdFlow::Save(FILE* fp)
{
    Repair();
    bool ok = cDataRecord::Save(fp) != 0;
    ok = SaveDefinitionList(fp, m_Condition) && ok;
    ok = SaveDefinitionList(fp, m_KeyCondition) && ok;
    ok = SaveDefinitionList(fp, m_Command) && ok;
    return ok ? 1 : 0;
}

void cEdFlow::Upgrade(int v)
{
    if (v >= kCurrentDataVersion) {
        return;
    }
    // Triggers were inserted before 11 and, later, two before 5; groups once applied to every
    // trigger.
    if (v <= 131 && m_nTrigger >= 11) {
        m_nTrigger = static_cast<std::int8_t>(m_nTrigger + 1);
    }
    if (v < 163 && m_nTrigger != 0) {
        m_nFlowGroup = 0;
    }
    if (v < 164 && m_nTrigger >= 5) {
        m_nTrigger = static_cast<std::int8_t>(m_nTrigger + 2);
    }
}

void cEdFlow::Repair()
{
    for (cEdCommand& command : m_Command) {
        command.Repair();
    }
}

void cEdFlow::CheckPaletteRefs(const PALETTECOUNTS& counts)
{
    for (cEdCommand& command : m_Command) {
        command.CheckPaletteRefs(counts);
    }
}
