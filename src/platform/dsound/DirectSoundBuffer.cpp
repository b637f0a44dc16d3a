#include "platform/dsound/DirectSoundBuffer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/dsound/DirectSoundMixer.h"

DirectSoundBuffer::DirectSoundBuffer(std::shared_ptr<DirectSoundMixer> mixer, DWORD flags,
                                     std::shared_ptr<SoundSamples> samples)
    : mixer_(std::move(mixer)), flags_(flags), samples_(std::move(samples))
{
    voice_.format = &samples_->format;
    voice_.data = samples_->bytes.data();
    voice_.frameCount = samples_->frames;
    std::lock_guard lock(mixer_->Mutex());
    mixer_->AttachLocked(this);
}

DirectSoundBuffer::~DirectSoundBuffer()
{
    std::lock_guard lock(mixer_->Mutex());
    mixer_->DetachLocked(this);
}

DWORD DirectSoundBuffer::AddRef()
{
    return ++refs_;
}

DWORD DirectSoundBuffer::Release()
{
    const DWORD left = --refs_;
    if (left == 0) {
        SyncNullAudio();
        delete this;
    }
    return left;
}

HRESULT DirectSoundBuffer::SetFormat(const WAVEFORMATEX*)
{
    return DSERR_INVALIDCALL;  // a secondary buffer keeps the format it was made with
}

HRESULT DirectSoundBuffer::GetFormat(WAVEFORMATEX* pwfxFormat, DWORD dwSizeAllocated, DWORD* pdwSizeWritten)
{
    if (pwfxFormat == nullptr || dwSizeAllocated < sizeof(WAVEFORMATEX)) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    *pwfxFormat = samples_->format;
    if (pdwSizeWritten != nullptr) {
        *pdwSizeWritten = sizeof(WAVEFORMATEX);
    }
    return DS_OK;
}

HRESULT DirectSoundBuffer::Lock(DWORD dwOffset, DWORD dwBytes, void** ppvAudioPtr1, DWORD* pdwAudioBytes1,
                                void** ppvAudioPtr2, DWORD* pdwAudioBytes2, DWORD dwFlags)
{
    if (ppvAudioPtr1 == nullptr || pdwAudioBytes1 == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    if (locked_) {
        return DSERR_INVALIDCALL;  // one lock at a time
    }
    const auto size = static_cast<DWORD>(samples_->bytes.size());
    if ((dwFlags & DSBLOCK_ENTIREBUFFER) != 0) {
        dwOffset = 0;
        dwBytes = size;
    } else if ((dwFlags & DSBLOCK_FROMWRITECURSOR) != 0) {
        dwOffset = static_cast<DWORD>((voice_.position >> 32) * samples_->format.nBlockAlign);
    }
    if (dwOffset >= size || dwBytes == 0 || dwBytes > size) {
        return DSERR_INVALIDPARAM;
    }
    const DWORD first = std::min(dwBytes, size - dwOffset);
    if (ppvAudioPtr2 == nullptr || pdwAudioBytes2 == nullptr) {
        dwBytes = first;  // no room for the wrapped part: the lock ends at the buffer's end
    }
    staging_.assign(dwBytes, 0);
    std::memcpy(staging_.data(), samples_->bytes.data() + dwOffset, first);
    std::memcpy(staging_.data() + first, samples_->bytes.data(), dwBytes - first);
    lockOffset_ = dwOffset;
    lockFirstBytes_ = first;
    locked_ = true;
    *ppvAudioPtr1 = staging_.data();
    *pdwAudioBytes1 = first;
    if (ppvAudioPtr2 != nullptr && pdwAudioBytes2 != nullptr) {
        *ppvAudioPtr2 = dwBytes > first ? staging_.data() + first : nullptr;
        *pdwAudioBytes2 = dwBytes - first;
    }
    return DS_OK;
}

HRESULT DirectSoundBuffer::Unlock(void* pvAudioPtr1, DWORD dwAudioBytes1, void* pvAudioPtr2, DWORD dwAudioBytes2)
{
    std::lock_guard lock(mixer_->Mutex());
    if (!locked_ || pvAudioPtr1 != staging_.data()) {
        return DSERR_INVALIDPARAM;
    }
    const auto secondBytes = static_cast<DWORD>(staging_.size()) - lockFirstBytes_;
    const DWORD firstWritten = std::min(dwAudioBytes1, lockFirstBytes_);
    const DWORD secondWritten = pvAudioPtr2 != nullptr ? std::min(dwAudioBytes2, secondBytes) : 0;
    std::memcpy(samples_->bytes.data() + lockOffset_, staging_.data(), firstWritten);
    std::memcpy(samples_->bytes.data(), staging_.data() + lockFirstBytes_, secondWritten);
    staging_.clear();
    staging_.shrink_to_fit();
    locked_ = false;
    return DS_OK;
}

HRESULT DirectSoundBuffer::Play(DWORD dwReserved1, DWORD, DWORD dwFlags)
{
    if (dwReserved1 != 0) {
        return DSERR_INVALIDPARAM;
    }
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    voice_.looping = (dwFlags & DSBPLAY_LOOPING) != 0;
    playing_ = true;
    return DS_OK;
}

HRESULT DirectSoundBuffer::Stop()
{
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    playing_ = false;
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetCurrentPosition(DWORD dwNewPosition)
{
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    const std::uint64_t lastFrame = samples_->frames > 0 ? samples_->frames - 1 : 0;
    const std::uint64_t frame = std::min<std::uint64_t>(dwNewPosition / samples_->format.nBlockAlign, lastFrame);
    voice_.position = frame << 32;
    return DS_OK;
}

HRESULT DirectSoundBuffer::GetCurrentPosition(DWORD* pdwCurrentPlayCursor, DWORD* pdwCurrentWriteCursor)
{
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    const auto cursor = static_cast<DWORD>((voice_.position >> 32) * samples_->format.nBlockAlign);
    if (pdwCurrentPlayCursor != nullptr) {
        *pdwCurrentPlayCursor = cursor;
    }
    if (pdwCurrentWriteCursor != nullptr) {
        *pdwCurrentWriteCursor = cursor;
    }
    return DS_OK;
}

HRESULT DirectSoundBuffer::GetStatus(DWORD* pdwStatus)
{
    if (pdwStatus == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    DWORD status = 0;
    if (playing_) {
        status |= DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    }
    if (lost_) {
        status |= DSBSTATUS_BUFFERLOST;
    }
    *pdwStatus = status;
    return DS_OK;
}

HRESULT DirectSoundBuffer::SetVolume(LONG lVolume)
{
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (lVolume < DSBVOLUME_MIN || lVolume > DSBVOLUME_MAX) {
        return DSERR_INVALIDPARAM;
    }
    SyncNullAudio();
    std::lock_guard lock(mixer_->Mutex());
    if (lost_) {
        return DSERR_BUFFERLOST;
    }
    volume_ = lVolume;
    gain_ = VolumeToGain(lVolume);
    return DS_OK;
}

HRESULT DirectSoundBuffer::GetVolume(LONG* plVolume)
{
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (plVolume == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    *plVolume = volume_;
    return DS_OK;
}

DirectSoundBuffer* DirectSoundBuffer::Duplicate()
{
    std::shared_ptr<SoundSamples> samples;
    LONG volume = 0;
    {
        std::lock_guard lock(mixer_->Mutex());
        if (lost_) {
            return nullptr;
        }
        samples = samples_;
        volume = volume_;
    }
    auto* copy = new DirectSoundBuffer(mixer_, flags_, std::move(samples));
    std::lock_guard lock(mixer_->Mutex());
    copy->volume_ = volume;
    copy->gain_ = VolumeToGain(volume);
    return copy;
}

void DirectSoundBuffer::RenderLocked(float* out, std::size_t frames, int outputRate)
{
    if (!playing_) {
        return;
    }
    if (!MixPcmVoice(voice_, gain_, PcmStep(samples_->format.nSamplesPerSec, outputRate), out, frames)) {
        playing_ = false;
    }
}

void DirectSoundBuffer::LoseLocked()
{
    lost_ = true;
    playing_ = false;
}
