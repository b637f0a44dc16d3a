// The sample game as a whole: every stage is cleared by its pad script through the play harness,
// and what each stage is meant to show a newcomer actually happens in that play (enemies that hop
// and shoot, lifts ridden, springs and conveyor belts, the sign's message, the extra life, the
// boss's entrance); the world map opens its worlds one after the other; the written folder is
// the same on every write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <queue>
#include <set>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "GamePalette.h"
#include "GameScreens.h"
#include "PlayHarness.h"
#include "SampleGame.h"
#include "SampleGameScripts.h"
#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/TextHelpers.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/cTextObj.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "sound/SoundEffects.h"
#include "support/TestMainWindow.h"

namespace {

using testsupport::GameSpec;
using testsupport::PlayHarness;

// System sounds asked of the main window during a play.
std::vector<WPARAM>& SystemSounds()
{
    static std::vector<WPARAM> sounds;
    return sounds;
}

LRESULT SoundRecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PLAYSE) {
        SystemSounds().push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// Frames of the fade-in and start banners, at most.
constexpr int kBannerFramesMax = 400;

// A main window on the test thread that records the system sounds.
class SoundWindow : public testsupport::TestMainWindow {
public:
    SoundWindow() : TestMainWindow(SoundRecordingProc) { SystemSounds().clear(); }
};

// What a play of one stage showed, gathered frame by frame.
struct PlayLog {
    int clearFrame = -1;  // play frames until the clear state, -1 never
    int stageFrames = 0;  // frames from the stage's start (its banners included) to the clear
    int worstState = 0;   // the state after the last frame run
    bool heroDied = false;
    int livesGained = 0;
    bool shotsFlew = false;
    bool enemyHopped = false;
    bool rodeLift = false;
    bool conveyor = false;
    bool screenEffect = false;
    bool message = false;
    int music = 0;
    int closeRequests = 0;  // WM_CLOSE posted: a fault in the stage data was met
    std::vector<WPARAM> sounds;
};

// The sample game with stage index first (the harness plays the first stage of a game).
GameSpec GameStartingAt(int index)
{
    GameSpec spec = testsupport::SampleGame();
    auto stages = spec.stages.begin();
    std::rotate(stages, stages + index, stages + static_cast<std::ptrdiff_t>(testsupport::SampleStages().size()));
    return spec;
}

// Plays stage index with its script until the clear, the hero's death or the script's end.
PlayLog PlayStage(int index)
{
    SoundWindow window;
    ReleaseAllKeys();
    // A headless play: no drawing back-end's surface table, whatever an earlier test left.
    DDSURFACEDATA* const surfaces = lpSDTable;
    lpSDTable = nullptr;
    struct Restore {
        DDSURFACEDATA* table;
        ~Restore() { lpSDTable = table; }
    } restore{surfaces};
    PlayLog log;
    PlayHarness harness(GameStartingAt(index));
    if (!harness.Loaded()) {
        return log;
    }
    // Nothing held through the start banners; the script from the first play frame on.
    harness.SetScript({});
    if (!harness.Enter() || !harness.RunUntilState(STAGESTATE_PLAY, kBannerFramesMax)) {
        return log;
    }
    const std::vector<testsupport::PadFrame> script = testsupport::SampleStageScript(index);
    harness.SetScript(script);
    cSceneStage& scene = harness.Scene();
    const int startLives = SaveData.nLives;
    std::map<int, double> firstY;  // per character (object number): where it was first seen
    for (int frame = 1; frame <= static_cast<int>(script.size()); ++frame) {
        harness.RunFrames(1);
        log.worstState = scene.m_nState;
        if (scene.m_nState == STAGESTATE_CLEAR) {
            log.clearFrame = frame;
            log.stageFrames = static_cast<int>(harness.Digests().size());
            break;
        }
        const testsupport::CharaState hero = PlayHarness::PlayerState();
        if (hero.dying != 0 || scene.m_nState == STAGESTATE_MISS || scene.m_nState == STAGESTATE_GAMEOVER) {
            log.heroDied = true;
            break;
        }
        log.livesGained = std::max(log.livesGained, SaveData.nLives - startLives);
        log.shotsFlew = log.shotsFlew || !scene.m_ShotList.empty();
        log.screenEffect = log.screenEffect || scene.m_ScrEffect.nNumber != 0;
        for (const cTextObj& text : scene.m_TextList) {
            log.message = log.message || text.nKind == 1;  // icons of items taken are kinds 2 and 3
        }
        log.rodeLift = log.rodeLift || Player.data()[P1].onFoothold != 0;
        log.conveyor = log.conveyor || Player.data()[P1].floorEffectKind == 5;
        for (const cChara& chara : CharaList) {
            if (chara.noGravity != 0) {
                continue;
            }
            auto [it, added] = firstY.emplace(chara.source, chara.y);
            // A walker 30 pixels above where it was first seen has jumped.
            log.enemyHopped = log.enemyHopped || (!added && chara.y < it->second - 30.0);
        }
    }
    log.music = Stage.m_nBgm;
    log.sounds = SystemSounds();
    log.closeRequests = window.TakePosted(WM_CLOSE);
    return log;
}

bool Heard(const PlayLog& log, WPARAM sound)
{
    return std::find(log.sounds.begin(), log.sounds.end(), sound) != log.sounds.end();
}

// What each stage has to show in the play of its script.
struct StageCase {
    const char* name;
    bool shots;
    bool hopping;
    bool lift;
    bool spring;
    bool conveyor;
    bool message;
    bool extraLife;
    bool screenEffect;
    int music;
};

const StageCase kStages[] = {
    {"grassland", false, false, false, false, false, true, true, false, testsupport::sample::kBgmStage},
    {"hills", false, true, false, true, true, false, false, false, testsupport::sample::kBgmStage},
    {"sky bridge", true, false, false, false, false, false, false, false, testsupport::sample::kBgmStage},
    {"lift works", true, true, true, false, false, true, false, false, testsupport::sample::kBgmStage},
    {"castle", true, true, false, false, false, false, false, false, testsupport::sample::kBgmStage},
    {"keep", true, true, false, false, false, true, true, true, testsupport::sample::kBgmBoss},
};

class SampleStageTest : public ::testing::TestWithParam<int> {};

TEST_P(SampleStageTest, ItsScriptClearsItAndShowsWhatTheStageIsFor)
{
    const int index = GetParam();
    const StageCase& c = kStages[index];
    const PlayLog log = PlayStage(index);

    // Nothing in the stage data is faulty.
    EXPECT_EQ(log.closeRequests, 0) << c.name;
    ASSERT_FALSE(log.heroDied) << c.name;
    ASSERT_GT(log.clearFrame, 0) << c.name << " not cleared; state " << log.worstState;
    // A short stage: 20 to 40 seconds from its start to the goal.
    EXPECT_GE(log.stageFrames, 20 * 60) << c.name;
    EXPECT_LE(log.stageFrames, 40 * 60) << c.name;

    EXPECT_EQ(log.shotsFlew, c.shots) << c.name;
    if (c.hopping) {
        EXPECT_TRUE(log.enemyHopped) << c.name;
    }
    EXPECT_EQ(log.rodeLift, c.lift) << c.name;
    EXPECT_EQ(Heard(log, static_cast<WPARAM>(SE_JUMP_PAD)), c.spring) << c.name;
    EXPECT_EQ(log.conveyor, c.conveyor) << c.name;
    EXPECT_EQ(log.message, c.message) << c.name;
    EXPECT_EQ(log.livesGained, c.extraLife ? 1 : 0) << c.name;
    EXPECT_EQ(log.screenEffect, c.screenEffect) << c.name;
    EXPECT_EQ(log.music, c.music) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Stages, SampleStageTest, ::testing::Range(0, 6),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param + 1);
                         });

TEST(SampleGameTest, EveryStageHasAScriptAndNoMore)
{
    const std::size_t stages = testsupport::SampleStages().size();
    ASSERT_EQ(stages, std::size(kStages));
    for (std::size_t i = 0; i < stages; ++i) {
        EXPECT_FALSE(testsupport::SampleStageScript(static_cast<int>(i)).empty()) << i;
    }
    EXPECT_TRUE(testsupport::SampleStageScript(-1).empty());
    EXPECT_TRUE(testsupport::SampleStageScript(static_cast<int>(stages)).empty());
}

TEST(SampleGameTest, ScriptTextIsOneControllerMaskPerLine)
{
    // Mask bits: 0..3 the directions, 4..11 the buttons.
    const std::vector<testsupport::PadFrame> script = {{2, 0}, {2, 1}, {0, 0}, {1, 3}};
    EXPECT_EQ(testsupport::ScriptText(script), "2\n18\n0\n49\n");
}

// The cells of the world map the figure can reach from the start, nodes whose stage is not
// cleared and may not be walked past being as far as it gets.
std::set<std::pair<int, int>> Reachable(const testsupport::WorldMapSpec& map, const std::set<int>& cleared)
{
    std::map<std::pair<int, int>, const testsupport::WorldStageSpec*> nodes;
    for (const testsupport::WorldNodeSpec& node : map.nodes) {
        nodes[{node.x, node.y}] = &node.entries.front();
    }
    auto open = [&](int x, int y) {
        const std::size_t cell = static_cast<std::size_t>(y * map.pitch + x);
        return nodes.count({x, y}) != 0 || map.chips.at(static_cast<std::size_t>(map.cells.at(cell))).block == 0;
    };
    std::set<std::pair<int, int>> seen{{map.startX, map.startY}};
    std::queue<std::pair<int, int>> todo;
    todo.push({map.startX, map.startY});
    while (!todo.empty()) {
        const auto [x, y] = todo.front();
        todo.pop();
        const auto node = nodes.find({x, y});
        if (node != nodes.end() && node->second->passable == 0 && cleared.count(node->second->stageNo) == 0) {
            continue;  // a barring node: the figure stops here
        }
        const std::pair<int, int> steps[4] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& [nx, ny] : steps) {
            if (nx >= 0 && ny >= 0 && nx < map.width && ny < map.height && open(nx, ny) &&
                seen.insert({nx, ny}).second) {
                todo.push({nx, ny});
            }
        }
    }
    return seen;
}

TEST(SampleGameTest, WorldsOpenOneAfterTheOtherAsTheirLastStageIsCleared)
{
    const testsupport::WorldMapSpec map = testsupport::SampleWorldMap();
    ASSERT_EQ(map.nodes.size(), 6u);
    ASSERT_EQ(testsupport::SampleSystemData().worldCount, testsupport::sample::kWorldCount);

    // Stage numbers offered after clearing the stages of `cleared`, reachable and with their
    // needed stage cleared.
    auto offered = [&](const std::set<int>& cleared) {
        const std::set<std::pair<int, int>> cells = Reachable(map, cleared);
        std::set<int> stages;
        for (const testsupport::WorldNodeSpec& node : map.nodes) {
            const testsupport::WorldStageSpec& entry = node.entries.front();
            if (cells.count({node.x, node.y}) != 0 && (entry.needStage == 0 || cleared.count(entry.needStage) != 0)) {
                stages.insert(entry.stageNo);
            }
        }
        return stages;
    };
    EXPECT_EQ(offered({}), (std::set<int>{1}));
    EXPECT_EQ(offered({1}), (std::set<int>{1, 2}));
    EXPECT_EQ(offered({1, 2}), (std::set<int>{1, 2, 3}));
    EXPECT_EQ(offered({1, 2, 3}), (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(offered({1, 2, 3, 4}), (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(offered({1, 2, 3, 4, 5}), (std::set<int>{1, 2, 3, 4, 5, 6}));
    // Clearing a world's first stage alone does not open the next world: its last stage bars
    // the bridge.
    EXPECT_EQ(Reachable(map, {1, 3}).count({9, 7}), 0u);
    EXPECT_EQ(Reachable(map, {1, 2}).count({9, 7}), 1u);
    EXPECT_EQ(Reachable(map, {1, 2, 3}).count({15, 7}), 0u);
}

// What the shell shows of the sample game reads right: the world select's best-score heading (nine
// 32-pixel blanks from x 32, then the text) ends inside the window box (x 638 less its 16-pixel
// frame); the ranking header is English, as the game is (System.ini "English"); the continue
// list's window (from y 152) leaves the title picture's subtitle (white) uncovered.
TEST(SampleGameTest, ItsTextsAndPicturesFitTheScreensThatShowThem)
{
    const testsupport::GameSpec game = testsupport::SampleGame();
    std::string heading = game.systemData.texts.at(3);
    while (!heading.empty() && heading.back() == ' ') heading.pop_back();
    EXPECT_LE(32 + (9 + CountChars(heading.c_str())) * 32, 638 - 16) << heading;

    const auto& ini = game.systemIni.entries;
    EXPECT_NE(std::find(ini.begin(), ini.end(), std::pair<std::string, std::string>{"English", "1"}), ini.end());

    const testsupport::IndexedImage title = testsupport::TitlePicture(game.title.title, game.title.subtitle);
    int covered = 0;
    for (int y = 152; y < 186; ++y) {
        for (int x = 0; x < 640; ++x) covered += title.At(x, y) == testsupport::pal::kWhite ? 1 : 0;
    }
    EXPECT_EQ(covered, 0);
}

TEST(SampleGameTest, SettingsCountThreeWorldsAndRankTheStoryChallengeAndFreePlays)
{
    const testsupport::SystemDataSpec settings = testsupport::SampleSystemData();
    EXPECT_EQ(settings.worldCount, 3);
    ASSERT_EQ(settings.rankingRows.size(), 4u);  // story, challenge, free, replay playback
    for (int kind = 0; kind < 3; ++kind) {
        EXPECT_EQ(settings.rankingRows[static_cast<std::size_t>(kind)].enabled, 1) << kind;
    }
    // Each world's challenge is its first stage; every stage keeps all five ranking tables.
    const std::vector<testsupport::StageFileSpec> stages = testsupport::SampleStages();
    const std::vector<testsupport::StageFileSpec> challenges = testsupport::SampleChallengeStages();
    ASSERT_EQ(challenges.size(), 3u);
    for (std::size_t world = 0; world < challenges.size(); ++world) {
        EXPECT_EQ(challenges[world].path, "data\\stg4\\c0" + std::to_string(world + 1) + "-1.stg4");
        const testsupport::StageSpec& first = stages[world * 2].stage;
        EXPECT_EQ(testsupport::StageFile(challenges[world].stage).Data(), testsupport::StageFile(first).Data())
            << world;
    }
    for (const testsupport::StageFileSpec& stage : stages) {
        EXPECT_EQ(stage.stage.ranking, (std::vector<std::int32_t>{1, 1, 1, 1, 1})) << stage.path;
    }
}

using Bytes = std::vector<std::uint8_t>;

std::map<std::string, Bytes> ReadTree(const std::filesystem::path& root)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[std::filesystem::relative(entry.path(), root).generic_string()] =
                Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    return files;
}

TEST(SampleGameTest, TwoWritesGiveTheSameFolderWithEveryStageAndChallengeFile)
{
    testsupport::GameFolder first;
    testsupport::GameFolder second;
    ASSERT_TRUE(testsupport::WriteGameFolder(first.Root(), testsupport::SampleGame()));
    ASSERT_TRUE(testsupport::WriteGameFolder(second.Root(), testsupport::SampleGame()));
    const std::map<std::string, Bytes> a = ReadTree(first.Root());
    const std::map<std::string, Bytes> b = ReadTree(second.Root());
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [path, bytes] : a) {
        const auto other = b.find(path);
        ASSERT_NE(other, b.end()) << path;
        EXPECT_TRUE(other->second == bytes) << path << " differs";
    }
    for (const char* name : {"stage1", "stage2", "stage3", "stage4", "stage5", "stage6", "c01-1", "c02-1", "c03-1"}) {
        EXPECT_EQ(a.count(std::string("data/stg4/") + name + ".stg4_000"), 1u) << name;
    }
    EXPECT_EQ(a.count("bgm/boss.mid"), 1u);
}

}  // namespace
