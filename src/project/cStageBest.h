// cStageBest: the best score of one stage, kept in the save data by the stage's key
// (cSaveData::SetHighScore).
//
// Stored form (every version): raw nValue; string strName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cStageBest : public cDataRecord {
public:
    std::string strName;      // the stage key (cSaveData::SetStageFile)
    std::int32_t nValue = 0;  // the best run score at a clear of that stage

    // Registers for nDataVersion; empty key, 0.
    cStageBest();
    cStageBest(std::string key, std::int32_t value);
    cStageBest(const cStageBest&) = default;
    cStageBest& operator=(const cStageBest&) = default;

    void RegisterMembers(int nVersion) override;
};
