// cWorldNode: one node placed on the world map: its cell, its name and the stage entries it can
// offer, in order.
//
// Stored form: base part raw nX, nY; string strName; then int32 n and n cWorldStage records (the
// file's version applies to them).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cWorldStage.h"

class cWorldNode : public cDataRecord {
public:
    std::int32_t nX = 0;  // cell column
    std::int32_t nY = 0;  // cell row
    std::string strName;
    cVector<cWorldStage> Entry;  // the candidates the node offers, first match wins

    // Registers for nDataVersion; at (0, 0), no name, one default entry.
    cWorldNode();
    cWorldNode(const cWorldNode&) = default;
    // Copies every member, the entries included.
    cWorldNode& operator=(const cWorldNode&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then the entries. 1, or 0 when the data do not fit the record.
    int Load(FILE* fp) override;
    // The base part, then the entries with their count. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Clears the position and the name and leaves exactly one default entry.
    void Reset();
};
