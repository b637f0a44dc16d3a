// A DirectSound device: makes buffers and feeds their mix into the process's audio output.
#pragma once

#include <atomic>
#include <memory>

#include "platform/dsound/DirectSound.h"

class DirectSoundMixer;

class DirectSoundDevice : public IDirectSound {
public:
    // Registers the device's mixer with the audio output. Made by DirectSoundCreate.
    DirectSoundDevice();

    DWORD AddRef() override;
    // The last release stops every buffer of the device, marks them lost and takes the mixer
    // off the audio output; the buffer objects live on until their own last release.
    DWORD Release() override;
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* pcDSBufferDesc, LPDIRECTSOUNDBUFFER* ppDSBuffer,
                              void* pUnkOuter) override;
    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER pDSBufferOriginal,
                                 LPDIRECTSOUNDBUFFER* ppDSBufferDuplicate) override;
    HRESULT SetCooperativeLevel(HWND hwnd, DWORD dwLevel) override;

private:
    ~DirectSoundDevice() override = default;
    HRESULT CreateSecondary(const DSBUFFERDESC& desc, LPDIRECTSOUNDBUFFER* ppDSBuffer);

    std::shared_ptr<DirectSoundMixer> mixer_;
    std::atomic<DWORD> refs_{1};
    std::atomic<DWORD> cooperativeLevel_{0};
};
