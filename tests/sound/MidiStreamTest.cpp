// The MIDI stream stand-in on the virtual clock with the recording synthesiser: event timing from
// division and tempo, the callback sequence and dwOffset, stop and reset returning buffers, pause,
// a buffer that arrives late, status 0xFF as a no-op, and the errors of misuse.
#include "platform/midi/MidiStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <list>
#include <thread>
#include <vector>

#include "MusicTestSupport.h"
#include "platform/win/Messages.h"

namespace {

// One buffer of stream events built by the test.
class EventBuffer {
public:
    EventBuffer() : m_Data(4096)
    {
        header.lpData = m_Data.data();
        header.dwBufferLength = static_cast<DWORD>(m_Data.size());
    }
    // Appends an event and returns its byte offset.
    DWORD Add(DWORD delta, DWORD word, const std::vector<BYTE>& longData = {})
    {
        const DWORD at = header.dwBytesRecorded;
        Put(at, delta);
        Put(at + 4, 0);
        Put(at + 8, word);
        if (!longData.empty()) std::memcpy(m_Data.data() + at + 12, longData.data(), longData.size());
        header.dwBytesRecorded = at + 12 + ((static_cast<DWORD>(longData.size()) + 3) & ~3u);
        return at;
    }
    MIDIHDR header;

private:
    void Put(DWORD at, DWORD v) { std::memcpy(m_Data.data() + at, &v, 4); }
    std::vector<char> m_Data;
};

DWORD Note(BYTE status, BYTE key, BYTE velocity)
{
    return status | (DWORD{key} << 8) | (DWORD{velocity} << 16);
}

class MidiStreamTest : public musictest::MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {  // this thread receives the callbacks
        }
        UINT device = MIDI_MAPPER;
        ASSERT_EQ(midiStreamOpen(&stream, &device, 1, GetCurrentThreadId(), 0, CALLBACK_THREAD), MMSYSERR_NOERROR);
        SetDivision(96);
    }
    void TearDown() override
    {
        if (stream != nullptr) {
            midiOutReset(Out());
            midiStreamClose(stream);
        }
        MusicTest::TearDown();
    }
    HMIDIOUT Out() const { return reinterpret_cast<HMIDIOUT>(stream); }
    void SetDivision(DWORD division)
    {
        MIDIPROPTIMEDIV prop;
        prop.dwTimeDiv = division;
        ASSERT_EQ(midiStreamProperty(stream, reinterpret_cast<BYTE*>(&prop), MIDIPROP_SET | MIDIPROP_TIMEDIV),
                  MMSYSERR_NOERROR);
    }
    void Queue(EventBuffer& buffer)
    {
        ASSERT_EQ(midiOutPrepareHeader(Out(), &buffer.header, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(midiStreamOut(stream, &buffer.header, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
    }
    // The next callback message of this thread other than MM_MOM_OPEN (bounded real-time wait).
    MSG NextCallback()
    {
        MSG msg{};
        for (int i = 0; i < 20000; ++i) {
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message != MM_MOM_OPEN && msg.wParam == reinterpret_cast<WPARAM>(stream)) return msg;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ADD_FAILURE() << "no callback arrived";
        return MSG{};
    }
    // Times of the notes relative to the first one.
    std::vector<DWORD> NoteTimes() const
    {
        std::vector<DWORD> times;
        for (const auto& e : Notes()) times.push_back(e.timeMs - Notes().front().timeMs);
        return times;
    }

    // Buffers live until the stream is closed, as the stream may read them until then.
    EventBuffer& NewBuffer() { return m_Buffers.emplace_back(); }

    HMIDISTRM stream = nullptr;

private:
    std::list<EventBuffer> m_Buffers;
};

TEST_F(MidiStreamTest, TimesEventsFromDivisionAndTempo)
{
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, Note(0x90, 60, 100));
    buffer.Add(96, Note(0x80, 60, 0));                     // a quarter at 500000 us: 500 ms
    buffer.Add(48, Note(0x90, 62, 100));                   // an eighth: 250 ms
    buffer.Add(0, (DWORD{MEVT_TEMPO} << 24) | 250000);     // twice as fast from here
    buffer.Add(96, Note(0x80, 62, 0));                     // a quarter at 250000 us: 250 ms
    buffer.Add(1, Note(0x90, 64, 100) | MEVT_F_CALLBACK);  // 250000 / 96 us: 2.6 ms
    Queue(buffer);
    EXPECT_TRUE(Notes().empty()) << "queueing alone plays nothing";
    const DWORD start = timeGetTime();
    ASSERT_EQ(midiStreamRestart(stream), MMSYSERR_NOERROR);
    ASSERT_TRUE(WaitForNotes(5));
    EXPECT_EQ(Notes().front().timeMs, start);
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 500, 750, 1000, 1002}));
}

TEST_F(MidiStreamTest, SmpteDivisionIgnoresTempo)
{
    SetDivision(0xE728);  // -25 frames per second, 40 ticks per frame: 1 ms per tick
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, Note(0x90, 60, 100));
    buffer.Add(0, (DWORD{MEVT_TEMPO} << 24) | 100000);
    buffer.Add(1234, Note(0x80, 60, 0) | MEVT_F_CALLBACK);
    Queue(buffer);
    midiStreamRestart(stream);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 1234}));
}

TEST_F(MidiStreamTest, LastEventCallbackReturnsTheBufferFirstAndCarriesItsOffset)
{
    EventBuffer& first = NewBuffer();
    first.Add(0, Note(0x90, 60, 100));
    first.Add(0, MEVT_F_LONG | 6, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
    const DWORD lastOfFirst = first.Add(10, Note(0x80, 60, 0) | MEVT_F_CALLBACK);
    EventBuffer& second = NewBuffer();
    second.Add(10, Note(0x90, 62, 100));
    Queue(first);
    Queue(second);
    midiStreamRestart(stream);

    const MSG position = NextCallback();
    ASSERT_EQ(position.message, MM_MOM_POSITIONCB);
    EXPECT_EQ(position.wParam, reinterpret_cast<WPARAM>(stream));
    ASSERT_EQ(position.lParam, reinterpret_cast<LPARAM>(&first.header));
    EXPECT_EQ(first.header.dwOffset, lastOfFirst);
    EXPECT_EQ(first.header.dwFlags & (MHDR_INQUEUE | MHDR_DONE), MHDR_DONE) << "returned before the callback";
    const MSG done = NextCallback();
    EXPECT_EQ(done.message, MM_MOM_DONE);
    EXPECT_EQ(done.lParam, reinterpret_cast<LPARAM>(&first.header));
    const MSG secondDone = NextCallback();  // the second buffer ends without a callback event
    EXPECT_EQ(secondDone.message, MM_MOM_DONE);
    EXPECT_EQ(secondDone.lParam, reinterpret_cast<LPARAM>(&second.header));

    // The long message reaches the synthesiser as it is; the timing runs across buffers.
    const auto log = synth->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1].bytes, (std::vector<BYTE>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 52, 104}));  // 10 ticks of 5208.3 us each
}

TEST_F(MidiStreamTest, StatusFFIsNotSent)
{
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, Note(0x90, 60, 100));
    buffer.Add(0, 0x002FFF | MEVT_F_CALLBACK);  // the players' end-of-song marker
    Queue(buffer);
    midiStreamRestart(stream);
    ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);
    const auto log = synth->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bytes, (std::vector<BYTE>{0x90, 60, 100}));
}

TEST_F(MidiStreamTest, StopAndResetReturnEveryBufferAndRewind)
{
    using StopCall = MMRESULT (*)(HMIDISTRM);
    const StopCall calls[] = {
        midiStreamStop,
        [](HMIDISTRM h) { return midiOutReset(reinterpret_cast<HMIDIOUT>(h)); },
    };
    for (StopCall stop : calls) {
        EventBuffer& a = NewBuffer();
        a.Add(0, Note(0x90, 60, 100));
        EventBuffer& b = NewBuffer();
        b.Add(0, Note(0x90, 61, 100));
        Queue(a);
        Queue(b);
        EXPECT_EQ(midiOutUnprepareHeader(Out(), &a.header, sizeof(MIDIHDR)), MIDIERR_STILLPLAYING);
        ASSERT_EQ(stop(stream), MMSYSERR_NOERROR);
        for (const EventBuffer* buffer : {&a, &b}) {
            const MSG done = NextCallback();
            EXPECT_EQ(done.message, MM_MOM_DONE);
            EXPECT_EQ(done.lParam, reinterpret_cast<LPARAM>(&buffer->header));
            EXPECT_EQ(buffer->header.dwFlags & (MHDR_INQUEUE | MHDR_DONE), MHDR_DONE);
        }
        EXPECT_TRUE(Notes().empty());
        EXPECT_EQ(midiOutUnprepareHeader(Out(), &a.header, sizeof(MIDIHDR)), MMSYSERR_NOERROR);

        // Stopped at tick 0: a new buffer plays from the restart at once.
        EventBuffer& c = NewBuffer();
        c.Add(0, Note(0x90, 62, 100) | MEVT_F_CALLBACK);
        Queue(c);
        const DWORD restart = timeGetTime();
        midiStreamRestart(stream);
        ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);
        ASSERT_EQ(Notes().size(), 1u);
        EXPECT_EQ(Notes()[0].timeMs, restart);
        EXPECT_EQ(Notes()[0].bytes[1], 62);
        NextCallback();  // its MM_MOM_DONE
        midiStreamStop(stream);
        synth->Clear();
    }
}

TEST_F(MidiStreamTest, StopSilencesEveryChannelAndResetsTheTempo)
{
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, (DWORD{MEVT_TEMPO} << 24) | 1000000);
    buffer.Add(0, Note(0x90, 60, 100) | MEVT_F_CALLBACK);
    Queue(buffer);
    midiStreamRestart(stream);
    ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);
    MIDIPROPTEMPO tempo;
    midiStreamProperty(stream, reinterpret_cast<BYTE*>(&tempo), MIDIPROP_GET | MIDIPROP_TEMPO);
    EXPECT_EQ(tempo.dwTempo, 1000000u);
    midiStreamStop(stream);
    midiStreamProperty(stream, reinterpret_cast<BYTE*>(&tempo), MIDIPROP_GET | MIDIPROP_TEMPO);
    EXPECT_EQ(tempo.dwTempo, 500000u);
    int notesOff = 0;
    for (const auto& e : synth->Log())
        notesOff += e.bytes.size() == 3 && (e.bytes[0] & 0xF0) == 0xB0 && e.bytes[1] == 123 ? 1 : 0;
    EXPECT_EQ(notesOff, 16);
}

TEST_F(MidiStreamTest, PauseKeepsThePositionAndShiftsTheRest)
{
    EventBuffer& first = NewBuffer();
    first.Add(0, Note(0x90, 60, 100) | MEVT_F_CALLBACK);
    Queue(first);
    midiStreamRestart(stream);
    ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);  // the queue ran dry after this note
    const DWORD played = Notes().at(0).timeMs;

    ASSERT_EQ(midiStreamPause(stream), MMSYSERR_NOERROR);
    EventBuffer& second = NewBuffer();
    second.Add(96, Note(0x80, 60, 0) | MEVT_F_CALLBACK);  // due 500 ms after the first note
    Queue(second);
    AdvanceVirtualClock(1000);
    EXPECT_EQ(Notes().size(), 1u) << "nothing plays while paused";
    ASSERT_EQ(midiStreamRestart(stream), MMSYSERR_NOERROR);
    NextCallback();  // the first buffer's MM_MOM_DONE
    ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);
    EXPECT_EQ(Notes().at(1).timeMs, played + 1000 + 500);
}

TEST_F(MidiStreamTest, ALateBufferPlaysAtOnceAndTimingGoesOnFromThere)
{
    EventBuffer& first = NewBuffer();
    first.Add(0, Note(0x90, 60, 100) | MEVT_F_CALLBACK);
    Queue(first);
    midiStreamRestart(stream);
    ASSERT_EQ(NextCallback().message, MM_MOM_POSITIONCB);
    const DWORD played = Notes().at(0).timeMs;

    AdvanceVirtualClock(2000);  // the refill comes long after its first event was due
    EventBuffer& second = NewBuffer();
    second.Add(96, Note(0x80, 60, 0));
    second.Add(96, Note(0x90, 62, 100) | MEVT_F_CALLBACK);
    Queue(second);
    ASSERT_TRUE(WaitForNotes(3));
    EXPECT_EQ(Notes()[1].timeMs, played + 2000);
    EXPECT_EQ(Notes()[2].timeMs, played + 2500);
}

TEST_F(MidiStreamTest, WithoutDrivingFollowsAVirtualClockMovedByOthers)
{
    SetMidiClockDriving(false);
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, Note(0x90, 60, 100));
    buffer.Add(96, Note(0x80, 60, 0) | MEVT_F_CALLBACK);
    Queue(buffer);
    const DWORD start = timeGetTime();
    midiStreamRestart(stream);
    ASSERT_TRUE(WaitForNotes(1));
    AdvanceVirtualClock(499);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Notes().size(), 1u) << "due at 500 ms, not before";
    EXPECT_EQ(timeGetTime(), start + 499) << "the sequencer did not move the clock";
    AdvanceVirtualClock(1);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_EQ(Notes()[1].timeMs, start + 500);
}

TEST_F(MidiStreamTest, RefusesMisuse)
{
    EventBuffer& buffer = NewBuffer();
    buffer.Add(0, Note(0x90, 60, 100));
    EXPECT_EQ(midiStreamOut(stream, &buffer.header, sizeof(MIDIHDR)), MIDIERR_UNPREPARED);
    ASSERT_EQ(midiOutPrepareHeader(Out(), &buffer.header, sizeof(MIDIHDR)), MMSYSERR_NOERROR);
    buffer.header.dwBytesRecorded = 10;  // not a multiple of 4
    EXPECT_EQ(midiStreamOut(stream, &buffer.header, sizeof(MIDIHDR)), MMSYSERR_INVALPARAM);
    buffer.header.dwBytesRecorded = buffer.header.dwBufferLength + 4;
    EXPECT_EQ(midiStreamOut(stream, &buffer.header, sizeof(MIDIHDR)), MMSYSERR_INVALPARAM);
    MIDIPROPTIMEDIV zero;
    EXPECT_EQ(midiStreamProperty(stream, reinterpret_cast<BYTE*>(&zero), MIDIPROP_SET | MIDIPROP_TIMEDIV),
              MMSYSERR_INVALPARAM);

    ASSERT_EQ(midiStreamClose(stream), MMSYSERR_NOERROR);
    const HMIDISTRM closed = stream;
    stream = nullptr;
    EXPECT_EQ(midiStreamRestart(closed), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(midiStreamOut(closed, &buffer.header, sizeof(MIDIHDR)), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(midiStreamClose(closed), MMSYSERR_INVALHANDLE);
    char text[64] = "kept";
    EXPECT_EQ(midiOutGetErrorTextA(12345, text, sizeof text), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(text, "kept");
    EXPECT_EQ(midiOutGetErrorTextA(MIDIERR_STILLPLAYING, text, sizeof text), MMSYSERR_NOERROR);
    EXPECT_STRNE(text, "kept");
}

}  // namespace
