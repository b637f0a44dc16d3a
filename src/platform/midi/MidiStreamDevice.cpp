#include "platform/midi/MidiStreamDevice.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/Time.h"

namespace {

constexpr DWORD kDefaultTempo = 500000;
constexpr DWORD kEventHeader = 12;  // delta, stream id, event word

std::atomic<bool> g_bDriveVirtualClock{false};

// Callback messages kept while a test holds them (HoldMidiCallbacksForTest).
struct HeldPost {
    DWORD thread;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
struct CallbackHold {
    std::mutex lock;  // taken after a stream's own lock, never the other way round
    bool bHold = false;
    std::vector<HeldPost> posts;
};

CallbackHold& Hold()
{
    static CallbackHold hold;
    return hold;
}

DWORD ReadDword(const BYTE* p)
{
    DWORD v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Microseconds per tick as num / den for a division value; false for an unusable division.
bool TickLength(DWORD timeDiv, DWORD tempo, std::int64_t* pNum, std::int64_t* pDen)
{
    if ((timeDiv & 0x8000) == 0) {
        if (timeDiv == 0) return false;
        *pNum = tempo;
        *pDen = timeDiv & 0x7FFF;
        return true;
    }
    const int fps = -static_cast<std::int8_t>((timeDiv >> 8) & 0xFF);
    const int ticksPerFrame = static_cast<int>(timeDiv & 0xFF);
    if (ticksPerFrame == 0 || (fps != 24 && fps != 25 && fps != 29 && fps != 30)) return false;
    if (fps == 29) {  // 29.97 frames per second (drop frame)
        *pNum = 1001000;
        *pDen = 30LL * ticksPerFrame;
    } else {
        *pNum = 1000000;
        *pDen = static_cast<std::int64_t>(fps) * ticksPerFrame;
    }
    return true;
}

// Bytes of a channel message by its status; 0 for anything that is not one.
std::size_t ChannelMessageLength(BYTE status)
{
    if (status < 0x80 || status >= 0xF0) return 0;
    return (status >= 0xC0 && status <= 0xDF) ? 2 : 3;
}

}  // namespace

MidiStreamDevice::MidiStreamDevice(HMIDISTRM hStream, DWORD callbackThread, std::shared_ptr<MidiSynth> synth)
    : m_hStream(hStream), m_CallbackThread(callbackThread), m_Synth(std::move(synth))
{}

MidiStreamDevice::~MidiStreamDevice()
{
    Close();
}

void MidiStreamDevice::Open()
{
    m_Thread = std::thread([this] { Run(); });
    Post(MM_MOM_OPEN, nullptr);
}

void MidiStreamDevice::Close()
{
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bClosed) return;
        m_bClosed = true;
        SilenceAll(NowUs());
        ReturnAll();
        m_State = State::Stopped;
        m_bQuit = true;
    }
    m_Wake.notify_all();
    if (m_Thread.joinable()) m_Thread.join();
    Post(MM_MOM_CLOSE, nullptr);
}

MMRESULT MidiStreamDevice::Out(MIDIHDR* lpHdr)
{
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bClosed) return MMSYSERR_INVALHANDLE;
        if ((lpHdr->dwFlags & MHDR_PREPARED) == 0) return MIDIERR_UNPREPARED;
        if (lpHdr->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
        if (lpHdr->dwBytesRecorded > lpHdr->dwBufferLength || lpHdr->dwBytesRecorded % 4 != 0)
            return MMSYSERR_INVALPARAM;
        lpHdr->dwFlags = (lpHdr->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
        m_Queue.push_back(lpHdr);
        if (m_bStarved) {
            m_bStarved = false;
            m_FloorUs = NowUs();
        }
    }
    m_Wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamDevice::Restart()
{
    std::shared_ptr<MidiSynth> current = GetMidiSynth();
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bClosed) return MMSYSERR_INVALHANDLE;
        // Nothing sounds between a stop or pause and this start: the synthesiser can change here.
        if (m_State != State::Playing) m_Synth = std::move(current);
        const std::int64_t now = NowUs();
        if (m_State == State::Paused) {
            const std::int64_t shift = now - m_PauseUs;
            m_LastUs += shift;
            if (m_FloorUs >= 0) m_FloorUs += shift;
        } else if (m_State == State::Stopped) {
            m_LastUs = now;
            m_LastRem = 0;
            m_FloorUs = -1;
        }
        m_State = State::Playing;
    }
    m_Wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamDevice::Pause()
{
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_bClosed) return MMSYSERR_INVALHANDLE;
    if (m_State == State::Playing) {
        m_PauseUs = NowUs();
        m_State = State::Paused;
        SilenceAll(m_PauseUs);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamDevice::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bClosed) return MMSYSERR_INVALHANDLE;
        SilenceAll(NowUs());
        ReturnAll();
        m_State = State::Stopped;
        m_Tempo = kDefaultTempo;
        m_bStarved = false;
        m_FloorUs = -1;
    }
    m_Wake.notify_all();
    return MMSYSERR_NOERROR;
}

MMRESULT MidiStreamDevice::SetTimeDiv(DWORD dwTimeDiv)
{
    std::int64_t num = 0;
    std::int64_t den = 0;
    if (!TickLength(dwTimeDiv, kDefaultTempo, &num, &den)) return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_bClosed) return MMSYSERR_INVALHANDLE;
    m_TimeDiv = dwTimeDiv;
    m_LastRem = 0;
    return MMSYSERR_NOERROR;
}

DWORD MidiStreamDevice::TimeDiv() const
{
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_TimeDiv;
}

MMRESULT MidiStreamDevice::SetTempo(DWORD dwTempo)
{
    if (dwTempo == 0 || dwTempo > 0x00FFFFFF) return MMSYSERR_INVALPARAM;
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_bClosed) return MMSYSERR_INVALHANDLE;
    m_Tempo = dwTempo;
    return MMSYSERR_NOERROR;
}

DWORD MidiStreamDevice::Tempo() const
{
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Tempo;
}

// The sequencer thread.
void MidiStreamDevice::Run()
{
    std::unique_lock<std::mutex> lock(m_Lock);
    while (!m_bQuit) {
        if (m_State != State::Playing || m_Queue.empty()) {
            m_Wake.wait(lock);
            continue;
        }
        MIDIHDR* hdr = m_Queue.front();
        Event ev;
        if (!Decode(hdr, m_Offset, ev)) {  // end of the buffer (or a broken event): return it
            Post(MM_MOM_DONE, CompleteFront());
            continue;
        }
        std::int64_t rem = 0;
        std::int64_t due = DueOf(ev.delta, &rem);
        if (m_FloorUs >= 0 && due < m_FloorUs) {
            due = m_FloorUs;
            rem = 0;
        }
        if (due > NowUs()) {
            WaitUntil(lock, due);
            continue;  // the state may have changed meanwhile
        }
        m_LastUs = due;
        m_LastRem = rem;
        m_FloorUs = -1;
        Play(ev, due);
        const DWORD eventOffset = m_Offset;
        m_Offset += ev.size;
        const bool bLast = m_Offset >= hdr->dwBytesRecorded;
        // A finished buffer is returned before its position callback is posted, so that the
        // callback can refill it at once; MM_MOM_DONE follows.
        if (ev.word & MEVT_F_CALLBACK) hdr->dwOffset = eventOffset;
        if (bLast) CompleteFront();
        if (ev.word & MEVT_F_CALLBACK) Post(MM_MOM_POSITIONCB, hdr);
        if (bLast) Post(MM_MOM_DONE, hdr);
    }
}

bool MidiStreamDevice::Decode(const MIDIHDR* lpHdr, DWORD offset, Event& ev) const
{
    const DWORD end = lpHdr->dwBytesRecorded;
    if (offset > end || end - offset < kEventHeader) return false;
    const BYTE* p = reinterpret_cast<const BYTE*>(lpHdr->lpData) + offset;
    ev.delta = ReadDword(p);
    ev.word = ReadDword(p + 8);
    ev.size = kEventHeader;
    if (ev.word & MEVT_F_LONG) {
        const DWORD len = MEVT_EVENTPARM(ev.word);
        const DWORD padded = (len + 3) & ~3u;
        if (padded > end - offset - kEventHeader) return false;
        ev.data = p + kEventHeader;
        ev.dataLen = len;
        ev.size += padded;
    }
    return true;
}

std::int64_t MidiStreamDevice::DueOf(DWORD delta, std::int64_t* pRemainder) const
{
    std::int64_t num = 0;
    std::int64_t den = 1;
    if (!TickLength(m_TimeDiv, m_Tempo, &num, &den)) {
        *pRemainder = 0;
        return m_LastUs;
    }
    const std::int64_t total = static_cast<std::int64_t>(delta) * num + m_LastRem;
    *pRemainder = total % den;
    return m_LastUs + total / den;
}

void MidiStreamDevice::WaitUntil(std::unique_lock<std::mutex>& lock, std::int64_t dueUs)
{
    const std::int64_t waitUs = dueUs - NowUs();
    if (!IsVirtualClock()) {
        m_Wake.wait_for(lock, std::chrono::microseconds(waitUs));
    } else if (g_bDriveVirtualClock) {
        // The sequencer moves the virtual clock to the due time itself.
        const DWORD ms = static_cast<DWORD>(std::min<std::int64_t>((waitUs + 999) / 1000, 0x7FFFFFFF));
        lock.unlock();
        Sleep(ms);
        lock.lock();
    } else {
        // Others move the virtual clock: look again after a millisecond of real time.
        m_Wake.wait_for(lock, std::chrono::milliseconds(1));
    }
}

void SetMidiClockDriving(bool bDrive)
{
    g_bDriveVirtualClock = bDrive;
}

void MidiStreamDevice::Play(const Event& ev, std::int64_t dueUs)
{
    const DWORD timeMs = static_cast<DWORD>(dueUs / 1000);
    if (ev.word & MEVT_F_LONG) {
        if ((MEVT_EVENTTYPE(ev.word) & ~0x40) == MEVT_LONGMSG && ev.dataLen > 0)
            m_Synth->Send(timeMs, ev.data, ev.dataLen);
        return;
    }
    const BYTE type = MEVT_EVENTTYPE(ev.word) & ~0x40;
    if (type == MEVT_TEMPO) {
        if (MEVT_EVENTPARM(ev.word) != 0) m_Tempo = MEVT_EVENTPARM(ev.word);
    } else if (type == MEVT_SHORTMSG) {
        // Status 0xFF (System Reset on a device) and other non-channel statuses are not sent.
        const BYTE msg[3] = {static_cast<BYTE>(ev.word & 0xFF), static_cast<BYTE>((ev.word >> 8) & 0x7F),
                             static_cast<BYTE>((ev.word >> 16) & 0x7F)};
        const std::size_t len = ChannelMessageLength(msg[0]);
        if (len > 0) m_Synth->Send(timeMs, msg, len);
    }
}

MIDIHDR* MidiStreamDevice::CompleteFront()
{
    MIDIHDR* hdr = m_Queue.front();
    m_Queue.pop_front();
    m_Offset = 0;
    hdr->dwFlags = (hdr->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    if (m_Queue.empty() && m_State == State::Playing) m_bStarved = true;
    return hdr;
}

void MidiStreamDevice::ReturnAll()
{
    while (!m_Queue.empty()) {
        MIDIHDR* hdr = m_Queue.front();
        m_Queue.pop_front();
        hdr->dwFlags = (hdr->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        Post(MM_MOM_DONE, hdr);
    }
    m_Offset = 0;
}

// Sustain released, then all notes off, on every channel.
void MidiStreamDevice::SilenceAll(std::int64_t nowUs)
{
    const DWORD timeMs = static_cast<DWORD>(nowUs / 1000);
    for (BYTE ch = 0; ch < 16; ++ch) {
        const BYTE sustainOff[3] = {static_cast<BYTE>(0xB0 | ch), 64, 0};
        const BYTE notesOff[3] = {static_cast<BYTE>(0xB0 | ch), 123, 0};
        m_Synth->Send(timeMs, sustainOff, 3);
        m_Synth->Send(timeMs, notesOff, 3);
    }
}

void MidiStreamDevice::Post(UINT uMsg, MIDIHDR* lpHdr) const
{
    if (m_CallbackThread == 0) return;
    const auto wParam = reinterpret_cast<WPARAM>(m_hStream);
    const auto lParam = reinterpret_cast<LPARAM>(lpHdr);
    std::lock_guard<std::mutex> lock(Hold().lock);
    if (Hold().bHold)
        Hold().posts.push_back({m_CallbackThread, uMsg, wParam, lParam});
    else
        PostThreadMessage(m_CallbackThread, uMsg, wParam, lParam);
}

void HoldMidiCallbacksForTest(bool bHold)
{
    std::lock_guard<std::mutex> lock(Hold().lock);
    Hold().bHold = bHold;
    if (bHold) return;
    for (const HeldPost& post : Hold().posts) PostThreadMessage(post.thread, post.message, post.wParam, post.lParam);
    Hold().posts.clear();
}

std::vector<HeldMidiCallback> HeldMidiCallbacksForTest()
{
    std::lock_guard<std::mutex> lock(Hold().lock);
    std::vector<HeldMidiCallback> held;
    for (const HeldPost& post : Hold().posts) held.push_back({post.thread, post.message});
    return held;
}

std::int64_t MidiStreamDevice::NowUs()
{
    LARGE_INTEGER count;
    LARGE_INTEGER freq;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&freq);
    if (freq.QuadPart <= 0) return static_cast<std::int64_t>(timeGetTime()) * 1000;
    return count.QuadPart / freq.QuadPart * 1000000 + count.QuadPart % freq.QuadPart * 1000000 / freq.QuadPart;
}
