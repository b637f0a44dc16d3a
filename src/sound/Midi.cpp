#include "sound/Midi.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/midi/MidiSynth.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"

namespace {

constexpr DWORD kEventHeader = 12;
constexpr DWORD kEndOfSong = 0x002FFF;        // FF 2F 00 as a short message
constexpr DWORD kCallbackExitWaitMs = 10000;  // real milliseconds

void PutDword(char* p, DWORD v)
{
    std::memcpy(p, &v, sizeof v);
}

DWORD GetDword(const char* p)
{
    DWORD v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

DWORD SaturatingAdd(DWORD a, DWORD b)
{
    return a > 0xFFFFFFFF - b ? 0xFFFFFFFF : a + b;
}

// Posts the thread WM_APP every millisecond until the post succeeds, that is until the thread
// owns its message queue. False when the thread ended first.
bool CallbackQueueReady(const cThread& thread)
{
    const DWORD threadId = thread.m_dwThreadID;
    while (!PostThreadMessage(threadId, WM_APP, 0, 0)) {
        const HANDLE h = thread.m_hThread.load();
        if (h == nullptr || WaitForSingleObject(h, 0) != WAIT_TIMEOUT) return false;
        Sleep(1);
    }
    return true;
}

// Opens the synthesiser behind the streams as a song is to sound (with music off no song plays,
// and without an audio device nothing is opened); says once per run when MIDI music will be
// silent for want of one.
void OpenSynthOnce()
{
    static std::atomic<bool> s_bReported{false};
    std::string why;
    if (!OpenMidiSynth(&why) && !s_bReported.exchange(true)) {
        static const std::string kSilent = Sjis("MIDI音源が使えません（MIDIの音楽は鳴りません）: %s");
        ReportLogEC(kSilent.c_str(), why.c_str());
    }
}

}  // namespace

cMidi::cMidi(const char* szFileName) : cMidiFile(szFileName)
{
    if (lpSong) Open();
}

cMidi::~cMidi()
{
    Close();
}

void cMidi::Open()
{
    for (int i = 0; i < kBuffers; ++i) {
        m_BufferData[i].assign(nBufferSize, 0);
        lpHeader[i] = MIDIHDR{};
        lpHeader[i].lpData = m_BufferData[i].data();
        lpHeader[i].dwBufferLength = nBufferSize;
        lpHeader[i].dwUser = static_cast<DWORD_PTR>(i);
    }

    // The callback thread must own its queue before the stream posts to it: a position callback
    // posted earlier is lost, and with it the refill or the end of the song. A thread that is
    // slow to be scheduled is waited for however long it takes; only one that ended without a
    // queue leaves the player without a stream.
    DWORD threadId = 0;
    if (hThread.Start(MidiThreadProc, this) && CallbackQueueReady(hThread)) threadId = hThread.m_dwThreadID;
    ThreadLockHolder lock(m_Lock);
    UINT device = MIDI_MAPPER;
    MMRESULT result =
        threadId == 0 ? MMSYSERR_NOMEM : midiStreamOpen(&hStream, &device, 1, threadId, 0, CALLBACK_THREAD);
    LogResult("Open", result);
    if (result != MMSYSERR_NOERROR) hStream = nullptr;

    MIDIPROPTIMEDIV prop;
    prop.dwTimeDiv = (DWORD{(*lpSong)[12]} << 8) | (*lpSong)[13];
    LogResult("Property", midiStreamProperty(hStream, reinterpret_cast<BYTE*>(&prop), MIDIPROP_SET | MIDIPROP_TIMEDIV));
    nReadPos = kSongEventStart;
    nState = kStopped;
    m_nCarryDelta = 0;
    m_bEndedInPause = false;
    OutLocked();
}

void cMidi::Close()
{
    if (!lpSong) return;
    {
        ThreadLockHolder lock(m_Lock);
        if (m_bClosing) return;
        m_bClosing = true;  // callbacks from here on do nothing
        if (hStream != nullptr) LogResult("Reset", midiOutReset(OutHandle()));
    }
    EndCallbackThread();  // no callback runs after this
    ThreadLockHolder lock(m_Lock);
    if (hStream != nullptr) {
        for (MIDIHDR& hdr : lpHeader)
            LogResult("Unprepare", midiOutUnprepareHeader(OutHandle(), &hdr, sizeof(MIDIHDR)));
        LogResult("Close", midiStreamClose(hStream));
        hStream = nullptr;
    }
    for (auto& data : m_BufferData) std::vector<char>().swap(data);
    nState = kStopped;
}

// The thread leaves at its WM_QUIT. It is waited for in real time: under a test's virtual clock
// cThread::Exit's polls take no time, and a thread that is late to run (a loaded machine) would
// be let go while it may still call into this player as it is freed.
void cMidi::EndCallbackThread()
{
    const HANDLE h = hThread.m_hThread.load();
    if (h != nullptr && PostThreadMessage(hThread.m_dwThreadID, WM_QUIT, 0, 0)) {
        if (WaitForSingleObject(h, kCallbackExitWaitMs) != WAIT_OBJECT_0)
            ReportLogEC("Midi %s callback thread did not end", strFileName.c_str());
    }
    hThread.Exit();  // lets go of the handle (asks and waits again if the thread still runs)
}

void cMidi::Out()
{
    ThreadLockHolder lock(m_Lock);
    OutLocked();
}

void cMidi::OutLocked()
{
    if (!lpSong || !SongLeft() || m_BufferData[nBuffer].empty()) return;
    MIDIHDR* hdr = &lpHeader[nBuffer];
    if (hdr->dwFlags & MHDR_INQUEUE) return;
    m_QueuedPass[nBuffer] = m_nPass;
    nReadPos += ConvertBuffer(nReadPos, hdr);
    LogResult("Prepare", midiOutPrepareHeader(OutHandle(), hdr, sizeof(MIDIHDR)));
    LogResult("Out", midiStreamOut(hStream, hdr, sizeof(MIDIHDR)));
    nBuffer = (nBuffer + 1) % kBuffers;
}

void cMidi::Restart(int bLoopSong)
{
    if (!lpSong) return;
    OpenSynthOnce();  // before the lock: loading a SoundFont takes a while
    ThreadLockHolder lock(m_Lock);
    RestartLocked(bLoopSong);
}

void cMidi::RestartLocked(int bLoopSong)
{
    bLoop = bLoopSong;
    if (nState == kPlaying) return;
    if (nState == kPaused && m_bEndedInPause) {  // resumed at the very end: the song ends now
        EndOfSongLocked();
        return;
    }
    const bool bFromStop = nState == kStopped;
    LogResult("Restart", midiStreamRestart(hStream));
    nState = kPlaying;
    if (bFromStop) OutLocked();
}

void cMidi::Stop(int bPause)
{
    if (!lpSong) return;
    ThreadLockHolder lock(m_Lock);
    StopLocked(bPause);
}

void cMidi::StopLocked(int bPause)
{
    if (bPause) {
        if (nState == kPlaying) {
            LogResult("Pause", midiStreamPause(hStream));
            nState = kPaused;
        }
        return;
    }
    LogResult("Stop", midiStreamStop(hStream));
    nState = kStopped;
    nReadPos = kSongEventStart;
    m_nCarryDelta = 0;
    ++m_nPass;
    m_bEndedInPause = false;
    OutLocked();
}

int cMidi::GetState() const
{
    ThreadLockHolder lock(m_Lock);
    return nState;
}

std::size_t cMidi::SongEnd() const
{
    const std::vector<BYTE>& song = *lpSong;
    const std::size_t length =
        (std::size_t{song[18]} << 24) | (std::size_t{song[19]} << 16) | (std::size_t{song[20]} << 8) | song[21];
    return std::min(song.size(), kSongEventStart + length);
}

bool cMidi::SongLeft() const
{
    return nReadPos < SongEnd();
}

DWORD cMidi::ConvertBuffer(DWORD nPos, MIDIHDR* lpHdr)
{
    char* out = lpHdr->lpData;
    const DWORD capacity = lpHdr->dwBufferLength;
    std::memset(out, 0, capacity);
    const BYTE* song = lpSong->data();
    const std::size_t end = SongEnd();
    DWORD written = 0;
    DWORD consumed = 0;
    DWORD lastEvent = capacity;  // offset of the last event written; capacity = none yet

    std::size_t pos = nPos;
    while (pos < end) {
        unsigned delta = 0;
        const BYTE n = ReadVarLen(song + pos, song + end, &delta);
        if (n == 0 || pos + n >= end) break;
        const std::size_t at = pos + n;  // the status byte
        const BYTE status = song[at];
        DWORD word = 0;
        DWORD size = kEventHeader;
        const BYTE* longData = nullptr;
        DWORD longLen = 0;
        bool bSkip = false;
        bool bEnd = false;
        std::size_t eventSize = 0;  // bytes of the event in the song

        if (status == 0xF0 || status == 0xF7 || status == 0xFF) {
            const std::size_t lengthAt = status == 0xFF ? at + 2 : at + 1;
            unsigned dataLen = 0;
            const BYTE vn = lengthAt < end ? ReadVarLen(song + lengthAt, song + end, &dataLen) : 0;
            if (vn == 0 || end - (lengthAt + vn) < dataLen) break;
            const std::size_t dataAt = lengthAt + vn;
            eventSize = dataAt + dataLen - pos;
            if (status == 0xFF) {
                const BYTE type = song[at + 1];
                if (type == 0x2F) {
                    word = kEndOfSong | MEVT_F_CALLBACK;
                    bEnd = true;
                } else if (type == 0x51 && dataLen >= 3) {
                    word = (DWORD{MEVT_TEMPO} << 24) | (DWORD{song[dataAt]} << 16) | (DWORD{song[dataAt + 1]} << 8) |
                           song[dataAt + 2];
                } else {
                    bSkip = true;
                }
            } else {
                // F0: the status and its data; F7 (a packet of raw bytes): the data alone.
                longData = song + dataAt;
                longLen = status == 0xF0 ? dataLen + 1 : dataLen;
                size = kEventHeader + ((longLen + 3) & ~3u);
                word = MEVT_F_LONG | longLen;
                bSkip = longLen == 0 || size > capacity;  // a message larger than a buffer is left out
            }
        } else {
            const std::size_t dataBytes = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
            if (end - at - 1 < dataBytes) break;
            eventSize = n + 1 + dataBytes;
            word = status | (DWORD{song[at + 1]} << 8);
            if (dataBytes == 2) word |= DWORD{song[at + 2]} << 16;
        }

        if (bSkip) {
            m_nCarryDelta = SaturatingAdd(m_nCarryDelta, delta);
            consumed += static_cast<DWORD>(eventSize);
            pos += eventSize;
            continue;
        }
        if (size > capacity - written) break;  // it waits for the next buffer
        PutDword(out + written, SaturatingAdd(delta, m_nCarryDelta));
        PutDword(out + written + 4, 0);
        PutDword(out + written + 8, word);
        if (longData != nullptr) {
            char* message = out + written + kEventHeader;
            if (status == 0xF0) *message++ = static_cast<char>(0xF0);
            std::memcpy(message, longData, status == 0xF0 ? longLen - 1 : longLen);
        }
        m_nCarryDelta = 0;
        lastEvent = written;
        written += size;
        consumed += static_cast<DWORD>(eventSize);
        pos += eventSize;
        if (bEnd) break;
    }
    if (lastEvent < capacity)  // the last event asks for the callback that refills the buffer
        PutDword(out + lastEvent + 8, GetDword(out + lastEvent + 8) | MEVT_F_CALLBACK);

    lpHdr->dwBytesRecorded = written;
    lpHdr->dwFlags = 0;
    lpHdr->lpNext = nullptr;
    lpHdr->reserved = 0;
    lpHdr->dwOffset = 0;
    std::memset(lpHdr->dwReserved, 0, sizeof lpHdr->dwReserved);
    return consumed;
}

bool cMidi::IsCurrentCallback(const MIDIHDR* lpHdr) const
{
    for (int i = 0; i < kBuffers; ++i) {
        if (lpHdr != &lpHeader[i]) continue;
        // Queued again since the callback was posted, or queued before the last stop: stale.
        return (lpHdr->dwFlags & MHDR_INQUEUE) == 0 && m_QueuedPass[i] == m_nPass;
    }
    return false;  // not one of this player's buffers
}

void cMidi::OnPositionCallback(MIDIHDR* lpHdr)
{
    ThreadLockHolder lock(m_Lock);
    if (m_bClosing || !IsCurrentCallback(lpHdr)) return;
    if (lpHdr->dwOffset > lpHdr->dwBytesRecorded || lpHdr->dwBytesRecorded - lpHdr->dwOffset < kEventHeader) return;
    const DWORD word = GetDword(lpHdr->lpData + lpHdr->dwOffset + 8);
    if ((word & 0x00FFFFFF) == kEndOfSong) {
        if (nState == kPaused)  // the pause holds; the song ends when it is resumed
            m_bEndedInPause = true;
        else if (nState == kPlaying)
            EndOfSongLocked();
    } else if (SongLeft()) {
        OutLocked();
    }
}

void cMidi::EndOfSongLocked()
{
    StopLocked(0);
    if (bLoop) RestartLocked(1);
}

void cMidi::LogResult(const char* szCall, MMRESULT result) const
{
    if (result == MMSYSERR_NOERROR) return;
    char text[256];
    if (midiOutGetErrorTextA(result, text, sizeof text) != MMSYSERR_NOERROR)
        std::snprintf(text, sizeof text, "error %u", result);
    ReportLogEC("Midi %s %s %s", strFileName.c_str(), szCall, text);
}

unsigned MidiThreadProc(void* lpParam)
{
    cMidi* player = static_cast<cMidi*>(lpParam);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == MM_MOM_POSITIONCB) player->OnPositionCallback(reinterpret_cast<MIDIHDR*>(msg.lParam));
    }
    return 0;
}
