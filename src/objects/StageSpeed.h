// The speed constants of the running stage as the game objects use them, read from the stage's
// derived settings (cEdStage::SetSpeedLevel). Every value that divides is at least 1, so that a
// stage whose settings were never derived (or a level of 0) cannot divide by zero. Game thread.
#pragma once

#include <cstdint>

// The lifetime of an object that never expires (summoned without a time limit, or placed).
constexpr std::int32_t kUnlimitedLife = INT32_MAX;

// Play sub-steps per frame b (the speed unit), at least 1.
int SubStepCount();
// b as a double, at least 1.0.
double ScrollUnit();
// Gravity per sub-step: the stage's gravity setting / (b x b).
double SubGravity();
// The stage's gravity setting G (pixels per frame squared).
double StageGravity();
// Largest speed per sub-step an object may move.
double SubMaxSpeed();
// The lifetime in sub-steps of an object summoned for nTenths tenths of a second when bLimited,
// else kUnlimitedLife; a negative time gives 0 (it expires at the first count).
std::int32_t SummonLifetime(int bLimited, int nTenths);
