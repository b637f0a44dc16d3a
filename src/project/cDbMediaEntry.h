// The common part of the Picture, Sound and Bgm databases: a display name and the media file.
//
// Entry in a file: raw members (nReserved from version 151), then the strings strName and
// strFileName.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"

class cDbMediaEntry : public cDataRecord {
public:
    std::string strName;
    std::string strFileName;     // the picture, WAV, OGG or Standard MIDI File
    std::int32_t nReserved = 0;  // stored only; 0 after reading a file older than version 153

    // Empty texts, nReserved 0.
    cDbMediaEntry();
    cDbMediaEntry(const cDbMediaEntry&) = default;
    cDbMediaEntry& operator=(const cDbMediaEntry&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, then nReserved = 0 for files older than version 153. 0 when the data do not
    // fit the file.
    int Load(FILE* fp) override;

    // Smallest size of an entry in a file: its two counts.
    static constexpr std::size_t kMinFileBytes = 8;
};
