// cOptionData: "user_data\Option.dat", the option screen's values and the fixed ranking name.
//
// Stored form (every version): raw nPaletteSet, bMusic, nSoundVolume, nRankingMode; string
// strRankingName. The file is the user's and untrusted: reading clamps every value into its
// range (the volume step indexes an 11-entry table, the palette set names one of 24 files, the
// registration mode one of four texts) and cuts the name to three characters.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"

class cOptionData : public cDataRecord {
public:
    std::int32_t nPaletteSet = 0;   // 0..23: blend-palette set of the 8-bit DirectDraw mode
    std::int32_t bMusic = 1;        // 0, 1: music off or on
    std::int32_t nSoundVolume = 7;  // 0..10: step of the sound-effect volume table
    std::int32_t nRankingMode = 0;  // 0..3: manual/automatic registration, name entered/fixed
    std::string strRankingName;     // the fixed ranking name, Shift-JIS, at most 3 characters

    static constexpr int kMaxPaletteSet = 23;
    static constexpr int kMaxSoundVolume = 10;
    static constexpr int kMaxRankingMode = 3;
    // Characters of the ranking name (a double-byte character counts one).
    static constexpr int kRankingNameChars = 3;

    // Registers for nDataVersion with the defaults above and the name "aaa".
    cOptionData();
    cOptionData(const cOptionData&) = default;
    cOptionData& operator=(const cOptionData&) = default;

    // The same members for every version.
    void RegisterMembers(int nVersion) override;
    // The base Load, then every value clamped into its range and the name cut.
    int Load(FILE* fp) override;
};

// The options of this run. Main thread; the option screen changes them on the game thread while
// the main thread does not read them.
extern cOptionData OptionData;
