// The music manager: slot files by extension, the five slots, OGG first with the MIDI fall-back,
// one engine at a time, repeated and forced requests, and a missing OGG player library.
#include "sound/Bgm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "MusicTestSupport.h"
#include "OggFixtures.h"
#include "SmfBytes.h"
#include "core/TextHelpers.h"
#include "platform/host/AudioOutput.h"
#include "platform/win/MessageBox.h"

using namespace smfbytes;

namespace {

// A song of one note of the given key, so that the log tells the songs apart.
Bytes Song(BYTE key)
{
    return Format0(96, Concat({Ev(0, {0x90, key, 100}), Ev(96, {0x80, key, 0}), EndOfTrack(96)}));
}

class BgmTest : public musictest::MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        ASSERT_TRUE(OpenAudioOutput());
        ClearRecordedMessageBoxes();
        ogg = BgmNameTable(BgmOggNames);
        midi = BgmNameTable(BgmMidiNames);
    }
    void TearDown() override
    {
        bgm.UnInit();
        BlockLibraryForTests("Vox.dll", false);
        MusicTest::TearDown();
    }
    void Init() { ASSERT_EQ(bgm.Init(1, &ogg, &midi, kBgmSlots), 1); }
    void WriteOgg(const std::string& relative)
    {
        ASSERT_TRUE(oggfixtures::Encode(oggfixtures::SineWav(44100, 1, 44100, 441, 0.5), Host(relative)));
    }
    // The key of the first note played since the last clear; -1 for none.
    int FirstKey()
    {
        if (!WaitForNotes(1)) return -1;
        return Notes()[0].bytes[1];
    }
    // Waits (bounded, real time) until the MIDI player of player 0 has ended its song.
    bool SongEnded()
    {
        for (int i = 0; i < 20000; ++i) {
            const cMidi* player = bgm.m_Midi.Player(0);
            if (player == nullptr || player->GetState() == cMidi::kStopped) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    bool OggPlaying() { return bgm.m_Vox.Player(0) != nullptr && bgm.m_Vox.Player(0)->IsPlaying() != 0; }

    BgmNameTable ogg, midi;
    cBgm bgm;
};

TEST_F(BgmTest, SetFileChoosesTheKindByExtension)
{
    Init();
    const struct {
        const char* path;
        int result;
        int type;
        const char* oggName;
        const char* midiName;
    } cases[] = {
        {"bgm\\a.OGG", 1, kBgmOggOnly, "bgm\\a.OGG", "bgm\\WorldMap.mid"},
        {"bgm\\a.ogg", 1, kBgmOggOnly, "bgm\\a.ogg", "bgm\\WorldMap.mid"},
        {"bgm\\a.MID", 1, kBgmMidiOnly, "bgm\\WorldMap.ogg", "bgm\\a.mid"},
        {"bgm\\a.mid", 1, kBgmMidiOnly, "bgm\\WorldMap.ogg", "bgm\\a.mid"},
        // The extensions are compared exactly: mixed case is another extension.
        {"bgm\\Song.Mid", 0, kBgmBoth, "bgm\\Song.Mid", "bgm\\Song.Mid"},
        {"bgm\\a.Ogg", 0, kBgmBoth, "bgm\\a.Ogg", "bgm\\a.Ogg"},
        {"bgm\\a.mID", 0, kBgmBoth, "bgm\\a.mID", "bgm\\a.mID"},
        {"bgm\\a.wav", 0, kBgmBoth, "bgm\\a.wav", "bgm\\a.wav"},
        {"bgm\\a.midi", 0, kBgmBoth, "bgm\\a.midi", "bgm\\a.midi"},
        {"bgm\\a", 0, kBgmBoth, "", ""},
        {"dir.x\\a", 0, kBgmBoth, "", ""},
    };
    for (const auto& c : cases) {
        ogg[1] = "bgm\\WorldMap.ogg";
        midi[1] = "bgm\\WorldMap.mid";
        EXPECT_EQ(bgm.SetFile(1, c.path), c.result) << c.path;
        EXPECT_EQ(bgm.m_SlotType[1], c.type) << c.path;
        EXPECT_EQ(ogg[1], c.oggName) << c.path;
        EXPECT_EQ(midi[1], c.midiName) << c.path;
    }
    // A name too long for a path empties the slot instead of running over its neighbours.
    EXPECT_EQ(bgm.SetFile(1, (std::string(300, 'x') + ".mid").c_str()), 0);
    EXPECT_EQ(ogg[1], "");
    EXPECT_EQ(ogg[2], "bgm\\Challenge.ogg");
    EXPECT_EQ(bgm.SetFile(5, "bgm\\a.mid"), 0) << "no sixth slot";
}

TEST_F(BgmTest, FiveSlotsPlayTheirDefaultFilesFallingBackToMidi)
{
    const char* files[] = {"Title", "WorldMap", "Challenge", "Option", "Stage"};
    for (int slot = 0; slot < kBgmSlots; ++slot)
        Write(std::string("bgm/") + files[slot] + ".mid", Song(static_cast<BYTE>(60 + slot)));
    Init();
    for (int slot = 0; slot < kBgmSlots; ++slot) {
        synth->Clear();
        ASSERT_EQ(bgm.Play(0, slot, 0, 0, 1), 1) << slot;
        EXPECT_EQ(FirstKey(), 60 + slot) << slot;
        EXPECT_EQ(bgm.m_Engine[0], kBgmEngineMidi);
        EXPECT_EQ(bgm.m_nSlot, slot);
        EXPECT_TRUE(SongEnded());
    }
    EXPECT_EQ(bgm.Play(0, kBgmSlots, 0, 0, 1), 0);
    EXPECT_EQ(bgm.m_nSlot, -1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineNone);
}

TEST_F(BgmTest, BothKindsPlayOggFirstAndMidiWhenTheOggCannotBeOpened)
{
    Write("bgm/Title.mid", Song(60));
    Init();
    // No OGG file: MIDI.
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineMidi);
    EXPECT_EQ(FirstKey(), 60);
    // A damaged OGG file: MIDI again.
    Write("bgm/Title.ogg", {'O', 'g', 'g', 'S', 0, 2, 1, 2, 3});
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineMidi);
    // A good OGG file: OGG, and the MIDI player is stopped.
    WriteOgg("bgm/Title.ogg");
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineOgg);
    EXPECT_TRUE(OggPlaying());
    ASSERT_NE(bgm.m_Midi.Player(0), nullptr);
    EXPECT_EQ(bgm.m_Midi.Player(0)->GetState(), cMidi::kStopped);
    // A MIDI-only slot stops the OGG player.
    ASSERT_EQ(bgm.SetFile(1, "bgm\\Title.mid"), 1);
    ASSERT_EQ(bgm.Play(0, 1, 0, 0, 1), 1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineMidi);
    EXPECT_FALSE(OggPlaying());
}

TEST_F(BgmTest, NothingToPlayStopsTheMusic)
{
    Write("bgm/a.mid", Song(60));
    Init();
    ASSERT_EQ(bgm.SetFile(2, "bgm\\a.mid"), 1);
    ASSERT_EQ(bgm.Play(0, 2, 1, 0, 1), 1);
    const struct {
        const char* path;
    } cases[] = {{"bgm\\missing.ogg"}, {"bgm\\a.wav"}, {"bgm\\missing.mid"}};
    for (const auto& c : cases) {
        bgm.SetFile(3, c.path);
        EXPECT_EQ(bgm.Play(0, 3, 0, 0, 1), 0) << c.path;
        EXPECT_EQ(bgm.m_nSlot, -1) << c.path;
        EXPECT_EQ(bgm.m_Engine[0], kBgmEngineNone) << c.path;
        EXPECT_FALSE(OggPlaying()) << c.path;
        const cMidi* player = bgm.m_Midi.Player(0);
        EXPECT_TRUE(player == nullptr || player->GetState() == cMidi::kStopped) << c.path;
    }
}

// A MIDI file named ".Mid" is not a MIDI file by its name: tried as OGG, which fails, and its
// MIDI name does not end in ".mid", so nothing plays. An OGG file named ".Ogg" still plays, as
// the OGG name of a slot of both kinds.
TEST_F(BgmTest, OnlyExactExtensionsNameMidiFiles)
{
    Write("bgm/Song.Mid", Song(60));
    WriteOgg("bgm/a.Ogg");
    Init();
    ASSERT_EQ(bgm.SetFile(3, "bgm\\Song.Mid"), 0);
    EXPECT_EQ(bgm.Play(0, 3, 0, 0, 1), 0);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineNone);
    EXPECT_EQ(bgm.m_Midi.Player(0), nullptr);
    EXPECT_EQ(bgm.m_Midi.Play(0, "bgm\\Song.Mid", 0), 0);
    EXPECT_EQ(bgm.m_Midi.Play(0, "bgm\\Song.MID", 0), 0);

    ASSERT_EQ(bgm.SetFile(4, "bgm\\a.Ogg"), 0);
    EXPECT_EQ(bgm.Play(0, 4, 0, 0, 1), 1);
    EXPECT_EQ(bgm.m_Engine[0], kBgmEngineOgg);
    EXPECT_TRUE(OggPlaying());
}

TEST_F(BgmTest, RepeatedRequestsKeepTheMusicUnlessForced)
{
    Write("bgm/a.mid", Song(60));
    Init();
    bgm.SetFile(4, "bgm\\a.mid");
    ASSERT_EQ(bgm.Play(0, 4, 1, 0, 1), 1);
    const cMidi* first = bgm.m_Midi.Player(0);
    EXPECT_EQ(bgm.Play(0, 4, 1, 0, 0), 1);
    EXPECT_EQ(bgm.m_Midi.Player(0), first) << "the same slot without force keeps playing";
    bgm.Stop();
    EXPECT_EQ(first->GetState(), cMidi::kStopped);
    EXPECT_EQ(bgm.Play(0, 4, 1, 0, 0), 1);
    EXPECT_EQ(first->GetState(), cMidi::kStopped) << "after Stop the slot is still the current one";
    EXPECT_EQ(bgm.Play(0, 4, 1, 0, 1), 1);
    ASSERT_NE(bgm.m_Midi.Player(0), nullptr);
    EXPECT_EQ(bgm.m_Midi.Player(0)->GetState(), cMidi::kPlaying) << "forced: played again";
}

TEST_F(BgmTest, WithoutTheOggLibraryMidiStillPlays)
{
    BlockLibraryForTests("Vox.dll", true);
    Write("bgm/Title.mid", Song(62));
    WriteOgg("bgm/Title.ogg");
    EXPECT_EQ(bgm.Init(1, &ogg, &midi, kBgmSlots), 0);
    const auto boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("oggの初期化に失敗！"));
    EXPECT_EQ(bgm.SetFile(0, "bgm\\Title.ogg"), 1);
    EXPECT_EQ(bgm.Play(0, 0, 0, 0, 1), 0) << "an OGG-only slot has nothing to play with";
    bgm.SetFile(0, "bgm\\Title.mid");
    ASSERT_EQ(bgm.Play(0, 0, 0, 0, 1), 1);
    EXPECT_EQ(FirstKey(), 62);
}

TEST_F(BgmTest, RequestsBeforeInitAndAfterUnInitDoNothing)
{
    Write("bgm/Title.mid", Song(60));
    EXPECT_EQ(bgm.Play(0, 0, 0, 0, 1), 1);
    EXPECT_EQ(bgm.SetFile(0, "bgm\\x.mid"), 1);
    EXPECT_EQ(midi[0], "bgm\\Title.mid");
    Init();
    ASSERT_EQ(bgm.Play(0, 0, 1, 0, 1), 1);
    bgm.UnInit();
    bgm.UnInit();
    EXPECT_EQ(bgm.m_bInit, 0);
    bgm.Stop();
    EXPECT_EQ(bgm.Play(0, 0, 0, 0, 1), 1);
    EXPECT_EQ(bgm.m_Midi.Count(), 0);
    // The tables keep what was set across UnInit and Init.
    Init();
    EXPECT_EQ(bgm.SetFile(0, "bgm\\kept.mid"), 1);
    bgm.UnInit();
    Init();
    EXPECT_EQ(midi[0], "bgm\\kept.mid");
}

}  // namespace
