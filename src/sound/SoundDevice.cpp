// Start and end of DirectSound for the sound effects, and building the whole table.
#include "core/ReportLog.h"
#include "platform/host/AudioOutput.h"
#include "sound/SoundEffects.h"

LPDIRECTSOUND lpDS = nullptr;
LPDIRECTSOUNDBUFFER lpDSBPrimary = nullptr;

namespace {

// The table and list of the last DS_CreateSoundTable; DS_UnInit frees the table's slots.
cVector<DSSOUNDDATA>* pRememberedTable = nullptr;
cVector<SOUNDINFO>* pRememberedList = nullptr;

void ReleaseDevice()
{
    if (lpDSBPrimary != nullptr) {
        lpDSBPrimary->Release();
        lpDSBPrimary = nullptr;
    }
    if (lpDS != nullptr) {
        lpDS->Release();
        lpDS = nullptr;
    }
}

}  // namespace

bool DS_Init(HWND hWnd, int nSamplesPerSec, int nBitsPerSample, int nChannels)
{
    if (DirectSoundCreate(nullptr, &lpDS, nullptr) != DS_OK) {
        lpDS = nullptr;
        ECLogText("DIRECTSOUNDCREATE_ERR!");
        return false;
    }
    if (TakeAudioOutputNotice()) {
        ReportLog("No audio device could be opened: the game runs without sound.");
    }
    if (lpDS->SetCooperativeLevel(hWnd, DSSCL_PRIORITY) != DS_OK) {
        ECLogText("SETCOOPERATIVELEVEL_ERR!");
        ReleaseDevice();
        return false;
    }
    DSBUFFERDESC desc;
    desc.dwSize = sizeof(DSBUFFERDESC);
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN;
    if (lpDS->CreateSoundBuffer(&desc, &lpDSBPrimary, nullptr) != DS_OK) {
        lpDSBPrimary = nullptr;
        ECLogText("CREATESOUNDBUFFER_ERR!");
        ReleaseDevice();
        return false;
    }
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(nChannels);
    format.nSamplesPerSec = static_cast<DWORD>(nSamplesPerSec);
    format.wBitsPerSample = static_cast<WORD>(nBitsPerSample);
    format.nBlockAlign = static_cast<WORD>(nChannels * (nBitsPerSample / 8));
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    lpDSBPrimary->SetFormat(&format);  // the output keeps its own format whatever this says
    pRememberedTable = nullptr;
    pRememberedList = nullptr;
    return true;
}

void DS_UnInit()
{
    if (lpDS == nullptr) {
        return;
    }
    if (pRememberedTable != nullptr) {
        for (int i = 0; i < static_cast<int>(pRememberedTable->size()); ++i) {
            DS_FreeSound(&(*pRememberedTable)[i]);
        }
    }
    pRememberedTable = nullptr;
    pRememberedList = nullptr;
    ReleaseDevice();
}

int DS_CreateSoundTable(cVector<DSSOUNDDATA>* pTable, cVector<SOUNDINFO>* pList, int nVolume)
{
    if (pTable == nullptr || pList == nullptr) {
        return 1;
    }
    pRememberedTable = pTable;
    pRememberedList = pList;
    for (int i = 0; i < static_cast<int>(pTable->size()); ++i) {
        DSSOUNDDATA& slot = (*pTable)[i];
        if (!slot.buffers.empty()) {
            continue;
        }
        SOUNDINFO& info = (*pList)[i];
        const int volume = nVolume != 0 ? nVolume : info.nVolume;
        DS_CreateSound(&slot, info.szFileName.c_str(), info.nBufferCount, volume);
    }
    return 1;
}
