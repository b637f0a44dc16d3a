// cIntPair: the system's record of two int32 values. The save data keeps one per world of the
// challenge mode (first = cleared flag, second = best run score); the shell uses it for small
// user files of its own.
//
// Stored form (every version): raw first, second; no strings; nothing else.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"

class cIntPair : public cDataRecord {
public:
    std::int32_t first = 0;
    std::int32_t second = 0;

    // Registers for nDataVersion; both values 0.
    cIntPair();
    cIntPair(std::int32_t nFirst, std::int32_t nSecond);
    cIntPair(const cIntPair&) = default;
    cIntPair& operator=(const cIntPair&) = default;

    // The same two members for every version.
    void RegisterMembers(int nVersion) override;
};
