// IFlowStage: what the flow conditions and the status operation reach of the running stage beyond
// cStageField -- its remaining time and whether the stage has no time limit. The stage-play screen implements it
// beside cStageField; conditions find it through StageFlowService (cStageField.h). Game thread only.
#pragma once

class IFlowStage {
public:
    virtual ~IFlowStage() = default;
    // Seconds left, 0..999 (999 for a stage without limit).
    virtual int FlowTimeLeft() const = 0;
    // 1 when the stage has no time limit.
    virtual int FlowHasNoTimeLimit() const = 0;
    // Stores the seconds left (already clamped to 0..999) written by the status operation.
    virtual void SetFlowTimeLeft(int nSeconds) = 0;
};
