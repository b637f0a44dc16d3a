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

#include "SampleGame.h"
#include "core/MainWindowRequests.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "project/cSaveData.h"
#include "screenbase/cScene.h"
#include "stage/cSceneStage.h"
#include "support/GoldenFiles.h"
#include "support/MenuKeys.h"
#include "support/ScreenHarness.h"

namespace {

constexpr int kPlayKindReplay = 3;
constexpr const char* kReplayFile = "user_data\\rpl4\\golden.rpl4_720";

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
    std::vector<std::uint64_t> golden;
    ASSERT_TRUE(testsupport::ReadDigestFile(testsupport::GoldenFile("replay", "stage1.digests"), golden));
    ASSERT_FALSE(golden.empty());
    testsupport::GameSpec spec = testsupport::SampleGame();
    spec.systemData.replayEnabled = 1;
    testsupport::ScreenHarness harness(spec);
    ASSERT_TRUE(harness.Loaded());
    std::filesystem::copy_file(testsupport::GoldenFile("replay", "stage1.rpl4_720"), harness.Folder().Host(kReplayFile),
                               std::filesystem::copy_options::overwrite_existing);
    harness.onLoadReplay = [] { return testsupport::LoadReplayForPlayback(kReplayFile); };

    ASSERT_TRUE(harness.RunUntil(SCENE_TITLE, 1, 5));
    using namespace menukeys;
    Press(harness, {Dir(DIR_DOWN), Dir(DIR_DOWN), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE)});
    EXPECT_EQ(harness.Requests(WM_LOADREPLAYFILE), 1);
    EXPECT_EQ(SceneFlow().m_nGameMode, GAMEMODE_REPLAY);
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
