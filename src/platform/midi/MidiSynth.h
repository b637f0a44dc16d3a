// The synthesiser behind the MIDI streams: one per process, shared by every open stream, as the
// MIDI mapper is one device on Windows.
//
// The real one is FluidSynth with a General MIDI SoundFont, rendering into the audio mixer
// (FluidMidiSynth.h); tests put a RecordingMidiSynth in its place. Without a SoundFont or without
// FluidSynth, a silent synthesiser takes the messages and the music is quiet.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/win/WinTypes.h"

class MidiSynth {
public:
    virtual ~MidiSynth() = default;
    // A complete message due at timeMs (the stand-in's clock, milliseconds): a channel message
    // (status 0x80-0xEF and its 1 or 2 data bytes) or a system exclusive message (F0 ... F7, or
    // the raw bytes of an F7 packet). Called from the sequencer threads, in time order per stream.
    virtual void Send(DWORD timeMs, const BYTE* data, std::size_t len) = 0;
};

// Opens the process's synthesiser once (later calls return the first result): the one set by
// SetMidiSynth when there is one; else FluidSynth with the SoundFont found as FindSoundFont says.
// Returns false, with the reason in *pWhy, when MIDI will be silent; the caller logs it once.
// While the audio output is the null device (headless, or no device could be opened) nothing can
// be heard: no SoundFont is looked for or loaded, the result is true (nothing to report) and a
// later call, with a real device, opens it then. Called as a song starts, so that a run whose
// music never plays never pays for the SoundFont.
bool OpenMidiSynth(std::string* pWhy);
// The synthesiser the streams play to (a silent one until OpenMidiSynth found a real one). A
// stream takes it each time it starts.
std::shared_ptr<MidiSynth> GetMidiSynth();
// Replaces the synthesiser (tests: a RecordingMidiSynth); nullptr goes back to none opened.
void SetMidiSynth(std::shared_ptr<MidiSynth> synth);

// The SoundFont for General MIDI, first found of: the file named by QB_SOUNDFONT in the
// environment; the first *.sf2 file (by name, without regard to case) in the game folder (the
// current folder); /usr/share/sounds/sf2/TimGM6mb.sf2. Empty when none exists. Host path.
std::string FindSoundFont();
