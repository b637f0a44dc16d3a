// cBootData: "user_data\Boot.dat", the drawing mode chosen in the start-up dialog.
//
// Stored form (every version): raw nDrawMode, bNoDialog; no strings. Values outside their range
// in a file (which is the user's and untrusted) are clamped when it is read.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/cDataRecord.h"

class cBootData : public cDataRecord {
public:
    std::int32_t nDrawMode = 1;  // 1 Direct3D, 0 DirectDraw
    std::int32_t bNoDialog = 0;  // 1: the start-up uses nDrawMode without asking

    // Registers for nDataVersion with the defaults above.
    cBootData();
    cBootData(const cBootData&) = default;
    cBootData& operator=(const cBootData&) = default;

    // The same two members for every version.
    void RegisterMembers(int nVersion) override;
    // The base Load, then both values clamped to 0..1.
    int Load(FILE* fp) override;
};

// The start-up's record (main thread).
extern cBootData BootData;
