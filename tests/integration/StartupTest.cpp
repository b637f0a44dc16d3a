// The program's start-up and shutdown: a game folder from the writer goes through the entry
// point's logs, InitGame and UnInitGame, headless, on every drawing back-end and depth that its
// System.ini can ask for. The report log is compared line by line; broken folders must stop the
// start-up with the message the user is meant to see, and still shut down cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "GameGlobals.h"
#include "ReportLogMatcher.h"
#include "SampleGame.h"
#include "app/InitGame.h"
#include "app/cMainWindow.h"
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/DefinitionContext.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/FontTable.h"
#include "graphics/Palette.h"
#include "graphics/SurfaceCatalogue.h"
#include "platform/TestFont.h"
#include "platform/d3d9/D3D9Config.h"
#include "platform/ddraw/DDrawTestHooks.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Time.h"
#include "platform/win/WorkArea.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/cSceneManager.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"

namespace integration {
namespace {

using testsupport::Breakage;
using testsupport::GameSpec;

// The drawing back-end, depth and window mode System.ini asks for.
struct BackEndConfig {
    const char* name;
    int bDirect3D;
    int nBpp;
    int bWindowMode;
};

// Direct3D at 16 and 32 bits, DirectDraw at 8, 16 and 32; a window only where the depth is the
// desktop's (32 bits), full screen otherwise.
const BackEndConfig kConfigs[] = {
    {"D3D16", 1, 16, 0}, {"D3D32", 1, 32, 1}, {"DD8", 0, 8, 0}, {"DD16", 0, 16, 0}, {"DD32", 0, 32, 1},
};

// The configuration the failure tests start with.
const BackEndConfig kDefaultConfig = {"DD32", 0, 32, 1};

// The sample game with an OGG tune besides its MIDI ones (the last Bgm entry).
GameSpec SampleGameWithOgg()
{
    GameSpec game = testsupport::SampleGame();
    game.database.bgms.push_back(testsupport::MediaSpec{"THEME", 0, "bgm\\theme.ogg"});
    game.music.push_back(testsupport::MusicFileSpec{"bgm\\theme.ogg", game.music.front().song});
    return game;
}

// The report log of a start-up that went through: the version line, the machine report, the
// opening of the back-end and its display lines; the rest of the start-up writes nothing when all
// is well.
std::vector<ExpectedLine> ExpectedStartupLog(const BackEndConfig& c)
{
    using E = ExpectedLine;
    std::vector<ExpectedLine> lines = {
        {"App : ver 720"},       {"OS : {any}"},         {"CPU : {any} {int}"},
        {"Mem Total : {num}MB"}, {"Mem Free : {num}MB"}, {"Vir Total : {num}MB"},
        {"Vir Free : {num}MB"},  {"HD Free : {num}MB"},  {"VSync : 0"},
    };
    if (c.bDirect3D) {
        lines.push_back({"Device HAL-HARD"});
        lines.push_back({c.nBpp == 32 ? "X8R8G8B8" : c.bWindowMode ? "A1R5G5B5" : "R5G6B5"});
    }
    const std::vector<ExpectedLine> opened = {
        {Sjis("DDInit成功")},
        {c.bWindowMode ? "Mode : Window" : "Mode : Fullscreen"},
        {"Bpp : " + std::to_string(c.nBpp)},
    };
    lines.insert(lines.end(), opened.begin(), opened.end());
    if (!c.bDirect3D) {
        lines.push_back({"VRAM Total : {num}MB"});
        lines.push_back({"VRAM Free : {num}MB"});
        lines.push_back({"RR : {int}"});
        return lines;
    }
    const std::vector<ExpectedLine> device = {
        {"DirectX{any}", E::Optional},
        {"TextureMem : {int}MB"},
        {Sjis("---デバイス0")},
        {"Destination : {any}", E::Optional},
        {"VRAM : {any}", E::Optional},
        {"Driver : {any} {int}.{int}.{int}.{int}"},
        {"DDI : {any}", E::Optional},
        {"TextureMaxSize : ({int},{int})"},
        {"TextureMaxBlend : ({int},{int})"},
        {"{any}"},  // the capability dump: eleven lines, the later ones indented
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"\t{any}"},
        {"D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD", E::Optional},
        {"D3DPTEXTURECAPS_POW2", E::Optional},
        {"D3DPTEXTURECAPS_SQUAREONLY", E::Optional},
        {"D3DCAPS2_DYNAMICTEXTURES", E::Optional},
        {"AU-SU{any}AU-TE{any}"},
        {"DE-SU{any}DE-TE{any}"},
        {"DM-SU{any}DM-TE{any}"},
        {"DO-SU{any}DO-TE{any}"},
        {"DY-SU{any}DY-TE{any}"},
        {"NP-SU{any}NP-TE{any}"},
        {"PO-SU{any}PO-TE{any}"},
        {"RT-SU{any}RT-TE{any}"},
        {"RE-SU{any}RE-TE{any}"},
        {"SO-SU{any}SO-TE{any}"},
        {"WR-SU{any}WR-TE{any}"},
        {"DirectDraw : {any}", E::Optional},
        {"Direct3D : {any}", E::Optional},
        {"AGP : {any}", E::Optional},
    };
    lines.insert(lines.end(), device.begin(), device.end());
    return lines;
}

// The shutdown's lines once the back-end was opened: the glyphs held by the double-byte caches of
// Font10 and Font16, for fonts that have them. Both fonts take their cache setting from
// "System.ini": DirectDraw's default keeps caches, Direct3D's does not.
std::vector<ExpectedLine> ExpectedShutdownLog(const BackEndConfig& c)
{
    if (c.bDirect3D) return {};
    return {{"Font10 : {int}"}, {"Font16 : {int}"}};
}

// The lines of a whole run: the start-up's, the given ones, the shutdown's.
std::vector<ExpectedLine> ExpectedRunLog(const BackEndConfig& c, const std::vector<std::string>& logged = {})
{
    std::vector<ExpectedLine> lines = ExpectedStartupLog(c);
    for (const std::string& line : logged) lines.push_back({line});
    const std::vector<ExpectedLine> shutdown = ExpectedShutdownLog(c);
    lines.insert(lines.end(), shutdown.begin(), shutdown.end());
    return lines;
}

// The transparent colour (255, 0, 255), the top-left pixel of the palette bitmap, as the colour
// key of each configuration: the 16-bit texel with its alpha bit under Direct3D at 16 bits, no key
// at 32 bits (alpha does it); under DirectDraw palette index 0, R5G6B5 and X8R8G8B8.
DWORD ExpectedColorKey(const BackEndConfig& c)
{
    if (c.bDirect3D) return c.nBpp == 16 ? 0xFC1F : 0;
    return c.nBpp == 8 ? 0 : c.nBpp == 16 ? 0xF81F : 0xFF00FF;
}

// Palette entry 16, (16, 24, 56) in the bitmap's colour table. At 16 bits the palette is read
// again from the loaded pixels: DirectDraw keeps the R5G6B5 channel values, Direct3D scales the
// A1R5G5B5 channels back to 0..255 (value x 255 / 31).
PALETTEENTRY ExpectedBackground(const BackEndConfig& c)
{
    if (c.nBpp != 16) return PALETTEENTRY{16, 24, 56, 0};
    if (!c.bDirect3D) return PALETTEENTRY{16 >> 3, 24 >> 2, 56 >> 3, 0};
    return PALETTEENTRY{(16 >> 3) * 255 / 31, (24 >> 3) * 255 / 31, (56 >> 3) * 255 / 31, 0};
}

std::vector<std::string> BoxTexts()
{
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : RecordedMessageBoxes()) texts.push_back(box.text);
    return texts;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QB_HEADLESS", "1", 1);
        m_folder = std::make_unique<testsupport::GameFolder>();
        UseVirtualClock(true, 1000);
        SystemFacts facts = GetSystemFacts();
        facts.desktopBitsPerPixel = 32;
        facts.refreshRate = 60;
        SetSystemFactsForTest(facts);
        ResetD3D9Config();
        DDrawResetHooks();
        ResetMessagesForTest();
        ClearRecordedMessageBoxes();
        ScriptMessageBoxAnswers({});
        // Every face the fonts ask for resolves to the test font, whatever the machine has.
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
        for (int i = 0; i < kBuiltInSurfaceCount; ++i) m_savedInfo[i] = SDInfoTable[i];
        // The start-up settles the fonts' cache settings in their definitions once per run.
        for (int i = 0; i < kFontCount; ++i) m_savedFontInfo[i] = FontInfoTable[i];
        testsupport::ResetGameGlobals();
        SetWorkArea(RECT{0, 0, 1920, 1080});
        wndMain.ResetForTest();
        cMainWindow::RegisterWindowClass();
        m_hWnd = wndMain.Create(100, 100);
        ASSERT_NE(m_hWnd, nullptr);
        hWndMain = m_hWnd;
    }

    void TearDown() override
    {
        UnInitGame();
        for (auto& sd : SDTable) sd.lpShareSD = nullptr;
        for (int i = 0; i < kBuiltInSurfaceCount; ++i) SDInfoTable[i] = m_savedInfo[i];
        for (int i = 0; i < kFontCount; ++i) FontInfoTable[i] = m_savedFontInfo[i];
        hWndMain = nullptr;
        if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
        wndMain.ResetForTest();
        SetWorkArea(RECT{});
        ScriptMessageBoxAnswers({});
        ClearRecordedMessageBoxes();
        ResetMessagesForTest();
        ResetD3D9Config();
        DDrawResetHooks();
        ResetSystemFacts();
        FontFilesUseSystemForTest();
        testsupport::ResetGameGlobals();
        SetECLog(0, "EC_Game.txt");
        UseVirtualClock(false);
        m_folder.reset();
    }

    // The game folder, with a System.ini that asks for the configuration (no vertical sync) and,
    // for 8 bits, the blend tables that depth reads.
    void Write(GameSpec game, const BackEndConfig& config, Breakage breakage = Breakage::None)
    {
        game.blendTables = config.nBpp == 8;
        game.systemIni.entries = {{"Direct3D", std::to_string(config.bDirect3D)},
                                  {"WindowMode", std::to_string(config.bWindowMode)},
                                  {"Bpp", std::to_string(config.nBpp)},
                                  {"VSync", "0"}};
        ASSERT_TRUE(testsupport::WriteGameFolder(m_folder->Root(), game, breakage))
            << "oggenc is needed for the OGG music";
    }

    // The entry point's logs, then the start-up.
    bool Start(const std::string& startStage)
    {
        if (!OpenLogs()) {
            ADD_FAILURE() << "the report log could not be created";
            return false;
        }
        return InitGame(startStage, SW_SHOWNORMAL) == 1;
    }

    // Shuts down and checks that nothing of the back-ends, the sound or the timer is left.
    void ShutDownAndCheck()
    {
        UnInitGame();
        EXPECT_FALSE(lpDTCon) << "Direct3D still open";
        EXPECT_FALSE(lpDDCon) << "DirectDraw still open";
        EXPECT_TRUE(DTSurfaceList.empty()) << "surfaces left in the Direct3D list";
        EXPECT_EQ(DDrawLiveObjectCount(), 0u) << "DirectDraw objects left";
        EXPECT_EQ(lpDS, nullptr) << "DirectSound still open";
        EXPECT_EQ(BgmPlayer.m_bInit, 0) << "music manager still up";
        EXPECT_EQ(TimerPeriodBalance(), 0) << "timer period not ended";
    }

    // Why a start-up that should have gone through stopped: the boxes it showed and the report log.
    std::string Stopped()
    {
        std::string text = "the start-up stopped; boxes:";
        for (const std::string& box : BoxTexts()) text += "\n  " + box;
        return text + "\nreport log:\n" + m_folder->Read("Report_Game.txt");
    }

    std::vector<std::string> ReportLines()
    {
        std::string problem;
        std::vector<std::string> lines = SplitCrLfLines(m_folder->Read("Report_Game.txt"), &problem);
        EXPECT_EQ(problem, "") << "the report log must be CR LF text";
        return lines;
    }

    int TakePosted(UINT uMsg)
    {
        int count = 0;
        MSG msg;
        while (PeekMessage(&msg, m_hWnd, 0, 0, PM_REMOVE)) count += msg.message == uMsg ? 1 : 0;
        return count;
    }

    HWND m_hWnd = nullptr;
    std::unique_ptr<testsupport::GameFolder> m_folder;
    DDSURFACEINFO m_savedInfo[kBuiltInSurfaceCount];
    FONTINFO m_savedFontInfo[kFontCount];
};

class StartupMatrixTest : public StartupTest, public ::testing::WithParamInterface<BackEndConfig> {};

TEST_P(StartupMatrixTest, SampleGameStartsWithItsFirstStageAndShutsDownInOrder)
{
    const BackEndConfig& config = GetParam();
    const GameSpec game = SampleGameWithOgg();
    Write(game, config);

    ASSERT_TRUE(Start("data\\stg4\\stage1.stg4")) << Stopped();

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    // Databases and the tables derived from them.
    EXPECT_EQ(Database.Sound.size(), game.database.sounds.size());
    EXPECT_EQ(Database.Bgm.size(), game.database.bgms.size());
    EXPECT_EQ(AnimePattern.size(), Database.Anime.size());
    EXPECT_EQ(EffectPattern.size(), Database.Effect.size());
    EXPECT_EQ(Database.CharaEffectRev.size(), Database.CharaEffect.size());
    EXPECT_EQ(CharaEffectWork.size(), Database.CharaEffect.size());
    EXPECT_EQ(ScrEffectWorkRev.size(), Database.ScrEffect.size());
    // Settings, back-end and sound table.
    EXPECT_EQ(SystemData.strTitle, "Sample Quest");
    EXPECT_EQ(nScreenBpp, config.nBpp);
    EXPECT_EQ(bool(lpDTCon), config.bDirect3D == 1);
    EXPECT_EQ(dwColorKey, ExpectedColorKey(config));
    const PALETTEENTRY background = ExpectedBackground(config);
    EXPECT_EQ(PaletteBackup[16].peRed, background.peRed);
    EXPECT_EQ(PaletteBackup[16].peGreen, background.peGreen);
    EXPECT_EQ(PaletteBackup[16].peBlue, background.peBlue);
    // The three fonts and their digit strips (ten cells of the font's cell size).
    EXPECT_EQ(FontTable[Font10].CellWidth(), 10);
    EXPECT_EQ(FontTable[Font16].CellHeight(), 16);
    EXPECT_EQ(NumberSD[Font32].nWidth, 320);
    EXPECT_EQ(NumberSD[Font32].nHeight, 32);
    ASSERT_EQ(SoundTable.size(), 16u + game.database.sounds.size());
    EXPECT_EQ(SoundInfoList[1].szFileName, "wave\\decide.wav");
    EXPECT_EQ(SoundInfoList[16].szFileName, "wave\\ranking.wav");
    EXPECT_EQ(SoundInfoList[17].szFileName, "wave\\jump.wav");
    EXPECT_EQ(SoundTable[17].nCount, 1);
    EXPECT_EQ(BgmPlayer.m_bInit, 1);
    // World map, common palette, the stage given at start, played at once.
    EXPECT_EQ(WorldMap.Node.size(), game.worldMap.nodes.size());
    EXPECT_EQ(SceneManager.m_nScene, SCENE_STAGE);
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\stage1.stg4_000");
    EXPECT_EQ(Stage.m_PlacedChara.size(), game.stages.front().stage.placedCharas.size());
    EXPECT_EQ(Stage.m_PlacedItem.size(), game.stages.front().stage.placedItems.size());

    ShutDownAndCheck();
    EXPECT_EQ(CompareLines(ReportLines(), ExpectedRunLog(config)), "");
}

INSTANTIATE_TEST_SUITE_P(BackEnds, StartupMatrixTest, ::testing::ValuesIn(kConfigs),
                         [](const ::testing::TestParamInfo<BackEndConfig>& info) {
                             return std::string(info.param.name);
                         });

// A font's glyph count is written at shutdown only when the font has a double-byte cache, which
// the "System.ini" cache setting of the back-end in use decides.
struct FontCacheCase {
    const char* name;
    BackEndConfig config;
    const char* key;
    const char* value;
    bool bCounted;
};

class StartupFontCacheTest : public StartupTest, public ::testing::WithParamInterface<FontCacheCase> {};

TEST_P(StartupFontCacheTest, ShutdownCountsTheGlyphsOfTheFontsWithACache)
{
    const FontCacheCase& c = GetParam();
    GameSpec game = testsupport::MinimalGame();
    game.systemIni.entries = {{"Direct3D", std::to_string(c.config.bDirect3D)},
                              {"WindowMode", std::to_string(c.config.bWindowMode)},
                              {"Bpp", std::to_string(c.config.nBpp)},
                              {"VSync", "0"},
                              {c.key, c.value}};
    ASSERT_TRUE(testsupport::WriteGameFolder(m_folder->Root(), game, Breakage::None));
    ASSERT_TRUE(Start("")) << Stopped();
    EXPECT_EQ(FontTable[Font10].FullAddCache() != nullptr, c.bCounted);
    ShutDownAndCheck();

    std::vector<ExpectedLine> expected = ExpectedStartupLog(c.config);
    if (c.bCounted) {
        expected.push_back({"Font10 : {int}"});
        expected.push_back({"Font16 : {int}"});
    }
    EXPECT_EQ(CompareLines(ReportLines(), expected), "");
}

INSTANTIATE_TEST_SUITE_P(
    CacheSettings, StartupFontCacheTest,
    ::testing::Values(FontCacheCase{"Direct3DWithout", {"D3D32", 1, 32, 1}, "D3D_FontCache", "0", false},
                      FontCacheCase{"Direct3DWith", {"D3D32", 1, 32, 1}, "D3D_FontCache", "1", true},
                      FontCacheCase{"DirectDrawWithout", kDefaultConfig, "DD_FontCache", "0", false},
                      FontCacheCase{"DirectDrawWith", kDefaultConfig, "DD_FontCache", "1", true}),
    [](const ::testing::TestParamInfo<FontCacheCase>& info) { return std::string(info.param.name); });

TEST_F(StartupTest, EveryStageOfTheSampleGameLoadsAfterTheStartUp)
{
    Write(testsupport::SampleGame(), kDefaultConfig);
    ASSERT_TRUE(Start("")) << Stopped();

    for (const testsupport::StageFileSpec& stage : testsupport::SampleStages()) {
        const std::string file = testsupport::StageFileName(stage);
        EXPECT_EQ(LoadStage(file.c_str(), 0, &StageBackup), 1) << file;
        EXPECT_EQ(Stage.m_strPath, file);
        EXPECT_EQ(Stage.m_PlacedChara.size(), stage.stage.placedCharas.size()) << file;
        EXPECT_EQ(Stage.m_PlacedBlock.size(), stage.stage.placedBlocks.size()) << file;
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(TakePosted(WM_CLOSE), 0);
    ShutDownAndCheck();
}

TEST_F(StartupTest, MissingDataFolderIsCopiedFromTheDefaultFolderWhenTheUserAgrees)
{
    Write(testsupport::MinimalGame(), kDefaultConfig, Breakage::NoDataFolder);
    ScriptMessageBoxAnswers({IDYES});

    ASSERT_TRUE(Start("data\\stg4\\test.stg4")) << Stopped();

    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("データが存在しません！デフォルトデータを作成しますか？\n"));
    EXPECT_EQ(boxes[0].caption, Sjis("デフォルトデータ作成の確認"));
    EXPECT_TRUE(m_folder->Exists("data\\System.dat"));
    EXPECT_TRUE(m_folder->Exists("default\\System.dat"));
    EXPECT_EQ(Stage.m_strPath, "data\\stg4\\test.stg4_000");
    ShutDownAndCheck();
    EXPECT_EQ(CompareLines(ReportLines(), ExpectedRunLog(kDefaultConfig)), "");
}

// The lines of the report log before the start-up's own steps: the version and the machine.
std::vector<ExpectedLine> ExpectedMachineLog()
{
    std::vector<ExpectedLine> lines = ExpectedStartupLog(kDefaultConfig);
    lines.resize(8);
    return lines;
}

// A folder that stops the start-up: where it stops, the boxes the user sees, the lines the
// start-up adds to the report log, and whether the program is asked to close.
struct FailureCase {
    const char* name;
    Breakage breakage;
    std::vector<int> answers;  // to the boxes, in order
    const char* step;          // where it stops: decides which lines the report log holds
    std::vector<std::string> boxes;
    std::vector<std::string> logged;
    bool closes;
};

class StartupFailureTest : public StartupTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailureTest, StopsWithItsMessageAndShutsDownInOrder)
{
    const FailureCase& c = GetParam();
    Write(testsupport::MinimalGame(), kDefaultConfig, c.breakage);
    ScriptMessageBoxAnswers(c.answers);

    EXPECT_FALSE(Start("data\\stg4\\test.stg4"));

    std::vector<std::string> shown = BoxTexts();
    if (!c.answers.empty() && !shown.empty()) shown.erase(shown.begin());  // the question answered
    EXPECT_EQ(shown, c.boxes);
    EXPECT_EQ(TakePosted(WM_CLOSE) > 0, c.closes);
    ShutDownAndCheck();

    const std::vector<std::string> lines = ReportLines();
    const std::string step = c.step;
    const bool backEndOpened = step == "world map" || step == "common palette" || step == "start stage";
    std::vector<ExpectedLine> expected = ExpectedMachineLog();
    if (step == "graphics") {
        // The back-end opened: its display lines come first, then the failure of a later step;
        // the fonts were never built, so the shutdown has no glyph counts to write.
        expected = ExpectedStartupLog(kDefaultConfig);
    }
    for (const std::string& line : c.logged) expected.push_back({line});
    if (backEndOpened) expected = ExpectedRunLog(kDefaultConfig, c.logged);
    EXPECT_EQ(CompareLines(lines, expected), "");
}

const std::string kNoDataFolder =
    Sjis("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
const std::vector<std::string> kNoDataFolderLines = {Sjis("「data」フォルダの作成に失敗…"),
                                                     Sjis("「default」フォルダに問題がある可能性があります。")};

INSTANTIATE_TEST_SUITE_P(
    BrokenFolders, StartupFailureTest,
    ::testing::Values(FailureCase{"NoDefaultFolder",
                                  Breakage::NoDataNoDefault,
                                  {},
                                  "default data",
                                  {kNoDataFolder},
                                  kNoDataFolderLines,
                                  false},
                      FailureCase{"DefaultDataRefused",
                                  Breakage::NoDataFolder,
                                  {IDNO},
                                  "default data",
                                  {kNoDataFolder},
                                  kNoDataFolderLines,
                                  false},
                      FailureCase{
                          "MissingDatabase",
                          Breakage::MissingDatabase,
                          {},
                          "databases",
                          {Sjis("data\\database\\Bgm.dat のロードに失敗！"), Sjis("データベースの読み込みに失敗…")},
                          {Sjis("データベースの読み込みに失敗…")},
                          false},
                      FailureCase{"MissingSettings",
                                  Breakage::MissingSystemData,
                                  {},
                                  "project settings",
                                  {Sjis("data\\System.dat の読み込みに失敗…")},
                                  {Sjis("data\\System.dat の読み込みに失敗…")},
                                  false},
                      FailureCase{"MissingPaletteBitmap",
                                  Breakage::MissingPaletteBitmap,
                                  {},
                                  "graphics",
                                  {},
                                  {Sjis("DDLoadPaletteFromFile失敗")},
                                  false},
                      FailureCase{"MissingDebugBitmap",
                                  Breakage::MissingDebugBitmap,
                                  {},
                                  "graphics",
                                  {Sjis("bmp\\Debug.bmp の読み込みに失敗！")},
                                  {},
                                  false},
                      FailureCase{"MissingWorldMap",
                                  Breakage::MissingWorldMap,
                                  {},
                                  "world map",
                                  {Sjis("data\\WorldMap.dat のロードに失敗！")},
                                  {Sjis("data\\WorldMap.dat のロードに失敗！")},
                                  false},
                      FailureCase{"MissingCommonPalette",
                                  Breakage::MissingCommonPalette,
                                  {},
                                  "common palette",
                                  {Sjis("data\\CommonPalette.cplt4 のロードに失敗！")},
                                  {Sjis("data\\CommonPalette.cplt4 のロードに失敗！")},
                                  false},
                      FailureCase{"StageWithoutHero",
                                  Breakage::HeroLessStage,
                                  {},
                                  "start stage",
                                  {Sjis("主人公が配置されていないのでプレイできません！")},
                                  {Sjis("主人公が配置されていないのでプレイできません！")},
                                  true},
                      FailureCase{"StageWithoutEndCode",
                                  Breakage::StageWithoutEndCode,
                                  {},
                                  "start stage",
                                  {Sjis("ステージファイル data\\stg4\\test.stg4_000 が破損しています！")},
                                  {Sjis("ステージファイル data\\stg4\\test.stg4_000 が破損しています！")},
                                  true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A screen mode that the start-up refuses is told in its box only: the report log holds the
// machine lines and nothing of the refusal.
TEST_F(StartupTest, ARefusedScreenModeShowsItsBoxAndWritesNoLogLine)
{
    const std::string kWindowText =
        Sjis("画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！");
    const std::string kGeneralText = Sjis("画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！");
    struct Case {
        const char* name;
        BackEndConfig config;
        std::string box;
    };
    const Case cases[] = {
        {"window at 16 bits on a 32-bit desktop", {"DD16W", 0, 16, 1}, kWindowText},
        {"full screen at 24 bits", {"DD24", 0, 24, 0}, kGeneralText},
        {"Direct3D at 8 bits", {"D3D8", 1, 8, 0}, kGeneralText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(testsupport::MinimalGame(), c.config);
        ClearRecordedMessageBoxes();
        EXPECT_FALSE(Start(""));
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.box});
        ShutDownAndCheck();
        EXPECT_EQ(CompareLines(ReportLines(), ExpectedMachineLog()), "");
    }
}

TEST_F(StartupTest, ShortSystemSoundListIsPaddedWithSilentSounds)
{
    GameSpec game = testsupport::MinimalGame();
    game.systemData.systemSounds = {"wave\\a.wav", "wave\\b.wav", "wave\\c.wav", "wave\\d.wav", "wave\\e.wav"};
    game.systemData.systemSounds.resize(17, "wave\\cut.wav");  // all but five are cut from the file
    Write(game, kDefaultConfig, Breakage::ShortSystemSounds);

    ASSERT_TRUE(Start("")) << Stopped();

    ASSERT_EQ(SoundInfoList.size(), 17u);
    EXPECT_EQ(SoundInfoList[4].szFileName, "wave\\e.wav");
    for (int i = 5; i < 17; ++i) EXPECT_EQ(SoundInfoList[i].szFileName, "") << "entry " << i;
    ShutDownAndCheck();
}

// Settings written by a version with one member more: the member beyond the registered ones is
// reported as a checked-access error, which asks the program to close; the start-up goes on with
// the settings as read.
TEST_F(StartupTest, SettingsWithAnExtraMemberAreReportedAndTheProgramIsAskedToClose)
{
    Write(testsupport::MinimalGame(), kDefaultConfig, Breakage::SystemDataExtraMember);

    ASSERT_TRUE(Start("")) << Stopped();

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_GT(TakePosted(WM_CLOSE), 0);
    ShutDownAndCheck();
    const std::vector<std::string> lines = ReportLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "err V[44] ( 44 , 16 )"), lines.end()) << CompareLines(lines, {});
}

TEST_F(StartupTest, MissingStartStageIsLoggedAndTheStartUpGoesOn)
{
    Write(testsupport::MinimalGame(), kDefaultConfig);

    ASSERT_TRUE(Start("data\\stg4\\none.stg4")) << Stopped();

    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(Stage.m_strPath, "");
    ShutDownAndCheck();
    EXPECT_EQ(
        CompareLines(ReportLines(),
                     ExpectedRunLog(kDefaultConfig, {Sjis("「data\\stg4\\none.stg4」の読み込みに失敗しました！")})),
        "");
}

}  // namespace
}  // namespace integration
