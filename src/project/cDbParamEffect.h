// The common part of the character effects and screen effects: a kind and five integer
// parameters, parameter 1 being the run time in tenths of a second. cDbCharaEffect and
// cDbScrEffect differ only in their kind vocabulary and the upgrade of old files.
//
// Entry in a file, the same for every version: raw members (nKind, then nParam as one member of
// five int32), then the string strName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "project/EffectParamTable.h"

class cDbParamEffect : public cDataRecord {
public:
    std::string strName;
    std::int32_t nKind = 1;                       // 0 = no effect; entry 0 of each table is forced to 0 after loading
    std::int32_t nParam[kEffectParamCount] = {};  // p1 (run time, tenths of a second) .. p5

    // The version of the last layout that lacks the coarseness parameters: files up to this
    // version get them from the parameter table's defaults.
    static constexpr int kLastVersionWithoutCoarseness = 510;

    // Kind 1, parameters 0, empty name.
    cDbParamEffect();
    cDbParamEffect(const cDbParamEffect&) = default;
    cDbParamEffect& operator=(const cDbParamEffect&) = default;

    void RegisterMembers(int nVersion) override;

    // Smallest size of an entry in a file: its two counts.
    static constexpr std::size_t kMinFileBytes = 8;
};
