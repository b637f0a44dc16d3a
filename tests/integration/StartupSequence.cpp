#include "StartupSequence.h"

#include <cstring>
#include <vector>

#include "core/MachineReport.h"
#include "core/Paths.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/DefinitionContext.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/FontTable.h"
#include "graphics/GraphicsStartup.h"
#include "platform/win/Files.h"
#include "platform/win/Messages.h"
#include "platform/win/Random.h"
#include "platform/win/Time.h"
#include "project/DerivedTables.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"

namespace integration {

namespace {

// The folders the start-up creates, in its order.
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

// The user's options until the shell reads "user_data\Option.dat": music on, sound volume 7.
constexpr int kOptionMusic = 1;
constexpr int kOptionSeVolume = 7;

// "System.ini" belongs to the shell: its glyph-cache settings take their defaults, entries 4
// ("D3D_FontCache") and 5 ("DD_FontCache") of the settings' key list.
constexpr int kIniD3DFontCache = 4;
constexpr int kIniDDFontCache = 5;

// The fonts and digit strips, once the screen is ready (the graphics start-up's last step).
BOOL CreateFonts(int bDirect3D)
{
    const int nCacheSetting = SystemData.IniSettings[bDirect3D ? kIniD3DFontCache : kIniDDFontCache].nValue;
    PrepareFontInfoTable(FontInfoTable, kFontCount, SystemData.nFontFace, nCacheSetting);
    if (!CreateFontTable(FontTable, FontInfoTable, kFontCount)) {
        return FALSE;
    }
    FontTable[Font16].SetAlphabet(SystemData.bFontAlphabet);
    FontTable[Font16].SetCentreGlyphs(SystemData.bFontCentreGlyphs);
    return CreateNumberSurfaces(NumberSD, NumberSDInfoTable, kFontCount, FontTable, FontInfoTable);
}

// The glyphs a font's double-byte cache holds (0 without cache), for the shutdown's report.
int CachedGlyphs(const Font& font)
{
    const FastFont* cache = font.FullAddCache();
    return cache != nullptr ? cache->GlyphCount() : 0;
}

// What the definitions need to know of the databases and the settings, filled as the shell does
// once both are loaded.
void FillDefinitionContext()
{
    DefinitionContext = DEFINITIONCONTEXT{};
    const std::size_t counts[DB_TABLECOUNT] = {
        Database.AnimeSet.size(), Database.Anime.size(),       Database.Bmp_CharaExc.size(), Database.SwordType.size(),
        Database.Effect.size(),   Database.CharaEffect.size(), Database.ScrEffect.size(),    Database.Picture.size(),
        Database.Sound.size(),    Database.Bgm.size(),
    };
    for (int t = 0; t < DB_TABLECOUNT; ++t) {
        DefinitionContext.nTableCount[t] = static_cast<int>(counts[t]);
    }
    for (const cDbSwordType& sword : Database.SwordType) {
        std::int64_t time = 0;
        for (const cDbSwordFrame& frame : sword.FrameList) {
            time += frame.nTime;
        }
        DefinitionContext.SwordTypeTime.push_back(time);
    }
    DefinitionContext.bKeepTestPlayFlows = SystemData.bKeepTestPlayFlows;
}

}  // namespace

StartupSequence::StartupSequence(HWND hWnd, const BackEndConfig& config) : m_hWnd(hWnd), m_config(config)
{}

bool StartupSequence::OpenLogs()
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

bool StartupSequence::InitGame(const std::string& startStage)
{
    timeBeginPeriod(1);
    m_timerPeriod = true;
    SRand(timeGetTime());
    nDataVersion = 720;
    bRemoveCR = 1;
    return DataFolder() && Databases() && Settings() && Graphics() && Sound() && WorldMapAndPalette() &&
           StartStage(startStage);
}

bool StartupSequence::Fail(const char* step)
{
    m_failedStep = step;
    return false;
}

bool StartupSequence::DataFolder()
{
    if (!CreateDefaultData(m_hWnd)) {
        static const std::string kText =
            Sjis("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
        ReportLogECBox("%s", kText.c_str());
        return Fail("default data");
    }
    for (const char* folder : kWorkingFolders) {
        CreateDirectoryA(folder, nullptr);
    }
    return true;
}

bool StartupSequence::Databases()
{
    if (!Database.Load()) {
        static const std::string kText = Sjis("データベースの読み込みに失敗…");
        ReportLogECBox("%s", kText.c_str());
        return Fail("databases");
    }
    BuildDerivedTables();
    return true;
}

bool StartupSequence::Settings()
{
    const char* szPath = PathTable[35].c_str();
    if (!SystemData.LoadFile(szPath)) {
        static const std::string kFormat = Sjis("%s の読み込みに失敗…");
        ReportLogECBox(kFormat.c_str(), szPath);
        return Fail("project settings");
    }
    // "System.ini" belongs to the shell; the configuration stands in for its values.
    FillDefinitionContext();
    SetWindowTextA(m_hWnd, SystemData.strTitle.c_str());
    return true;
}

bool StartupSequence::Graphics()
{
    GraphicsStartOptions options;
    options.bDirect3D = m_config.bDirect3D;
    options.hWnd = m_hWnd;
    options.nBpp = ChooseColourDepth(m_config.nBpp, m_config.bWindowMode, m_config.bDirect3D, SystemData.nD3DDepth,
                                     SystemData.nDDDepth, SystemData.bFullColour);
    options.bVSync = 0;
    options.bWindowMode = m_config.bWindowMode;
    options.bFullColour = SystemData.bFullColour;
    options.byTransRed = SystemData.byTransRed;
    options.byTransGreen = SystemData.byTransGreen;
    options.byTransBlue = SystemData.byTransBlue;
    // StartGraphics may fall back to DirectDraw: the fonts follow the back-end actually opened.
    options.createFonts = [&options] { return CreateFonts(options.bDirect3D); };
    const BOOL bOk = StartGraphics(options);
    if (lpDTCon || lpDDCon) {
        WriteDisplayReport(1);
    }
    return bOk ? true : Fail("graphics");
}

bool StartupSequence::Sound()
{
    if (kOptionMusic) {
        BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots);
    }
    std::vector<std::string> systemSounds(SystemData.SystemSoundNames.begin(), SystemData.SystemSoundNames.end());
    std::vector<std::string> soundFiles;
    for (const cDbSound& sound : Database.Sound) {
        soundFiles.push_back(sound.strFileName);
    }
    BuildSoundList(systemSounds, soundFiles);
    if (!DS_Init(m_hWnd, 22050, 8, 1)) {
        static const std::string kText = Sjis("DS_Init失敗！");
        ECLog(kText.c_str());
        return Fail("sound");
    }
    DS_CreateSoundTable(&SoundTable, &SoundInfoList, SeVolume(kOptionSeVolume));
    return true;
}

bool StartupSequence::WorldMapAndPalette()
{
    static const std::string kFormat = Sjis("%s のロードに失敗！");
    auto load = [](cDataRecord& record, const std::string& path) {
        if (record.LoadFile(path.c_str())) {
            return true;
        }
        ReportLogECBox(kFormat.c_str(), path.c_str());
        return false;
    };
    if (!load(WorldMap, PathTable[13])) {
        return Fail("world map");
    }
    // Part of the shell's start-up: a common palette that cannot be read ends it as well.
    if (!load(CommonPalette, PathTable[7])) {
        return Fail("common palette");
    }
    return true;
}

bool StartupSequence::StartStage(const std::string& startStage)
{
    if (startStage.empty()) {
        return true;
    }
    std::string newest;
    if (!FindNewestNumberedFileStr(newest, startStage, ExtTable[1].c_str())) {
        static const std::string kFormat = Sjis("「%s」の読み込みに失敗しました！");
        ReportLog(kFormat.c_str(), startStage.c_str());
        return true;
    }
    // The shell's LoadFreeStage also resets the save data and sets the lives (not built yet).
    if (!LoadStage(newest.c_str(), 1, &StageBackup)) {
        return Fail("start stage");
    }
    return true;
}

void StartupSequence::UnInitGame()
{
    if (lpDTCon || lpDDCon) {
        ReportLog("Font10 : %d", CachedGlyphs(FontTable[Font10]));
        ReportLog("Font16 : %d", CachedGlyphs(FontTable[Font16]));
    }
    if (m_timerPeriod) {
        timeEndPeriod(1);
        m_timerPeriod = false;
    }
    DS_UnInit();
    BgmPlayer.UnInit();
    // The fonts and digit strips go before the back-end that holds their surfaces.
    ReleaseFontTable();
    if (lpDTCon || lpDDCon) {
        StopGraphics();
    }
}

}  // namespace integration
