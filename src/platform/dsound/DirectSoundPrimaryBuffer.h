// The primary buffer: it records the format and volume asked for and plays nothing itself.
// The output keeps its own format; secondary buffers are converted to it whatever is recorded.
#pragma once

#include <atomic>
#include <memory>

#include "platform/dsound/DirectSound.h"

class DirectSoundMixer;

class DirectSoundPrimaryBuffer : public IDirectSoundBuffer {
public:
    explicit DirectSoundPrimaryBuffer(std::shared_ptr<DirectSoundMixer> mixer);

    DWORD AddRef() override;
    DWORD Release() override;
    // Records a playable PCM format (else DSERR_BADFORMAT).
    HRESULT SetFormat(const WAVEFORMATEX* pcfxFormat) override;
    HRESULT GetFormat(WAVEFORMATEX* pwfxFormat, DWORD dwSizeAllocated, DWORD* pdwSizeWritten) override;
    // The primary's samples are not the game's to write: DSERR_INVALIDCALL.
    HRESULT Lock(DWORD dwOffset, DWORD dwBytes, void** ppvAudioPtr1, DWORD* pdwAudioBytes1, void** ppvAudioPtr2,
                 DWORD* pdwAudioBytes2, DWORD dwFlags) override;
    HRESULT Unlock(void* pvAudioPtr1, DWORD dwAudioBytes1, void* pvAudioPtr2, DWORD dwAudioBytes2) override;
    // Accepted without effect: the output runs while the device exists.
    HRESULT Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags) override;
    HRESULT Stop() override;
    HRESULT SetCurrentPosition(DWORD dwNewPosition) override;
    HRESULT GetCurrentPosition(DWORD* pdwCurrentPlayCursor, DWORD* pdwCurrentWriteCursor) override;
    HRESULT GetStatus(DWORD* pdwStatus) override;
    // Recorded only; the mix is not scaled by it.
    HRESULT SetVolume(LONG lVolume) override;
    HRESULT GetVolume(LONG* plVolume) override;

private:
    ~DirectSoundPrimaryBuffer() override = default;

    std::shared_ptr<DirectSoundMixer> mixer_;
    std::atomic<DWORD> refs_{1};
};
