// The real output: one SDL audio device, 16-bit stereo, pulled by SDL's audio thread.
#pragma once

#include <memory>

class AudioMixer;

class SdlAudioDevice {
public:
    // Opens the default device at 44100 Hz (or the rate the device insists on) and starts it.
    // Returns null when SDL's audio cannot start or no device opens. Main thread.
    static std::unique_ptr<SdlAudioDevice> Open(AudioMixer& mixer);
    // Stops the device; the mixer is not called any more once this returns.
    ~SdlAudioDevice();

    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    // Frames per second of the device.
    int Rate() const { return rate_; }

private:
    SdlAudioDevice(unsigned deviceId, int rate) : deviceId_(deviceId), rate_(rate) {}

    unsigned deviceId_;  // SDL_AudioDeviceID
    int rate_;
};
