// The silent output: mixes along the clock (virtual in tests) and keeps what it mixed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/win/WinTypes.h"

class AudioMixer;

class NullAudioDevice {
public:
    // At most this many frames are recorded after a clear (60 s at 44100 Hz); mixing goes on.
    static constexpr std::size_t kMaxRecordedFrames = 44100 * 60;
    // A clock step longer than this is taken as a jump (the clock was switched), not as time
    // to mix: the device rebases instead.
    static constexpr DWORD kMaxCatchUpMs = 60000;

    // Starts counting from the clock's present reading; nothing is owed.
    void Rebase();
    // Mixes the frames the clock says are due (elapsed ms x rate / 1000 since the rebase, less
    // the frames already mixed).
    void Sync(AudioMixer& mixer, int rate);
    // Mixes `frames` frames now, ahead of the clock.
    void Pump(AudioMixer& mixer, std::size_t frames);

    std::vector<std::int16_t> Recorded();
    // Empties the record and rebases: recording starts afresh from the clock's present reading.
    void ClearRecord();

private:
    void MixLocked(AudioMixer& mixer, std::uint64_t frames);

    std::mutex mutex_;  // taken before the mixer's
    bool based_ = false;
    DWORD lastMs_ = 0;
    std::uint64_t elapsedMs_ = 0;
    std::uint64_t framesMixed_ = 0;
    std::vector<std::int16_t> record_;
};
