// Playing sound effects and changing their volume.
#include <algorithm>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "platform/win/Messages.h"
#include "sound/SoundEffects.h"

namespace {

// The buffer at nIndex of the slot, or null when there is none.
LPDIRECTSOUNDBUFFER BufferAt(const DSSOUNDDATA* pSound, int nIndex)
{
    if (pSound == nullptr || nIndex < 0 || static_cast<std::size_t>(nIndex) >= pSound->buffers.size()) {
        return nullptr;
    }
    return pSound->buffers[static_cast<std::size_t>(nIndex)];
}

}  // namespace

void DS_Play(DSSOUNDDATA* pSound, DWORD dwFlags)
{
    LPDIRECTSOUNDBUFFER buffer = BufferAt(pSound, pSound != nullptr ? pSound->nNext : -1);
    if (lpDS == nullptr || buffer == nullptr) {
        return;
    }
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0, 0, dwFlags);
    pSound->nNext = pSound->nNext + 1;
    if (pSound->nNext >= pSound->nCount) {
        pSound->nNext = 0;
    }
}

int DS_SetVolume(DSSOUNDDATA* pSound, int nIndex, int nVolume, bool bRelative)
{
    LPDIRECTSOUNDBUFFER buffer = BufferAt(pSound, nIndex);
    if (lpDS == nullptr || buffer == nullptr) {
        return 0;
    }
    long volume = nVolume;
    if (bRelative) {
        volume += DS_GetVolume(pSound, nIndex);
    }
    const auto clamped = static_cast<LONG>(std::clamp<long>(volume, DSBVOLUME_MIN, DSBVOLUME_MAX));
    buffer->SetVolume(clamped);
    return clamped;
}

int DS_GetVolume(DSSOUNDDATA* pSound, int nIndex)
{
    LPDIRECTSOUNDBUFFER buffer = BufferAt(pSound, nIndex);
    if (lpDS == nullptr || buffer == nullptr) {
        return 0;
    }
    LONG volume = 0;
    if (buffer->GetVolume(&volume) != DS_OK) {
        return 0;
    }
    return volume;
}

void DS_PlayCursorSE(const short* pDirection, BYTE axes, int nSound)
{
    if (pDirection == nullptr) {
        return;
    }
    if ((axes & 1) != 0 && (*pDirection & 0x3) != 0) {
        DS_Play(&SoundTable[nSound], 0);
    }
    if ((axes & 2) != 0 && (*pDirection & 0xC) != 0) {
        DS_Play(&SoundTable[nSound], 0);
    }
}

LRESULT PlaySE(int n)
{
    return SendMessage(hWndMain.load(), WM_PLAYSE, static_cast<WPARAM>(n), 0);
}

void PlayDatabaseSE(short id)
{
    // A negative id would reach the system sounds below 17; it means no sound, as 0 does.
    if (id <= 0) {
        return;
    }
    PlaySE(id + SE_DATABASE_BASE);
}
