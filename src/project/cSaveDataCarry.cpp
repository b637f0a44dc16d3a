// The hero's state carried from one stage to the next. The project settings switch each of the
// 25 carry groups on or off (CarryOverFlags) and say which are forgotten after a miss
// (ResetFlags); CarryFlag records which groups hold a stored value.
#include "project/cSaveData.h"
#include "project/cSystemData.h"

namespace {

// Carry groups that are not members of the definition.
constexpr int kGroupEffect = 4;
constexpr int kGroupHp = 11;
constexpr int kGroupSp = 12;
constexpr int kGroupFlows = 21;
constexpr int kGroupTime = 22;
constexpr int kGroupLives = 23;
constexpr int kGroupBgm = 24;

bool GroupOn(int g)
{
    return SystemData.CarryOverFlags[g] != 0;
}

// The values of one store, besides the definition.
struct CarriedValues {
    int nHp, nSp, nEffect, nEffectValue1, nEffectValue2, nTime, nLives, nBgm;
};

// Copies the definition members of group g from one definition to another. Groups that are not
// definition members copy nothing here.
void CopyDefinitionGroup(int g, const cEdChara& from, cEdChara& to)
{
    switch (g) {
    case 0:
        to.m_nGraphic = from.m_nGraphic;
        to.m_nGraphicSheet = from.m_nGraphicSheet;
        to.m_nCell = from.m_nCell;
        break;
    case 1: to.m_nAnimeSet = from.m_nAnimeSet; break;
    case 2: to.m_nZ = from.m_nZ; break;
    case 3: to.m_bTransparent = from.m_bTransparent; break;
    case 5: to.m_nDirectionFix = from.m_nDirectionFix; break;
    case 6: to.m_nFlying = from.m_nFlying; break;
    case 7: to.m_nInvincible = from.m_nInvincible; break;
    case 8: to.m_nScale = from.m_nScale; break;
    case 9: to.m_bScrollSync = from.m_bScrollSync; break;
    case 10:
        to.m_nViewShape = from.m_nViewShape;
        to.m_nViewRange = from.m_nViewRange;
        break;
    case 13: to.m_nMaxHp = from.m_nMaxHp; break;
    case 14: to.m_nMaxSp = from.m_nMaxSp; break;
    case 15: to.m_nRangeKind = from.m_nRangeKind; break;
    case 16: to.m_nRamPower = from.m_nRamPower; break;
    case 17: to.m_nRamImpact = from.m_nRamImpact; break;
    case 18: to.m_nDefence = from.m_nDefence; break;
    case 19: to.m_nImpactResist = from.m_nImpactResist; break;
    case 20: to.m_nBrake = from.m_nBrake; break;
    case kGroupFlows: to.m_Flow = from.m_Flow; break;
    default: break;
    }
}

void StoreGroup(int g, cCharaCarryState& state, const cEdChara& def, const CarriedValues& v)
{
    switch (g) {
    case kGroupEffect:
        state.Chara.m_nCharaEffect = static_cast<decltype(state.Chara.m_nCharaEffect)>(v.nEffect);
        state.Chara.m_nCharaEffectValue1 = static_cast<decltype(state.Chara.m_nCharaEffectValue1)>(v.nEffectValue1);
        state.Chara.m_nCharaEffectValue2 = static_cast<decltype(state.Chara.m_nCharaEffectValue2)>(v.nEffectValue2);
        break;
    case kGroupHp: state.nHp = v.nHp; break;
    case kGroupSp: state.nSp = v.nSp; break;
    case kGroupTime: state.nTime = v.nTime; break;
    case kGroupLives: state.nLives = v.nLives; break;
    case kGroupBgm: state.nBgm = v.nBgm; break;
    default: CopyDefinitionGroup(g, def, state.Chara); break;
    }
}

}  // namespace

void cSaveData::StoreCharaStatus(int n, const cEdChara& def, int nHp, int nSp, int nEffect, int nEffectValue1,
                                 int nEffectValue2, int nTime, int nLives, int nBgm)
{
    const CarriedValues values{nHp, nSp, nEffect, nEffectValue1, nEffectValue2, nTime, nLives, nBgm};
    bCarry = 1;
    cCharaCarryState& state = CarryChara[n];
    for (int g = 0; g < kCarryGroupCount; ++g) {
        if (GroupOn(g)) {
            StoreGroup(g, state, def, values);
            CarryFlag[g] = 1;
        }
    }
}

void cSaveData::RestoreCharaStatus(int n, cEdChara& def, cEdStage& stage)
{
    if (!bCarry) {
        return;
    }
    const cCharaCarryState& state = CarryChara[n];
    for (int g = 0; g < kCarryGroupCount; ++g) {
        if (!GroupOn(g) || !CarryFlag[g]) {
            continue;
        }
        switch (g) {
        case 0:
            CopyDefinitionGroup(g, state.Chara, def);
            if (def.m_nGraphic == 0) def.m_nGraphic = 1;
            break;
        case kGroupEffect:
            def.m_nCharaEffect = state.Chara.m_nCharaEffect;
            def.m_nCharaEffectValue1 = state.Chara.m_nCharaEffectValue1;
            def.m_nCharaEffectValue2 = state.Chara.m_nCharaEffectValue2;
            break;
        case kGroupHp:
        case kGroupSp: break;  // GetCharaExtra
        case kGroupTime: stage.m_nTimeLimit = state.nTime; break;
        case kGroupLives: nLives = state.nLives; break;
        case kGroupBgm: stage.m_nBgm = state.nBgm; break;
        default: CopyDefinitionGroup(g, state.Chara, def); break;
        }
    }
}

void cSaveData::GetCharaExtra(int n, int* pHp, int* pSp) const
{
    if (!bCarry) {
        return;
    }
    const cCharaCarryState& state = CarryChara[n];
    if (pHp != nullptr && GroupOn(kGroupHp) && CarryFlag[kGroupHp]) {
        *pHp = state.nHp;
    }
    if (pSp != nullptr && GroupOn(kGroupSp) && CarryFlag[kGroupSp]) {
        *pSp = state.nSp;
    }
}

void cSaveData::ClearFlaggedValues()
{
    for (int g = 0; g < kCarryGroupCount; ++g) {
        if (SystemData.ResetFlags[g] != 0) {
            CarryFlag[g] = 0;
        }
    }
}
