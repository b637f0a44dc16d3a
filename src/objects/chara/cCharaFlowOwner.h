// cCharaFlowOwner: a stage character or the player as the flow runtime sees it (cFlowOwner):
// its flow fields, its own copy of its flow definitions, its start conditions with itself as
// subject, its facing, and the press logs of controller 0, the only controller (the player's
// and every player-operated character's). Made for the length of one operation; game thread.
//
// The free functions below are the calls the play step and the character classes make.
#pragma once

#include "objects/flow/FlowRuntime.h"
#include "objects/flow/cInputKeyLogs.h"

class cCharaBase;

class cCharaFlowOwner : public cFlowOwner {
public:
    explicit cCharaFlowOwner(cCharaBase& chara);

    cVector<cEdFlow>& FlowDefinitions() override;
    int CheckFlowConditions(FLOWINSTANCE& flow) override;
    int FacesLeft() const override;
    const cKeyLogView& KeyLogs() const override { return m_Keys; }
    const cKeyLogView& DirectionLogs() const override { return m_Keys; }
    // A copy of the Anime entry's steps joins the character's extra animations (priority, the
    // record's two values as its time and extra time, the flow's serial as key).
    void StartFlowAnimation(const FLOWANIMESTART& start, std::int32_t nSerial) override;
    void RemoveFlowAnimations(std::int32_t nSerial) override;
    int HasVanished() const override;
    int IsOutOfHp() const override;
    cCharaBase* Chara() override { return &m_Chara; }

private:
    cCharaBase& m_Chara;
    cInputKeyLogs m_Keys;
};

// cCharaBase::FireTrigger: offers the character's flows of trigger nKind a start. The stage's
// current object is this character meanwhile and what it was before afterwards.
void FireCharaTrigger(cCharaBase& chara, int nKind);
// cCharaBase::ResetFlowFrameFlags: once per frame, before the sub-steps.
void ResetCharaFlowFrameFlags(cCharaBase& chara);
// The flows' part of the character's flow step (cFlowRuntime::StepFlows); 1 when the step
// stopped early because the character vanished or ran out of HP. With bFinish 0 the flows
// marked for deletion and the ended groups are left for FinishCharaFlowStep.
int StepCharaFlows(cCharaBase& chara, int bDeathOnly, int bFinish = 1);
// The end of the character's flow step (cFlowRuntime::FinishFlowStep): erases the flows marked
// for deletion and releases the ended exclusion groups. The hero calls it after its pending item
// commands, so that what they mark is dealt with in the same flow run.
void FinishCharaFlowStep(cCharaBase& chara);
// Whether the last key condition of the flow is still held on controller 0 (the player's jump
// holds its rise while it is); 0 for a flow without key conditions.
int IsFlowKeyHeld(const FLOWINSTANCE& flow);
