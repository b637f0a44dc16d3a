#include "objects/commands/StatusOperation.h"

#include <cstdint>

#include "definitions/cEdCommand.h"
#include "definitions/cEdStage.h"
#include "objects/IFlowStage.h"
#include "objects/IStageCommands.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/chara/cCharaBase.h"
#include "objects/commands/FlowConditions.h"
#include "objects/flow/FlowOperands.h"
#include "project/cSaveData.h"

namespace {

enum { OPERAND_CONSTANT = 0, OPERAND_RANDOM = 1, OPERAND_STATUS = 2, OPERAND_VARIABLE = 3 };
enum { SYS_TIME = 0, SYS_SCROLL_X = 1, SYS_SCROLL_Y = 2, SYS_SCORE = 3, SYS_LIVES = 4 };
constexpr int kWide = 999999;

int Param(const cEdCommand& command, int i)
{
    return i < static_cast<int>(command.m_Param.size()) ? command.m_Param[i] : 0;
}

// Variable n of a kind (0 common, 1 stage), or null for another kind or without a stage.
std::int32_t* Variable(int nKind, int n)
{
    if (nKind == 0) return &SaveData.Var[n];
    if (nKind == 1 && lpStageField != nullptr) return &lpStageField->m_StageVar[n];
    return nullptr;
}

IFlowStage* FlowStage()
{
    return StageFlowService();
}

// The operand; 0 when the command ends here (a missing target, the sight of a computer-operated
// character).
int Operand(const cEdCommand& command, cCharaBase& self, std::int64_t& value)
{
    value = 0;
    switch (Param(command, 6)) {
    case OPERAND_CONSTANT: value = Param(command, 7); return 1;
    case OPERAND_RANDOM: value = RandomBetween(Param(command, 8), Param(command, 9)); return 1;
    case OPERAND_STATUS: {
        const int nSubject = Param(command, 12);
        const int nItem = Param(command, 13);
        if (nSubject == SUBJECT_SYSTEM) {
            if (!ReadSystemStatus(nItem, value)) value = 0;
            if (nItem == SYS_TIME && StageHasNoTimeLimit()) value = 0;
            if (nItem == SYS_LIVES && value == cSaveData::kUnlimitedLives) value = 0;
            return 1;
        }
        cCharaBase* chara = nSubject == SUBJECT_TARGET ? FindChara(self.target) : &self;
        if (chara == nullptr) return 0;
        if (ReadCharaStatus(*chara, nItem, Param(command, 11), value)) return 1;
        // The sight of a computer-operated character ends the command; an unknown item reads 0.
        value = 0;
        return nItem == 8 ? 0 : 1;
    }
    case OPERAND_VARIABLE: {
        const std::int32_t* variable = Variable(Param(command, 10), Param(command, 11));
        value = variable != nullptr ? *variable : 0;
        return 1;
    }
    default: return 1;
    }
}

// The operand as a percentage of the current value when the percentage mode is on.
std::int64_t Scaled(const cEdCommand& command, std::int64_t current, std::int64_t B)
{
    return Param(command, 14) != 0 ? PercentOf(current, B) : B;
}

void OperateSystem(const cEdCommand& command, std::int64_t B)
{
    const int nOperation = Param(command, 5);
    switch (Param(command, 4)) {
    case SYS_TIME: {
        IFlowStage* stage = FlowStage();
        if (stage == nullptr) return;
        std::int32_t t = stage->FlowTimeLeft();
        ApplyOperation(t, Scaled(command, t, B), nOperation, 0, 999);
        stage->SetFlowTimeLeft(t);
        return;
    }
    case SYS_SCROLL_X:
        ApplyOperation(Stage.m_nAutoScrollSpeedX, Scaled(command, Stage.m_nAutoScrollSpeedX, B), nOperation, -480, 480);
        CameraX().SetAutoScroll(Stage.m_bAutoScrollX, Stage.m_nAutoScrollSpeedX);
        return;
    case SYS_SCROLL_Y:
        ApplyOperation(Stage.m_nAutoScrollSpeedY, Scaled(command, Stage.m_nAutoScrollSpeedY, B), nOperation, -480, 480);
        CameraY().SetAutoScroll(Stage.m_bAutoScrollY, Stage.m_nAutoScrollSpeedY);
        return;
    case SYS_SCORE:
        ApplyOperation(SaveData.nTotalScore, Scaled(command, SaveData.nTotalScore, B), nOperation, 0, kWide);
        return;
    case SYS_LIVES:
        if (SaveData.nLives == cSaveData::kUnlimitedLives) return;
        ApplyOperation(SaveData.nLives, Scaled(command, SaveData.nLives, B), nOperation, 0, 99);
        return;
    default: return;
    }
}

// HP (bSp false) or SP of chara.
void OperatePoints(const cEdCommand& command, cCharaBase& self, cCharaBase& chara, std::int64_t B, bool bSp)
{
    const std::int32_t nCurrent = bSp ? chara.sp : chara.hp;
    const std::int32_t nMax = bSp ? chara.def.m_nMaxSp : chara.def.m_nMaxHp;
    std::int32_t N = nCurrent;
    switch (Param(command, 15)) {
    case 0: ApplyOperation(N, B, Param(command, 5), 0, kWide); break;
    case 1: ApplyOperation(N, PercentOf(nMax, B), Param(command, 5), 0, kWide); break;
    case 2: ApplyOperation(N, PercentOf(nCurrent, B), Param(command, 5), 0, kWide); break;
    default: break;
    }
    const int nGauge = Param(command, 16);
    if (bSp) {
        chara.ChangeSP(N - nCurrent, nGauge);
        return;
    }
    chara.ChangeHP(N - nCurrent, 1, nGauge);
    if (&chara != &self && chara.hp <= 0 && lpStageField != nullptr) {
        lpStageField->m_bHpCheck = 1;
    }
}

// Maximum HP (bSp false) or maximum SP of chara; the points are lowered to the new maximum.
void OperateMaximum(const cEdCommand& command, cCharaBase& self, cCharaBase& chara, std::int64_t B, bool bSp)
{
    std::int32_t& nMax = bSp ? chara.def.m_nMaxSp : chara.def.m_nMaxHp;
    ApplyOperation(nMax, Scaled(command, nMax, B), Param(command, 5), 0, kWide);
    std::int32_t& nPoints = bSp ? chara.sp : chara.hp;
    if (nPoints > nMax) nPoints = nMax;
    if (!bSp && &chara != &self && chara.hp <= 0 && lpStageField != nullptr) {
        lpStageField->m_bHpCheck = 1;
    }
}

template <class T>
void OperatePlain(const cEdCommand& command, T& target, std::int64_t B, std::int32_t nMin, std::int32_t nMax)
{
    ApplyOperation(target, Scaled(command, target, B), Param(command, 5), nMin, nMax);
}

void OperateChara(const cEdCommand& command, cCharaBase& self, cCharaBase& chara, std::int64_t B)
{
    cEdChara& d = chara.def;
    switch (Param(command, 4)) {
    case 0: OperatePlain(command, chara.charaVars[Param(command, 2)], B, -kWide, kWide); break;
    case 1: OperatePoints(command, self, chara, B, false); break;
    case 2: OperatePoints(command, self, chara, B, true); break;
    case 3: OperateMaximum(command, self, chara, B, false); break;
    case 4: OperateMaximum(command, self, chara, B, true); break;
    case 5: OperatePlain(command, d.m_nCharaId, B, 0, 99); break;
    case 6: OperatePlain(command, d.m_nZ, B, 0, 7); break;
    case 7: OperatePlain(command, d.m_nBadge, B, 0, 119); break;
    case 8:
        if (chara.IsComputer()) break;
        OperatePlain(command, d.m_nViewRange, B, 0, 40);
        chara.viewRange = d.m_nViewRange * 16;
        if (IStageCommands* stage = StageCommandService()) {
            stage->ViewRangeChanged();
        }
        break;
    case 9: OperatePlain(command, d.m_nRamPower, B, -kWide, kWide); break;
    case 10: OperatePlain(command, d.m_nRamImpact, B, -20, 20); break;
    case 11: OperatePlain(command, d.m_nDefence, B, 0, kWide); break;
    case 12: OperatePlain(command, d.m_nImpactResist, B, 0, 20); break;
    case 13:
        OperatePlain(command, d.m_nBrake, B, 0, 200);
        chara.decel = StopToDecel(d.m_nBrake);
        break;
    case 14: OperatePlain(command, d.m_nScore, B, -kWide, kWide); break;
    default: break;
    }
}

}  // namespace

int StatusOperation(cCharaBase& self, const cEdCommand& command)
{
    std::int64_t B = 0;
    if (!Operand(command, self, B)) {
        return 0;
    }
    if (Param(command, 0) == 1) {
        std::int32_t* variable = Variable(Param(command, 1), Param(command, 2));
        if (variable != nullptr) {
            ApplyOperation(*variable, Scaled(command, *variable, B), Param(command, 5), -kWide, kWide);
        }
        return 0;
    }
    const int nSubject = Param(command, 3);
    if (nSubject == SUBJECT_SYSTEM) {
        OperateSystem(command, B);
        return 0;
    }
    cCharaBase* chara = nSubject == SUBJECT_TARGET ? FindChara(self.target) : &self;
    if (chara == nullptr) {
        return 0;
    }
    if (Param(command, 17) != 0 && chara->def.m_nInvincible != 0) {
        return 0;
    }
    OperateChara(command, self, *chara, B);
    return 0;
}
