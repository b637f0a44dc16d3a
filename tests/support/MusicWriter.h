// Music for a game folder: a short song written as a Standard MIDI File (format 0), and the same
// song rendered to a WAV file, which EncodeOgg turns into an OGG file with the oggenc program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testsupport {

// A note: MIDI key (60 = middle C; 0 = a rest) and length in ticks of a 96-tick quarter note.
struct NoteSpec {
    int key = 0;
    int ticks = 96;
};

// A song of up to two voices, each on its own channel (melody 0, bass 1) with its General MIDI
// program. The voices loop independently when one is shorter.
struct SongSpec {
    int beatsPerMinute = 120;
    int melodyProgram = 80;  // square lead
    int bassProgram = 38;    // synth bass
    std::vector<NoteSpec> melody;
    std::vector<NoteSpec> bass;
};

constexpr int kTicksPerQuarter = 96;

// The song's length in ticks: the longer voice.
int SongTicks(const SongSpec& song);

// Format 0, one track: tempo, the two program changes, the notes of both voices merged in time
// order (note-offs before note-ons at the same tick), end of track.
std::vector<std::uint8_t> EncodeMidi(const SongSpec& song);

// The song played by a simple square-and-triangle synthesiser, as 16-bit mono WAV bytes.
std::vector<std::uint8_t> RenderSongWav(const SongSpec& song, int rate);

// Writes ogg (host path) by running "oggenc" on the WAV bytes (written next to it and removed
// afterwards). False when the program is missing or fails; the OGG file is then not there.
bool EncodeOgg(const std::vector<std::uint8_t>& wav, const std::filesystem::path& ogg);

}  // namespace testsupport
