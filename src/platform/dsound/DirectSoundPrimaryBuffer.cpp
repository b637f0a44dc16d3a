#include "platform/dsound/DirectSoundPrimaryBuffer.h"

#include <mutex>

#include "platform/dsound/DirectSoundMixer.h"
#include "platform/dsound/PcmMixing.h"

DirectSoundPrimaryBuffer::DirectSoundPrimaryBuffer(std::shared_ptr<DirectSoundMixer> mixer) : mixer_(std::move(mixer))
{}

DWORD DirectSoundPrimaryBuffer::AddRef()
{
    return ++refs_;
}

DWORD DirectSoundPrimaryBuffer::Release()
{
    const DWORD left = --refs_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT DirectSoundPrimaryBuffer::SetFormat(const WAVEFORMATEX* pcfxFormat)
{
    if (pcfxFormat == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    if (!IsPlayablePcmFormat(*pcfxFormat)) {
        return DSERR_BADFORMAT;
    }
    std::lock_guard lock(mixer_->Mutex());
    if (mixer_->LostLocked()) {
        return DSERR_BUFFERLOST;
    }
    mixer_->primaryFormat = *pcfxFormat;
    mixer_->primaryFormat.cbSize = 0;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::GetFormat(WAVEFORMATEX* pwfxFormat, DWORD dwSizeAllocated, DWORD* pdwSizeWritten)
{
    if (pwfxFormat == nullptr || dwSizeAllocated < sizeof(WAVEFORMATEX)) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    *pwfxFormat = mixer_->primaryFormat;
    if (pdwSizeWritten != nullptr) {
        *pdwSizeWritten = sizeof(WAVEFORMATEX);
    }
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::Lock(DWORD, DWORD, void**, DWORD*, void**, DWORD*, DWORD)
{
    return DSERR_INVALIDCALL;
}

HRESULT DirectSoundPrimaryBuffer::Unlock(void*, DWORD, void*, DWORD)
{
    return DSERR_INVALIDCALL;
}

HRESULT DirectSoundPrimaryBuffer::Play(DWORD dwReserved1, DWORD, DWORD)
{
    return dwReserved1 == 0 ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT DirectSoundPrimaryBuffer::Stop()
{
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::SetCurrentPosition(DWORD)
{
    return DSERR_INVALIDCALL;
}

HRESULT DirectSoundPrimaryBuffer::GetCurrentPosition(DWORD* pdwCurrentPlayCursor, DWORD* pdwCurrentWriteCursor)
{
    if (pdwCurrentPlayCursor != nullptr) {
        *pdwCurrentPlayCursor = 0;
    }
    if (pdwCurrentWriteCursor != nullptr) {
        *pdwCurrentWriteCursor = 0;
    }
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::GetStatus(DWORD* pdwStatus)
{
    if (pdwStatus == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    *pdwStatus = mixer_->LostLocked() ? DSBSTATUS_BUFFERLOST : 0;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::SetVolume(LONG lVolume)
{
    if (lVolume < DSBVOLUME_MIN || lVolume > DSBVOLUME_MAX) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    mixer_->primaryVolume = lVolume;
    return DS_OK;
}

HRESULT DirectSoundPrimaryBuffer::GetVolume(LONG* plVolume)
{
    if (plVolume == nullptr) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mixer_->Mutex());
    *plVolume = mixer_->primaryVolume;
    return DS_OK;
}
