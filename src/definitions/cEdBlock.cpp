#include "definitions/cEdBlock.h"

#include "definitions/ConditionList.h"
#include "definitions/DefinitionList.h"
#include "definitions/DefinitionOwnPart.h"
#include "definitions/DefinitionUpgrade.h"
#include "definitions/PaletteRef.h"

cEdBlock::cEdBlock()
{
    Reset();
}

void cEdBlock::RegisterMembers(int)
{
    ClearMemberList();
    AddStrMember(&m_strName, 1);
    AddByteMember(&m_nPaletteKind, 1);
    AddWordMember(&m_nPaletteIndex, 1);
    AddByteMember(&m_nCondMode, 1);
    AddByteMember(&m_bCondOnce, 1);
    AddWordMember(&m_nGraphic, 1);
    AddByteMember(&m_nGraphicSheet, 1);
    AddWordMember(&m_nCell, 1);
    AddByteMember(&m_nDrawLayer, 1);
    AddByteMember(&m_bHidden, 1);
    AddByteMember(&m_nBadgeShow, 1);
    AddWordMember(&m_nBadge, 1);
    AddByteMember(&m_nHitKind, 1);
    AddByteMember(&m_nPassFaction, 1);
    AddByteMember(&m_nTouchKind, 1);
    AddDwordMember(&m_nTouchValue, 1);
    AddByteMember(&m_nItemKind, 1);
    AddWordMember(&m_nItemIndex, 1);
    AddByteMember(&m_bNoOverwrite, 1);
}

void cEdBlock::Reset()
{
    Clear();
    m_nHitKind = 1;
    m_Inherit.assign(kInheritGroups, 0);
    m_nPassFaction = 255;
    m_nGraphic = 0;
}

int cEdBlock::Load(FILE* fp)
{
    if (!cDataRecord::Load(fp) || !LoadTilePosition(fp, m_nX, m_nY) || !LoadInheritFlags(fp, m_Inherit) ||
        !LoadConditionList(m_Condition, fp)) {
        return 0;
    }
    if (nFileVersion < kShotGraphicShiftVersion) {
        ShiftShotGraphic(m_nGraphicSheet, m_nGraphic);
    }
    Inherit();
    CheckPaletteRef();
    return 1;
}

int cEdBlock::Save(FILE* fp)
{
    CheckPaletteRef();
    int ok = cDataRecord::Save(fp);
    ok = SaveTilePosition(fp, m_nX, m_nY) && ok;
    ok = SaveInheritFlags(fp, m_Inherit) && ok;
    return SaveDefinitionList(fp, m_Condition) && ok;
}

void cEdBlock::Inherit()
{
    const cEdBlock* source =
        FindPaletteTemplate(this, m_nPaletteKind, m_nPaletteIndex, PaletteBlockList(m_nPaletteKind));
    if (source == nullptr) {
        return;
    }
    for (int group = 0; group < kInheritGroups; ++group) {
        if (IsInherited(m_Inherit, group)) {
            CopyGroup(*source, group);
        }
    }
}

void cEdBlock::CopyGroup(const cEdBlock& source, int nGroup)
{
    switch (nGroup) {
    case 0: m_strName = source.m_strName; break;
    case 1:
        AssignConditionList(m_Condition, source.m_Condition);
        m_nCondMode = source.m_nCondMode;
        m_bCondOnce = source.m_bCondOnce;
        break;
    case 2:
        m_nGraphicSheet = source.m_nGraphicSheet;
        m_nGraphic = source.m_nGraphic;
        m_nCell = source.m_nCell;
        break;
    case 3: m_nDrawLayer = source.m_nDrawLayer; break;
    case 4: m_bHidden = source.m_bHidden; break;
    case 5:
        m_nBadgeShow = source.m_nBadgeShow;
        m_nBadge = source.m_nBadge;
        break;
    case 6: m_nHitKind = source.m_nHitKind; break;
    case 7: m_nPassFaction = source.m_nPassFaction; break;
    case 8:
        m_nTouchKind = source.m_nTouchKind;
        m_nTouchValue = source.m_nTouchValue;
        break;
    case 9:
        m_nItemKind = source.m_nItemKind;
        m_nItemIndex = source.m_nItemIndex;
        break;
    case 10: m_bNoOverwrite = source.m_bNoOverwrite; break;
    default: break;
    }
}

void cEdBlock::CheckPaletteRef()
{
    ::CheckPaletteRef(m_nPaletteKind, m_nPaletteIndex, PALETTELIST_BLOCK);
    if (m_nGraphic == 0) {
        m_nHitKind = 0;
        m_bNoOverwrite = 0;
    }
}

void cEdBlock::CheckItemRef()
{
    ::CheckPaletteRef(m_nItemKind, m_nItemIndex, PALETTELIST_ITEM);
}
