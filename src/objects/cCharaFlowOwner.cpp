#include "objects/cCharaFlowOwner.h"

#include "input/cInput.h"
#include "objects/FlowConditions.h"
#include "objects/cCharaBase.h"

cCharaFlowOwner::cCharaFlowOwner(cCharaBase& chara) : m_Chara(chara), m_Keys(InputFor(0)) {}

FLOWSTATE cCharaFlowOwner::FlowState()
{
    return FLOWSTATE{m_Chara.flows,          m_Chara.flowSerial,          m_Chara.flowGroupRunning,
                     m_Chara.flowGroupEnded, m_Chara.flowGroupStartedNow, m_Chara.flowGroupChanged,
                     m_Chara.flowDeletePending};
}

cVector<cEdFlow>& cCharaFlowOwner::FlowDefinitions() { return m_Chara.def.m_Flow; }

int cCharaFlowOwner::CheckFlowConditions(FLOWINSTANCE& flow) { return CheckFlowCond(flow, m_Chara); }

int cCharaFlowOwner::FacesLeft() const { return m_Chara.facing == 0 ? 1 : 0; }

void cCharaFlowOwner::StartFlowAnimation(const FLOWANIMESTART&, std::int32_t) {}

void cCharaFlowOwner::RemoveFlowAnimations(std::int32_t) {}

int cCharaFlowOwner::HasVanished() const { return m_Chara.vanished != 0 ? 1 : 0; }

int cCharaFlowOwner::IsOutOfHp() const { return m_Chara.hp <= 0 ? 1 : 0; }

void FireCharaTrigger(cCharaBase& chara, int nKind)
{
    cCharaFlowOwner owner(chara);
    cFlowRuntime::FireTrigger(owner, nKind);
}

void ResetCharaFlowFrameFlags(cCharaBase& chara)
{
    cCharaFlowOwner owner(chara);
    cFlowRuntime::ResetFlowFrameFlags(owner);
}

int StepCharaFlows(cCharaBase& chara, int bDeathOnly)
{
    cCharaFlowOwner owner(chara);
    return cFlowRuntime::StepFlows(owner, bDeathOnly != 0);
}
