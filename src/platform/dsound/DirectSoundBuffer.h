// A static secondary buffer: PCM samples (shared with its duplicates) and its own play state.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/dsound/DirectSound.h"
#include "platform/dsound/PcmMixing.h"
#include "platform/dsound/SoundSamples.h"

class DirectSoundMixer;

class DirectSoundBuffer : public IDirectSoundBuffer {
public:
    // Joins the device's mixer stopped, at position 0, full volume. Made by DirectSoundDevice
    // with one reference; samples holds a playable format.
    DirectSoundBuffer(std::shared_ptr<DirectSoundMixer> mixer, DWORD flags, std::shared_ptr<SoundSamples> samples);

    DWORD AddRef() override;
    DWORD Release() override;
    HRESULT SetFormat(const WAVEFORMATEX* pcfxFormat) override;
    HRESULT GetFormat(WAVEFORMATEX* pwfxFormat, DWORD dwSizeAllocated, DWORD* pdwSizeWritten) override;
    HRESULT Lock(DWORD dwOffset, DWORD dwBytes, void** ppvAudioPtr1, DWORD* pdwAudioBytes1, void** ppvAudioPtr2,
                 DWORD* pdwAudioBytes2, DWORD dwFlags) override;
    HRESULT Unlock(void* pvAudioPtr1, DWORD dwAudioBytes1, void* pvAudioPtr2, DWORD dwAudioBytes2) override;
    HRESULT Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags) override;
    HRESULT Stop() override;
    HRESULT SetCurrentPosition(DWORD dwNewPosition) override;
    HRESULT GetCurrentPosition(DWORD* pdwCurrentPlayCursor, DWORD* pdwCurrentWriteCursor) override;
    HRESULT GetStatus(DWORD* pdwStatus) override;
    HRESULT SetVolume(LONG lVolume) override;
    HRESULT GetVolume(LONG* plVolume) override;

    // For DuplicateSoundBuffer: a new buffer on the same samples with this one's flags and
    // volume, stopped at position 0. Null when this buffer is lost.
    DirectSoundBuffer* Duplicate();
    // True when this buffer belongs to the device of that mixer.
    bool BelongsTo(const DirectSoundMixer* mixer) const { return mixer_.get() == mixer; }

    // Under the mixer's lock, from its Render: adds this buffer's output when it plays.
    void RenderLocked(float* out, std::size_t frames, int outputRate);
    // Under the mixer's lock: the device is gone; stop for good.
    void LoseLocked();

private:
    ~DirectSoundBuffer() override;

    std::shared_ptr<DirectSoundMixer> mixer_;
    std::atomic<DWORD> refs_{1};
    const DWORD flags_;

    // Everything below is guarded by the mixer's lock.
    std::shared_ptr<SoundSamples> samples_;
    PcmVoice voice_;
    bool playing_ = false;
    bool lost_ = false;
    LONG volume_ = 0;
    float gain_ = 1.0f;
    // The region handed out by Lock, written back by Unlock.
    std::vector<BYTE> staging_;
    DWORD lockOffset_ = 0;
    DWORD lockFirstBytes_ = 0;
    bool locked_ = false;
};
