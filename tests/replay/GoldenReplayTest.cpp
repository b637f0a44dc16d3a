// Golden replays: one replay file of each stage of the sample game (tests/replay/golden/), recorded
// from the scripted input that plays the stage to its goal (up to the frame before the clear), kept beside
// the play-state digest of every frame of its playback. Playing a golden replay back must give the
// kept digests frame for frame, in the first round and again in the round after the replay's end
// restarts the stage: any change to play behaviour shows up as the first differing frame.
//
// After an intended change of play behaviour or of the sample game, the same code records the
// goldens again and rewrites them in the source tree:
//     QB_UPDATE_GOLDEN=1 bash scripts/test.sh -L replay
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "SampleGame.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Time.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cScene.h"
#include "support/GoldenFiles.h"
#include "support/PlayHarness.h"
#include "support/SampleGameScripts.h"
#include "support/TestMainWindow.h"

namespace {

// Frames the start banners may take before play begins.
constexpr int kMaxStartFrames = 600;
// The clock at the start of each recorded play is this many milliseconds times the stage's
// number.
constexpr int kSeedClockMs = 7919;
// Heap blocks of growing sizes taken between the rounds of a playback.
constexpr std::size_t kBallastBlocks = 64;
// The replay file in the harness's game folder while it is saved or played.
constexpr const char* kWorkFile = "golden.rpl4_720";

struct GoldenCase {
    std::string name;   // file names in the golden folder: the stage file's name
    std::size_t stage;  // index into the sample game's stages
    std::vector<testsupport::PadFrame> script;
};

// Names the case in test output.
void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

// The stage file "data\stg4\stage1.stg4" gives "stage1".
std::string StemOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    name = name.substr(0, name.find('.'));
    std::replace_if(
        name.begin(), name.end(), [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) == 0; }, '_');
    return name;
}

// One case for every stage of the sample game.
const std::vector<GoldenCase>& Cases()
{
    static const std::vector<GoldenCase> cases = [] {
        std::vector<GoldenCase> all;
        const std::vector<testsupport::StageFileSpec> stages = testsupport::SampleStages();
        for (std::size_t i = 0; i < stages.size(); ++i) {
            all.push_back({StemOf(stages[i].path), i, testsupport::SampleStageScript(static_cast<int>(i))});
        }
        return all;
    }();
    return cases;
}

std::filesystem::path GoldenPath(const GoldenCase& c, const char* extension)
{
    return testsupport::GoldenFile("replay", c.name + extension);
}

std::filesystem::path ReplayPath(const GoldenCase& c)
{
    return GoldenPath(c, ".rpl4_720");
}

std::filesystem::path DigestPath(const GoldenCase& c)
{
    return GoldenPath(c, ".digests");
}

// Removes the golden files of stages the sample game no longer has.
void RemoveStaleGoldens(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const GoldenCase& c : Cases()) {
        names.insert(c.name);
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& path = entry.path();
        const bool bGolden = path.extension() == ".digests" || path.extension() == ".rpl4_720";
        if (bGolden && names.count(path.stem().string()) == 0) {
            std::filesystem::remove(path, error);
        }
    }
}

void ExpectSameDigests(const std::vector<std::uint64_t>& expected, const std::vector<std::uint64_t>& actual,
                       const char* what)
{
    const std::size_t n = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_EQ(expected[i], actual[i]) << what << ": first difference at play frame " << i + 1;
    }
    ASSERT_EQ(expected.size(), actual.size()) << what << ": frame counts differ";
}

std::int64_t Frames(const cVector<std::int32_t>& runs)
{
    return std::accumulate(runs.begin(), runs.end(), std::int64_t{0});
}

// Records and plays back the play of one case's stage of the sample game.
class GoldenPlay : public ::testing::Test {
protected:
    void Open(const GoldenCase& golden)
    {
        m_case = &golden;
        ReleaseAllKeys();
        spec = testsupport::SampleGame();
        ASSERT_LT(golden.stage, spec.stages.size());
        // The harness plays the first stage of its game.
        std::rotate(spec.stages.begin(), spec.stages.begin() + static_cast<std::ptrdiff_t>(golden.stage),
                    spec.stages.end());
        spec.systemData.replayEnabled = 1;
        // Playback shows its own banner in place of the stage's: without the stage's banners the
        // recorded play and its playback pass the same states on every frame.
        spec.stages.front().stage.header["m_bStartBanner"] = 0;
        spec.stages.front().stage.header["m_bReadyBanner"] = 0;
        harness = std::make_unique<testsupport::PlayHarness>(spec);
        ASSERT_TRUE(harness->Loaded());
    }
    void TearDown() override
    {
        harness.reset();
        ReleaseAllKeys();
        ReplaySaveData.End();
        Replay.Clear();
        ReplayPrev.Clear();
    }

    // Plays the case's script in story mode with recording on and saves the recording into the
    // work file: the frames after which the play was still running, so the script's end, or the
    // frame before the one that ended the play (a lost hero or a cleared stage ends it otherwise
    // in story mode than in playback). The digests of the saved frames.
    std::vector<std::uint64_t> Record()
    {
        harness->Flow().m_nGameMode = GAMEMODE_NEWGAME;
        // The play's seed is the clock at its start: a different one for each stage.
        AdvanceVirtualClock(static_cast<DWORD>(kSeedClockMs * (m_case->stage + 1)));
        EXPECT_TRUE(harness->Enter());
        EXPECT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, kMaxStartFrames));
        const cSaveData startSave = SaveDataAtStart;
        const std::vector<testsupport::PadFrame>& script = m_case->script;
        harness->SetScript(script);
        cReplay kept;
        std::vector<std::uint64_t> digests;
        for (std::size_t i = 0; i < script.size(); ++i) {
            harness->RunFrames(1);
            if (harness->Scene().m_nState != STAGESTATE_PLAY) {
                break;
            }
            kept = Replay;
            digests.push_back(harness->Digests().back());
        }
        cSaveData snapshot = startSave;
        EXPECT_EQ(kept.SaveFile(kWorkFile, Stage, StageBackup, snapshot), 1);
        return digests;
    }

    // Loads the work file as the title screen's replay entry does, plays it back in replay mode
    // and gives the digests of its play frames: the first round, then the round after the end
    // of the replay started the stage again.
    void PlayBack(std::vector<std::uint64_t>& first, std::vector<std::uint64_t>& second)
    {
        ASSERT_EQ(testsupport::LoadReplayForPlayback(kWorkFile), 1);
        const std::int64_t frames = Frames(Replay.dirRuns);
        ASSERT_GT(frames, 0);
        harness->SetScript({});
        harness->Flow().m_nGameMode = GAMEMODE_REPLAY;
        harness->Flow().m_nPrevScene = SCENE_TITLE;
        ASSERT_TRUE(harness->Enter());
        first = PlayRound(static_cast<int>(frames));
        // Blocks held through the second round, so that its objects live at other addresses than
        // in the first: a play that depended on addresses would differ.
        std::vector<std::unique_ptr<char[]>> ballast;
        for (std::size_t n = 1; n <= kBallastBlocks; ++n) {
            ballast.push_back(std::make_unique<char[]>(n * 40));
        }
        // The frame after the last one finds the replay over and starts the stage again.
        harness->RunFrames(1);
        second = PlayRound(static_cast<int>(frames));
    }

    std::vector<std::uint64_t> PlayRound(int frames)
    {
        EXPECT_TRUE(harness->RunUntilState(STAGESTATE_PLAY, kMaxStartFrames));
        EXPECT_EQ(harness->Scene().m_nFrame, 0);
        const std::size_t first = harness->Digests().size();
        harness->RunFrames(frames);
        return {harness->Digests().begin() + static_cast<std::ptrdiff_t>(first), harness->Digests().end()};
    }

    testsupport::TestMainWindow window;
    testsupport::GameSpec spec;
    std::unique_ptr<testsupport::PlayHarness> harness;

private:
    const GoldenCase* m_case = nullptr;
};

class GoldenReplayTest : public GoldenPlay, public ::testing::WithParamInterface<GoldenCase> {
protected:
    void SetUp() override { Open(GetParam()); }
};

TEST_P(GoldenReplayTest, PlaysBackItsDigestsFrameForFrame)
{
    const GoldenCase& c = GetParam();
    std::vector<std::uint64_t> golden;
    if (testsupport::UpdatingGoldens()) {
        golden = Record();
        ASSERT_FALSE(golden.empty());
        // A play worth keeping changes the state on many frames.
        EXPECT_GT(std::set<std::uint64_t>(golden.begin(), golden.end()).size(), golden.size() / 4);
        std::filesystem::create_directories(ReplayPath(c).parent_path());
        std::filesystem::copy_file(harness->Folder().Host(kWorkFile), ReplayPath(c),
                                   std::filesystem::copy_options::overwrite_existing);
        testsupport::WriteDigestFile(DigestPath(c), golden);
        RemoveStaleGoldens(ReplayPath(c).parent_path());
        Replay.Clear();
        ReplayPrev.Clear();
    } else {
        ASSERT_TRUE(testsupport::ReadDigestFile(DigestPath(c), golden))
            << DigestPath(c) << " is missing: QB_UPDATE_GOLDEN=1 bash scripts/test.sh -L replay makes it";
        ASSERT_TRUE(std::filesystem::exists(ReplayPath(c))) << ReplayPath(c) << " is missing";
        std::filesystem::copy_file(ReplayPath(c), harness->Folder().Host(kWorkFile),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::vector<std::uint64_t> first;
    std::vector<std::uint64_t> second;
    PlayBack(first, second);
    ASSERT_EQ(Frames(Replay.dirRuns), static_cast<std::int64_t>(golden.size()))
        << "the golden replay and its digests were not made together";
    ExpectSameDigests(golden, first, c.name.c_str());
    ExpectSameDigests(golden, second, (c.name + ", after the restart").c_str());
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
}

// A hero carried to another start tile (the save data of the play's start says where) starts
// there in the recorded play, in its playback and in every round after a restart: the start
// changes the stage's hero placement, and each round must begin from the same placement.
TEST_F(GoldenPlay, ACarriedStartPositionIsTakenAgainAtEveryRound)
{
    constexpr int kStartTile = 7;
    Open(Cases().front());
    SaveData.bStartPos = 1;
    SaveData.nStartX = kStartTile;
    SaveData.nStartY = 12;
    SaveData.nStartDir = 0;
    // A carried start is taken when the play comes from the stage before.
    harness->Flow().m_nPrevScene = SCENE_STAGE;
    const std::vector<std::uint64_t> recorded = Record();
    ASSERT_FALSE(recorded.empty());
    std::vector<std::uint64_t> first;
    std::vector<std::uint64_t> second;
    PlayBack(first, second);
    ExpectSameDigests(recorded, first, "playback");
    ExpectSameDigests(recorded, second, "after the restart");
    EXPECT_TRUE(harness->RunUntilState(STAGESTATE_START, 2));
    harness->RunFrames(1);
    // The hero's tile starts at column + 10 (32 pixels each) of the field.
    const double startLeft = (kStartTile + 10) * 32;
    EXPECT_GE(testsupport::PlayHarness::PlayerState().x, startLeft);
    EXPECT_LT(testsupport::PlayHarness::PlayerState().x, startLeft + 32);
}

INSTANTIATE_TEST_SUITE_P(SampleGame, GoldenReplayTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

}  // namespace
