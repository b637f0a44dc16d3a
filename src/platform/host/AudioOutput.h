// The one audio output of the process and its software mixer.
//
// Sound effects (the DirectSound stand-in) and music (the MIDI synthesiser, the OGG player) are
// AudioSources; the mixer pulls each source on the audio thread, sums them with saturation and
// hands the result to the device. With no device (headless, or none could be opened) a null device
// pulls the mixer as the virtual clock advances and keeps what was mixed for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/WinTypes.h"

// One producer of sound. Render runs on the audio thread (or the caller of the null device's
// pump) and must not block for long; it mixes frames of interleaved stereo into out, adding to
// what is there, at AudioOutputRate() frames per second.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Adds `frames` stereo frames (2 floats each, nominal range -1..1) into out.
    virtual void Render(float* out, std::size_t frames) = 0;
};

// Opens the device once (main thread, at start-up). Returns false and stays silent (null device)
// when no device can be opened; the caller logs that once. Later calls do nothing.
bool OpenAudioOutput();
void CloseAudioOutput();
// True while a real device plays; false for the null device.
bool AudioOutputIsReal();
// Output rate in frames per second (44100 unless the device asks for another).
int AudioOutputRate();

// Adds or removes a source; any thread. A removed source is no longer called once this returns.
void AddAudioSource(std::shared_ptr<AudioSource> source);
void RemoveAudioSource(const AudioSource* source);

// Null device, for tests: mixes `frames` frames now and appends them (16-bit stereo) to the record.
void PumpNullAudio(std::size_t frames);
// What the null device mixed since the last clear (interleaved stereo int16).
std::vector<std::int16_t> RecordedAudio();
void ClearRecordedAudio();
