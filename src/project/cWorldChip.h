// cWorldChip: one map-chip attribute of the world map. A cell of the map holds an index into the
// map's chip table; the chip says what the cell looks like and whether the map figure may step on
// it.
//
// Stored form (every version): raw nChipValue, bBlock, nImage; strings strMemo, strName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cWorldChip : public cDataRecord {
public:
    std::int32_t nChipValue = 0;  // kept for the editor; not read by the player
    std::int32_t bBlock = 0;      // non-zero: the figure may not step on such a cell without a node
    std::int32_t nImage = 0;      // 32 x 32 picture number in "bmp\WorldMapChip.bmp", five per row:
                                  // source x = (nImage % 5) x 32, y = (nImage / 5) x 32
    std::string strMemo;          // kept for the editor
    std::string strName;          // the attribute's name (editor)

    // Registers for nDataVersion; every member 0 or empty.
    cWorldChip();
    cWorldChip(const cWorldChip&) = default;
    cWorldChip& operator=(const cWorldChip&) = default;

    void RegisterMembers(int nVersion) override;
};
