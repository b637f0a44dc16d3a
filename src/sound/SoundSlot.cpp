// Building and freeing one slot of the sound table.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "sound/SoundEffects.h"

namespace {

// "<name><suffix>" to the trace log; the suffix is UTF-8 source text.
void LogWithName(const char* szName, const char* szSuffixUtf8)
{
    const std::string line = std::string(szName) + Sjis(szSuffixUtf8);
    ECLogText(line.c_str());
}

}  // namespace

bool DS_CreateSound(DSSOUNDDATA* pSound, const char* szName, int nCount, int nVolume)
{
    if (lpDS == nullptr) {
        return true;
    }
    DS_FreeSound(pSound);  // a slot built before gives its buffers back instead of losing them
    *pSound = DSSOUNDDATA{};
    const int count = std::max(nCount, 1);
    try {
        pSound->buffers.assign(static_cast<std::size_t>(count), nullptr);
    } catch (const std::bad_alloc&) {
        LogWithName(szName, "のメモリ確保失敗！");
        return false;
    }
    if (!DS_CreateBuffer(&pSound->buffers[0], szName)) {
        return false;
    }
    for (int i = 1; i < count; ++i) {
        if (!DS_DuplicateBuffer(&pSound->buffers[static_cast<std::size_t>(i)], pSound->buffers[0])) {
            LogWithName(szName, "のメモリ共用バッファの生成失敗！");
            return false;
        }
    }
    pSound->nCount = count;
    pSound->szFileName = szName;
    if (nVolume != 0) {
        for (int i = 0; i < count; ++i) {
            DS_SetVolume(pSound, i, nVolume, false);
        }
    }
    return true;
}

bool DS_CreateBuffer(LPDIRECTSOUNDBUFFER* ppBuffer, const char* szName)
{
    if (lpDS == nullptr) {
        return true;
    }
    WAVEDATA wave;
    if (!DS_ReadWave(szName, &wave)) {
        LogWithName(szName, "読み込み失敗！");
        // A file that is there but cannot be read is the game's fault: the report log says so.
        if (GetFileAttributesA(szName) != INVALID_FILE_ATTRIBUTES) {
            ReportLog("Sound file cannot be read : %s", szName);
        }
        return false;
    }
    DSBUFFERDESC desc;
    desc.dwSize = sizeof(DSBUFFERDESC);
    desc.dwFlags =
        DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2;
    desc.dwBufferBytes = static_cast<DWORD>(wave.samples.size());
    desc.lpwfxFormat = &wave.format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    void* p1 = nullptr;
    DWORD bytes1 = 0;
    if (lpDS->CreateSoundBuffer(&desc, &buffer, nullptr) != DS_OK ||
        buffer->Lock(0, 0, &p1, &bytes1, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK) {
        if (buffer != nullptr) {
            buffer->Release();
        }
        LogWithName(szName, "生成失敗！");
        return false;
    }
    const DWORD copied = std::min<DWORD>(bytes1, desc.dwBufferBytes);
    std::memcpy(p1, wave.samples.data(), copied);
    buffer->Unlock(p1, copied, nullptr, 0);
    DS_FreeWave(&wave);
    *ppBuffer = buffer;
    return true;
}

bool DS_DuplicateBuffer(LPDIRECTSOUNDBUFFER* ppBuffer, LPDIRECTSOUNDBUFFER pSource)
{
    if (lpDS == nullptr) {
        return true;
    }
    return lpDS->DuplicateSoundBuffer(pSource, ppBuffer) == DS_OK;
}

void DS_FreeSound(DSSOUNDDATA* pSound)
{
    if (lpDS == nullptr || pSound->buffers.empty()) {
        return;
    }
    // Every buffer that exists, whatever the count says: after a failed duplicate the count is
    // 0 but the duplicates made so far hold references, and buffer 0 is null for a missing file.
    for (auto it = pSound->buffers.rbegin(); it != pSound->buffers.rend(); ++it) {
        if (*it != nullptr) {
            (*it)->Release();
            *it = nullptr;
        }
    }
    pSound->buffers.clear();
    pSound->buffers.shrink_to_fit();
}
