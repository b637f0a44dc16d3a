#include "definitions/cEdChara.h"

#include <algorithm>

#include "definitions/ConditionList.h"
#include "definitions/DefinitionContext.h"
#include "definitions/DefinitionList.h"
#include "definitions/DefinitionOwnPart.h"
#include "definitions/DefinitionUpgrade.h"
#include "definitions/FlowList.h"
#include "definitions/IndexRepair.h"
#include "definitions/PaletteRef.h"

cEdChara::cEdChara()
{
    Reset();
}

void cEdChara::RegisterMembers(int nVersion)
{
    ClearMemberList();
    AddStrMember(&m_strName, 1);
    AddByteMember(&m_nPaletteKind, 1);
    AddWordMember(&m_nPaletteIndex, 1);
    AddByteMember(&m_nCondMode, 1);
    AddByteMember(&m_bCondOnce, 1);
    AddByteMember(&m_nDirection, 1);
    AddByteMember(&m_nGroupCount, 1);
    AddWordMember(&m_nGroupBaseX, 1);
    AddWordMember(&m_nGroupStepX, 1);
    AddWordMember(&m_nGroupBaseY, 1);
    AddWordMember(&m_nGroupStepY, 1);
    AddByteMember(&m_bGroupMirrorX, 1);
    AddByteMember(&m_bGroupMirrorY, 1);
    AddWordMember(&m_nGraphic, 1);
    AddByteMember(&m_nGraphicSheet, 1);
    AddWordMember(&m_nCell, 1);
    AddWordMember(&m_nAnimeSet, 1);
    AddByteMember(&m_nZ, 1);
    AddByteMember(&m_bTransparent, 1);
    AddWordMember(&m_nCharaEffect, 1);
    if (nVersion >= 196) {
        AddByteMember(&m_nCharaEffectValue1, 1);
    }
    AddByteMember(&m_nCharaEffectValue2, 1);
    AddWordMember(&m_nDeathEffect, 1);
    if (nVersion >= 196) {
        AddByteMember(&m_nDeathEffectValue, 1);
    }
    AddByteMember(&m_nBadgeShow, 1);
    AddWordMember(&m_nBadge, 1);
    AddByteMember(&m_nController, 1);
    AddByteMember(&m_nCharaOpt26, 1);
    AddByteMember(&m_nFaction, 1);
    AddByteMember(&m_nCharaId, 1);
    AddByteMember(&m_nFlying, 1);
    AddByteMember(&m_nDirectionFix, 1);
    AddByteMember(&m_nInvincible, 1);
    if (nVersion >= 285) {
        AddByteMember(&m_nInvincibleColor, 1);
    }
    AddByteMember(&m_bFullCell, 1);
    AddByteMember(&m_nScale, 1);
    if (nVersion >= 210) {
        AddByteMember(&m_bScrollSync, 1);
    }
    AddByteMember(&m_nViewShape, 1);
    AddByteMember(&m_nViewRange, 1);
    AddDwordMember(&m_nMaxHp, 1);
    AddDwordMember(&m_nMaxSp, 1);
    AddWordMember(&m_nBrake, 1);
    if (nVersion >= 201) {
        AddByteMember(&m_nRangeKind, 1);
    }
    AddDwordMember(&m_nRamPower, 1);
    AddByteMember(&m_nRamImpact, 1);
    AddWordMember(&m_nEffect, 1);
    if (nVersion >= 168) {
        AddDwordMember(&m_nDefence, 1);
    }
    AddByteMember(&m_nImpactResist, 1);
    AddDwordMember(&m_nScore, 1);
    AddByteMember(&m_nCharaOpt48, 1);
    AddByteMember(&m_bSwitchAppear, 1);
    AddWordMember(&m_nSwitch, 1);
    AddByteMember(&m_nActiveRange, 1);
    AddByteMember(&m_nPresenceMode, 1);
}

void cEdChara::Reset()
{
    m_nPlaceValue = 0;
    Clear();
    m_Inherit.assign(kInheritGroups, 0);
    m_nController = 1;
    m_nFaction = 1;
    m_nZ = 3;
    m_nCharaEffectValue2 = 1;
    m_nMaxHp = 10;
    m_nDefence = 0;
    m_nGraphicSheet = 1;
    m_nGraphic = 0;
    m_nScale = 1;
    m_nBrake = 10;
    m_nDirectionFix = 1;
    m_nCharaOpt48 = 1;
}

int cEdChara::Load(FILE* fp)
{
    std::int32_t placeValue = 0;
    if (!cDataRecord::Load(fp) || !LoadTilePosition(fp, m_nX, m_nY) || !ReadInt32(fp, placeValue)) {
        return 0;
    }
    m_nPlaceValue = placeValue;
    if (!LoadInheritFlags(fp, m_Inherit) || !LoadConditionList(m_Condition, fp) || !LoadFlowList(m_Flow, fp)) {
        return 0;
    }
    if (DefinitionContext.RemovesTestPlayFlows()) {
        RemoveTestPlayFlows(m_Flow);
    }
    if (nFileVersion < kCurrentDataVersion) {
        Upgrade(nFileVersion);
    }
    Inherit();
    CheckRefs();
    return 1;
}

void cEdChara::Upgrade(int nFromVersion)
{
    // A group the older file did not store is taken from the template ("insert flag k").
    if (nFromVersion < 168) {
        m_nDefence = 0;
        InsertInheritFlag(m_Inherit, 27, kInheritGroups);
    }
    if (nFromVersion < 196) {
        m_nCharaEffectValue1 = 0;
        m_nDeathEffectValue = 0;
    }
    if (nFromVersion < 201) {
        m_nRangeKind = 0;
        InsertInheritFlag(m_Inherit, 24, kInheritGroups);
    }
    if (nFromVersion < 206 && m_nRangeKind > 1) {
        ++m_nRangeKind;
    }
    if (nFromVersion < 210) {
        m_bScrollSync = 0;
        InsertInheritFlag(m_Inherit, 21, kInheritGroups);
    }
    if (nFromVersion < kShotGraphicShiftVersion) {
        ShiftShotGraphic(m_nGraphicSheet, m_nGraphic);
    }
    if (nFromVersion < 285) {
        m_nInvincibleColor = 1;
    }
}

int cEdChara::Save(FILE* fp)
{
    CheckRefs();
    int ok = cDataRecord::Save(fp);
    ok = SaveTilePosition(fp, m_nX, m_nY) && ok;
    ok = WriteInt32(fp, m_nPlaceValue) && ok;
    ok = SaveInheritFlags(fp, m_Inherit) && ok;
    ok = SaveDefinitionList(fp, m_Condition) && ok;
    return SaveDefinitionList(fp, m_Flow) && ok;
}

void cEdChara::CheckRefs()
{
    CheckPaletteRef(m_nPaletteKind, m_nPaletteIndex, PALETTELIST_CHARA);
    if (m_nGraphicSheet == 4) {
        m_nGraphic = static_cast<std::int16_t>(RepairIndex(m_nGraphic, DefinitionContext.Count(DB_BMP_CHARAEXC), 1));
    }
    if (m_nScale <= 0) {
        m_nScale = 1;
    }
    m_nAnimeSet = static_cast<std::int16_t>(RepairIndex(m_nAnimeSet, DefinitionContext.Count(DB_ANIMESET), 0));
    const int charaEffects = DefinitionContext.Count(DB_CHARAEFFECT);
    m_nCharaEffect = static_cast<std::int16_t>(RepairIndex(m_nCharaEffect, charaEffects, 0));
    m_nDeathEffect = static_cast<std::int16_t>(RepairIndex(m_nDeathEffect, charaEffects, 0));
    m_nEffect = static_cast<std::int16_t>(RepairIndex(m_nEffect, DefinitionContext.Count(DB_EFFECT), 0));
    for (int i = 0; i < static_cast<int>(m_Flow.size()); ++i) {
        m_Flow[i].Repair();
    }
    std::erase_if(m_Flow, [](const cEdFlow& flow) {
        return flow.m_Condition.empty() && flow.m_KeyCondition.empty() && flow.m_Command.empty();
    });
}

void cEdChara::CheckFlows()
{
    const PALETTECOUNTS counts = ActivePaletteCounts();
    for (int i = 0; i < static_cast<int>(m_Flow.size()); ++i) {
        m_Flow[i].CheckPaletteRefs(counts);
    }
}

double cEdChara::GetGroupOffsetX(int n, int nFacing) const
{
    double offset = static_cast<double>(n) * m_nGroupStepX + m_nGroupBaseX;
    return nFacing == 1 && m_bGroupMirrorX ? -offset : offset;
}

double cEdChara::GetGroupOffsetY(int n, int nFacing) const
{
    double offset = static_cast<double>(n) * m_nGroupStepY + m_nGroupBaseY;
    return nFacing == 1 && m_bGroupMirrorY ? -offset : offset;
}
