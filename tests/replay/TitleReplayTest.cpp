// A replay chosen from the title screen plays back as it was recorded: the title's replay entry
// asks the main thread for the file, the stage play starts in playback, and every frame of the
// golden replay of the sample game's first stage gives its kept play-state digest.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "project/cSaveData.h"
#include "stage/cSceneStage.h"
#include "support/SampleGame.h"
#include "support/ScreenHarness.h"

namespace {

constexpr int kGameModeReplay = 4;
constexpr int kPlayKindReplay = 3;
constexpr const char* kReplayFile = "user_data\\rpl4\\golden.rpl4_720";

std::filesystem::path Golden(const char* extension)
{
    return std::filesystem::path(QB_TESTS_SOURCE_DIR) / "replay" / "golden" / (std::string("stage1") + extension);
}

std::vector<std::uint64_t> GoldenDigests()
{
    std::vector<std::uint64_t> digests;
    std::ifstream in(Golden(".digests"));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) digests.push_back(std::stoull(line, nullptr, 16));
    }
    return digests;
}

// Pressed for one frame, released for one.
void Press(testsupport::ScreenHarness& harness, const std::vector<testsupport::PadFrame>& keys)
{
    std::vector<testsupport::PadFrame> script;
    for (const auto& key : keys) {
        script.push_back(key);
        script.push_back({});
    }
    harness.SetScript(script);
    harness.RunFrames(static_cast<int>(script.size()));
}

class TitleReplayTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ReleaseAllKeys();
        ReplaySaveData.End();
        Replay.Clear();
        ReplayPrev.Clear();
    }
};

TEST_F(TitleReplayTest, TheTitlesReplayEntryPlaysTheGoldenReplayFrameForFrame)
{
    const std::vector<std::uint64_t> golden = GoldenDigests();
    ASSERT_FALSE(golden.empty()) << Golden(".digests") << " is missing";
    testsupport::GameSpec spec = testsupport::SampleGame();
    spec.systemData.replayEnabled = 1;
    testsupport::ScreenHarness harness(spec);
    ASSERT_TRUE(harness.Loaded());
    std::filesystem::copy_file(Golden(".rpl4_720"), harness.Folder().Host(kReplayFile),
                               std::filesystem::copy_options::overwrite_existing);
    // What the main thread does for the request: the replay read with its own save data.
    harness.onLoadReplay = [] {
        cSaveData replaySave = SaveData;
        if (!Replay.LoadFile(kReplayFile, &StageBackup, replaySave)) return 0;
        ReplaySaveData.Begin(replaySave);
        return 1;
    };

    ASSERT_TRUE(harness.RunUntil(SCENE_TITLE, 1, 5));
    constexpr SHORT kDown = 8;
    Press(harness, {{kDown, 0}, {kDown, 0}, {kDown, 0}, {kDown, 0}, {0, 1}});
    EXPECT_EQ(harness.Requests(WM_USER + 3), 1);
    EXPECT_EQ(SceneFlow().m_nGameMode, kGameModeReplay);
    EXPECT_EQ(SceneFlow().m_nPlayKind, kPlayKindReplay);

    ASSERT_TRUE(harness.RunUntil(SCENE_STAGE, STAGESTATE_PLAY, 600));
    const auto frames = std::accumulate(Replay.dirRuns.begin(), Replay.dirRuns.end(), std::int64_t{0});
    ASSERT_EQ(frames, static_cast<std::int64_t>(golden.size()));
    for (std::size_t i = 0; i < golden.size(); ++i) {
        harness.RunFrames(1);
        ASSERT_EQ(harness.Digest(), golden[i]) << "first difference at play frame " << i + 1;
    }
}

}  // namespace
