// The program as a script or a user runs it, headless: the start-up on every drawing back-end and
// depth, broken game folders ending with their message and exit code 1, a second copy, and a
// scripted play of the sample game's first stage read back through its state file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "FakeEditor.h"
#include "PlayerProcess.h"
#include "SampleGame.h"
#include "app/SingleInstance.h"
#include "app/cWindowData.h"
#include "core/TextHelpers.h"
#include "input/cPadScript.h"
#include "platform/d3d9/D3DXPngImage.h"
#include "platform/win/CodePage.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "support/GameFolder.h"
#include "support/GameFolderWriter.h"
#include "support/PlayHarness.h"
#include "support/SampleGameScripts.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;
// Frames of the way from the title into the first stage's play (a run long enough to be in play).
constexpr int kToStageFrames = 400;
using apptest::Behaviour;
using apptest::FakeEditor;
using apptest::Le;
using apptest::Received;
using testsupport::Breakage;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The report log's lines (Shift-JIS, CR LF ends).
std::vector<std::string> ReportLines(const fs::path& folder)
{
    const std::string text = ReadFile(folder / "Report_Game.txt");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The UTF-8 form of a text the program shows (boxes are echoed to standard error in UTF-8).
std::string Shown(const char* szUtf8)
{
    return Cp932ToUtf8(Sjis(szUtf8));
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (PlayerPath().empty() || !fs::exists(PlayerPath())) {
            GTEST_SKIP() << "the program was not built with the tests";
        }
    }

    // Writes the minimal game with this System.ini into folder.
    static void WriteGame(const fs::path& folder, const std::vector<std::pair<std::string, std::string>>& ini,
                          Breakage breakage = Breakage::None, bool bBlendTables = false)
    {
        testsupport::GameSpec spec = testsupport::MinimalGame();
        spec.blendTables = bBlendTables;
        if (!ini.empty()) {
            spec.systemIni.entries = ini;
        }
        ASSERT_TRUE(testsupport::WriteGameFolder(folder, spec, breakage));
    }
};

TEST_F(ProgramTest, StartsOnEveryBackEndAndDepthAndClosesInOrder)
{
    struct Case {
        const char* name;
        const char* direct3D;
        const char* windowMode;
        const char* bpp;
        const char* mode;  // the display report's mode line
        int depth;
        bool bDirect3DOpened;
    };
    // The headless desktop is 32 bits deep: windows run at 32, full screens at any depth.
    const Case cases[] = {
        {"Direct3D window", "1", "1", "0", "Mode : Window", 32, true},
        {"Direct3D full screen 16", "1", "0", "16", "Mode : Fullscreen", 16, true},
        {"DirectDraw window", "0", "1", "32", "Mode : Window", 32, false},
        {"DirectDraw full screen 8", "0", "0", "8", "Mode : Fullscreen", 8, false},
        {"DirectDraw full screen 16", "0", "0", "16", "Mode : Fullscreen", 16, false},
        // Asked at start: the drawing-mode dialog's default starts Direct3D (Boot.dat's default).
        {"asked at start", "2", "1", "0", "Mode : Window", 32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        // The 8-bit screen mixes colours through the blend tables.
        WriteGame(folder.Root(), {{"Direct3D", c.direct3D}, {"WindowMode", c.windowMode}, {"Bpp", c.bpp}},
                  Breakage::None, c.depth == 8);
        const RunResult run = RunPlayer(folder.Root(), {}, {"QB_FRAMES=3"});
        EXPECT_EQ(run.code, 0) << run.output;
        EXPECT_EQ(run.output.find("エラー"), std::string::npos) << run.output;

        const std::vector<std::string> lines = ReportLines(folder.Root());
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines.front(), "App : ver 720");
        if (!c.bDirect3DOpened) {
            // DirectDraw's report is short enough to compare whole, line by line.
            const std::string num = " *[0-9]+(\\.[0-9]+)?";
            const std::vector<std::string> expected = {
                "App : ver 720",
                "OS : .*",
                "CPU : .*",
                "Mem Total :" + num + "MB",
                "Mem Free :" + num + "MB",
                "Vir Total :" + num + "MB",
                "Vir Free :" + num + "MB",
                "HD Free :" + num + "MB",
                "VSync : 0",
                Sjis("DDInit成功"),
                c.mode,
                "Bpp : " + std::to_string(c.depth),
                "VRAM Total :" + num + "MB",
                "VRAM Free :" + num + "MB",
                "RR : [0-9]+",
                "Font10 : [0-9]+",
                "Font16 : [0-9]+",
            };
            ASSERT_EQ(lines.size(), expected.size());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                EXPECT_TRUE(std::regex_match(lines[i], std::regex(expected[i]))) << i << ": " << lines[i];
            }
        }
        const auto opened = std::find(lines.begin(), lines.end(), Sjis("DDInit成功"));
        ASSERT_LT(opened + 2, lines.end());
        EXPECT_EQ(opened[1], c.mode);
        EXPECT_EQ(opened[2], "Bpp : " + std::to_string(c.depth));
        EXPECT_EQ(std::find(lines.begin(), opened, "Device HAL-HARD") != opened, c.bDirect3DOpened);
        // The shutdown's own lines close the log: the start-up reached the frame loop and ended
        // in order. They count the glyphs of the fonts' double-byte caches, which exist under
        // DirectDraw's default cache setting and not under Direct3D's.
        const std::regex fontLine("Font1[06] : [0-9]+");
        if (!c.bDirect3DOpened) {
            EXPECT_TRUE(std::regex_match(lines[lines.size() - 2], fontLine)) << lines[lines.size() - 2];
            EXPECT_TRUE(std::regex_match(lines.back(), fontLine)) << lines.back();
        } else {
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [&](const std::string& line) { return std::regex_match(line, fontLine); }),
                      0);
        }
        // Only a window's placement is kept for the next start.
        EXPECT_EQ(folder.Exists("user_data\\Window.dat"), std::string(c.windowMode) != "0");
    }
}

TEST_F(ProgramTest, TheWindowStartsWhereItWasLeftAndIsKeptThereAgain)
{
    struct Case {
        const char* name;
        int x, y, maximised;
    };
    const Case cases[] = {
        {"placed", 300, 200, 0},
        {"maximised", 120, 80, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), {});
        cWindowData before;
        before.x = c.x;
        before.y = c.y;
        before.nWidth = 640;
        before.nHeight = 480;
        before.bMaximized = c.maximised;
        fs::create_directories(folder.Root() / "user_data");
        ASSERT_TRUE(before.SaveFile("user_data\\Window.dat"));
        const RunResult run = RunPlayer(folder.Root(), {}, {"QB_FRAMES=2"});
        EXPECT_EQ(run.code, 0) << run.output;
        cWindowData after;
        ASSERT_TRUE(after.LoadFile("user_data\\Window.dat"));
        EXPECT_EQ(after.x, c.x);
        EXPECT_EQ(after.y, c.y);
        EXPECT_EQ(after.bMaximized, c.maximised);
    }
}

TEST_F(ProgramTest, BrokenGameFoldersEndWithTheirMessageAndAnOrderlyShutdown)
{
    struct Case {
        std::string name;
        Breakage breakage;
        std::string removed;  // a file removed besides the breakage
        std::vector<std::pair<std::string, std::string>> ini;
        std::vector<std::string> args;
        int code;
        std::vector<std::string> shown;  // UTF-8
    };
    const std::string stage = "data\\stg4\\test.stg4";
    std::vector<Case> cases = {
        {"no data and no default folder",
         Breakage::NoDataNoDefault,
         "",
         {},
         {},
         1,
         {Shown("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。")}},
        {"settings missing", Breakage::MissingSystemData, "", {}, {}, 1, {Shown("data\\System.dat の読み込みに失敗…")}},
        {"world map missing", Breakage::MissingWorldMap, "", {}, {}, 1, {Shown("data\\WorldMap.dat のロードに失敗！")}},
        {"common palette missing",
         Breakage::MissingCommonPalette,
         "",
         {},
         {},
         1,
         {Shown("data\\CommonPalette.cplt4 のロードに失敗！")}},
        {"corrupt stage",
         Breakage::StageWithoutEndCode,
         "",
         {},
         {stage},
         1,
         {Shown("ステージファイル data\\stg4\\test.stg4_000 が破損しています！")}},
        {"stage without hero",
         Breakage::HeroLessStage,
         "",
         {},
         {stage},
         1,
         {Shown("主人公が配置されていないのでプレイできません！")}},
        {"window deeper than the desktop",
         Breakage::None,
         "",
         {{"Direct3D", "0"}, {"WindowMode", "1"}, {"Bpp", "16"}},
         {},
         1,
         {Shown("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！")}},
        {"depth that no back-end has",
         Breakage::None,
         "",
         {{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "24"}},
         {},
         1,
         {Shown("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！")}},
        {"8 bits without blend tables",
         Breakage::None,
         "",
         {{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "8"}},
         {},
         1,
         {Shown("bmp\\hbt\\hbt00.dat の読み込みに失敗！")}},
        // System.ini is optional: its box is shown and the defaults of the settings are used.
        {"System.ini missing",
         Breakage::MissingSystemIni,
         "",
         {},
         {},
         0,
         {Shown("System.ini の読み込みに失敗しました！")}},
        {"System.ini without its Exit line",
         Breakage::SystemIniWithoutExit,
         "",
         {},
         {},
         0,
         {Shown("System.ini の読み込みに失敗しました！")}},
    };
    for (const char* table : {"AnimeSet", "Anime", "Bmp_CharaExc", "SwordType", "Effect", "CharaEffect", "ScrEffect",
                              "Picture", "Sound", "Bgm"}) {
        const std::string file = std::string("data\\database\\") + table + ".dat";
        cases.push_back({std::string(table) + " missing",
                         Breakage::None,
                         file,
                         {},
                         {},
                         1,
                         {Shown((file + " のロードに失敗！").c_str()), Shown("データベースの読み込みに失敗…")}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), c.ini, c.breakage);
        if (!c.removed.empty()) {
            folder.Remove(c.removed);
        }
        const RunResult run = RunPlayer(folder.Root(), c.args, {"QB_FRAMES=2"});
        // 1 and nothing else: a leak found at the end would change the code.
        EXPECT_EQ(run.code, c.code) << run.output;
        std::size_t from = 0;
        for (const std::string& text : c.shown) {
            const std::size_t at = run.output.find(text, from);
            EXPECT_NE(at, std::string::npos) << "not shown: " << text << "\n" << run.output;
            from = at == std::string::npos ? from : at + text.size();
        }
    }
}

// A stage file that is refused closes the program: the reason is in the report log before its box
// shows, and the run ends as failed, whether the stage came from the command line or from the
// world map.
TEST_F(ProgramTest, ARefusedStageIsLoggedBeforeItsBoxAndEndsTheRunAsFailed)
{
    struct Case {
        const char* name;
        bool bSampleGame;  // the sample game, the stage chosen on its world map; else the minimal game
        Breakage breakage;
        std::vector<std::string> args;
        const char* reason;  // UTF-8
    };
    const Case cases[] = {
        {"damaged, on the command line",
         false,
         Breakage::StageWithoutEndCode,
         {"data\\stg4\\test.stg4"},
         "ステージファイル data\\stg4\\test.stg4_000 が破損しています！"},
        {"without a hero, on the command line",
         false,
         Breakage::HeroLessStage,
         {"data\\stg4\\test.stg4"},
         "主人公が配置されていないのでプレイできません！"},
        {"damaged, chosen on the world map",
         true,
         Breakage::StageWithoutEndCode,
         {},
         "ステージファイル data\\stg4\\stage1.stg4_000 が破損しています！"},
    };
    // From the title to the first stage: button 1 (mask 16) on the title's first entry; right (2)
    // twice on the map; button 1 to ask, up (4) to "play", button 1.
    std::string toStage;
    for (int frame = 0; frame < 200; ++frame) {
        int mask = 0;
        for (const auto& [at, held] : {std::pair{30, 16}, {70, 2}, {72, 2}, {80, 16}, {84, 4}, {88, 16}}) {
            mask = frame == at ? held : mask;
        }
        toStage += std::to_string(mask) + "\n";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        if (c.bSampleGame) {
            ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), testsupport::SampleGame(), c.breakage));
        } else {
            WriteGame(folder.Root(), {}, c.breakage);
        }
        folder.Write("pad.txt", toStage);
        const RunResult run = RunPlayer(folder.Root(), c.args, {"QB_FRAMES=200", "QB_INPUT=pad.txt"});
        EXPECT_EQ(run.code, 1) << run.output;
        EXPECT_NE(run.output.find(Shown(c.reason)), std::string::npos) << run.output;
        const std::vector<std::string> lines = ReportLines(folder.Root());
        EXPECT_NE(std::find(lines.begin(), lines.end(), Sjis(c.reason)), lines.end()) << c.reason;
    }
}

TEST_F(ProgramTest, AStageFileThatCannotBeReadIsLoggedAndTheTitleComes)
{
    struct Case {
        const char* name;
        std::string argument;  // relative to the game folder, or "/" + a host path below it
        std::string logged;    // the name the program logs, Shift-JIS, after the folder's game path
    };
    const std::string tooLong = "data\\stg4\\" + std::string(300, 'a') + ".stg4";
    const Case cases[] = {
        {"missing", "data\\stg4\\none.stg4", "data\\stg4\\none.stg4"},
        {"missing, named by its host path", "/data/stg4/none.stg4", "\\data\\stg4\\none.stg4"},
        {"longer than a path may be", tooLong, tooLong.substr(0, 259)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), {});
        const bool bHost = c.argument[0] == '/';
        const std::string argument = bHost ? folder.Root().string() + c.argument : c.argument;
        const RunResult run = RunPlayer(folder.Root(), {argument}, {"QB_FRAMES=2", "QB_STATE=state.json"});
        EXPECT_EQ(run.code, 0) << run.output;
        std::string name = c.logged;
        if (bHost) {
            // The game's form of the folder: "Z:" and backslashes.
            std::string root = "Z:" + folder.Root().string();
            std::replace(root.begin(), root.end(), '/', '\\');
            name = root + name;
        }
        const std::vector<std::string> lines = ReportLines(folder.Root());
        const std::string logged = Sjis("「") + name + Sjis("」の読み込みに失敗しました！");
        EXPECT_NE(std::find(lines.begin(), lines.end(), logged), lines.end()) << logged;
        EXPECT_NE(folder.Read("state.json").find("\"screen\": \"title\""), std::string::npos)
            << folder.Read("state.json");
    }
}

TEST_F(ProgramTest, WithoutAStageFileTheTitleComesAndANewGameLeavesItForTheWorldMap)
{
    struct Case {
        const char* name;
        int nPressAt;  // frame of the one press of button 1; -1 none
        const char* screen;
    };
    // The title fades in over 90 / 10 frames; a press after it chooses the first entry, the new
    // game, whose fade-out takes as long again.
    constexpr int kFrames = 60;
    const Case cases[] = {
        {"no key", -1, "title"},
        {"button 1 on the menu", 20, "worldmap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), {});
        std::string script;
        for (int i = 0; i < kFrames; ++i) {
            script += i == c.nPressAt ? "16\n" : "0\n";
        }
        folder.Write("pad.txt", script);
        const RunResult run = RunPlayer(
            folder.Root(), {}, {"QB_FRAMES=" + std::to_string(kFrames), "QB_INPUT=pad.txt", "QB_STATE=state.json"});
        EXPECT_EQ(run.code, 0) << run.output;
        const std::string state = folder.Read("state.json");
        EXPECT_NE(state.find(std::string("\"screen\": \"") + c.screen + "\""), std::string::npos) << state;
    }
}

TEST_F(ProgramTest, CommandLinesAndSettingsThatCannotBeUsedAreRefusedBeforeAnythingStarts)
{
    testsupport::GameFolder folder;
    WriteGame(folder.Root(), {});
    folder.Write("bad-input.txt", "2\nright\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> env;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {"help", {"--help"}, {}, 0, "usage: quillborn4-player"},
        {"unknown option", {"--fast"}, {}, 2, "unknown option: --fast"},
        {"two stage files", {"a.stg4", "b.stg4"}, {}, 2, "more than one stage file"},
        {"frame count", {}, {"QB_FRAMES=ten"}, 2, "QB_FRAMES is not a frame count"},
        {"pad script line", {}, {"QB_INPUT=bad-input.txt"}, 2, "no bit mask on line 2"},
        {"pad script missing", {}, {"QB_INPUT=missing.txt"}, 2, "cannot be read"},
        {"no display", {}, {"QB_HEADLESS=0", "DISPLAY", "WAYLAND_DISPLAY"}, 2, "cannot open a display"},
    };
    const std::string log = "the last run's report\r\n";
    folder.Write("Report_Game.txt", log);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult run = RunPlayer(folder.Root(), c.args, c.env);
        EXPECT_EQ(run.code, c.code);
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
        // One message, the reason; nothing before it that says otherwise.
        EXPECT_LT(run.output.find(c.says), run.output.find('\n')) << run.output;
        EXPECT_EQ(folder.Read("Report_Game.txt"), log) << "a run that does not start keeps the old report";
    }
}

TEST_F(ProgramTest, ASecondCopyInTheSameFolderClosesTheFirstInOrderOneElsewhereRunsBesideIt)
{
    testsupport::GameFolder other;
    WriteGame(other.Root(), {});
    testsupport::GameFolder folder;
    WriteGame(folder.Root(), {});
    // The first copy runs until it is closed.
    PlayerProcess first(folder.Root(), {}, {});
    bool bStarted = false;
    for (int polls = 0; polls < 3000 && !bStarted; ++polls) {
        const std::vector<std::string> lines = ReportLines(folder.Root());
        bStarted = std::find(lines.begin(), lines.end(), Sjis("DDInit成功")) != lines.end();
        if (!bStarted) {
            usleep(10000);
        }
    }
    ASSERT_TRUE(bStarted) << "the first copy did not start";

    const RunResult beside = RunPlayer(other.Root(), {}, {"QB_FRAMES=2"});
    EXPECT_EQ(beside.code, 0) << beside.output;
    EXPECT_EQ(beside.output.find(Shown("二重起動")), std::string::npos) << beside.output;

    // The headless box answers its default button, Yes: the running copy is asked to close.
    const RunResult second = RunPlayer(folder.Root(), {}, {"QB_FRAMES=2"});
    EXPECT_EQ(second.code, 0) << second.output;
    EXPECT_NE(second.output.find(Shown("既に起動しています。")), std::string::npos) << second.output;
    EXPECT_EQ(first.Wait(), 0) << first.Output();
}

// A copy that is not going to run leaves the running copy's report log as it is. The running copy
// here is this test holding the folder's lock and never closing: the new copy asks, is told Yes
// (the headless default), waits in vain and gives up.
TEST_F(ProgramTest, ASecondCopyThatDoesNotRunLeavesTheRunningCopysLogAlone)
{
    testsupport::GameFolder folder;
    WriteGame(folder.Root(), {});
    InstanceLock running;
    ASSERT_EQ(TakeSingleInstance(running, kInstanceLockPath, [] {}), InstanceOutcome::Run);
    const std::string log = "App : ver 720\r\nthe running copy's own lines\r\n";
    folder.Write("Report_Game.txt", log);

    const RunResult second = RunPlayer(folder.Root(), {}, {"QB_FRAMES=2"});
    EXPECT_EQ(second.code, 1) << second.output;
    EXPECT_NE(second.output.find(Shown("プログラムの終了に失敗しました。")), std::string::npos) << second.output;
    EXPECT_EQ(folder.Read("Report_Game.txt"), log);
}

TEST_F(ProgramTest, ATestPlayTellsTheEditorOfItsStartAndEndAndAHungEditorHoldsNothingUp)
{
    struct Case {
        const char* name;
        Breakage breakage;
        Behaviour editor;
        int code;
        std::vector<std::int32_t> values;  // the int of each message, start first
    };
    const Case cases[] = {
        {"normal end", Breakage::None, Behaviour::Answers, 0, {1, 1}},
        {"failed start-up", Breakage::MissingWorldMap, Behaviour::Answers, 1, {1, 0}},
        {"editor that never answers", Breakage::None, Behaviour::SilentAfterMessage, 0, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::GameFolder folder;
        WriteGame(folder.Root(), {}, c.breakage);
        // The editor's socket lives in the runtime folder the program is given.
        SetRemoteWindowFolder(folder.Root().string());
        std::vector<Received> messages;
        {
            FakeEditor editor(Sjis("クイルボーン4"), c.editor);
            ASSERT_TRUE(editor.Listening());
            const RunResult run =
                RunPlayer(folder.Root(), {"--test-play"}, {"QB_FRAMES=2", "XDG_RUNTIME_DIR=" + folder.Root().string()});
            EXPECT_EQ(run.code, c.code) << run.output;
            messages = editor.Messages();
        }
        SetRemoteWindowFolder("");
        ASSERT_EQ(messages.size(), c.values.size());
        for (std::size_t i = 0; i < messages.size(); ++i) {
            EXPECT_EQ(messages[i].message, WM_COPYDATA);
            EXPECT_NE(messages[i].wParam, 0u) << "the main window is named";
            EXPECT_EQ(messages[i].dwData, i == 0 ? 1u : 0u);
            ASSERT_EQ(messages[i].data.size(), 4u);
            EXPECT_EQ(static_cast<std::int32_t>(Le(messages[i].data.data(), 4)), c.values[i]);
        }
    }
}

TEST_F(ProgramTest, TheSampleGamesFirstStagePlaysFromAPadScriptAndWritesItsState)
{
    const testsupport::GameSpec sample = testsupport::SampleGame();
    constexpr int kFrames = 240;
    std::string script;
    for (int i = 0; i < kFrames; ++i) {
        script += "2\n";  // right held
    }
    std::string state;
    {
        testsupport::GameFolder folder;
        ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), sample));
        folder.Write("right.txt", script);
        const RunResult run = RunPlayer(folder.Root(), {"data\\stg4\\stage1.stg4"},
                                        {"QB_FRAMES=" + std::to_string(kFrames), "QB_INPUT=right.txt",
                                         "QB_STATE=" + (folder.Root() / "state.json").string()});
        ASSERT_EQ(run.code, 0) << run.output;
        state = folder.Read("state.json");
    }
    EXPECT_NE(state.find("\"screen\": \"stage\", \"stageFile\": \"data\\\\stg4\\\\stage1.stg4_000\""),
              std::string::npos)
        << state;
    std::smatch frame;
    ASSERT_TRUE(std::regex_search(state, frame, std::regex("\"frame\": ([0-9]+)"))) << state;
    const int nPlayFrames = std::stoi(frame[1]);
    // The fade-in and the start banners come first; then every frame is a play frame.
    ASSERT_GT(nPlayFrames, 0);
    ASSERT_LT(nPlayFrames, kFrames);

    // The play harness, fed the same script, gives the same state after as many play frames.
    testsupport::PlayHarness harness(sample);
    ASSERT_TRUE(harness.Loaded());
    ASSERT_TRUE(harness.Flow().SetScriptText(script));
    // A stage given on the command line is a free play, with a free play's lives.
    SaveData.StartLivesOf(cSaveData::kPlayFree);
    ASSERT_TRUE(harness.Enter());
    const testsupport::CharaState placed = testsupport::PlayHarness::PlayerState();
    for (int i = 0; i < kFrames && harness.Scene().m_nFrame < nPlayFrames; ++i) {
        harness.RunFrames(1);
    }
    ASSERT_EQ(harness.Scene().m_nFrame, nPlayFrames);
    EXPECT_EQ(harness.StateJson(), state);
    // Right held from the first play frame: the hero's walking flow has carried it to the right.
    const testsupport::CharaState hero = testsupport::PlayHarness::PlayerState();
    EXPECT_GT(hero.x, placed.x);
}

// The program itself, driven from its title by a pad script as a player's keys would drive it: a
// new game, two steps right on the world map onto the first stage, "play" in the question, the
// stage played by its clearing script, and decide on the clear display lead back to the world map.
TEST_F(ProgramTest, TheSampleGamesFirstStageIsPlayedFromTheTitleToItsClear)
{
    // From the title to the stage: button 1 (mask 16) on the title's first entry; right (2)
    // twice on the map; button 1 to ask, up (4) to "play", button 1.
    std::vector<int> toStage(kToStageFrames, 0);
    for (const auto& [frame, mask] : {std::pair{30, 16}, {70, 2}, {72, 2}, {80, 16}, {84, 4}, {88, 16}}) {
        toStage[static_cast<std::size_t>(frame)] = mask;
    }
    testsupport::GameFolder folder;
    ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), testsupport::SampleGame()));
    const auto run = [&](const std::vector<int>& masks) {
        std::string text;
        for (int mask : masks) text += std::to_string(mask) + "\n";
        folder.Write("pad.txt", text);
        const RunResult result =
            RunPlayer(folder.Root(), {},
                      {"QB_FRAMES=" + std::to_string(masks.size()), "QB_INPUT=pad.txt", "QB_STATE=state.json"});
        EXPECT_EQ(result.code, 0) << result.output;
        return folder.Read("state.json");
    };

    // Where the stage's play begins (after the map's fade-out and the stage's fade-in and start
    // banners): as many frames before the end of this run as it has played.
    const std::string entered = run(toStage);
    ASSERT_NE(entered.find("\"screen\": \"stage\""), std::string::npos) << entered;
    std::smatch frame;
    ASSERT_TRUE(std::regex_search(entered, frame, std::regex("\"frame\": ([0-9]+)"))) << entered;
    const int nBeforePlay = kToStageFrames - std::stoi(frame[1]);
    ASSERT_GT(nBeforePlay, 88);

    std::vector<int> masks(toStage.begin(), toStage.begin() + nBeforePlay);
    for (const testsupport::PadFrame& f : testsupport::SampleStageScript(0)) {
        masks.push_back(cPadScript::MaskOf(f.dir, f.buttons));
    }
    // The clear caption, then button 1 on the clear display, then the way back to the map.
    masks.insert(masks.end(), 120, 0);
    masks.push_back(16);
    masks.insert(masks.end(), 120, 0);
    const std::string after = run(masks);
    EXPECT_NE(after.find("\"screen\": \"worldmap\""), std::string::npos) << after;
}

// A stage given with forward slashes, as a shell completes it: the stage is played from a pad
// script to its clear, the automatic registration with the fixed name enters the result, and the
// ranking is written under the stage's own name in the free play's folder.
TEST_F(ProgramTest, AStageGivenWithForwardSlashesKeepsItsRanking)
{
    testsupport::GameSpec sample = testsupport::SampleGame();
    sample.writeOption = true;
    sample.option.rankingMode = 3;  // automatic, fixed name
    sample.option.rankingName = "QBT";
    testsupport::GameFolder folder;
    ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), sample));
    const auto run = [&](const std::vector<int>& masks) {
        std::string text;
        for (int mask : masks) text += std::to_string(mask) + "\n";
        folder.Write("pad.txt", text);
        // A whole stage: a generous bound for a loaded machine.
        PlayerProcess player(folder.Root(), {"data/stg4/stage1.stg4"},
                             {"QB_FRAMES=" + std::to_string(masks.size()), "QB_INPUT=pad.txt", "QB_STATE=state.json"});
        EXPECT_EQ(player.Wait(900), 0) << player.Output();
        return folder.Read("state.json");
    };

    // The frames before play: the fade-in and the start banners.
    constexpr int kProbeFrames = 300;
    const std::string probe = run(std::vector<int>(kProbeFrames, 0));
    EXPECT_NE(probe.find("\"stageFile\": \"data\\\\stg4\\\\stage1.stg4_000\""), std::string::npos) << probe;
    std::smatch frame;
    ASSERT_TRUE(std::regex_search(probe, frame, std::regex("\"frame\": ([0-9]+)"))) << probe;
    ASSERT_GT(std::stoi(frame[1]), 0) << "the probe ended before the play began";
    const int nBeforePlay = kProbeFrames - std::stoi(frame[1]);

    std::vector<int> masks(static_cast<std::size_t>(nBeforePlay), 0);
    for (const testsupport::PadFrame& f : testsupport::SampleStageScript(0)) {
        masks.push_back(cPadScript::MaskOf(f.dir, f.buttons));
    }
    masks.insert(masks.end(), 120, 0);
    // Decide on the clear display (the automatic entry), then on the ranking display it opens.
    for (int press = 0; press < 3; ++press) {
        masks.push_back(16);
        masks.insert(masks.end(), 40, 0);
    }
    const std::string after = run(masks);
    ASSERT_TRUE(folder.Exists("user_data/free/stage1.stg4rkg")) << after;
    EXPECT_NE(folder.Read("user_data/free/stage1.stg4rkg").find("QBT"), std::string::npos);
    for (const std::string& line : ReportLines(folder.Root())) {
        EXPECT_EQ(line.find("could not be written"), std::string::npos) << line;
    }
}

// QB_SHOT: the last frame, as presented, is written as a PNG picture when the program closes:
// the title screen after its fade-in, 640 x 480, not a blank picture.
TEST_F(ProgramTest, TheLastFrameIsWrittenAsAPictureAtTheClose)
{
    testsupport::GameFolder folder;
    WriteGame(folder.Root(), {});
    const RunResult run = RunPlayer(folder.Root(), {}, {"QB_FRAMES=40", "QB_SHOT=last.png"});
    ASSERT_EQ(run.code, 0) << run.output;
    const std::string bytes = folder.Read("last.png");
    D3DXDecodedImage picture;
    ASSERT_TRUE(D3DXDecodePng(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), picture));
    EXPECT_EQ(picture.width, 640u);
    EXPECT_EQ(picture.height, 480u);
    std::vector<std::uint32_t> colours = picture.argb;
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 1);
}

}  // namespace
}  // namespace apptest
