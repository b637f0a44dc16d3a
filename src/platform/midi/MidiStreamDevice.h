// One open MIDI stream: its queue of buffers, its clock and its sequencer thread.
//
// The sequencer plays the events of the first queued buffer in order. Each event is due at the
// due time of the event before it plus its delta ticks at the current tick length (tempo /
// division, or the SMPTE frame rate). When the queue ran dry and the next buffer arrives late,
// its first event plays at once and the timing continues from there. Under the virtual clock the
// sequencer follows the clock, or drives it (SetMidiClockDriving).
//
// midiStream* calls (MidiStream.cpp) map a handle to one of these; every method is thread-safe.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/midi/MidiStream.h"
#include "platform/midi/MidiSynth.h"

class MidiStreamDevice {
public:
    // hStream is the handle the callbacks carry; callbackThread the thread that receives them
    // (0: no callbacks). synth receives the played messages until a start takes the process's
    // synthesiser as it is then (GetMidiSynth: it may have been opened since).
    MidiStreamDevice(HMIDISTRM hStream, DWORD callbackThread, std::shared_ptr<MidiSynth> synth);
    ~MidiStreamDevice();
    MidiStreamDevice(const MidiStreamDevice&) = delete;
    MidiStreamDevice& operator=(const MidiStreamDevice&) = delete;

    // Starts the sequencer thread and posts MM_MOM_OPEN.
    void Open();
    // Stops, returns the queue, posts MM_MOM_CLOSE and ends the sequencer thread (joined).
    void Close();

    MMRESULT Out(MIDIHDR* lpHdr);
    MMRESULT Restart();
    MMRESULT Pause();
    // Stop and reset: both silence, return every queued buffer and rewind to tick 0.
    MMRESULT Stop();
    MMRESULT SetTimeDiv(DWORD dwTimeDiv);
    DWORD TimeDiv() const;
    MMRESULT SetTempo(DWORD dwTempo);
    DWORD Tempo() const;

private:
    enum class State { Stopped, Paused, Playing };

    // One event decoded from a buffer.
    struct Event {
        DWORD delta = 0;
        DWORD word = 0;
        const BYTE* data = nullptr;  // bytes of a long event
        DWORD dataLen = 0;
        DWORD size = 0;  // bytes the event takes in the buffer
    };

    void Run();
    bool Decode(const MIDIHDR* lpHdr, DWORD offset, Event& ev) const;
    std::int64_t DueOf(DWORD delta, std::int64_t* pRemainder) const;
    void WaitUntil(std::unique_lock<std::mutex>& lock, std::int64_t dueUs);
    void Play(const Event& ev, std::int64_t dueUs);
    // Takes the first buffer out of the queue, marked done; the caller posts MM_MOM_DONE.
    MIDIHDR* CompleteFront();
    void ReturnAll();
    void SilenceAll(std::int64_t nowUs);
    void Post(UINT uMsg, MIDIHDR* lpHdr) const;

    static std::int64_t NowUs();

    const HMIDISTRM m_hStream;
    const DWORD m_CallbackThread;
    std::shared_ptr<MidiSynth> m_Synth;  // taken again at each start (Restart)

    mutable std::mutex m_Lock;
    std::condition_variable m_Wake;
    std::thread m_Thread;
    bool m_bQuit = false;
    bool m_bClosed = false;

    State m_State = State::Stopped;
    std::deque<MIDIHDR*> m_Queue;
    DWORD m_Offset = 0;  // offset of the next event in the first queued buffer

    DWORD m_TimeDiv = 96;
    DWORD m_Tempo = 500000;
    // Due time of the last event played, in microseconds plus a remainder in 1/den microseconds.
    std::int64_t m_LastUs = 0;
    std::int64_t m_LastRem = 0;
    // After the queue ran dry: the next event plays no earlier than this (-1: no floor).
    bool m_bStarved = false;
    std::int64_t m_FloorUs = -1;
    std::int64_t m_PauseUs = 0;
};
