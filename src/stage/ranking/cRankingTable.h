// cRankingTable: the 20 best results of one kind (score, remaining time, clear time, remaining
// HP, remaining SP) of one stage, best first.
//
// Stored form: raw bHigherBetter, no strings; then int32 E and E cRankingEntry records.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "stage/ranking/cRankingEntry.h"

struct DDSURFACEDATA;

class cRankingTable : public cDataRecord {
public:
    // Places in a table.
    static constexpr int kEntryCount = 20;

    cVector<cRankingEntry> m_Entries;  // kEntryCount places after construction and Reset; as stored after a load
    std::int32_t bHigherBetter = 0;    // 1: higher values rank first; 0: lower values first

    // Registers for nDataVersion; order flag 0 and 20 empty places.
    cRankingTable();
    cRankingTable(const cRankingTable&) = default;
    cRankingTable& operator=(const cRankingTable&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then the entries: count checked against the bytes left. 1, or 0 when the
    // data do not fit the file.
    int Load(FILE* fp) override;
    // The base part, the entry count, each entry. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Order flag 0 and exactly 20 places: places beyond 20 are dropped, missing ones added empty,
    // the others kept.
    void Reset();
    // The place 0..19 that value would take, or -1 for none. An empty place is taken; an equal
    // value never displaces a result (the new one goes after it).
    int FindRank(int nValue) const;
    // Inserts a result at its place; the last place drops out. A value that takes no place leaves
    // the table unchanged.
    void Insert(const std::string& name, int nValue);
    // The ranking window of this table (number nTable, for its title, value column and genre hint)
    // at (x, y) of target: a 270 x 350 box, the title, one row per place holding a result (rank,
    // name, value right-aligned or the clear time), the genre hint when the play kind has more
    // than one genre, and the mark beside place nHighlight (-1 none). Drawn in RankingDraw.cpp.
    void Draw(DDSURFACEDATA* target, int x, int y, int nTable, int nHighlight) const;
};
