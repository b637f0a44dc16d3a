#include "platform/dsound/DirectSoundDevice.h"

#include <mutex>
#include <new>

#include "platform/dsound/DirectSoundBuffer.h"
#include "platform/dsound/DirectSoundMixer.h"
#include "platform/dsound/DirectSoundPrimaryBuffer.h"
#include "platform/dsound/PcmMixing.h"
#include "platform/host/AudioOutput.h"

HRESULT DirectSoundCreate(const void* lpcGuidDevice, LPDIRECTSOUND* ppDS, void* pUnkOuter)
{
    if (ppDS == nullptr || lpcGuidDevice != nullptr) {
        return DSERR_INVALIDPARAM;
    }
    if (pUnkOuter != nullptr) {
        return DSERR_NOAGGREGATION;
    }
    OpenAudioOutput();  // falls back to the null device by itself
    *ppDS = new DirectSoundDevice;
    return DS_OK;
}

DirectSoundDevice::DirectSoundDevice() : mixer_(std::make_shared<DirectSoundMixer>())
{
    AddAudioSource(mixer_);
}

DWORD DirectSoundDevice::AddRef()
{
    return ++refs_;
}

DWORD DirectSoundDevice::Release()
{
    const DWORD left = --refs_;
    if (left == 0) {
        SyncNullAudio();
        {
            std::lock_guard lock(mixer_->Mutex());
            mixer_->LoseAllLocked();
        }
        RemoveAudioSource(mixer_.get());
        delete this;
    }
    return left;
}

HRESULT DirectSoundDevice::CreateSoundBuffer(const DSBUFFERDESC* pcDSBufferDesc, LPDIRECTSOUNDBUFFER* ppDSBuffer,
                                             void* pUnkOuter)
{
    if (pcDSBufferDesc == nullptr || ppDSBuffer == nullptr || pcDSBufferDesc->dwSize != sizeof(DSBUFFERDESC) ||
        pcDSBufferDesc->dwReserved != 0) {
        return DSERR_INVALIDPARAM;
    }
    if (pUnkOuter != nullptr) {
        return DSERR_NOAGGREGATION;
    }
    if ((pcDSBufferDesc->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
        if (pcDSBufferDesc->dwBufferBytes != 0 || pcDSBufferDesc->lpwfxFormat != nullptr) {
            return DSERR_INVALIDPARAM;
        }
        *ppDSBuffer = new DirectSoundPrimaryBuffer(mixer_);
        return DS_OK;
    }
    return CreateSecondary(*pcDSBufferDesc, ppDSBuffer);
}

HRESULT DirectSoundDevice::CreateSecondary(const DSBUFFERDESC& desc, LPDIRECTSOUNDBUFFER* ppDSBuffer)
{
    if (desc.lpwfxFormat == nullptr || desc.dwBufferBytes < DSBSIZE_MIN || desc.dwBufferBytes > DSBSIZE_MAX) {
        return DSERR_INVALIDPARAM;
    }
    if (!IsPlayablePcmFormat(*desc.lpwfxFormat)) {
        return DSERR_BADFORMAT;
    }
    try {
        auto samples = std::make_shared<SoundSamples>();
        samples->format = *desc.lpwfxFormat;
        samples->format.cbSize = 0;
        samples->format.nAvgBytesPerSec = samples->format.nSamplesPerSec * samples->format.nBlockAlign;
        const BYTE silence = samples->format.wBitsPerSample == 8 ? 0x80 : 0x00;
        samples->bytes.assign(desc.dwBufferBytes, silence);
        samples->frames = desc.dwBufferBytes / samples->format.nBlockAlign;
        *ppDSBuffer = new DirectSoundBuffer(mixer_, desc.dwFlags, std::move(samples));
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT DirectSoundDevice::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER pDSBufferOriginal,
                                                LPDIRECTSOUNDBUFFER* ppDSBufferDuplicate)
{
    if (pDSBufferOriginal == nullptr || ppDSBufferDuplicate == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    auto* original = dynamic_cast<DirectSoundBuffer*>(pDSBufferOriginal);
    if (original == nullptr || !original->BelongsTo(mixer_.get())) {
        return DSERR_INVALIDCALL;  // the primary buffer, or another device's buffer
    }
    try {
        DirectSoundBuffer* copy = original->Duplicate();
        if (copy == nullptr) {
            return DSERR_BUFFERLOST;
        }
        *ppDSBufferDuplicate = copy;
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

HRESULT DirectSoundDevice::SetCooperativeLevel(HWND, DWORD dwLevel)
{
    if (dwLevel < DSSCL_NORMAL || dwLevel > DSSCL_WRITEPRIMARY) {
        return DSERR_INVALIDPARAM;
    }
    cooperativeLevel_ = dwLevel;
    return DS_OK;
}
