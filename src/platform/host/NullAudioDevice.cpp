#include "platform/host/NullAudioDevice.h"

#include <algorithm>
#include <array>

#include "platform/host/AudioMixer.h"
#include "platform/win/Time.h"

void NullAudioDevice::Rebase()
{
    std::lock_guard lock(mutex_);
    based_ = true;
    lastMs_ = timeGetTime();
    elapsedMs_ = 0;
    framesMixed_ = 0;
}

void NullAudioDevice::Sync(AudioMixer& mixer, int rate)
{
    std::lock_guard lock(mutex_);
    const DWORD now = timeGetTime();
    if (!based_) {
        based_ = true;
        lastMs_ = now;
    }
    const DWORD step = now - lastMs_;
    lastMs_ = now;
    if (step > kMaxCatchUpMs) {
        elapsedMs_ = 0;
        framesMixed_ = 0;
        return;
    }
    elapsedMs_ += step;
    const std::uint64_t due = elapsedMs_ * static_cast<std::uint64_t>(rate) / 1000;
    if (due > framesMixed_) {
        MixLocked(mixer, due - framesMixed_);
    }
}

void NullAudioDevice::Pump(AudioMixer& mixer, std::size_t frames)
{
    std::lock_guard lock(mutex_);
    MixLocked(mixer, frames);
}

void NullAudioDevice::MixLocked(AudioMixer& mixer, std::uint64_t frames)
{
    std::array<std::int16_t, 2048> chunk;
    framesMixed_ += frames;
    while (frames > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(frames, chunk.size() / 2));
        mixer.Mix(chunk.data(), n);
        const std::size_t room = kMaxRecordedFrames * 2 - std::min(record_.size(), kMaxRecordedFrames * 2);
        record_.insert(record_.end(), chunk.begin(), chunk.begin() + std::min(n * 2, room));
        frames -= n;
    }
}

std::vector<std::int16_t> NullAudioDevice::Recorded()
{
    std::lock_guard lock(mutex_);
    return record_;
}

void NullAudioDevice::ClearRecord()
{
    std::lock_guard lock(mutex_);
    record_.clear();
    record_.shrink_to_fit();
    based_ = true;
    lastMs_ = timeGetTime();
    elapsedMs_ = 0;
    framesMixed_ = 0;
}
