// One frame of an animation of the Anime database (and of the motions of an animation set).
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cDbAnimeFrame : public cDataRecord {
public:
    std::int32_t nCell = 0;  // cell number in the character's bitmap
    std::int32_t nTime = 1;  // display time in tenths of a second (6 frames each)
    std::int32_t bLock = 0;  // non-zero: from this frame on the animation may not be interrupted

    // {0, 1, 0}, registered for nDataVersion.
    cDbAnimeFrame();
    cDbAnimeFrame(const cDbAnimeFrame&) = default;
    cDbAnimeFrame& operator=(const cDbAnimeFrame&) = default;

    // The same three int32 members for every version.
    void RegisterMembers(int nVersion) override;
};
