// The sample game played through as a player would, from the title screen, by scripted input:
// the story from a new game through all six stages of the three worlds (saving into a slot after
// the first world, going back to the title and continuing from that slot on the way), a world of
// the challenge mode, a free play of a stage file chosen at the title, left through the pause menu,
// and the playback of a replay chosen at the title. Every stage is played
// by its clearing script and must reach its clear; what each play did is kept as digests beside
// the test (tests/integration/golden/full-play.txt), so that any change of behaviour anywhere on
// the way shows up as the first stage whose digests differ.
//
// After an intended change, the same code writes the file again:
//     QB_UPDATE_GOLDEN=1 bash scripts/test.sh -L integration
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "SampleGame.h"
#include "core/MainWindowRequests.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "project/cSaveData.h"
#include "scenes/FreeStage.h"
#include "screenbase/cMenuCursor.h"
#include "stage/cSceneStage.h"
#include "support/GoldenFiles.h"
#include "support/MenuKeys.h"
#include "support/SampleGameScripts.h"
#include "support/ScreenHarness.h"

namespace {

using namespace menukeys;

constexpr int kMapRow = 7;
constexpr int kMapStartX = 2;
// The stages' nodes on the map's road, in story order.
constexpr int kNodeX[6] = {4, 6, 9, 12, 15, 17};
// Frames the fades and banners before a stage's play may take, and those after its script.
constexpr int kMaxWait = 900;
constexpr int kClearCaptionFrames = 120;

constexpr const char* kReplayFile = "user_data\\rpl4\\golden.rpl4_720";

std::filesystem::path GoldenPath()
{
    return testsupport::GoldenFile("integration", "full-play.txt");
}

class FullPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ReleaseAllKeys();
        harness = std::make_unique<testsupport::ScreenHarness>(testsupport::SampleGame());
        ASSERT_TRUE(harness->Loaded());
        ASSERT_TRUE(harness->RunUntil(SCENE_TITLE, 1, 5));
    }
    void TearDown() override
    {
        harness.reset();
        ReplaySaveData.End();
        Replay.Clear();
        ReplayPrev.Clear();
        ReleaseAllKeys();
    }

    // Plays the stage now starting with the script of stage index and leaves its clear display
    // with decide. One line of the record: what the play was, its play frames, the digest of its
    // last play frame and one digest of all of them.
    void PlayStage(const std::string& what, int index)
    {
        ASSERT_TRUE(harness->RunUntil(SCENE_STAGE, STAGESTATE_PLAY, kMaxWait)) << what;
        const std::vector<testsupport::PadFrame> script = testsupport::SampleStageScript(index);
        harness->SetScript(script);
        std::uint64_t all = 0;
        std::uint64_t last = 0;
        int frames = 0;
        const int limit = static_cast<int>(script.size()) + kMaxWait;
        while (frames < limit && harness->SceneId() == SCENE_STAGE && harness->Current()->m_nState == STAGESTATE_PLAY) {
            harness->RunFrames(1);
            ++frames;
            last = harness->Digest();
            all = (all ^ last) * 1099511628211ull;
        }
        ASSERT_EQ(harness->SceneId(), SCENE_STAGE) << what;
        ASSERT_EQ(harness->Current()->m_nState, STAGESTATE_CLEAR) << what << " not cleared";
        harness->SetScript({});
        harness->RunFrames(kClearCaptionFrames);
        Press(*harness, {Button(BUTTON_DECIDE)});
        record << what << " frames " << frames << " last " << testsupport::HexDigest(last) << " all "
               << testsupport::HexDigest(all) << "\n";
    }

    // The hero's cell on the map now: the bottom of the menu cursor's stack (a question asked on
    // the map opens its own cursor above it).
    static int MapColumn() { return MenuCursor.m_Stack[0].nCol; }

    // Walks the hero along the road to column x.
    void WalkTo(int x)
    {
        for (int step = MapColumn(); step < x; ++step) {
            Press(*harness, {Dir(DIR_RIGHT)});
        }
    }

    // Enters the story stage of index from the map: walks onto its node, where a stage that bars
    // the road asks at once and any other is asked for with decide, then answers "play".
    void EnterStoryStage(int index)
    {
        WalkTo(kNodeX[index]);
        ASSERT_EQ(MapColumn(), kNodeX[index])
            << "stage " << index + 1 << " screen " << harness->SceneId() << " state " << harness->Current()->m_nState;
        if (harness->Current()->m_nState != 2) {
            Press(*harness, {Button(BUTTON_DECIDE)});
        }
        ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAP, 2, 5)) << "stage " << index + 1 << " is not asked for";
        Press(*harness, {Dir(DIR_UP), Button(BUTTON_DECIDE)});
    }

    // Plays the story stages first .. end - 1 in turn from the map, each back on the map cleared.
    void PlayStoryStages(int first, int end)
    {
        for (int index = first; index < end; ++index) {
            EnterStoryStage(index);
            PlayStage("story stage " + std::to_string(index + 1), index);
            ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAP, 1, kMaxWait));
            EXPECT_EQ(SaveData.StageClear[index + 1], 1);
        }
    }

    void CheckRecord()
    {
        if (testsupport::UpdatingGoldens()) {
            std::filesystem::create_directories(GoldenPath().parent_path());
            std::ofstream(GoldenPath(), std::ios::trunc) << record.str();
            return;
        }
        std::ifstream in(GoldenPath());
        ASSERT_TRUE(in) << GoldenPath() << " is missing: QB_UPDATE_GOLDEN=1 bash scripts/test.sh -L integration";
        std::stringstream expected;
        expected << in.rdbuf();
        std::istringstream want(expected.str());
        std::istringstream got(record.str());
        std::string wantLine;
        std::string gotLine;
        while (std::getline(want, wantLine)) {
            ASSERT_TRUE(std::getline(got, gotLine)) << "missing: " << wantLine;
            ASSERT_EQ(gotLine, wantLine) << "the first play that differs";
        }
        EXPECT_FALSE(std::getline(got, gotLine)) << "more plays than kept: " << gotLine;
    }

    std::unique_ptr<testsupport::ScreenHarness> harness;
    std::ostringstream record;
};

TEST_F(FullPlayTest, EveryPlayKindFromTheTitle)
{
    // The story: a new game, the first world, saved into the first slot.
    Press(*harness, {Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAP, 1, kMaxWait));
    ASSERT_EQ(SaveData.nMapX, kMapStartX);
    ASSERT_EQ(SaveData.nMapY, kMapRow);
    PlayStoryStages(0, 2);
    ASSERT_FALSE(HasFatalFailure());
    Press(*harness, {Button(BUTTON_CANCEL)});
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAPMENU, 1, kMaxWait));
    Press(*harness, {Button(BUTTON_DECIDE), Button(BUTTON_DECIDE), Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_EQ(SaveData.nSlot, 0);

    // Back to the title; what is in memory is forgotten; "continue" from the first slot.
    Press(*harness, {Button(BUTTON_CANCEL), Dir(DIR_DOWN), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE),
                     Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_TITLE, 1, kMaxWait));
    SaveData.Reset();
    Press(*harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAP, 1, kMaxWait));
    EXPECT_EQ(SaveData.nMapX, kNodeX[1]);

    // The second and third worlds, to the end.
    PlayStoryStages(2, 6);
    ASSERT_FALSE(HasFatalFailure());

    // Back to the title through the world-map menu.
    Press(*harness, {Button(BUTTON_CANCEL)});
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDMAPMENU, 1, kMaxWait));
    Press(*harness,
          {Dir(DIR_DOWN), Dir(DIR_DOWN), Dir(DIR_DOWN), Button(BUTTON_DECIDE), Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_TITLE, 1, kMaxWait));

    // The challenge: the first world, played from its first stage, back on the world select.
    Press(*harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDSELECT, 1, kMaxWait));
    Press(*harness, {Button(BUTTON_DECIDE)});
    PlayStage("challenge world 1", 0);
    ASSERT_TRUE(harness->RunUntil(SCENE_WORLDSELECT, 1, kMaxWait));
    ASSERT_FALSE(SaveData.WorldRecord.empty());
    EXPECT_EQ(SaveData.WorldRecord[0].first, 1);
    Press(*harness, {Button(BUTTON_CANCEL)});
    ASSERT_TRUE(harness->RunUntil(SCENE_TITLE, 1, kMaxWait));

    // Free play of the sky bridge, chosen in the title's file dialog; its end starts it again.
    harness->onLoadStage = [] { return LoadFreeStage("data\\stg4\\stage3.stg4_000", 0); };
    Press(*harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE)});
    EXPECT_EQ(harness->Requests(WM_LOADSTAGEFILE), 1);
    PlayStage("free stage 3", 2);
    ASSERT_TRUE(harness->RunUntil(SCENE_STAGE, STAGESTATE_PLAY, kMaxWait));

    // Space pauses; "quit" (above "continue", where the menu opens) goes back to the title.
    SetKeyState(VK_SPACE, true);
    harness->RunFrames(1);
    SetKeyState(VK_SPACE, false);
    ASSERT_EQ(harness->Current()->m_nState, STAGESTATE_PAUSE);
    Press(*harness, {Dir(DIR_UP), Button(BUTTON_DECIDE)});
    ASSERT_TRUE(harness->RunUntil(SCENE_TITLE, 1, kMaxWait));

    // A replay chosen at the title: the golden replay of the first stage plays back frame for
    // frame as kept with it.
    std::filesystem::copy_file(testsupport::GoldenFile("replay", "stage1.rpl4_720"),
                               harness->Folder().Host(kReplayFile), std::filesystem::copy_options::overwrite_existing);
    harness->onLoadReplay = [] { return testsupport::LoadReplayForPlayback(kReplayFile); };
    Press(*harness, {Dir(DIR_DOWN), Button(BUTTON_DECIDE)});
    EXPECT_EQ(harness->Requests(WM_LOADREPLAYFILE), 1);
    ASSERT_TRUE(harness->RunUntil(SCENE_STAGE, STAGESTATE_PLAY, kMaxWait));
    std::vector<std::uint64_t> golden;
    ASSERT_TRUE(testsupport::ReadDigestFile(testsupport::GoldenFile("replay", "stage1.digests"), golden));
    ASSERT_FALSE(golden.empty());
    for (std::size_t i = 0; i < golden.size(); ++i) {
        harness->RunFrames(1);
        ASSERT_EQ(harness->Digest(), golden[i]) << "replay: first difference at play frame " << i + 1;
    }
    record << "replay stage 1 frames " << golden.size() << " last " << testsupport::HexDigest(golden.back()) << "\n";

    EXPECT_EQ(harness->TakePosted(WM_CLOSE), 0);
    CheckRecord();
}

}  // namespace
