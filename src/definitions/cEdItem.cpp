#include "definitions/cEdItem.h"

#include "definitions/CommandList.h"
#include "definitions/ConditionList.h"
#include "definitions/DefinitionContext.h"
#include "definitions/DefinitionList.h"
#include "definitions/DefinitionOwnPart.h"
#include "definitions/DefinitionUpgrade.h"
#include "definitions/IndexRepair.h"
#include "definitions/PaletteRef.h"

cEdItem::cEdItem()
{
    Reset();
}

void cEdItem::RegisterMembers(int)
{
    ClearMemberList();
    AddStrMember(&m_strName, 1);
    AddByteMember(&m_nPaletteKind, 1);
    AddWordMember(&m_nPaletteIndex, 1);
    AddByteMember(&m_nCondMode, 1);
    AddByteMember(&m_bCondOnce, 1);
    AddWordMember(&m_nItemOpt0, 1);
    AddWordMember(&m_nItemOpt1, 1);
    AddWordMember(&m_nGraphic, 1);
    AddByteMember(&m_nGraphicSheet, 1);
    AddWordMember(&m_nCell, 1);
    AddByteMember(&m_nItemOpt2, 1);
    AddByteMember(&m_bHidden, 1);
    AddByteMember(&m_nBadgeShow, 1);
    AddWordMember(&m_nBadge, 1);
    AddByteMember(&m_bShowIcon, 1);
    AddByteMember(&m_nPickup, 1);
    AddByteMember(&m_nScale, 1);
    AddWordMember(&m_nSound, 1);
}

void cEdItem::Reset()
{
    Clear();
    m_Inherit.assign(kInheritGroups, 0);
    m_nGraphicSheet = 2;
    m_nGraphic = 0;
    m_bShowIcon = 1;
    m_nScale = 1;
    m_nItemOpt2 = 6;
}

int cEdItem::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp) || !LoadTilePosition(fp, m_nX, m_nY) || !LoadInheritFlags(fp, m_Inherit) ||
        !LoadConditionList(m_Condition, fp) || !LoadCommandList(m_Command, fp)) {
        return 0;
    }
    if (nFileVersion < kShotGraphicShiftVersion) {
        ShiftShotGraphic(m_nGraphicSheet, m_nGraphic);
    }
    Inherit();
    CheckRefs();
    return 1;
}

int cEdItem::Save(FILE* fp)
{
    CheckRefs();
    int ok = cDataRecord::Save(fp);
    ok = SaveTilePosition(fp, m_nX, m_nY) && ok;
    ok = SaveInheritFlags(fp, m_Inherit) && ok;
    ok = SaveDefinitionList(fp, m_Condition) && ok;
    return SaveDefinitionList(fp, m_Command) && ok;
}

void cEdItem::Inherit()
{
    const cEdItem* source = FindPaletteTemplate(this, m_nPaletteKind, m_nPaletteIndex, PaletteItemList(m_nPaletteKind));
    if (source == nullptr) {
        return;
    }
    for (int group = 0; group < kInheritGroups; ++group) {
        if (IsInherited(m_Inherit, group)) {
            CopyGroup(*source, group);
        }
    }
}

void cEdItem::CopyGroup(const cEdItem& source, int nGroup)
{
    switch (nGroup) {
    case 0: m_strName = source.m_strName; break;
    case 1:
        AssignConditionList(m_Condition, source.m_Condition);
        m_nCondMode = source.m_nCondMode;
        m_bCondOnce = source.m_bCondOnce;
        break;
    case 2: m_nItemOpt0 = source.m_nItemOpt0; break;
    case 3: m_nItemOpt1 = source.m_nItemOpt1; break;
    case 4:
        m_nGraphicSheet = source.m_nGraphicSheet;
        m_nGraphic = source.m_nGraphic;
        m_nCell = source.m_nCell;
        break;
    case 5: m_nItemOpt2 = source.m_nItemOpt2; break;
    case 6: m_bHidden = source.m_bHidden; break;
    case 7:
        m_nBadgeShow = source.m_nBadgeShow;
        m_nBadge = source.m_nBadge;
        break;
    case 8: m_nScale = source.m_nScale; break;
    case 9: m_nPickup = source.m_nPickup; break;
    case 10: m_bShowIcon = source.m_bShowIcon; break;
    case 11: m_nSound = source.m_nSound; break;
    case 12: m_Command = source.m_Command; break;
    default: break;
    }
}

void cEdItem::CheckRefs()
{
    CheckPaletteRef(m_nPaletteKind, m_nPaletteIndex, PALETTELIST_ITEM);
    if (m_nScale <= 0) {
        m_nScale = 1;
    }
    m_nSound = static_cast<std::int16_t>(RepairIndex(m_nSound, DefinitionContext.Count(DB_SOUND), 0));
    for (int i = 0; i < static_cast<int>(m_Command.size()); ++i) {
        m_Command[i].Repair();
    }
}

void cEdItem::CheckCommands()
{
    const PALETTECOUNTS counts = ActivePaletteCounts();
    for (int i = 0; i < static_cast<int>(m_Command.size()); ++i) {
        m_Command[i].CheckPaletteRefs(counts);
    }
}
