// The time base shared by the effect working values: run times are in tenths of a second, six
// frames each.
#pragma once

#include <cmath>
#include <cstdint>

// The step of a value that counts tenths of a second, per frame (1/6).
constexpr double kTenthPerFrame = 1.0 / 6.0;

// The change per frame that moves a value from nFrom to nTo in nTenths tenths of a second:
// |nTo - nFrom| / (nTenths x 6). A run time below 1 (never written by the editor, whose minimum
// is 1) counts as 1 instead of dividing by zero or running backwards. Computed in double, so no
// stored value can overflow it.
inline double StepPerFrame(std::int32_t nFrom, std::int32_t nTo, std::int32_t nTenths)
{
    double tenths = nTenths < 1 ? 1.0 : static_cast<double>(nTenths);
    return std::fabs(static_cast<double>(nTo) - static_cast<double>(nFrom)) / (tenths * 6.0);
}
