// One frame of an effect animation of the Effect database.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cDbEffectFrame : public cDataRecord {
public:
    std::int32_t nCell = 0;  // cell number in the effect's bitmap
    std::int32_t nTime = 1;  // display time in tenths of a second (6 frames each)

    // {0, 1}, registered for nDataVersion.
    cDbEffectFrame();
    cDbEffectFrame(const cDbEffectFrame&) = default;
    cDbEffectFrame& operator=(const cDbEffectFrame&) = default;

    // The same two int32 members for every version.
    void RegisterMembers(int nVersion) override;
};
