#include "platform/host/AudioMixer.h"

#include <algorithm>
#include <cmath>

void AudioMixer::Add(std::shared_ptr<AudioSource> source)
{
    if (!source) {
        return;
    }
    std::lock_guard lock(mutex_);
    sources_.push_back(std::move(source));
}

void AudioMixer::Remove(const AudioSource* source)
{
    std::shared_ptr<AudioSource> last;  // destroyed after the lock is left
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(sources_.begin(), sources_.end(), [source](const auto& s) { return s.get() == source; });
        if (it == sources_.end()) {
            return;
        }
        last = std::move(*it);
        sources_.erase(it);
    }
}

void AudioMixer::Mix(std::int16_t* out, std::size_t frames)
{
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        const std::size_t n = std::min(frames, kChunkFrames);
        std::fill_n(scratch_.begin(), n * 2, 0.0f);
        for (const auto& source : sources_) {
            source->Render(scratch_.data(), n);
        }
        for (std::size_t i = 0; i < n * 2; ++i) {
            out[i] = ToInt16(scratch_[i]);
        }
        out += n * 2;
        frames -= n;
    }
}

std::int16_t AudioMixer::ToInt16(float sample)
{
    const float scaled = sample * 32768.0f;
    if (!(scaled > -32768.0f)) {  // also catches NaN from a faulty source
        return -32768;
    }
    if (scaled >= 32767.0f) {
        return 32767;
    }
    return static_cast<std::int16_t>(std::lrint(scaled));
}
