// cWorldStage: one stage entry of a world-map node. A node lists one or more entries; the
// world-map screen offers the first whose requirements hold (nNeedStage cleared, the condition on
// a common variable, nNeedScore reached), draws its icon and enters its stage file.
//
// Stored form: raw nKind, nIcon, nStageNo, bPassable, bReplay, nAfterClear, nNeedStage, nCondVar,
// nCondValue, nCondOp, then nNeedScore from version 209; strings strTitle, strFile. Files of
// version 208 and older load with nNeedScore 0.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cWorldStage : public cDataRecord {
public:
    // Values of nKind. Values other than these act like kKindRoad.
    static constexpr int kKindStage = 0;  // a stage that can be entered
    static constexpr int kKindRoad = 1;   // neither entered nor blocking
    static constexpr int kKindWall = 2;   // the node blocks the figure

    // Values of nAfterClear.
    static constexpr int kAfterClearNothing = 0;
    static constexpr int kAfterClearNextLap = 1;  // the lap ends (cSaveData::StartNextLap)
    static constexpr int kAfterClearTitle = 2;    // back to the title

    std::int32_t nKind = 0;
    std::int32_t nIcon = 0;        // row of the node's icon in "bmp\WorldEvent.bmp" (column 0 not
                                   // cleared, 1 cleared)
    std::int32_t nStageNo = 0;     // index of the stage's cleared flag in the save data's StageClear
    std::int32_t bPassable = 0;    // the figure may walk past before the stage is cleared
    std::int32_t bReplay = 0;      // the stage may be entered again once cleared
    std::int32_t nAfterClear = 0;  // see kAfterClear...
    std::int32_t nNeedStage = 0;   // stage number that must be cleared first; 0 = none
    std::int32_t nCondVar = 0;     // common variable tested by the condition; 0 = no condition
    std::int32_t nCondValue = 0;   // the value compared with
    std::int32_t nCondOp = 0;      // 0 =, 1 !=, 2 >=, 3 <=, 4 >, 5 <, 6 multiple of, 7 not a multiple
    std::int32_t nNeedScore = 0;   // the save data's nBestTotal must reach this
    std::string strTitle;          // title shown on the map
    std::string strFile;           // path of the stage file

    // Registers for nDataVersion; every member 0 or empty.
    cWorldStage();
    cWorldStage(const cWorldStage&) = default;
    cWorldStage& operator=(const cWorldStage&) = default;

    // The members a file of version nVersion holds (nNeedScore only above 208).
    void RegisterMembers(int nVersion) override;
    // The base part; a file of version 208 or older leaves nNeedScore 0. 1, or 0 when the data do
    // not fit the record.
    int Load(FILE* fp) override;

    // The stage key of strFile, as cSaveData::SetStageFile makes it for the same file: the file
    // name's extension removed, then the last "-" directly followed by "1" becomes "." and the
    // text ends there; without such a "-", a "." is appended. "stg\W01-1.stg4" gives "stg\W01.",
    // "stg\W01-2.stg4" gives "stg\W01-2.".
    std::string StageKey() const;
};
