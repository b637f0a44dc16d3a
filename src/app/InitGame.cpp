#include "app/InitGame.h"

#include <new>
#include <string>
#include <vector>

#include "app/ScreenMode.h"
#include "app/ShellState.h"
#include "app/StartupDrawMode.h"
#include "app/SystemIni.h"
#include "app/cMainWindow.h"
#include "app/cRankingShell.h"
#include "app/cWindowData.h"
#include "core/AppGlobals.h"
#include "core/MachineReport.h"
#include "core/Paths.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "core/UserFiles.h"
#include "definitions/DefinitionContext.h"
#include "definitions/cEdCommonPalette.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/FontTable.h"
#include "graphics/GraphicsStartup.h"
#include "input/KeyConfig.h"
#include "input/cInput.h"
#include "objects/chara/CharaGraphic.h"
#include "platform/win/Files.h"
#include "platform/win/Messages.h"
#include "platform/win/Random.h"
#include "platform/win/SystemInfo.h"
#include "platform/win/Time.h"
#include "project/DefinitionContextFill.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/BlendPalette.h"
#include "scenes/FreeStage.h"
#include "scenes/FrontEndScenes.h"
#include "scenes/SceneFactory.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"

namespace {

// Reads one of the user's settings files into record when it reads whole; a missing or damaged
// file (set aside) leaves record as it was. True when it was read.
template <class Record>
bool ReadUserSettings(Record& record, const char* szPath)
{
    Record stored(record);
    if (ReadUserFile(stored, szPath) != UserFileRead::kRead) {
        return false;
    }
    record = stored;
    return true;
}

// The folders the start-up makes, in its order; existing ones are left as they are.
const char* const kWorkingFolders[] = {
    "user_data",
    "user_data\\story",
    "user_data\\challenge",
    "user_data\\free",
    "user_data\\rpl4",
    "data",
    "data\\database",
    "data\\stg4",
    "data\\stg4\\old_ver",
    "data\\work",
    "data\\plt4",
    "bmp",
    "bmp\\back",
    "bmp\\chara_sp",
    "bmp\\effect",
    "bmp\\picture",
    "bmp\\sword",
    "bmp\\convert",
    "bmp\\plt",
    "bmp\\hbt",
    "wave",
    "bgm",
};

constexpr const char* kSystemIniPath = "System.ini";
constexpr const char* kWindowDataPath = "user_data\\Window.dat";
constexpr const char* kOptionDataPath = "user_data\\Option.dat";
constexpr const char* kKeyConfigPath = "user_data\\KeyConfig.dat";
constexpr int kPathSystemData = 35;
constexpr int kPathWorldMap = 13;
constexpr int kPathCommonPalette = 7;
constexpr int kExtStage = 1;

// What InitGame built, for UnInitGame.
struct BUILT {
    bool bTimer = false;
    bool bScenes = false;
    bool bStoppedByUser = false;
};
BUILT g_built;

cSceneStage* CreateStageScreen()
{
    return new (std::nothrow) cSceneStage();
}

bool FailWithBox(const std::string& text)
{
    ReportLogECBox("%s", text.c_str());
    return false;
}

bool DataAndDatabases()
{
    if (!CreateDefaultData(wndMain.Handle())) {
        return FailWithBox(Sjis("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"));
    }
    for (const char* folder : kWorkingFolders) {
        CreateDirectoryA(folder, nullptr);
    }
    if (!Database.Load()) {
        return FailWithBox(Sjis("データベースの読み込みに失敗…"));
    }
    BuildDerivedTables();
    const char* szSettings = PathTable[kPathSystemData].c_str();
    if (!SystemData.LoadFile(szSettings)) {
        static const std::string kFormat = Sjis("%s の読み込みに失敗…");
        ReportLogECBox(kFormat.c_str(), szSettings);
        return false;
    }
    FillDefinitionContext(TestPlayMode);
    return true;
}

// System.ini, the drawing-mode dialog and the stage given at start.
bool Settings(const std::string& startStage)
{
    LoadSystemIni(kSystemIniPath, SystemIni, SystemData.IniSettings);
    if (!ChooseStartDrawMode(SystemIni, wndMain.LastPosition())) {
        g_built.bStoppedByUser = true;
        return false;
    }
    StageShell.bEnglish = SystemIni.English != 0 ? 1 : 0;
    if (!startStage.empty()) {
        SystemIni.FreeStage = startStage;
    }
    SceneManager.nTargetFps = 60;
    SceneManager.m_nFadeSpeed = 10;
    SceneManager.nShowFps = SystemIni.ShowFps;
    for (cInput& input : Input) {
        input.SetKeyRepeat(18, 6);
    }
    return true;
}

bool ScreenMode()
{
    const int nDesktopBpp = ChooseColourDepth(0, 1, 0, 0, 0, 0);
    const SCREENMODE mode =
        SettleScreenMode(SystemIni.Direct3D, SystemIni.WindowMode, SystemIni.Bpp, SystemIni.VSync, nDesktopBpp,
                         SystemData.bFullColour, SystemData.nD3DDepth, SystemData.nDDDepth, IsOSVersionAtLeast(6, 0));
    bWindowed = mode.bWindowed;
    SystemIni.VSync = mode.nVSync;
    SystemIni.Bpp = mode.nBpp;
    nStartBpp = mode.nBpp;
    if (!mode.refusal.empty()) {
        // The user is told in the box alone: the report log keeps no line for a refused mode.
        ErrorBox(mode.refusal.c_str());
        return false;
    }
    if (SystemIni.Direct3D && SystemIni.WindowMode == 2) {
        wndMain.AddStyle(WS_THICKFRAME);
    }
    wndMain.Bind();
    hWndMain = wndMain.Handle();
    SetWindowTextA(wndMain.Handle(), SystemData.strTitle.c_str());
    // The program file carries no icon of its own here: the host's window keeps its default.
    if (nStartBpp == 8) {
        SystemIni.DD_VideoStretch = 0;
    }
    CharaDrawSettings.bVideoStretch = SystemIni.DD_VideoStretch;
    return true;
}

BOOL CreateFonts(int bDirect3D)
{
    const int nCacheSetting = bDirect3D ? SystemIni.D3D_FontCache : SystemIni.DD_FontCache;
    PrepareFontInfoTable(FontInfoTable, kFontCount, SystemData.nFontFace, nCacheSetting);
    if (!CreateFontTable(FontTable, FontInfoTable, kFontCount)) {
        return FALSE;
    }
    FontTable[Font16].SetAlphabet(SystemData.bFontAlphabet);
    FontTable[Font16].SetCentreGlyphs(SystemData.bFontCentreGlyphs);
    return CreateNumberSurfaces(NumberSD, NumberSDInfoTable, kFontCount, FontTable, FontInfoTable);
}

// The window's place from Window.dat, then shown.
void PlaceAndShowWindow(int nCmdShow)
{
    const HWND hWnd = wndMain.Handle();
    if (SystemIni.WindowMode != 0 && ReadUserSettings(WindowData, kWindowDataPath)) {
        wndMain.Move(WindowData.x, WindowData.y);
        if (SystemIni.Direct3D && SystemIni.WindowMode == 2 && WindowData.nWidth > 0 && WindowData.nHeight > 0) {
            wndMain.SetClientSize(WindowData.nWidth, WindowData.nHeight);
        }
        if (WindowData.bMaximized) {
            nCmdShow = SW_SHOWMAXIMIZED;
        }
    }
    ShowWindow(hWnd, SystemIni.Direct3D || bWindowed ? nCmdShow : SW_MAXIMIZE);
}

bool Graphics(int nCmdShow)
{
    GraphicsStartOptions options;
    options.bDirect3D = SystemIni.Direct3D;
    options.hWnd = wndMain.Handle();
    options.nBpp = nStartBpp;
    options.bVSync = SystemIni.VSync != 0 ? 1 : 0;
    options.bWindowMode = bWindowed;
    options.bFullColour = SystemData.bFullColour;
    options.byTransRed = SystemData.byTransRed;
    options.byTransGreen = SystemData.byTransGreen;
    options.byTransBlue = SystemData.byTransBlue;
    options.nCmdShow = nCmdShow;
    // The back-end may fall back to DirectDraw: the window and the fonts follow the one opened.
    options.onOpened = [&options, nCmdShow] {
        SystemIni.Direct3D = options.bDirect3D;
        PlaceAndShowWindow(nCmdShow);
        WriteDisplayReport(1);
    };
    options.createFonts = [&options] { return CreateFonts(options.bDirect3D); };
    const BOOL bOk = StartGraphics(options);
    SystemIni.Direct3D = options.bDirect3D;
    if (!bOk) {
        return false;
    }
    // A DirectDraw full screen copies instead of flipping when it cannot keep the frame rate.
    SceneManager.bFullScreenBlit = 1;
    if (!SystemIni.Direct3D && !bWindowed && SystemIni.VSync != 0) {
        const int nRefresh = GetSystemFacts().refreshRate;
        SceneManager.bFullScreenBlit = nRefresh >= SceneManager.nTargetFps ? 0 : 1;
    }
    return true;
}

bool InputAndOptions()
{
    for (cInput& input : Input) {
        input.SetDefaultJoyButton();
    }
    // A short key configuration file keeps the defaults of the fields it lacks.
    SetDefaultKeyConfig(KeyConfig);
    LoadKeyConfig(kKeyConfigPath, KeyConfig);
    ReadUserSettings(OptionData, kOptionDataPath);
    return nStartBpp != 8 || LoadBlendPalette(OptionData.nPaletteSet) != 0;
}

bool Sound()
{
    if (OptionData.bMusic) {
        BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots);
    }
    std::vector<std::string> systemSounds(SystemData.SystemSoundNames.begin(), SystemData.SystemSoundNames.end());
    std::vector<std::string> soundFiles;
    for (const cDbSound& sound : Database.Sound) {
        soundFiles.push_back(sound.strFileName);
    }
    BuildSoundList(systemSounds, soundFiles);
    if (!DS_Init(wndMain.Handle(), 22050, 8, 1)) {
        static const std::string kText = Sjis("DS_Init失敗！");
        ECLog(kText.c_str());
        return false;
    }
    DS_CreateSoundTable(&SoundTable, &SoundInfoList, SeVolume(OptionData.nSoundVolume));
    return true;
}

bool WorldMapAndPalette()
{
    static const std::string kFormat = Sjis("%s のロードに失敗！");
    const std::string& map = PathTable[kPathWorldMap];
    if (!WorldMap.LoadFile(map.c_str())) {
        ReportLogECBox(kFormat.c_str(), map.c_str());
        return false;
    }
    const std::string& palette = PathTable[kPathCommonPalette];
    if (!CommonPalette.LoadFile(palette.c_str())) {
        ReportLogECBox(kFormat.c_str(), palette.c_str());
        return false;
    }
    return true;
}

bool StartStage()
{
    std::string& start = SystemIni.FreeStage;
    if (start.empty()) {
        return true;
    }
    std::string newest;
    if (start.size() > kStartStageMax || !FindNewestNumberedFileStr(newest, start, ExtTable[kExtStage].c_str())) {
        static const std::string kFormat = Sjis("「%s」の読み込みに失敗しました！");
        ReportLog(kFormat.c_str(), start.substr(0, kStartStageMax).c_str());
        start.clear();
        return true;
    }
    StageShell.bDirectPlay = 1;
    if (!LoadFreeStage(newest.c_str(), 1)) {
        return false;
    }
    SaveData.bWorldRun = 0;
    SceneManager.m_nPlayKind = cSaveData::kPlayFree;
    SceneManager.m_bRanking = 1;
    SceneManager.m_nGameMode = GAMEMODE_FREE;
    SceneManager.m_nScene = SCENE_STAGE;
    SceneManager.m_nPrevScene = SCENE_TITLE;
    return true;
}

// The glyphs held by a font's full-width cache, to the report log; nothing for a font without one.
void ReportCachedGlyphs(const char* szFont, const Font& font)
{
    if (const FastFont* cache = font.FullAddCache()) {
        ReportLog("%s : %d", szFont, cache->GlyphCount());
    }
}

}  // namespace

bool OpenLogs()
{
    SetECLog(0, "EC_Game.txt");
    char szReport[MAX_PATH] = "Report_Game.txt";
    MakeFullPath(szReport);
    if (!CreateReportLog(szReport)) {
        return false;
    }
    ReportLog("App : ver %s", "720");
    WriteSystemReport();
    return true;
}

int InitGame(const std::string& startStage, int nCmdShow)
{
    g_built.bStoppedByUser = false;
    timeBeginPeriod(1);
    g_built.bTimer = true;
    SRand(timeGetTime());
    nDataVersion = 720;
    bRemoveCR = 1;
    SetSceneCreator(SCENE_STAGE, [] { return static_cast<cScene*>(CreateStageScreen()); });
    InstallFrontEndScenes();
    g_built.bScenes = true;
    StageShell.bTestPlay = TestPlayMode;
    InstallRankingShell(true);
    if (!DataAndDatabases() || !Settings(startStage) || !ScreenMode() || !Graphics(nCmdShow)) {
        return 0;
    }
    ECLog("1");
    ECLog("3");
    if (!InputAndOptions() || !Sound() || !WorldMapAndPalette()) {
        return 0;
    }
    ECLog("4");
    return StartStage() ? 1 : 0;
}

bool StartStoppedByUser()
{
    return g_built.bStoppedByUser;
}

void UnInitGame()
{
    if (lpDTCon || lpDDCon) {
        ReportCachedGlyphs("Font10", FontTable[Font10]);
        ReportCachedGlyphs("Font16", FontTable[Font16]);
    }
    if (g_built.bTimer) {
        timeEndPeriod(1);
        g_built.bTimer = false;
    }
    DS_UnInit();
    BgmPlayer.UnInit();
    InstallRankingShell(false);
    if (g_built.bScenes) {
        SceneManager.DeleteAllScenes();
        g_built.bScenes = false;
    }
    // The fonts and digit strips go before the back-end that holds their surfaces.
    ReleaseFontTable();
    if (lpDTCon || lpDDCon) {
        StopGraphics();
    }
}
