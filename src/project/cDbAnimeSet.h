// An animation set of the AnimeSet database: a character's motion animations (by default the
// four "立ち", "立ち移動", "飛行", "飛行移動") and three cell offsets.
//
// Entry in a file: raw members (nCellOffsetA, nCellOffsetB, and nCellOffsetC from version 119),
// the name, then the motion list (int32 count and each motion in the Anime entry layout).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cDbAnime.h"

class cDbAnimeSet : public cDataRecord {
public:
    std::string strName;
    std::int32_t nCellOffsetA = 4;
    std::int32_t nCellOffsetB = 8;
    std::int32_t nCellOffsetC = 0;  // from version 119
    cVector<cDbAnime> MotionList;   // at least kMotionCount motions after any load

    // The characters turn motions 0 to 3 into their motion patterns.
    static constexpr int kMotionCount = 4;

    // The default set (SetDefault).
    cDbAnimeSet();
    cDbAnimeSet(const cDbAnimeSet&) = default;
    cDbAnimeSet& operator=(const cDbAnimeSet&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, the motion list (emptied and refilled), then the upgrade of old files:
    // below version 128 exactly four motions, motions 2 and 3 named "飛行" and "飛行移動"; from
    // 128 the stored list, padded to four motions when it holds fewer. 0 when the data do not
    // fit the file (no upgrade then).
    int Load(FILE* fp) override;
    // The 720 layout: base part, motion count, motions.
    int Save(FILE* fp) override;

    // Name empty, offsets 4, 8, 0, exactly four motions (existing ones kept, missing ones reset
    // animations, extra ones removed) named "立ち", "立ち移動", "飛行", "飛行移動".
    void SetDefault();

    // Smallest size of an entry in a file: its two counts and the motion count.
    static constexpr std::size_t kMinFileBytes = 12;

private:
    // Exactly nCount motions: appended ones are reset animations, extra ones are removed.
    void ResizeMotions(int nCount);
};
