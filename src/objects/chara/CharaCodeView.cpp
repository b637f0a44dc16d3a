#include "objects/chara/CharaCodeView.h"

#include "definitions/cEdStage.h"
#include "graphics/Boxes.h"
#include "objects/IFlowStage.h"
#include "objects/IStageCommands.h"
#include "objects/cStageField.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/chara/cCharaBase.h"
#include "objects/code/CodeStatus.h"
#include "objects/commands/FlowConditions.h"
#include "project/cSaveData.h"

std::int32_t cCharaCodeView::GetCodeStatus(int nStatus) const
{
    const cCharaBase& c = *m_pChara;
    const cEdChara& d = c.def;
    if (nStatus >= CODE_V1 && nStatus <= CODE_V8) {
        const int n = nStatus - CODE_V1 + 1;
        return n < static_cast<int>(c.charaVars.size()) ? c.charaVars[n] : 0;
    }
    switch (nStatus) {
    case CODE_HP: return c.hp;
    case CODE_SP: return c.sp;
    case CODE_MHP: return d.m_nMaxHp;
    case CODE_MSP: return d.m_nMaxSp;
    case CODE_CID: return d.m_nCharaId;
    case CODE_Z: return d.m_nZ;
    case CODE_MARK: return d.m_nBadge;
    case CODE_SIGHT: return d.m_nViewRange;
    case CODE_POWER: return d.m_nRamPower;
    case CODE_IMP: return d.m_nRamImpact;
    case CODE_DEF: return d.m_nDefence;
    case CODE_IMPD: return d.m_nImpactResist;
    case CODE_STOP: return d.m_nBrake;
    case CODE_GETSC: return d.m_nScore;
    default: return 0;
    }
}

void cCharaCodeView::SetCodeStatus(int nStatus, std::int32_t value)
{
    cCharaBase& c = *m_pChara;
    cEdChara& d = c.def;
    if (nStatus >= CODE_V1 && nStatus <= CODE_V8) {
        const int n = nStatus - CODE_V1 + 1;
        if (n < static_cast<int>(c.charaVars.size())) c.charaVars[n] = value;
        return;
    }
    switch (nStatus) {
    case CODE_HP: c.hp = value; break;
    case CODE_SP: c.sp = value; break;
    case CODE_MHP: d.m_nMaxHp = value; break;
    case CODE_MSP: d.m_nMaxSp = value; break;
    case CODE_CID: d.m_nCharaId = static_cast<std::int8_t>(value); break;
    case CODE_Z: d.m_nZ = static_cast<std::int8_t>(value); break;
    case CODE_MARK: d.m_nBadge = static_cast<std::int16_t>(value); break;
    case CODE_SIGHT: d.m_nViewRange = static_cast<std::int8_t>(value); break;
    case CODE_POWER: d.m_nRamPower = value; break;
    case CODE_IMP: d.m_nRamImpact = static_cast<std::int8_t>(value); break;
    case CODE_DEF: d.m_nDefence = value; break;
    case CODE_IMPD: d.m_nImpactResist = static_cast<std::int8_t>(value); break;
    case CODE_STOP: d.m_nBrake = static_cast<std::int16_t>(value); break;
    case CODE_GETSC: d.m_nScore = value; break;
    default: break;
    }
}

bool cCharaCodeView::IsPlayerOperated() const
{
    return !m_pChara->IsComputer();
}

void cCharaCodeView::StartHpGauge(int delta)
{
    m_pChara->StartHpGauge(delta);
}

void cCharaCodeView::StartSpGauge(int delta)
{
    m_pChara->StartSpGauge(delta);
}

void cCharaCodeView::OnSightChanged()
{
    m_pChara->viewRange = m_pChara->def.m_nViewRange * 16;
    IStageCommands* stage = StageCommandService();
    if (stage != nullptr && !m_pChara->IsComputer()) {
        stage->ViewRangeChanged();
    }
}

int cStageCodeContext::VariableCount(int nKind) const
{
    if (nKind == CODEVAR_COMMON) return static_cast<int>(SaveData.Var.size());
    if (nKind == CODEVAR_STAGE && lpStageField != nullptr) return static_cast<int>(lpStageField->m_StageVar.size());
    return 0;
}

std::int32_t cStageCodeContext::GetVariable(int nKind, int n) const
{
    return nKind == CODEVAR_COMMON ? SaveData.Var[n] : lpStageField->m_StageVar[n];
}

void cStageCodeContext::SetVariable(int nKind, int n, std::int32_t value)
{
    (nKind == CODEVAR_COMMON ? SaveData.Var[n] : lpStageField->m_StageVar[n]) = value;
}

ICodeChara* cStageCodeContext::Target(ICodeChara& ch)
{
    cCharaBase* target = FindChara(static_cast<cCharaCodeView&>(ch).Chara().target);
    if (target == nullptr) return nullptr;
    // A character that targets itself is the running character, not another one.
    if (target == &static_cast<cCharaCodeView&>(ch).Chara()) return &ch;
    m_Target.Bind(*target);
    return &m_Target;
}

ICodeChara* cStageCodeContext::Player()
{
    cPlayer* hero = Hero();
    if (hero == nullptr) return nullptr;
    if (m_pRunning != nullptr && &m_pRunning->Chara() == hero) return m_pRunning;
    m_Player.Bind(*hero);
    return &m_Player;
}

std::int32_t cStageCodeContext::GetSystemStatus(int nStatus) const
{
    std::int64_t value = 0;
    ReadSystemStatus(nStatus, value);
    return static_cast<std::int32_t>(value);
}

void cStageCodeContext::SetSystemStatus(int nStatus, std::int32_t value)
{
    switch (nStatus) {
    case CODE_TIME:
        if (IFlowStage* stage = StageFlowService()) stage->SetFlowTimeLeft(value);
        break;
    case CODE_SCRLX: Stage.m_nAutoScrollSpeedX = static_cast<decltype(Stage.m_nAutoScrollSpeedX)>(value); break;
    case CODE_SCRLY: Stage.m_nAutoScrollSpeedY = static_cast<decltype(Stage.m_nAutoScrollSpeedY)>(value); break;
    case CODE_SCORE: SaveData.nTotalScore = value; break;
    case CODE_LIFE: SaveData.nLives = value; break;
    default: break;
    }
}

void cStageCodeContext::OnAutoScrollChanged(int nAxis)
{
    if (nAxis == 0) {
        CameraX().SetAutoScroll(Stage.m_bAutoScrollX, Stage.m_nAutoScrollSpeedX);
    } else {
        CameraY().SetAutoScroll(Stage.m_bAutoScrollY, Stage.m_nAutoScrollSpeedY);
    }
}

void cStageCodeContext::RequestDeathCheck()
{
    if (lpStageField != nullptr) lpStageField->m_bHpCheck = 1;
}

void cStageCodeContext::ShowCodeError(const std::string& text)
{
    ErrorBoxF("%s", text.c_str());
}

cCodeErrorReports& cStageCodeContext::CodeErrorReports()
{
    return lpStageField != nullptr ? lpStageField->m_CodeErrors : m_OwnReports;
}
