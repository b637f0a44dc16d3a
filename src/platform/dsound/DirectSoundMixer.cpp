#include "platform/dsound/DirectSoundMixer.h"

#include <algorithm>

#include "platform/dsound/DirectSoundBuffer.h"

DirectSoundMixer::DirectSoundMixer()
{
    primaryFormat.wFormatTag = WAVE_FORMAT_PCM;
    primaryFormat.nChannels = 2;
    primaryFormat.nSamplesPerSec = 22050;
    primaryFormat.wBitsPerSample = 8;
    primaryFormat.nBlockAlign = 2;
    primaryFormat.nAvgBytesPerSec = 44100;
}

void DirectSoundMixer::Render(float* out, std::size_t frames)
{
    std::lock_guard lock(mutex_);
    const int outputRate = AudioOutputRate();
    for (DirectSoundBuffer* buffer : buffers_) {
        buffer->RenderLocked(out, frames, outputRate);
    }
}

void DirectSoundMixer::AttachLocked(DirectSoundBuffer* buffer)
{
    buffers_.push_back(buffer);
}

void DirectSoundMixer::DetachLocked(DirectSoundBuffer* buffer)
{
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

void DirectSoundMixer::LoseAllLocked()
{
    lost_ = true;
    for (DirectSoundBuffer* buffer : buffers_) {
        buffer->LoseLocked();
    }
}
