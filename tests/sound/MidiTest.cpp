// The MIDI stream player: conversion of the song into stream buffers, double buffering, looping,
// pause and stop, and deleting a player while its callback thread works, all on the virtual clock
// with the recording synthesiser.
#include "sound/Midi.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "MusicTestSupport.h"
#include "SmfBytes.h"
#include "core/TextHelpers.h"
#include "platform/host/AudioOutput.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"

using namespace smfbytes;

namespace {

struct StreamEvent {
    DWORD delta;
    DWORD word;
    std::vector<BYTE> data;  // long events
};

// Reads back the events of a converted buffer.
std::vector<StreamEvent> EventsOf(const MIDIHDR& hdr)
{
    std::vector<StreamEvent> events;
    for (DWORD at = 0; at + 12 <= hdr.dwBytesRecorded;) {
        StreamEvent ev;
        std::memcpy(&ev.delta, hdr.lpData + at, 4);
        std::memcpy(&ev.word, hdr.lpData + at + 8, 4);
        DWORD size = 12;
        if (ev.word & MEVT_F_LONG) {
            const DWORD len = ev.word & 0xFFFFFF;
            ev.data.assign(hdr.lpData + at + 12, hdr.lpData + at + 12 + len);
            size += (len + 3) & ~3u;
        }
        events.push_back(ev);
        at += size;
    }
    return events;
}

// A buffer of the player's size, owned by the test.
struct TestBuffer {
    explicit TestBuffer(DWORD size = cMidi::kBufferSize) : data(size)
    {
        header.lpData = data.data();
        header.dwBufferLength = size;
    }
    std::vector<char> data;
    MIDIHDR header;
};

// n notes one tick apart (on and off in turn), then the end of track.
Bytes ManyNotes(int n)
{
    Bytes events;
    for (int i = 0; i < n; ++i) Append(events, i % 2 == 0 ? Ev(1, {0x90, 60, 100}) : Ev(1, {0x80, 60, 0}));
    Append(events, EndOfTrack());
    return Format0(96, events);
}

class MidiTest : public musictest::MusicTest {
protected:
    void TearDown() override
    {
        HoldMidiCallbacksForTest(false);
        HoldThreadStartsForTest(false);
        MusicTest::TearDown();
    }
    std::unique_ptr<cMidi> Load(const Bytes& file)
    {
        Write("song.mid", file);
        return std::make_unique<cMidi>("song.mid");
    }
    // Waits (bounded, real time) for the player to reach a state.
    static bool WaitForState(const cMidi& player, int state)
    {
        for (int i = 0; i < 20000 && player.GetState() != state; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return player.GetState() == state;
    }
    // Waits (bounded, real time) until a stream has kept a callback message of this kind; its
    // target thread goes to *pThread.
    static bool WaitForHeld(UINT message, DWORD* pThread)
    {
        for (int i = 0; i < 20000; ++i) {
            for (const HeldMidiCallback& held : HeldMidiCallbacksForTest()) {
                if (held.message != message) continue;
                *pThread = held.thread;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    // Waits (bounded, real time) until the thread has taken every message posted to it. A
    // position callback is followed by its buffer's MM_MOM_DONE, so it has then been handled.
    static bool WaitForHandled(DWORD thread)
    {
        for (int i = 0; i < 20000 && !QueuedMessages(thread).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return QueuedMessages(thread).empty();
    }
    std::vector<DWORD> NoteTimes() const
    {
        std::vector<DWORD> times;
        const auto notes = Notes();
        for (const auto& e : notes) times.push_back(e.timeMs - notes.front().timeMs);
        return times;
    }
};

TEST_F(MidiTest, ASongOf1000EventsFitsOneBufferEndingInTheEndOfSong)
{
    auto player = Load(ManyNotes(1000));
    TestBuffer buffer;
    const DWORD consumed = player->ConvertBuffer(static_cast<DWORD>(kSongEventStart), &buffer.header);
    EXPECT_EQ(consumed, player->Song()->size() - kSongEventStart);
    ASSERT_EQ(buffer.header.dwBytesRecorded, 1001u * 12);
    const auto events = EventsOf(buffer.header);
    EXPECT_EQ(events.back().word, 0x002FFFu | MEVT_F_CALLBACK);
    for (std::size_t i = 0; i + 1 < events.size(); ++i) ASSERT_EQ(events[i].word & MEVT_F_CALLBACK, 0u) << i;
    EXPECT_EQ(events[0].word, 0x00643C90u);
    EXPECT_EQ(events[1].word, 0x00003C80u);
}

TEST_F(MidiTest, TwoThousandEventsFillTheFirstBufferAndTheEndGoesIntoTheSecond)
{
    auto player = Load(ManyNotes(2000));
    TestBuffer first;
    const DWORD consumed = player->ConvertBuffer(static_cast<DWORD>(kSongEventStart), &first.header);
    EXPECT_EQ(first.header.dwBytesRecorded, 24000u);
    EXPECT_EQ(consumed, 2000u * 4);  // delta 1 byte, status, two data bytes
    const auto events = EventsOf(first.header);
    ASSERT_EQ(events.size(), 2000u);
    EXPECT_NE(events.back().word & MEVT_F_CALLBACK, 0u);
    TestBuffer second;
    player->ConvertBuffer(static_cast<DWORD>(kSongEventStart) + consumed, &second.header);
    ASSERT_EQ(second.header.dwBytesRecorded, 12u);
    EXPECT_EQ(EventsOf(second.header)[0].word, 0x002FFFu | MEVT_F_CALLBACK);
}

TEST_F(MidiTest, ConvertsSysexTempoAndSkipsOtherMetaEventsCarryingTheirDelta)
{
    auto player = Load(Format0(
        96, Concat({Ev(0, {0x90, 60, 100}), Ev(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}),
                    Ev(96, {0xFF, 0x01, 0x04, 't', 'e', 'x', 't'}), Ev(10, {0x80, 60, 0}),
                    Ev(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}), Ev(5, {0xF7, 0x02, 0xF8, 0xFA}), EndOfTrack()})));
    TestBuffer buffer;
    player->ConvertBuffer(static_cast<DWORD>(kSongEventStart), &buffer.header);
    const auto events = EventsOf(buffer.header);
    ASSERT_EQ(events.size(), 6u);
    // Five data bytes: the status and the five bytes, 12 + 8 bytes in the buffer.
    EXPECT_EQ(events[1].word, MEVT_F_LONG | 6);
    EXPECT_EQ(events[1].data, (std::vector<BYTE>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    // The text event is left out; its delta goes to the next event written.
    EXPECT_EQ(events[2].delta, 96u + 10u);
    EXPECT_EQ(events[2].word, 0x00003C80u);
    EXPECT_EQ(events[3].word, (DWORD{MEVT_TEMPO} << 24) | 500000u);
    // An F7 packet goes out as its bytes alone.
    EXPECT_EQ(events[4].word, MEVT_F_LONG | 2);
    EXPECT_EQ(events[4].data, (std::vector<BYTE>{0xF8, 0xFA}));
    EXPECT_EQ(buffer.header.dwBytesRecorded, 12u + 20u + 12u + 12u + 16u + 12u);
}

TEST_F(MidiTest, StopForgetsTheDeltaCarriedFromASkippedEvent)
{
    auto player = Load(Format0(
        96, Concat({Ev(0, {0x90, 60, 100}), Ev(96, {0xFF, 0x01, 0x01, 'x'}), Ev(10, {0x80, 60, 0}), EndOfTrack()})));
    TestBuffer tiny(12);  // room for the first note only: the text's delta is carried
    const DWORD consumed = player->ConvertBuffer(static_cast<DWORD>(kSongEventStart), &tiny.header);
    TestBuffer rest;
    player->ConvertBuffer(static_cast<DWORD>(kSongEventStart) + consumed, &rest.header);
    EXPECT_EQ(EventsOf(rest.header)[0].delta, 106u);

    // A stop after such a buffer starts the song again without the carried delay.
    player->ConvertBuffer(static_cast<DWORD>(kSongEventStart), &tiny.header);
    player->Stop(0);
    const DWORD restart = timeGetTime();
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_EQ(Notes()[0].timeMs, restart);
    EXPECT_EQ(Notes()[1].timeMs, restart + 552);  // 106 ticks of 5208.3 us
}

// One quarter note on, one off, then a quarter of rest: 1000 ms at 96 ticks and 500000 us.
Bytes ShortSong()
{
    return Format0(96, Concat({Ev(0, {0x90, 60, 100}), Ev(96, {0x80, 60, 0}), EndOfTrack(96)}));
}

// The synthesiser is opened as a song starts, after its stream was opened: the stream plays to
// the one there is when it starts, not to the silent one of its opening.
TEST_F(MidiTest, AStreamPlaysToTheSynthesiserOpenedAsItStarts)
{
    SetMidiSynth(nullptr);
    auto player = Load(ShortSong());
    ASSERT_TRUE(player->IsStreamOpen());
    SetMidiSynth(synth);
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 500}));
}

TEST_F(MidiTest, PlaysOnceAndEndsStoppedAtTheBeginning)
{
    auto player = Load(ShortSong());
    ASSERT_TRUE(player->IsStreamOpen());
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    ASSERT_TRUE(WaitForState(*player, cMidi::kStopped));
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 500}));

    // Stopped at the beginning: the next start plays the song again from its first note.
    synth->Clear();
    const DWORD restart = timeGetTime();
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_EQ(Notes()[0].timeMs, restart);
}

// A callback thread that is late to run (a loaded machine) must still get the end of the song: the
// stream is opened only once that thread can take messages, however long its start takes.
TEST_F(MidiTest, ACallbackThreadLateToStartStillEndsTheSong)
{
    Write("song.mid", ShortSong());
    HoldThreadStartsForTest(true);
    std::atomic<bool> bOpened{false};
    std::unique_ptr<cMidi> player;
    std::thread opener([&] {
        player = std::make_unique<cMidi>("song.mid");
        bOpened = true;
    });
    // The opener posts to the held thread once a millisecond of virtual time; ten seconds of it
    // are far longer than any start takes, and the open must still be waiting.
    const DWORD start = timeGetTime();
    for (int i = 0; i < 20000 && !bOpened && timeGetTime() - start < 10000; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(bOpened) << "the stream was opened before its callback thread had a queue";
    HoldThreadStartsForTest(false);
    opener.join();

    ASSERT_TRUE(player->IsStreamOpen());
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    EXPECT_TRUE(WaitForState(*player, cMidi::kStopped));
}

TEST_F(MidiTest, LoopsFromTheStartAtTheEndOfTheSong)
{
    auto player = Load(ShortSong());
    player->Restart(1);
    ASSERT_TRUE(WaitForNotes(6));
    const auto times = NoteTimes();
    EXPECT_EQ(std::vector<DWORD>(times.begin(), times.begin() + 6),
              (std::vector<DWORD>{0, 500, 1000, 1500, 2000, 2500}));
    player.reset();  // deleted while looping
}

TEST_F(MidiTest, RestartWhilePlayingOnlyTakesTheLoopFlag)
{
    auto player = Load(Format0(96, Concat({Ev(0, {0x90, 60, 100}), Ev(960, {0x80, 60, 0}), EndOfTrack()})));
    player->Stop(1);
    EXPECT_EQ(player->GetState(), cMidi::kStopped) << "pausing a stopped player does nothing";
    player->Restart(0);
    player->Restart(1);
    EXPECT_EQ(player->GetState(), cMidi::kPlaying);
    ASSERT_TRUE(WaitForNotes(4));  // it loops: the flag set while playing counts
    player->Stop(0);
    EXPECT_EQ(player->GetState(), cMidi::kStopped);
}

TEST_F(MidiTest, PauseAndResumeContinueWhereItPaused)
{
    auto player = Load(ShortSong());
    player->Stop(1);
    player->Restart(0);
    player->Stop(1);
    const int state = player->GetState();
    EXPECT_TRUE(state == cMidi::kPaused || state == cMidi::kStopped);  // it may have ended already
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(2));
    ASSERT_TRUE(WaitForState(*player, cMidi::kStopped));
    ASSERT_EQ(Notes().size(), 2u) << "no note repeated or lost across the pause";
}

// A song that ends just as it is paused keeps its end for the resume, which stops it at the
// beginning, or plays it again when it loops, instead of playing on with nothing queued.
TEST_F(MidiTest, ASongThatEndsAsItIsPausedEndsWhenResumed)
{
    for (int bLoop : {0, 1}) {
        SCOPED_TRACE(bLoop);
        synth->Clear();
        auto player = Load(ShortSong());
        HoldMidiCallbacksForTest(true);
        player->Restart(bLoop);
        DWORD thread = 0;
        ASSERT_TRUE(WaitForHeld(MM_MOM_DONE, &thread));  // the song has been played to its end
        player->Stop(1);
        EXPECT_EQ(player->GetState(), cMidi::kPaused);
        HoldMidiCallbacksForTest(false);
        ASSERT_TRUE(WaitForHandled(thread));
        EXPECT_EQ(player->GetState(), cMidi::kPaused) << "the pause holds";
        EXPECT_EQ(Notes().size(), 2u);

        player->Restart(bLoop);
        if (bLoop) {
            ASSERT_TRUE(WaitForNotes(4));
            const auto times = NoteTimes();
            EXPECT_EQ(std::vector<DWORD>(times.begin(), times.begin() + 4), (std::vector<DWORD>{0, 500, 1000, 1500}));
        } else {
            ASSERT_TRUE(WaitForState(*player, cMidi::kStopped));
            EXPECT_EQ(Notes().size(), 2u);
        }
    }
}

// The end of a pass that was stopped before its callback was handled is stale: it must not stop
// the pass started after the stop.
TEST_F(MidiTest, TheEndOfAStoppedPassDoesNotStopTheNextPass)
{
    auto player = Load(ShortSong());
    HoldMidiCallbacksForTest(true);
    player->Restart(0);
    DWORD thread = 0;
    ASSERT_TRUE(WaitForHeld(MM_MOM_DONE, &thread));  // the first pass has ended
    player->Stop(0);
    SetMidiClockDriving(false);  // the test moves the clock from here on
    player->Restart(0);
    ASSERT_TRUE(WaitForNotes(3));  // the second pass's first note, due at once
    HoldMidiCallbacksForTest(false);
    ASSERT_TRUE(WaitForHandled(thread));
    EXPECT_EQ(player->GetState(), cMidi::kPlaying);

    AdvanceVirtualClock(1000);
    ASSERT_TRUE(WaitForState(*player, cMidi::kStopped));
    EXPECT_EQ(NoteTimes(), (std::vector<DWORD>{0, 500, 1000, 1500}));
}

TEST_F(MidiTest, DeletingPlayersWhileTheirCallbacksRunIsSafe)
{
    // Many buffers of notes without time between them: the callback thread refills constantly.
    for (int round = 0; round < 5; ++round) {
        auto player = Load(ManyNotes(5000));
        player->Restart(1);
        ASSERT_TRUE(WaitForNotes(3000));
        player.reset();
        synth->Clear();
    }
}

TEST_F(MidiTest, WithoutASongNothingHappens)
{
    Write("broken.mid", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6});
    for (const char* name : {"missing.mid", "broken.mid"}) {
        cMidi player(name);
        EXPECT_EQ(player.Song(), nullptr);
        EXPECT_FALSE(player.IsStreamOpen());
        player.Restart(1);
        player.Stop(0);
        EXPECT_EQ(player.GetState(), cMidi::kStopped);
    }
    EXPECT_TRUE(synth->Log().empty());
}

}  // namespace

namespace {

// The synthesiser behind MIDI music (FluidSynth and its SoundFont) is opened as a song starts,
// and only when the music can be heard. The SoundFont here is broken, so trying it leaves its
// trace: the one report-log line saying why MIDI music is silent.
class MidiSynthOpenTest : public MidiTest {
protected:
    void SetUp() override
    {
        MidiTest::SetUp();
        Write("broken.sf2", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 's', 'f', 'b', 'k'});
        setenv("QB_SOUNDFONT", Host("broken.sf2").c_str(), 1);
        SetMidiSynth(nullptr);  // none opened: the real one is looked for
    }
    void TearDown() override
    {
        CloseAudioOutput();
        unsetenv("QB_SOUNDFONT");
        MidiTest::TearDown();
    }
    // A real device: SDL's "disk" driver, which writes what it plays to a file.
    void OpenDeviceOutput()
    {
        CloseAudioOutput();
        unsetenv("QB_HEADLESS");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Host("disk_audio.raw").c_str(), 1);
        const bool opened = OpenAudioOutput();
        setenv("QB_HEADLESS", "1", 1);
        unsetenv("SDL_AUDIODRIVER");
        ASSERT_TRUE(opened);
        ASSERT_TRUE(AudioOutputIsReal());
    }
    // Two songs loaded, started and stopped in turn.
    void PlayTwoSongs()
    {
        for (int i = 0; i < 2; ++i) {
            auto player = Load(ShortSong());
            EXPECT_TRUE(player->IsStreamOpen());
            player->Restart(0);
            player->Stop(0);
        }
    }
    std::size_t SilentLines() const
    {
        const std::string log = ReportLogText();
        const std::string line = Sjis("MIDI音源が使えません");
        std::size_t count = 0;
        for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
        return count;
    }
};

// Headless (the null audio output) nothing can be heard: songs play without the SoundFont ever
// being looked for, and there is nothing to report.
TEST_F(MidiSynthOpenTest, WithoutAnAudioDeviceTheSynthesiserIsNeverOpened)
{
    CloseAudioOutput();
    ASSERT_TRUE(OpenAudioOutput());
    ASSERT_FALSE(AudioOutputIsReal());
    PlayTwoSongs();
    EXPECT_EQ(SilentLines(), 0u) << "the SoundFont was tried";
    std::string why;
    EXPECT_TRUE(OpenMidiSynth(&why));
    EXPECT_EQ(why, "");
    EXPECT_EQ(SilentLines(), 0u);
}

// With a device, loading a song opens nothing; its start tries the SoundFont, and a SoundFont
// that cannot be used is reported once, while the players work on, silent.
TEST_F(MidiSynthOpenTest, WithADeviceTheFirstStartOpensItAndSaysOnceWhyMidiIsSilent)
{
    ASSERT_NO_FATAL_FAILURE(OpenDeviceOutput());
    {
        auto player = Load(ShortSong());
        EXPECT_EQ(SilentLines(), 0u) << "a song loaded but not started opens nothing";
    }
    PlayTwoSongs();
    EXPECT_EQ(SilentLines(), 1u) << "said once";
    std::string why;
    EXPECT_FALSE(OpenMidiSynth(&why));
    EXPECT_NE(why.find("broken.sf2"), std::string::npos);
}

}  // namespace
