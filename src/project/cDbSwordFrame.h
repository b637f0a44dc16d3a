// One frame of a sword swing of the SwordType database: where the sword lies against its owner
// and which part of the sword bitmap it shows.
//
// Frame in a file: ten int32 raw members (eight below version 138, without the mirror flags), no
// strings.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cDbSwordFrame : public cDataRecord {
public:
    std::int32_t nOffsetX = 0;  // pixels, times the sword's scale, added to the placed position
    std::int32_t nOffsetY = 0;
    std::int32_t bMirrorX = 1;  // non-zero: facing right subtracts nOffsetX (from version 138)
    std::int32_t bMirrorY = 0;  // non-zero: facing right subtracts nOffsetY (from version 138)
    std::int32_t nPlace = 0;    // 0 in front, 1 behind (facing the other way), 2 above, 3 below
    std::int32_t nSrcX = 0;     // the frame's picture in the sword bitmap
    std::int32_t nSrcY = 0;
    std::int32_t nWidth = 0;  // pixels, times the scale
    std::int32_t nHeight = 0;
    std::int32_t nTime = 0;  // display time in tenths of a second

    // Every member 0 except bMirrorX 1.
    cDbSwordFrame();
    cDbSwordFrame(const cDbSwordFrame&) = default;
    cDbSwordFrame& operator=(const cDbSwordFrame&) = default;

    void RegisterMembers(int nVersion) override;
};
