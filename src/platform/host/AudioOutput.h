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
// when no device can be opened; the caller logs that once (see TakeAudioOutputNotice). Headless
// (QB_HEADLESS) the null device is chosen without trying a device, and the result is true.
// Later calls do nothing and return the first result. Sources may be added before the open.
bool OpenAudioOutput();
// Closes the device (main thread, at shutdown, after the sound users released their sources);
// the null device takes over. A later OpenAudioOutput opens again.
void CloseAudioOutput();
// True once after OpenAudioOutput fell back to the null device for want of a device, false
// otherwise: whichever start-up code asks first writes the one report-log line about it.
bool TakeAudioOutputNotice();
// True while a real device plays; false for the null device.
bool AudioOutputIsReal();
// Output rate in frames per second (44100 unless the device asks for another).
int AudioOutputRate();

// Adds or removes a source; any thread. A removed source is no longer called once this returns.
// Neither may be called while holding a lock that the source's Render takes (the mixer holds its
// own lock while it renders).
void AddAudioSource(std::shared_ptr<AudioSource> source);
void RemoveAudioSource(const AudioSource* source);

// Null device: mixes what the clock (timeGetTime, virtual in tests) says is due since the last
// mix, elapsed ms x rate / 1000 frames, so that sound plays along the clock. Stand-ins call it
// before they change what plays, so that a change lands at the right frame. Does nothing while a
// real device plays. Same locking rule as AddAudioSource.
void SyncNullAudio();

// Null device, for tests: mixes `frames` frames now and appends them (16-bit stereo) to the record.
// The clock then owes nothing until it has caught up with these frames. No effect on a real device.
void PumpNullAudio(std::size_t frames);
// What the null device mixed since the last clear (interleaved stereo int16), after a
// SyncNullAudio. At most the first 60 seconds after a clear are kept.
std::vector<std::int16_t> RecordedAudio();
// Mixes what the clock owes, then empties the record; the clock owes nothing from here on.
void ClearRecordedAudio();
