// Closing the program during stage play releases every drawing surface before the back-end: a
// story from the title to a few hundred frames of the first stage's play (long enough for a
// message on screen), closed there, reports no surface still referenced, on either back-end.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PlayerProcess.h"
#include "SampleGame.h"
#include "core/TextHelpers.h"
#include "input/cPadScript.h"
#include "platform/win/CodePage.h"
#include "support/GameFolder.h"
#include "support/GameFolderWriter.h"
#include "support/SampleGameScripts.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

// Frames from the title into the first stage's play: button 1 (mask 16) on the title's first
// entry; right (2) twice on the map; button 1 to ask, up (4) to "play", button 1; then the map's
// fade-out and the stage's fade-in and start banners.
constexpr int kBeforePlay = 268;
constexpr int kPlayFrames = 260;

std::string PadText()
{
    std::vector<int> masks(kBeforePlay, 0);
    for (const auto& [frame, mask] : {std::pair{30, 16}, {70, 2}, {72, 2}, {80, 16}, {84, 4}, {88, 16}}) {
        masks[static_cast<std::size_t>(frame)] = mask;
    }
    const std::vector<testsupport::PadFrame> play = testsupport::SampleStageScript(0);
    for (int i = 0; i < kPlayFrames && i < static_cast<int>(play.size()); ++i) {
        masks.push_back(
            cPadScript::MaskOf(play[static_cast<std::size_t>(i)].dir, play[static_cast<std::size_t>(i)].buttons));
    }
    std::string text;
    for (int mask : masks) {
        text += std::to_string(mask) + "\n";
    }
    return text;
}

TEST(ExitLeakTest, ClosingDuringStagePlayLeavesNoSurfaceReferenced)
{
    if (PlayerPath().empty() || !fs::exists(PlayerPath())) {
        GTEST_SKIP() << "the program was not built with the tests";
    }
    for (const char* backEnd : {"0", "1"}) {
        SCOPED_TRACE(std::string("Direct3D=") + backEnd);
        testsupport::GameFolder folder;
        testsupport::GameSpec game = testsupport::SampleGame();
        for (auto& entry : game.systemIni.entries) {
            if (entry.first == "Direct3D") {
                entry.second = backEnd;
            }
        }
        ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), game));
        folder.Write("pad.txt", PadText());
        const RunResult run = RunPlayer(
            folder.Root(), {},
            {"QB_FRAMES=" + std::to_string(kBeforePlay + kPlayFrames), "QB_INPUT=pad.txt", "QB_STATE=state.json"});
        EXPECT_EQ(run.code, 0) << run.output;
        const std::string state = folder.Read("state.json");
        EXPECT_NE(state.find("\"screen\": \"stage\""), std::string::npos) << state;
        EXPECT_EQ(run.output.find(Cp932ToUtf8(Sjis("解放漏れがあります"))), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("still referenced"), std::string::npos) << run.output;
    }
}

}  // namespace
}  // namespace apptest
