// An effect of the Effect database: a one-shot animation with its own bitmap. Entry 0 stands
// for no effect.
//
// Entry in a file: raw members (nReserved from version 151, nCellWidth, nCellHeight,
// bScalable), the strings strName and strFileName, then the frame list (int32 count, frames).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cDbEffectFrame.h"

class cDbEffect : public cDataRecord {
public:
    std::string strName;
    std::int32_t nReserved = 0;    // stored only; 0 after reading a file older than version 153
    std::string strFileName;       // the effect's bitmap, loaded by the stage-play screen
    std::int32_t nCellWidth = 32;  // cell size in pixels
    std::int32_t nCellHeight = 32;
    std::int32_t bScalable = 0;         // non-zero: drawn stretched by an attacker's size factor above 1
    cVector<cDbEffectFrame> FrameList;  // an effect without frames ends at once

    // Empty texts, nReserved 0, 32 x 32 cells, not scalable, no frames.
    cDbEffect();
    cDbEffect(const cDbEffect&) = default;
    cDbEffect& operator=(const cDbEffect&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, the frame list (emptied and refilled), then nReserved = 0 for files older
    // than version 153. 0 when the data do not fit the file.
    int Load(FILE* fp) override;
    // The 720 layout: base part, frame count, frames.
    int Save(FILE* fp) override;

    // Clears the registered members, then 32 x 32 cells, not scalable. The frames stay.
    void SetDefault();

    // Smallest size of an entry in a file: its two counts and the frame count.
    static constexpr std::size_t kMinFileBytes = 12;
};
