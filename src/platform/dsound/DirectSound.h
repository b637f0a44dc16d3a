// The DirectSound calls the sound effects use: a device, its primary buffer (whose format is
// only recorded) and static secondary buffers of 8 or 16-bit PCM, mono or stereo, at any rate,
// mixed in software into the process's audio output (platform/host/AudioOutput.h).
//
// Objects are reference counted as COM objects are: every pointer handed out carries one
// reference, AddRef adds one, Release drops one and destroys the object at zero. Releasing the
// device stops and detaches every buffer it made (their calls then fail with DSERR_BUFFERLOST).
// Every call may come from any thread; the objects lock inside.
#pragma once

#include "platform/dsound/WaveFormat.h"
#include "platform/win/WinTypes.h"

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);

// Cooperative levels (recorded; no effect on the software mixer).
constexpr DWORD DSSCL_NORMAL = 0x00000001;
constexpr DWORD DSSCL_PRIORITY = 0x00000002;
constexpr DWORD DSSCL_EXCLUSIVE = 0x00000003;
constexpr DWORD DSSCL_WRITEPRIMARY = 0x00000004;

// Buffer description flags.
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;

constexpr DWORD DSBLOCK_FROMWRITECURSOR = 0x00000001;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;
constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// Volume in hundredths of a decibel: -10000 is silence, 0 full volume.
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
// Size limits of a secondary buffer in bytes.
constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

struct DSBUFFERDESC {
    DWORD dwSize = 0;                           // sizeof(DSBUFFERDESC)
    DWORD dwFlags = 0;                          // DSBCAPS_*
    DWORD dwBufferBytes = 0;                    // 0 for the primary buffer
    DWORD dwReserved = 0;                       // must be 0
    const WAVEFORMATEX* lpwfxFormat = nullptr;  // null for the primary buffer
};

class IDirectSoundBuffer {
public:
    virtual DWORD AddRef() = 0;
    // Returns the references left. The last release of a playing buffer stops it.
    virtual DWORD Release() = 0;

    // Primary buffer only: records the format the game asks for (the output keeps its own).
    virtual HRESULT SetFormat(const WAVEFORMATEX* pcfxFormat) = 0;
    // The buffer's format (the recorded one for the primary buffer). dwSizeAllocated must hold
    // a WAVEFORMATEX; *pdwSizeWritten (may be null) receives sizeof(WAVEFORMATEX).
    virtual HRESULT GetFormat(WAVEFORMATEX* pwfxFormat, DWORD dwSizeAllocated, DWORD* pdwSizeWritten) = 0;

    // Secondary buffers: hands out the bytes from dwOffset on (or all with DSBLOCK_ENTIREBUFFER)
    // as one or two regions (the second when the range wraps to the start). The samples change
    // at Unlock, which takes the pointers and the byte counts written.
    virtual HRESULT Lock(DWORD dwOffset, DWORD dwBytes, void** ppvAudioPtr1, DWORD* pdwAudioBytes1, void** ppvAudioPtr2,
                         DWORD* pdwAudioBytes2, DWORD dwFlags) = 0;
    virtual HRESULT Unlock(void* pvAudioPtr1, DWORD dwAudioBytes1, void* pvAudioPtr2, DWORD dwAudioBytes2) = 0;

    // Starts at the current position; dwReserved1 must be 0. Without DSBPLAY_LOOPING the buffer
    // plays to its end, then stops by itself with its position back at 0. Playing a playing
    // buffer only changes the looping flag.
    virtual HRESULT Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags) = 0;
    // Stops and keeps the position.
    virtual HRESULT Stop() = 0;
    // Byte offset of the next sample to play, aligned down to a whole frame and clamped to the
    // last frame of the buffer.
    virtual HRESULT SetCurrentPosition(DWORD dwNewPosition) = 0;
    // Play and write cursors in bytes (both the next frame to play); either pointer may be null.
    virtual HRESULT GetCurrentPosition(DWORD* pdwCurrentPlayCursor, DWORD* pdwCurrentWriteCursor) = 0;
    // DSBSTATUS_* bits.
    virtual HRESULT GetStatus(DWORD* pdwStatus) = 0;
    // lVolume in -10000..0 hundredths of a decibel (others: DSERR_INVALIDPARAM); needs
    // DSBCAPS_CTRLVOLUME on secondary buffers. Gain = 10^(lVolume / 2000); -10000 is exactly
    // silent. GetVolume returns the last value set (0 at creation).
    virtual HRESULT SetVolume(LONG lVolume) = 0;
    virtual HRESULT GetVolume(LONG* plVolume) = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

class IDirectSound {
public:
    virtual DWORD AddRef() = 0;
    virtual DWORD Release() = 0;

    // Primary buffer (DSBCAPS_PRIMARYBUFFER, no size, no format) or a secondary buffer of
    // dwBufferBytes bytes (DSBSIZE_MIN..DSBSIZE_MAX) in the given PCM format: tag 1, 1 or 2
    // channels, 8 or 16 bits, 100..200000 frames per second, block align = channels x bytes.
    // A new secondary buffer is stopped at position 0, full volume, its samples silent.
    // pUnkOuter must be null.
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* pcDSBufferDesc, LPDIRECTSOUNDBUFFER* ppDSBuffer,
                                      void* pUnkOuter) = 0;
    // A new buffer that shares the original's sample memory: stopped at position 0, with the
    // original's volume. The samples live until the last buffer sharing them is released.
    virtual HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER pDSBufferOriginal,
                                         LPDIRECTSOUNDBUFFER* ppDSBufferDuplicate) = 0;
    // Recorded; the software mixer has no levels.
    virtual HRESULT SetCooperativeLevel(HWND hwnd, DWORD dwLevel) = 0;

protected:
    virtual ~IDirectSound() = default;
};
using LPDIRECTSOUND = IDirectSound*;

// Creates a device on the default output. Never fails for want of sound hardware: it opens the
// process's audio output (OpenAudioOutput), which falls back to the silent null device.
// lpcGuidDevice must be null (the default device); pUnkOuter must be null.
HRESULT DirectSoundCreate(const void* lpcGuidDevice, LPDIRECTSOUND* ppDS, void* pUnkOuter);
