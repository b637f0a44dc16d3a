// One step of an animation pattern, as the animation player of the game objects plays it.
#pragma once

#include <cstdint>

// Control codes in nFrame (cell numbers are 0 or more).
constexpr std::int32_t kPatternHold = -1;  // stay on the previous step
constexpr std::int32_t kPatternLoop = -2;  // go back to step 0
constexpr std::int32_t kPatternJump = -3;  // start the pattern given in nTime
constexpr std::int32_t kPatternEnd = -4;   // the pattern is over: returned as the frame

struct PATTERNSTEP {
    std::int32_t nFrame = 0;  // cell shown during the step, or a control code above
    std::int32_t nTime = 0;   // duration of the step in frames
    std::int32_t bLock = 0;   // 1: while current, a new pattern is refused unless forced

    friend bool operator==(const PATTERNSTEP&, const PATTERNSTEP&) = default;
};
