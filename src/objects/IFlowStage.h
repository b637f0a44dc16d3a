// IFlowStage: what the flow conditions read of the running stage beyond cStageField -- its
// remaining time and whether the stage has no time limit. The stage-play screen implements it
// beside cStageField; conditions find it through lpStageField. Game thread only.
#pragma once

class IFlowStage {
public:
    virtual ~IFlowStage() = default;
    // Seconds left, 0..999 (999 for a stage without limit).
    virtual int FlowTimeLeft() const = 0;
    // 1 when the stage has no time limit.
    virtual int FlowHasNoTimeLimit() const = 0;
};
