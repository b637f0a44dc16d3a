// Standard MIDI Files (format 0 and 1) read into one single-track song image.
//
// The song image is itself a format-0 Standard MIDI File held in memory:
//   bytes 0..13   "MThd", length 6, format 0, one track, the division copied from the file;
//   bytes 14..21  "MTrk", the track length L (big-endian);
//   bytes 22..    every event of every track in time order, each as its delta time (variable-
//                 length number) and the complete event with its own status byte (no running
//                 status); the last event is one end of track (FF 2F 00) at the end of the
//                 longest track.
// Events at the same tick keep track order (lower track first), then file order.
//
// The file is untrusted: every length and number is checked against the bytes present; a file
// that ends inside a track, a track without end of track, running status without a status
// before it (also right after a system exclusive or meta event, which cancel it), a status the
// file format does not allow, or a file over 16 MiB is refused with a report-log line.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

// Offset of the first event in a song image, and where its track length is stored.
constexpr std::size_t kSongEventStart = 22;
constexpr std::size_t kSongTrackLength = 18;
// Largest file read; larger files are refused.
constexpr std::size_t kMaxMidiFileSize = 16u << 20;

class cMidiFile {
public:
    // Stores the name (empty for null) and loads the file (Load). Any thread.
    explicit cMidiFile(const char* szFileName);
    virtual ~cMidiFile();
    cMidiFile(const cMidiFile&) = delete;
    cMidiFile& operator=(const cMidiFile&) = delete;

    // Reads the whole file (a game path) and converts it into lpSong; lpSong stays null after a
    // log line when the file cannot be read or is refused.
    void Load(const char* szFileName);
    // The song image of the nSize bytes of a file, or null after a report-log line naming
    // strFileName.
    std::unique_ptr<std::vector<BYTE>> Init(const BYTE* lpFile, std::size_t nSize) const;

    // The song image; null when there is none.
    const std::vector<BYTE>* Song() const { return lpSong.get(); }

protected:
    std::unique_ptr<std::vector<BYTE>> lpSong;
    std::string strFileName;
};

// Decodes the variable-length number at p (not reading at or past pEnd) into *pValue: returns the
// bytes it took, 1..4, or 0 when four bytes all have bit 7 set or the data ends first.
BYTE ReadVarLen(const BYTE* p, const BYTE* pEnd, unsigned* pValue);
// Writes nValue as a variable-length number (1 byte below 0x80, 2 below 0x4000, 3 below
// 0x200000, 4 up to 0x0FFFFFFF) and returns the bytes written; above 0x0FFFFFFF nothing, 0.
int WriteVarLen(BYTE* pOut, unsigned nValue);
