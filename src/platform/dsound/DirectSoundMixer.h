// The software mixer of one DirectSound device: an audio source that sums the device's playing
// buffers. Its lock guards every buffer's state and sample memory.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "platform/dsound/WaveFormat.h"
#include "platform/host/AudioOutput.h"

class DirectSoundBuffer;

class DirectSoundMixer : public AudioSource {
public:
    DirectSoundMixer();

    // Audio thread: adds every playing buffer of the device into out.
    void Render(float* out, std::size_t frames) override;

    // The lock the device and its buffers take for every call.
    std::mutex& Mutex() { return mutex_; }

    // Under Mutex(): buffers join at creation and leave at destruction.
    void AttachLocked(DirectSoundBuffer* buffer);
    void DetachLocked(DirectSoundBuffer* buffer);
    // Under Mutex(): the device was released; every buffer stops and is lost from now on.
    void LoseAllLocked();
    bool LostLocked() const { return lost_; }

    // Under Mutex(): the format and volume recorded by the primary buffer (default 22050 Hz,
    // 8 bits, stereo; volume 0).
    WAVEFORMATEX primaryFormat;
    LONG primaryVolume = 0;

private:
    std::mutex mutex_;
    std::vector<DirectSoundBuffer*> buffers_;
    bool lost_ = false;
};
