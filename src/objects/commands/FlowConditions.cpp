#include "objects/commands/FlowConditions.h"

#include <cmath>

#include "definitions/cEdFlow.h"
#include "definitions/cEdStage.h"
#include "objects/IFlowStage.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/chara/cCharaBase.h"
#include "objects/flow/FlowOperands.h"
#include "project/cSaveData.h"

namespace {

// Right operand kinds and left sides of status conditions.
enum { RIGHT_CONSTANT = 0, RIGHT_RANDOM = 1, RIGHT_STATUS = 2, RIGHT_VARIABLE = 3 };
enum { LEFT_STATUS = 0, LEFT_VARIABLE = 1 };
enum { VAR_COMMON = 0, VAR_STAGE = 1 };
enum { SYS_TIME = 0, SYS_SCROLL_X = 1, SYS_SCROLL_Y = 2, SYS_SCORE = 3, SYS_LIVES = 4 };
constexpr int kSightItem = 8;
constexpr int kBrakeItem = 13;

struct RANGE {
    std::int32_t nMin;
    std::int32_t nMax;
};

// The range a percentage right operand is clamped into, by character status item.
constexpr RANGE kPercentRange[] = {
    {-999999, 999999}, {0, 999999}, {0, 999999}, {0, 999999}, {0, 999999}, {0, 99},  {0, 7},      {0, 119},
    {0, 40},           {0, 999999}, {-20, 20},   {0, 999999}, {0, 20},     {0, 200}, {0, 999999},
};
constexpr int kCharaItemCount = static_cast<int>(sizeof(kPercentRange) / sizeof(kPercentRange[0]));

// The range of each system status item.
constexpr RANGE kSystemRange[] = {{0, 999}, {-480, 480}, {-480, 480}, {0, 999999}, {0, 99}};
constexpr int kSystemItemCount = static_cast<int>(sizeof(kSystemRange) / sizeof(kSystemRange[0]));

const IFlowStage* FlowStage()
{
    return StageFlowService();
}

// Variable n of a kind (0 common, 1 stage) into value; 0 for another kind. A bad index takes the
// checked access of the variable vector.
int ReadVariable(int nKind, int n, std::int64_t& value)
{
    if (nKind == VAR_COMMON) {
        value = SaveData.Var[n];
        return 1;
    }
    if (nKind == VAR_STAGE) {
        value = lpStageField != nullptr ? lpStageField->m_StageVar[n] : 0;
        return 1;
    }
    return 0;
}

// The character a subject names: the target for 1, self for any other subject. Null when the
// target is missing.
cCharaBase* SubjectChara(int nSubject, cCharaBase& self)
{
    return nSubject == SUBJECT_TARGET ? FindChara(self.target) : &self;
}

// The right operand of a status condition; 0 when the condition cannot hold (a missing target,
// the sight of a computer-operated character).
int RightOperand(const cEdCondition& c, cCharaBase& self, std::int64_t& value)
{
    value = 0;
    switch (c.m_nRightSource) {
    case RIGHT_CONSTANT: value = c.m_nValue; return 1;
    case RIGHT_RANDOM: value = RandomBetween(c.m_nRandMin, c.m_nRandMax); return 1;
    case RIGHT_STATUS:
        if (c.m_nRightSubject == SUBJECT_SYSTEM) {
            if (c.m_nRightItem == SYS_TIME && StageHasNoTimeLimit()) {
                value = 0;
                return 1;
            }
            if (!ReadSystemStatus(c.m_nRightItem, value)) value = 0;
            return 1;
        } else {
            cCharaBase* chara = SubjectChara(c.m_nRightSubject, self);
            if (chara == nullptr) return 0;
            return ReadCharaStatus(*chara, c.m_nRightItem, c.m_nRightIndex, value);
        }
    case RIGHT_VARIABLE:
        if (!ReadVariable(c.m_nRightVarKind, c.m_nRightIndex, value)) value = 0;
        return 1;
    default: return 1;
    }
}

std::int64_t ClampTo(std::int64_t n, const RANGE& range)
{
    if (n < range.nMin) return range.nMin;
    if (n > range.nMax) return range.nMax;
    return n;
}

// The distance condition's test of one axis: self's span (screen position and graphic size)
// against O's screen edges less its graphic offset.
bool AxisInRange(const cCharaBase& self, const cCharaBase& other, bool bVertical, double extLow, double extHigh,
                 int whole)
{
    if (bVertical) {
        return cGameObject::SpanOverlaps(self.screenTop, self.gfxHeight, other.screenTop, other.screenBottom,
                                         other.gfxOffsetY, extLow, extHigh, whole);
    }
    return cGameObject::SpanOverlaps(self.screenLeft, self.gfxWidth, other.screenLeft, other.screenRight,
                                     other.gfxOffsetX, extLow, extHigh, whole);
}

}  // namespace

int StageHasNoTimeLimit()
{
    const IFlowStage* stage = FlowStage();
    return stage == nullptr || stage->FlowHasNoTimeLimit() ? 1 : 0;
}

int ReadSystemStatus(int nItem, std::int64_t& value)
{
    switch (nItem) {
    case SYS_TIME: {
        const IFlowStage* stage = FlowStage();
        value = stage != nullptr ? stage->FlowTimeLeft() : 999;
        return 1;
    }
    case SYS_SCROLL_X: value = Stage.m_nAutoScrollSpeedX; return 1;
    case SYS_SCROLL_Y: value = Stage.m_nAutoScrollSpeedY; return 1;
    case SYS_SCORE: value = SaveData.nTotalScore; return 1;
    case SYS_LIVES: value = SaveData.nLives; return 1;
    default: value = 0; return 0;
    }
}

int ReadCharaStatus(cCharaBase& c, int nItem, int nVarIndex, std::int64_t& value)
{
    const cEdChara& d = c.def;
    switch (nItem) {
    case 0: value = c.charaVars[nVarIndex]; return 1;
    case 1: value = c.hp; return 1;
    case 2: value = c.sp; return 1;
    case 3: value = d.m_nMaxHp; return 1;
    case 4: value = d.m_nMaxSp; return 1;
    case 5: value = d.m_nCharaId; return 1;
    case 6: value = d.m_nZ; return 1;
    case 7: value = d.m_nBadge; return 1;
    case kSightItem:
        if (c.IsComputer()) return 0;
        value = d.m_nViewRange;
        return 1;
    case 9: value = d.m_nRamPower; return 1;
    case 10: value = d.m_nRamImpact; return 1;
    case 11: value = d.m_nDefence; return 1;
    case 12: value = d.m_nImpactResist; return 1;
    case kBrakeItem:
        value = d.m_nBrake;
        // Reading the ease of stopping also brings the deceleration up to date with it.
        c.decel = StopToDecel(d.m_nBrake);
        return 1;
    case 14: value = d.m_nScore; return 1;
    default: return 0;
    }
}

int CheckStatusCondition(const cEdCondition& c, cCharaBase& self)
{
    std::int64_t R = 0;
    if (!RightOperand(c, self, R)) {
        return 0;
    }
    std::int64_t L = 0;
    if (c.m_nLeftSource == LEFT_VARIABLE) {
        if (!ReadVariable(c.m_nLeftVarKind, c.m_nIndex, L)) return 0;
        // A percentage of a variable is taken of nothing: the right side becomes 0.
        if (c.m_bPercent != 0) R = 0;
        return CompareByOp(L, R, c.m_nCompare);
    }
    if (c.m_nLeftSource != LEFT_STATUS) {
        return 0;
    }
    if (c.m_nSubject == SUBJECT_SYSTEM) {
        if (c.m_nItem < 0 || c.m_nItem >= kSystemItemCount || !ReadSystemStatus(c.m_nItem, L)) return 0;
        if (c.m_bPercent != 0) R = ClampTo(PercentOf(0, R), kSystemRange[static_cast<int>(c.m_nItem)]);
        if (c.m_nItem == SYS_LIVES && L == cSaveData::kUnlimitedLives) return 0;
        return CompareByOp(L, R, c.m_nCompare);
    }
    cCharaBase* chara = SubjectChara(c.m_nSubject, self);
    if (chara == nullptr || !ReadCharaStatus(*chara, c.m_nItem, c.m_nIndex, L)) {
        return 0;
    }
    if (c.m_bPercent != 0 && c.m_nItem >= 0 && c.m_nItem < kCharaItemCount) {
        std::int64_t M = 0;
        if (c.m_nItem == 1) M = chara->def.m_nMaxHp;
        if (c.m_nItem == 2) M = chara->def.m_nMaxSp;
        R = ClampTo(PercentOf(M, R), kPercentRange[static_cast<int>(c.m_nItem)]);
    }
    return CompareByOp(L, R, c.m_nCompare);
}

int CheckStatusCondition2(const cEdCondition& c, cCharaBase& self)
{
    const std::int64_t K = c.m_nIndex;
    if (c.m_nSubject == SUBJECT_SYSTEM) {
        if (c.m_nItem == 0) return CompareByOp(Stage.m_bAutoScrollX, K, c.m_nCompare);
        if (c.m_nItem == 1) return CompareByOp(Stage.m_bAutoScrollY, K, c.m_nCompare);
        return 0;
    }
    cCharaBase* chara = SubjectChara(c.m_nSubject, self);
    if (chara == nullptr) {
        return 0;
    }
    const cEdChara& d = chara->def;
    switch (c.m_nItem) {
    case 1: return CompareByOp(static_cast<std::uint8_t>(d.m_bTransparent), K, c.m_nCompare);
    case 2: return CompareByOp(d.m_nDirectionFix, K, c.m_nCompare);
    case 3: return CompareByOp(d.m_nFlying, K, c.m_nCompare);
    case 4: return CompareByOp(d.m_nInvincible, K, c.m_nCompare);
    case 5: return CompareByOp(d.m_nScale, K, c.m_nCompare);
    case 6: return CompareByOp(static_cast<std::uint8_t>(d.m_bScrollSync), K, c.m_nCompare);
    default: return 0;
    }
}

int CheckStatusCondition3(const cEdCondition& c, cCharaBase& self)
{
    cCharaBase* chara = c.m_nSubject == SUBJECT_TARGET ? FindChara(self.target) : &self;
    if (chara == nullptr) {
        return 0;
    }
    int bState = 0;
    switch (c.m_nItem) {
    case 0: bState = chara->facing == 0 ? 1 : 0; break;
    case 1: bState = chara->facing == 1 ? 1 : 0; break;
    case 2:
        bState = (chara->def.m_nFlying == 0 && (chara->onFoothold != 0 || (chara->airborne == 0 && chara->jumped == 0)))
                     ? 1
                     : 0;
        break;
    case 3: bState = chara->IsComputer() ? (chara->inView != 0 ? 1 : 0) : (chara->IsInView() ? 1 : 0); break;
    default: bState = 0; break;
    }
    return c.m_nCompare == 1 ? (bState ? 0 : 1) : bState;
}

int CheckDistanceCondition(const cEdCondition& c, cCharaBase& self)
{
    const double D = static_cast<double>(c.m_nValue) * 16.0 + c.m_nRightIndex;
    cCharaBase* other = nullptr;
    if (c.m_nSubject == 0) {
        other = Player.empty() ? nullptr : &Player[P1];
    } else if (c.m_nSubject == 1) {
        other = FindChara(self.target);
    }
    if (other == nullptr) {
        return 0;
    }
    const bool bLeft = self.facing == 0;
    bool bInRange = false;
    if (c.m_nDistDir >= 0 && c.m_nDistDir <= 5) {
        self.CalcScreenRect();
        switch (c.m_nDistDir) {
        case 0: bInRange = AxisInRange(self, *other, false, D, D, 1); break;
        case 1: bInRange = AxisInRange(self, *other, false, bLeft ? D : 0.0, bLeft ? 0.0 : D, 0); break;
        case 2: bInRange = AxisInRange(self, *other, false, bLeft ? 0.0 : D, bLeft ? D : 0.0, 0); break;
        case 3: bInRange = AxisInRange(self, *other, true, D, D, 1); break;
        case 4: bInRange = AxisInRange(self, *other, true, bLeft ? D : 0.0, bLeft ? 0.0 : D, 0); break;
        default: bInRange = AxisInRange(self, *other, true, bLeft ? 0.0 : D, bLeft ? D : 0.0, 0); break;
        }
    } else if (c.m_nDistDir == 6) {
        const double dx = (self.x + (self.hitWidth >> 1)) - (other->x + (other->hitWidth >> 1));
        const double dy = (self.y + (self.hitHeight >> 1)) - (other->y + (other->hitHeight >> 1));
        bInRange = D >= std::sqrt(dx * dx + dy * dy);
    }
    if (c.m_nCompare == 0) return bInRange ? 1 : 0;
    if (c.m_nCompare == 1) return bInRange ? 0 : 1;
    return 0;
}

int CheckCondition(const cEdCondition& c, cCharaBase& self)
{
    switch (c.m_nKind) {
    case 1: return CompareByOp(SaveData.Var[c.m_nIndex], c.m_nValue, c.m_nCompare);
    case 2: {
        std::int64_t v = 0;
        ReadVariable(VAR_STAGE, c.m_nIndex, v);
        return CompareByOp(v, c.m_nValue, c.m_nCompare);
    }
    case 3: return CompareByOp(self.charaVars[c.m_nIndex], c.m_nValue, c.m_nCompare);
    case 4: return CheckStatusCondition(c, self);
    case 5: return CheckStatusCondition2(c, self);
    case 6: return CheckStatusCondition3(c, self);
    case 7: return CheckDistanceCondition(c, self);
    default: return 0;
    }
}

int CheckCondList(const cVector<cEdCondition>& list, int nMode, cCharaBase& self)
{
    if (nMode == 0) {
        for (const cEdCondition& c : list) {
            if (!CheckCondition(c, self)) return 0;
        }
        return 1;
    }
    if (nMode == 1) {
        for (const cEdCondition& c : list) {
            if (CheckCondition(c, self)) return 1;
        }
        return 0;
    }
    return 0;
}

int CheckFlowCond(FLOWINSTANCE& flow, cCharaBase& self)
{
    if (flow.flow == nullptr || flow.flow->m_Condition.empty()) {
        return 1;
    }
    if (flow.flow->m_bCondOnce != 0 && flow.condLatched != 0) {
        return 1;
    }
    if (!CheckCondList(flow.flow->m_Condition, flow.flow->m_nCondMode, self)) {
        return 0;
    }
    flow.condLatched = 1;
    return 1;
}
