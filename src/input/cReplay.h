// cReplay: the input of one play of a stage, kept so that the play can be saved and run again
// frame by frame: the random seed of the play and two run-length streams of 16-bit controller
// words, one of the direction words and one of the button words, each an entry per run of equal
// words.
//
// Replay file (extension "rpl4_720", folder "user_data\rpl4\"), little-endian, no gaps:
//   int32 version; the stage as a stage file holds it, ending with the end code; the record's
//   base part (int32 1, int32 nSeed, int32 0); uint32 n and n int16 direction words; uint32 m
//   and m int16 button words; uint32 n and n int32 direction runs; uint32 m and m int32 button
//   runs; from version 173 on the save-data snapshot of the play's start.
//
// A replay file is untrusted: it is read into records of its own, every count is checked against
// the bytes left, each stream needs as many runs as words and every run at least one frame, and
// the stage must read completely (with its end code) and have a hero. Only a file that passes
// replaces the live stage, record and save data. Saving checks every write and goes through a
// temporary file that replaces the old one only when everything was written.
//
// Threads: the game thread records and plays; the window thread saves and loads while the game
// thread waits for it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdStage.h"
#include "project/cSaveData.h"

// The extension and folder of replay files.
inline constexpr const char* kReplayExtension = "rpl4_720";
inline constexpr const char* kReplayFolder = "user_data\\rpl4\\";

class cReplay : public cDataRecord {
public:
    cVector<std::int16_t> dirValues;     // direction words, one per run
    cVector<std::int16_t> buttonValues;  // button words, one per run
    cVector<std::int32_t> dirRuns;       // frames of each dirValues entry (>= 1)
    cVector<std::int32_t> buttonRuns;    // frames of each buttonValues entry (>= 1)
    std::int32_t nSeed = 0;              // the random seed of the play; the only stored member
    // Playback: the current entry of each stream and the frames already played of it.
    std::int32_t nDirIndex = 0;
    std::int32_t nButtonIndex = 0;
    std::int32_t nDirRunPos = 0;
    std::int32_t nButtonRunPos = 0;

    // Registers nSeed; an empty recording, seed 0, playback at the start.
    cReplay();
    cReplay(const cReplay&) = default;
    // Copies the streams and the seed; the playback positions of this record stay as they are.
    cReplay& operator=(const cReplay& source);

    void RegisterMembers(int nVersion) override;
    // Sections 3 to 7 of the file. 1, or 0 when a count does not fit the bytes left, a stream's
    // run count differs from its word count or a run is below 1 frame (the record then holds
    // what was read: read into a record of its own).
    int Load(FILE* fp) override;
    // Sections 3 to 7. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Seed 0, both streams empty, playback at the start.
    void Clear();
    // Playback back to the first frame.
    void Rewind();
    // True when nothing has been recorded.
    bool Empty() const { return dirValues.empty(); }

    // Appends one frame of play: the controller's words as the play used them. A run that
    // reached the int32 limit starts a new entry of the same word.
    void Record(std::int16_t wDir, std::int16_t wButton);
    // Writes the next frame's words: 0; or 1, with the words untouched, when the replay is
    // exhausted (a replay of F frames gives F frames, the call for frame F + 1 returns 1).
    int Play(std::int16_t& wDir, std::int16_t& wButton);

    // Writes the replay file: the live stage with the header part of startStage (the stage as
    // loaded), this record and the save-data snapshot of the play's start. 1 when written; 0 when
    // the file cannot be created or a write failed (an old file of that name is then kept).
    int SaveFile(const char* szPath, cEdStage& stage, cEdStage& startStage, cSaveData& snapshot);
    // Reads a replay file. Only when the whole file is sound: the stage replaces Stage (path
    // szPath) and its header part goes to secondStage (palette and placed lists empty), the
    // streams and seed replace this record's (its playback positions stay), and, for files of
    // version 173 and later, the snapshot replaces saveData. 1 when read; 0, with all of them
    // unchanged, when the file cannot be opened or is refused.
    int LoadFile(const char* szPath, cEdStage* secondStage, cSaveData& saveData);

private:
    // True when each stream has as many runs as words and every run is at least 1.
    bool StreamsSound() const;
};

// The play being recorded, or the replay being played back; and the recording before it.
extern cReplay Replay;
extern cReplay ReplayPrev;
