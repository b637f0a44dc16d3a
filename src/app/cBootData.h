// cBootData: "user_data\Boot.dat", the drawing mode chosen in the start-up dialog.
//
// Stored form (every version): raw nDrawMode, bNoDialog; no strings. Values are taken as stored:
// the start-up reads a drawing mode other than 1 as DirectDraw and any flag other than 0 as set.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cBootData : public cDataRecord {
public:
    std::int32_t nDrawMode = 1;  // 1 Direct3D, anything else DirectDraw (the dialog writes 0)
    std::int32_t bNoDialog = 0;  // not 0: the start-up uses nDrawMode without asking

    // Registers for nDataVersion with the defaults above.
    cBootData();
    cBootData(const cBootData&) = default;
    cBootData& operator=(const cBootData&) = default;

    // The same two members for every version.
    void RegisterMembers(int nVersion) override;
};

// The start-up's record (main thread).
extern cBootData BootData;
