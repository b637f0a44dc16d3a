// The midiStream* calls: a table of open streams by handle.
#include "platform/midi/MidiStream.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/midi/MidiStreamDevice.h"

namespace {

std::mutex g_TableLock;
std::map<HMIDISTRM, std::shared_ptr<MidiStreamDevice>> g_Streams;
std::uintptr_t g_NextHandle = 0x1000;

std::shared_ptr<MidiStreamDevice> Find(const void* handle)
{
    std::lock_guard<std::mutex> lock(g_TableLock);
    auto it = g_Streams.find(static_cast<HMIDISTRM>(const_cast<void*>(handle)));
    return it == g_Streams.end() ? nullptr : it->second;
}

bool HeaderUsable(const MIDIHDR* lpHdr, UINT cbHdr)
{
    return lpHdr != nullptr && cbHdr >= sizeof(MIDIHDR);
}

}  // namespace

MMRESULT midiStreamOpen(HMIDISTRM* phStream, UINT* puDeviceID, DWORD cMidi, DWORD_PTR dwCallback,
                        DWORD_PTR /*dwInstance*/, DWORD fdwOpen)
{
    if (phStream == nullptr || puDeviceID == nullptr || cMidi != 1) return MMSYSERR_INVALPARAM;
    *phStream = nullptr;
    if (*puDeviceID != MIDI_MAPPER && *puDeviceID != 0) return MMSYSERR_BADDEVICEID;
    const DWORD kind = fdwOpen & 0x00070000;
    if (kind != CALLBACK_NULL && kind != CALLBACK_THREAD) return MMSYSERR_INVALFLAG;
    const DWORD callbackThread = kind == CALLBACK_THREAD ? static_cast<DWORD>(dwCallback) : 0;

    std::shared_ptr<MidiStreamDevice> device;
    HMIDISTRM handle;
    {
        std::lock_guard<std::mutex> lock(g_TableLock);
        handle = reinterpret_cast<HMIDISTRM>(g_NextHandle);
        g_NextHandle += 0x10;
        device = std::make_shared<MidiStreamDevice>(handle, callbackThread, GetMidiSynth());
        g_Streams[handle] = device;
    }
    device->Open();
    *phStream = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT midiStreamClose(HMIDISTRM hStream)
{
    std::shared_ptr<MidiStreamDevice> device;
    {
        std::lock_guard<std::mutex> lock(g_TableLock);
        auto it = g_Streams.find(hStream);
        if (it == g_Streams.end()) return MMSYSERR_INVALHANDLE;
        device = it->second;
        g_Streams.erase(it);
    }
    device->Close();
    return MMSYSERR_NOERROR;
}

MMRESULT midiStreamOut(HMIDISTRM hStream, MIDIHDR* lpMidiHdr, UINT cbMidiHdr)
{
    auto device = Find(hStream);
    if (!device) return MMSYSERR_INVALHANDLE;
    if (!HeaderUsable(lpMidiHdr, cbMidiHdr)) return MMSYSERR_INVALPARAM;
    return device->Out(lpMidiHdr);
}

MMRESULT midiStreamRestart(HMIDISTRM hStream)
{
    auto device = Find(hStream);
    return device ? device->Restart() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiStreamPause(HMIDISTRM hStream)
{
    auto device = Find(hStream);
    return device ? device->Pause() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiStreamStop(HMIDISTRM hStream)
{
    auto device = Find(hStream);
    return device ? device->Stop() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutReset(HMIDIOUT hMidiOut)
{
    auto device = Find(hMidiOut);
    return device ? device->Stop() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiStreamProperty(HMIDISTRM hStream, BYTE* lpPropData, DWORD dwProperty)
{
    auto device = Find(hStream);
    if (!device) return MMSYSERR_INVALHANDLE;
    const bool bSet = (dwProperty & MIDIPROP_SET) != 0;
    const bool bGet = (dwProperty & MIDIPROP_GET) != 0;
    const DWORD which = dwProperty & ~(MIDIPROP_SET | MIDIPROP_GET);
    if (lpPropData == nullptr || bSet == bGet || (which != MIDIPROP_TIMEDIV && which != MIDIPROP_TEMPO))
        return MMSYSERR_INVALPARAM;
    DWORD block[2];
    std::memcpy(block, lpPropData, sizeof block);
    if (block[0] < sizeof block) return MMSYSERR_INVALPARAM;
    if (bSet) return which == MIDIPROP_TIMEDIV ? device->SetTimeDiv(block[1]) : device->SetTempo(block[1]);
    block[1] = which == MIDIPROP_TIMEDIV ? device->TimeDiv() : device->Tempo();
    std::memcpy(lpPropData, block, sizeof block);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutPrepareHeader(HMIDIOUT hMidiOut, MIDIHDR* lpMidiHdr, UINT cbMidiHdr)
{
    if (!Find(hMidiOut)) return MMSYSERR_INVALHANDLE;
    if (!HeaderUsable(lpMidiHdr, cbMidiHdr) || lpMidiHdr->lpData == nullptr || lpMidiHdr->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    lpMidiHdr->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(HMIDIOUT hMidiOut, MIDIHDR* lpMidiHdr, UINT cbMidiHdr)
{
    if (!Find(hMidiOut)) return MMSYSERR_INVALHANDLE;
    if (!HeaderUsable(lpMidiHdr, cbMidiHdr)) return MMSYSERR_INVALPARAM;
    if (lpMidiHdr->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    lpMidiHdr->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutGetErrorTextA(MMRESULT mmrError, char* pszText, UINT cchText)
{
    const char* text = nullptr;
    switch (mmrError) {
    case MMSYSERR_NOERROR: text = "The command completed successfully."; break;
    case MMSYSERR_ERROR: text = "Unspecified error."; break;
    case MMSYSERR_BADDEVICEID: text = "The device identifier is out of range."; break;
    case MMSYSERR_INVALHANDLE: text = "The handle is not valid."; break;
    case MMSYSERR_NOMEM: text = "Not enough memory."; break;
    case MMSYSERR_INVALFLAG: text = "A flag is not valid."; break;
    case MMSYSERR_INVALPARAM: text = "A parameter is not valid."; break;
    case MIDIERR_UNPREPARED: text = "The header was not prepared."; break;
    case MIDIERR_STILLPLAYING: text = "The buffer is still playing."; break;
    default: return MMSYSERR_BADERRNUM;
    }
    if (pszText == nullptr || cchText == 0) return MMSYSERR_INVALPARAM;
    std::strncpy(pszText, text, cchText - 1);
    pszText[cchText - 1] = '\0';
    return MMSYSERR_NOERROR;
}
