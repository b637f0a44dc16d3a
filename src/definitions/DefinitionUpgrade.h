// Upgrade rules that several definition types share.
#pragma once

#include <cstdint>

// Files older than this version numbered the pictures of the shot sheet from 0; they now start
// at 1 (block, character and item definitions).
constexpr int kShotGraphicShiftVersion = 219;
// The shot sheet and its last graphic number.
constexpr int kShotSheet = 3;
constexpr int kMaxShotGraphic = 119;

// For a definition of a file older than kShotGraphicShiftVersion: a graphic of the shot sheet is
// raised by one, at most to kMaxShotGraphic. Other sheets stay.
inline void ShiftShotGraphic(std::int8_t nSheet, std::int16_t& nGraphic)
{
    if (nSheet == kShotSheet) {
        nGraphic = static_cast<std::int16_t>(nGraphic + 1 > kMaxShotGraphic ? kMaxShotGraphic : nGraphic + 1);
    }
}
