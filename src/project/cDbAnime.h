// An animation of the Anime database: a name, three stored options the player does not
// interpret, and the frames in play order. Also the element of an animation set's motion list.
//
// Entry in a file: raw members (none below version 55; from 55 the options as int16, uint8,
// int16, 5 bytes), the name, then the frame list (int32 count and the frames).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cDbAnimeFrame.h"

class cDbAnime : public cDataRecord {
public:
    std::string strName;        // shown by the editor
    std::int16_t nOptionA = 0;  // stored only (from version 55)
    std::uint8_t bOptionB = 1;  // stored only (from version 55)
    std::int16_t nOptionC = 0;  // stored only (from version 55)
    cVector<cDbAnimeFrame> FrameList;

    // Empty name, options 0, 1, 0, exactly one default frame.
    cDbAnime();
    cDbAnime(const cDbAnime&) = default;
    cDbAnime& operator=(const cDbAnime&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then the frame list (emptied and refilled from the file). 0 when the data
    // do not fit the file; what was read so far stays.
    int Load(FILE* fp) override;
    // The 720 layout: base part, frame count, frames. 0 when a write failed.
    int Save(FILE* fp) override;

    // Back to the defaults of a new animation: name empty, options 0, 1, 0, one default frame.
    void Reset();

    // Smallest size of an entry in a file: its two counts and the frame count.
    static constexpr std::size_t kMinFileBytes = 12;
};
