// A recorded play of the sample game, saved to a replay file, read back and played in replay
// mode, gives the recorded play-state digest on every frame, and runs again from the start once
// the replay is over.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "SampleGame.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cScene.h"
#include "support/PlayHarness.h"
#include "support/TestMainWindow.h"

namespace {

constexpr int kPlayFrames = 240;

// Walks right, turns back for a while, jumps now and then and presses the second button in
// uneven periods, so that both streams change at different frames.
std::vector<testsupport::PadFrame> Script(int frames)
{
    std::vector<testsupport::PadFrame> script(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        auto& f = script[static_cast<std::size_t>(i)];
        f.dir = static_cast<SHORT>(i % 90 < 70 ? DIR_RIGHT : DIR_LEFT);
        if (i % 47 < 5) {
            f.dir = static_cast<SHORT>(f.dir | DIR_UP);
        }
        f.buttons = static_cast<SHORT>((i % 31 < 6 ? 1 : 0) | (i % 43 < 3 ? 2 : 0));
    }
    return script;
}

// Run-length streams of a script, computed here from the words themselves.
struct Streams {
    std::vector<std::int16_t> values;
    std::vector<std::int32_t> runs;
};

Streams Runs(const std::vector<testsupport::PadFrame>& script, bool bButtons)
{
    Streams s;
    for (const auto& f : script) {
        const std::int16_t word = bButtons ? f.buttons : f.dir;
        if (!s.values.empty() && s.values.back() == word) {
            ++s.runs.back();
        } else {
            s.values.push_back(word);
            s.runs.push_back(1);
        }
    }
    return s;
}

template <typename T>
std::vector<T> ToStd(const cVector<T>& v)
{
    return std::vector<T>(v.begin(), v.end());
}

class ReplayPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseAllKeys();
        spec = testsupport::SampleGame();
        // Without banners the play starts on the harness's first frame in every mode.
        spec.stages.front().stage.header["m_bStartBanner"] = 0;
        spec.stages.front().stage.header["m_bReadyBanner"] = 0;
        spec.systemData.replayEnabled = 1;
        harness = std::make_unique<testsupport::PlayHarness>(spec);
        ASSERT_TRUE(harness->Loaded());
    }
    void TearDown() override
    {
        harness.reset();
        Replay.Clear();
        ReplayPrev.Clear();
    }

    // Runs until play starts, then n frames; the digests of those n frames.
    std::vector<std::uint64_t> PlayFrames(int n)
    {
        EXPECT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 400));
        const std::size_t first = harness->Digests().size();
        harness->RunFrames(n);
        return std::vector<std::uint64_t>(harness->Digests().begin() + static_cast<std::ptrdiff_t>(first),
                                          harness->Digests().end());
    }

    testsupport::TestMainWindow window;
    testsupport::GameSpec spec;
    std::unique_ptr<testsupport::PlayHarness> harness;
};

void ExpectSameDigests(const std::vector<std::uint64_t>& recorded, const std::vector<std::uint64_t>& played)
{
    ASSERT_EQ(recorded.size(), played.size());
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        ASSERT_EQ(recorded[i], played[i]) << "first difference at play frame " << i + 1;
    }
}

TEST_F(ReplayPlayTest, ASavedPlayLoadsAndPlaysBackFrameForFrame)
{
    harness->Flow().m_nGameMode = GAMEMODE_NEWGAME;
    ASSERT_TRUE(harness->Enter());
    ASSERT_EQ(SystemData.bReplayEnabled, 1);
    const std::vector<testsupport::PadFrame> script = Script(kPlayFrames);
    ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 400));
    harness->SetScript(script);
    const std::vector<std::uint64_t> recorded = PlayFrames(kPlayFrames);
    // The hero lived through the whole recording, so it is one play of kPlayFrames frames.
    ASSERT_EQ(harness->Scene().m_nState, STAGESTATE_PLAY);
    ASSERT_EQ(harness->Scene().m_nFrame, kPlayFrames);
    EXPECT_GT(std::set<std::uint64_t>(recorded.begin(), recorded.end()).size(), 20u);
    const testsupport::CharaState heroAtEnd = testsupport::PlayHarness::PlayerState();
    const cInput padAtEnd = Input[0];

    // Every frame was recorded as the play used it, with the play's seed.
    EXPECT_EQ(static_cast<unsigned int>(Replay.nSeed), harness->Scene().m_nSeed);
    const Streams dirs = Runs(script, false);
    const Streams buttons = Runs(script, true);
    EXPECT_EQ(ToStd(Replay.dirValues), dirs.values);
    EXPECT_EQ(ToStd(Replay.dirRuns), dirs.runs);
    EXPECT_EQ(ToStd(Replay.buttonValues), buttons.values);
    EXPECT_EQ(ToStd(Replay.buttonRuns), buttons.runs);

    const char* const path = "play_00.rpl4_720";
    ASSERT_EQ(Replay.SaveFile(path, Stage, StageBackup, SaveDataAtStart), 1);
    const cReplay saved = Replay;
    Replay.Clear();
    ASSERT_EQ(Replay.LoadFile(path, &StageBackup, SaveData), 1);
    EXPECT_EQ(ToStd(Replay.dirRuns), ToStd(saved.dirRuns));

    // Playback: the live controller reads nothing; the replay drives the play.
    harness->SetScript({});
    harness->Flow().m_nGameMode = GAMEMODE_REPLAY;
    ASSERT_TRUE(harness->Enter());
    ExpectSameDigests(recorded, PlayFrames(kPlayFrames));
    // The key-input conditions read the same history and press logs as in the recorded play.
    const cInput& pad = Input[0];
    for (int k = 0; k < 2; ++k) {
        for (int n = 0; n < kInputHistorySlots; ++n) {
            EXPECT_EQ(pad.GetHistory(k, n), padAtEnd.GetHistory(k, n)) << k << " " << n;
        }
    }
    for (std::size_t i = 0; i < pad.dirLogs.size(); ++i) {
        for (std::size_t r = 0; r < pad.dirLogs.data()[i].size(); ++r) {
            EXPECT_EQ(pad.dirLogs.data()[i].data()[r].length, padAtEnd.dirLogs.data()[i].data()[r].length);
            EXPECT_EQ(pad.dirLogs.data()[i].data()[r].pressed, padAtEnd.dirLogs.data()[i].data()[r].pressed);
        }
    }
    for (std::size_t i = 0; i < pad.buttonLogs.size(); ++i) {
        for (std::size_t r = 0; r < pad.buttonLogs.data()[i].size(); ++r) {
            EXPECT_EQ(pad.buttonLogs.data()[i].data()[r].length, padAtEnd.buttonLogs.data()[i].data()[r].length);
            EXPECT_EQ(pad.buttonLogs.data()[i].data()[r].pressed, padAtEnd.buttonLogs.data()[i].data()[r].pressed);
        }
    }
    // Playback neither records nor moves the recordings.
    EXPECT_EQ(ToStd(Replay.dirRuns), dirs.runs);
    EXPECT_TRUE(ReplayPrev.Empty());

    // The replay is over: the stage starts again with the replay's seed and plays it once more,
    // frame for frame as recorded.
    harness->RunFrames(1);
    EXPECT_EQ(harness->Scene().m_nState, STAGESTATE_START);
    EXPECT_EQ(harness->Scene().m_nSeed, static_cast<unsigned int>(saved.nSeed));
    EXPECT_EQ(Replay.nDirIndex, 0);
    EXPECT_EQ(Replay.nButtonRunPos, 0);
    ExpectSameDigests(recorded, PlayFrames(kPlayFrames));
    const testsupport::CharaState hero = testsupport::PlayHarness::PlayerState();
    EXPECT_EQ(harness->Scene().m_nFrame, kPlayFrames);
    EXPECT_EQ(hero.x, heroAtEnd.x);
    EXPECT_EQ(hero.y, heroAtEnd.y);
    EXPECT_EQ(hero.vx, heroAtEnd.vx);
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
}

TEST_F(ReplayPlayTest, EachStartKeepsThePreviousRecording)
{
    harness->Flow().m_nGameMode = GAMEMODE_NEWGAME;
    ASSERT_TRUE(harness->Enter());
    ASSERT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, 400));
    harness->SetScript(Script(30));
    harness->RunFrames(30);
    const cReplay first = Replay;
    ASSERT_FALSE(first.Empty());

    // A restart of play moves the recording to ReplayPrev and starts a fresh one.
    harness->Scene().SetStage(1, 0);
    EXPECT_EQ(ToStd(ReplayPrev.dirRuns), ToStd(first.dirRuns));
    EXPECT_EQ(ReplayPrev.nSeed, first.nSeed);
    EXPECT_TRUE(Replay.Empty());
    EXPECT_EQ(static_cast<unsigned int>(Replay.nSeed), harness->Scene().m_nSeed);

    // A new entry from another screen clears both.
    ASSERT_TRUE(harness->Enter());
    EXPECT_TRUE(ReplayPrev.Empty());
}

TEST_F(ReplayPlayTest, PlaybackUsesTheReplaysSaveDataAndGivesThePlayersBack)
{
    if (SaveData.Var.size() < 8) {
        SaveData.Var.resize(8);
    }
    SaveData.nStartLives = 3;
    SaveData.Var.data()[7] = 1234;
    cSaveData replaySave = SaveData;
    replaySave.Var.data()[7] = -5;
    replaySave.nStartLives = 9;
    const cSaveData player = SaveData;

    ReplaySaveData.Begin(replaySave);
    EXPECT_EQ(SaveData.Var.data()[7], -5);
    // A second load during the same playback keeps the player's save data, not the first replay's.
    ReplaySaveData.Begin(replaySave);
    harness->Flow().m_nGameMode = GAMEMODE_REPLAY;
    ASSERT_TRUE(harness->Enter());
    EXPECT_EQ(SaveData.nLives, 9 - 1);  // the replay's own start lives, one used to enter
    // Every restart of the playback starts again from the replay's save data.
    SaveData.Var.data()[7] = 55;
    harness->Scene().SetStage(1, 0);
    EXPECT_EQ(SaveData.Var.data()[7], -5);

    // Leaving the stage for another screen (once the fade-out is over) ends the playback.
    harness->Flow().m_nNextScene = SCENE_TITLE;
    harness->Scene().LeaveForNextScene();
    EXPECT_FALSE(ReplaySaveData.Active());
    EXPECT_EQ(SaveData.Var.data()[7], player.Var.data()[7]);
    EXPECT_EQ(SaveData.nStartLives, player.nStartLives);
    EXPECT_EQ(SaveData.nLives, player.nLives);
    // Ending again changes nothing.
    SaveData.Var.data()[7] = 77;
    ReplaySaveData.End();
    EXPECT_EQ(SaveData.Var.data()[7], 77);
}

}  // namespace
