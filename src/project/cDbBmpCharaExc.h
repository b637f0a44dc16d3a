// A character sprite sheet of the Bmp_CharaExc database. Entry 0 stands for no sheet.
//
// A sheet is 16 cells of 32 pixels wide; with bLargeCell set its cells are nCellSize x 32 pixels
// square, 16 div nCellSize of them per row.
//
// Entry in a file: raw members (none below version 152; nReserved from 152; bLargeCell and
// nCellSize from 172), then the strings strName and strFileName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cDbBmpCharaExc : public cDataRecord {
public:
    std::string strName;
    std::int32_t nReserved = 0;   // stored only; 0 after reading a file older than version 153
    std::string strFileName;      // the sheet's bitmap
    std::int32_t bLargeCell = 0;  // non-zero: cells of nCellSize x 32 pixels (from version 172)
    std::int32_t nCellSize = 2;   // 1..16 after any load (from version 172)

    // Bounds of nCellSize: a row must hold at least one cell of the 16 x 32-pixel sheet width.
    static constexpr std::int32_t kMinCellSize = 1;
    static constexpr std::int32_t kMaxCellSize = 16;

    // Empty texts, nReserved 0, bLargeCell 0, nCellSize 2.
    cDbBmpCharaExc();
    cDbBmpCharaExc(const cDbBmpCharaExc&) = default;
    cDbBmpCharaExc& operator=(const cDbBmpCharaExc&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then nReserved = 0 for files older than version 153 and nCellSize brought
    // into 1..16. 0 when the data do not fit the file.
    int Load(FILE* fp) override;

    // Smallest size of an entry in a file: its two counts.
    static constexpr std::size_t kMinFileBytes = 8;
};
