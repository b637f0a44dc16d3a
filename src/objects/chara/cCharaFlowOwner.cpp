#include "objects/chara/cCharaFlowOwner.h"

#include "input/cInput.h"
#include "objects/cStageField.h"
#include "objects/chara/cCharaBase.h"
#include "objects/chara/cPlayer.h"
#include "objects/commands/FlowConditions.h"
#include "objects/flow/KeyConditions.h"

cCharaFlowOwner::cCharaFlowOwner(cCharaBase& chara)
    : cFlowOwner(FLOWSTATE{chara.flows, chara.flowSerial, chara.flowGroupRunning, chara.flowGroupEnded,
                           chara.flowGroupStartedNow, chara.flowGroupChanged, chara.flowDeletePending}),
      m_Chara(chara), m_Keys(InputFor(0))
{
    // A character copied from another keeps the other's links until they are made again: the
    // instances must name this character's own definitions.
    cVector<FLOWINSTANCE>& flows = chara.flows;
    if (!flows.empty() && !chara.def.m_Flow.empty() && flows.front().flow != &chara.def.m_Flow.front()) {
        cFlowRuntime::RelinkFlows(*this);
    }
}

cVector<cEdFlow>& cCharaFlowOwner::FlowDefinitions()
{
    return m_Chara.def.m_Flow;
}

int cCharaFlowOwner::CheckFlowConditions(FLOWINSTANCE& flow)
{
    return CheckFlowCond(flow, m_Chara);
}

int cCharaFlowOwner::FacesLeft() const
{
    return m_Chara.facing == 0 ? 1 : 0;
}

void cCharaFlowOwner::StartFlowAnimation(const FLOWANIMESTART& start, std::int32_t nSerial)
{
    if (start.nAnime < 0 || static_cast<std::size_t>(start.nAnime) >= AnimePattern.size()) {
        return;
    }
    PatternTable table;
    table.push_back(AnimePattern.data()[start.nAnime]);
    if (start.nValue2 > 1 && start.nFlag != 0) {
        for (PATTERNSTEP& step : table.data()[0]) {
            if (step.bLock != 0) {
                step.nTime += start.nValue2 - 1;
                break;
            }
        }
    }
    EXTRAANIME entry;
    entry.priority = 1;
    entry.remaining = start.nValue1;
    entry.extra = start.nValue2;
    entry.key = nSerial;
    entry.number = start.nAnime;
    entry.anime.SetPatterns(&table);
    if (start.nTickOffset != 0) {
        entry.anime.tick += start.nTickOffset;
    }
    m_Chara.extraAnimes.push_back(std::move(entry));
}

void cCharaFlowOwner::RemoveFlowAnimations(std::int32_t nSerial)
{
    if (nSerial < 0) {
        m_Chara.extraAnimes.clear();
    } else {
        m_Chara.RemoveAnimeByKey(nSerial);
    }
}

int cCharaFlowOwner::HasVanished() const
{
    // The hero's flow step has no vanish test: only its HP ends the step early. Asked after every
    // flow of every character, so the type is looked at only once the flag is set.
    if (m_Chara.vanished == 0 || dynamic_cast<const cPlayer*>(&m_Chara) != nullptr) {
        return 0;
    }
    return 1;
}

int cCharaFlowOwner::IsOutOfHp() const
{
    return m_Chara.hp <= 0 ? 1 : 0;
}

void FireCharaTrigger(cCharaBase& chara, int nKind)
{
    // The stage's current object names this character while its flows are offered a start; a
    // trigger fired from inside another character's flow step gives the name back afterwards.
    cCharaBase* previous = nullptr;
    if (lpStageField != nullptr) {
        previous = lpStageField->m_pCurrentObject;
        lpStageField->m_pCurrentObject = &chara;
    }
    cCharaFlowOwner owner(chara);
    cFlowRuntime::FireTrigger(owner, nKind);
    if (lpStageField != nullptr) {
        lpStageField->m_pCurrentObject = previous;
    }
}

void ResetCharaFlowFrameFlags(cCharaBase& chara)
{
    cCharaFlowOwner owner(chara);
    cFlowRuntime::ResetFlowFrameFlags(owner);
}

int StepCharaFlows(cCharaBase& chara, int bDeathOnly, int bFinish)
{
    cCharaFlowOwner owner(chara);
    return cFlowRuntime::StepFlows(owner, bDeathOnly != 0, bFinish != 0);
}

void FinishCharaFlowStep(cCharaBase& chara)
{
    cCharaFlowOwner owner(chara);
    cFlowRuntime::FinishFlowStep(owner);
}

int IsFlowKeyHeld(const FLOWINSTANCE& flow)
{
    if (flow.flow == nullptr || flow.flow->m_KeyCondition.empty()) {
        return 0;
    }
    const cEdKeyCondition& last = flow.flow->m_KeyCondition[static_cast<int>(flow.flow->m_KeyCondition.size()) - 1];
    return IsKeyConditionHeld(cInputKeyLogs(InputFor(0)), last);
}
