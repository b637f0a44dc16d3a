// cRankingEntry: one place of a ranking table: whether it holds a result, the registered name
// and the ranked value.
//
// Stored form (every version): raw bValid then nValue, one string strName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cRankingEntry : public cDataRecord {
public:
    std::int32_t bValid = 0;  // 1 when the place holds a result
    std::int32_t nValue = 0;  // the ranked value (clear times in hundredths of a second)
    std::string strName;      // Shift-JIS; at most 3 characters when entered by the name dialog

    // Registers for nDataVersion; an empty place.
    cRankingEntry();
    cRankingEntry(const cRankingEntry&) = default;
    cRankingEntry& operator=(const cRankingEntry&) = default;

    void RegisterMembers(int nVersion) override;
};
