// COMMANDINSTANCE: the running state of one command of a flow of one character -- its
// definition, whether it finished in this run of the flow, its duration and what is left of the
// current run, and the working values its handler keeps between sub-steps. Owned by the flow
// instance (FLOWINSTANCE::commands); game thread only.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class cEdCommand;

struct COMMANDINSTANCE {
    // The definition in the character's own copy of its flows; re-linked whenever that list
    // changes (RelinkFlows), never kept elsewhere.
    cEdCommand* command = nullptr;
    std::int32_t done = 0;       // finished in this run of the flow
    std::int32_t duration = 0;   // sub-steps a run lasts (set-up and CalcMoveSpeedOrTime)
    std::int32_t remain = 0;     // sub-steps left of the current run; 0 = not started
    std::uint8_t direction = 0;  // direction code of the movement record, copied at set-up
    double speed = 0.0;          // movement speed, pixels per flow step

    // Values the set-up of the movement kinds writes.
    double maxSpeed = 0.0;     // pixels per step
    std::int32_t targetX = 0;  // target offsets, pixels
    std::int32_t targetY = 0;
    std::int32_t angle = 0;  // degrees
    std::int32_t radius = 0;
    std::int32_t startAngle = 0;
    std::int32_t endAngle = 0;
    std::int32_t trailInterval = 0;

    // Per-run working values, cleared at every start of the command (ResetCommand).
    std::int32_t stepState = 0;
    std::int32_t started = 0;
    std::int32_t frame = 0;  // the handler's frame counter (0 on the first step)
    std::int32_t work[4] = {0, 0, 0, 0};
    double velocityX = 0.0;  // velocity a movement handler computed this step
    double velocityY = 0.0;
    // Working values of the circle and homing moves (set on their first step).
    double phaseX = 0.0;  // circle: wave phases, degrees x speed unit
    double phaseY = 0.0;
    std::vector<std::pair<double, double>> trail;  // homing: the target's points, oldest first
};
