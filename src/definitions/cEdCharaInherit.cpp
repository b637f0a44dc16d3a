// The inheritance of character definitions: which members each of the 37 property groups takes
// from the template. The numbers in brackets are the members' positions in the registration.
#include "definitions/ConditionList.h"
#include "definitions/DefinitionOwnPart.h"
#include "definitions/PaletteRef.h"
#include "definitions/cEdChara.h"

void cEdChara::Inherit()
{
    const cEdChara* source =
        FindPaletteTemplate(this, m_nPaletteKind, m_nPaletteIndex, PaletteCharaList(m_nPaletteKind));
    if (source == nullptr) {
        return;
    }
    for (int group = 0; group < kInheritGroups; ++group) {
        if (IsInherited(m_Inherit, group)) {
            CopyGroup(*source, group);
        }
    }
}

void cEdChara::CopyGroup(const cEdChara& s, int nGroup)
{
    switch (nGroup) {
    case 0: m_strName = s.m_strName; break;
    case 1:
        m_nController = s.m_nController;
        m_nCharaOpt26 = s.m_nCharaOpt26;
        break;                                 // [25, 26]
    case 2: m_nFaction = s.m_nFaction; break;  // [27]
    case 3: m_nCharaId = s.m_nCharaId; break;  // [28]
    case 4:                                    // [2, 3]
        AssignConditionList(m_Condition, s.m_Condition);
        m_nCondMode = s.m_nCondMode;
        m_bCondOnce = s.m_bCondOnce;
        break;
    case 5: m_nDirection = s.m_nDirection; break;    // [4]
    case 6: m_nGroupCount = s.m_nGroupCount; break;  // [5]
    case 7:                                          // [6, 7, 10]
        m_nGroupBaseX = s.m_nGroupBaseX;
        m_nGroupStepX = s.m_nGroupStepX;
        m_bGroupMirrorX = s.m_bGroupMirrorX;
        break;
    case 8:  // [8, 9, 11]
        m_nGroupBaseY = s.m_nGroupBaseY;
        m_nGroupStepY = s.m_nGroupStepY;
        m_bGroupMirrorY = s.m_bGroupMirrorY;
        break;
    case 9:  // [13, 12, 14]
        m_nGraphicSheet = s.m_nGraphicSheet;
        m_nGraphic = s.m_nGraphic;
        m_nCell = s.m_nCell;
        break;
    case 10: m_nAnimeSet = s.m_nAnimeSet; break;        // [15]
    case 11: m_nZ = s.m_nZ; break;                      // [16]
    case 12: m_bTransparent = s.m_bTransparent; break;  // [17]
    case 13:                                            // [18, 19, 20]
        m_nCharaEffect = s.m_nCharaEffect;
        m_nCharaEffectValue1 = s.m_nCharaEffectValue1;
        m_nCharaEffectValue2 = s.m_nCharaEffectValue2;
        break;
    case 14:
        m_nDeathEffect = s.m_nDeathEffect;
        m_nDeathEffectValue = s.m_nDeathEffectValue;
        break;  // [21, 22]
    case 15:
        m_nBadgeShow = s.m_nBadgeShow;
        m_nBadge = s.m_nBadge;
        break;                                            // [23, 24]
    case 16: m_nDirectionFix = s.m_nDirectionFix; break;  // [30]
    case 17: m_nFlying = s.m_nFlying; break;              // [29]
    case 18:
        m_nInvincible = s.m_nInvincible;
        m_nInvincibleColor = s.m_nInvincibleColor;
        break;                                        // [31, 32]
    case 19: m_bFullCell = s.m_bFullCell; break;      // [33]
    case 20: m_nScale = s.m_nScale; break;            // [34]
    case 21: m_bScrollSync = s.m_bScrollSync; break;  // [35]
    case 22:
        m_nViewShape = s.m_nViewShape;
        m_nViewRange = s.m_nViewRange;
        break;                                            // [36, 37]
    case 23: m_nMaxHp = s.m_nMaxHp; break;                // [38]
    case 24: m_nMaxSp = s.m_nMaxSp; break;                // [39]
    case 25: m_nRangeKind = s.m_nRangeKind; break;        // [41]
    case 26: m_nRamPower = s.m_nRamPower; break;          // [42]
    case 27: m_nRamImpact = s.m_nRamImpact; break;        // [43]
    case 28: m_nEffect = s.m_nEffect; break;              // [44]
    case 29: m_nDefence = s.m_nDefence; break;            // [45]
    case 30: m_nImpactResist = s.m_nImpactResist; break;  // [46]
    case 31: m_nBrake = s.m_nBrake; break;                // [40]
    case 32:
        m_nActiveRange = s.m_nActiveRange;
        m_nPresenceMode = s.m_nPresenceMode;
        break;  // [51, 52]
    case 33:
        m_nSwitch = s.m_nSwitch;
        m_bSwitchAppear = s.m_bSwitchAppear;
        break;                                        // [50, 49]
    case 34: m_nScore = s.m_nScore; break;            // [47]
    case 35: m_nCharaOpt48 = s.m_nCharaOpt48; break;  // [48]
    case 36: m_Flow = s.m_Flow; break;
    default: break;
    }
}
