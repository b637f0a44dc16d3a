// The ranking rule of one play kind (0 story, 1 challenge, 2 free play, 3 replay playback):
// whether rankings are kept and shown, and which of the five ranking genres are enabled.
//
// Stored form inside a settings list (every version): raw bEnabled, no strings; then int32 n and
// n bytes, the genre flags.
#pragma once

#include <cstdint>

#include "core/cDataRecord.h"
#include "core/cVector.h"

class cRankingRow : public cDataRecord {
public:
    std::int32_t bEnabled = 0;         // rankings are kept and shown for this play kind
    cVector<std::uint8_t> GenreFlags;  // entry g non-zero enables ranking genre g (0 to 4)

    // The number of ranking genres; their names are texts 5 to 9 of the settings' text table.
    static constexpr int kGenreCount = 5;

    // Registers for nDataVersion; not enabled, five genre flags of 0.
    cRankingRow();
    cRankingRow(const cRankingRow&) = default;
    cRankingRow& operator=(const cRankingRow&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then the genre flags: exactly as many as the file stores (kept entries are
    // overwritten, new ones start at 0, surplus ones are cut). 0 when the data do not fit the file.
    int Load(FILE* fp) override;
    // The base part, the number of genre flags, one byte per flag.
    int Save(FILE* fp) override;
};
