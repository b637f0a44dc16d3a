#include "scenes/cSceneWorldSelect.h"

#include <algorithm>

#include "core/MainWindowRequests.h"
#include "core/Paths.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"
#include "definitions/cEdStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Boxes.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "input/cInput.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/ranking/cRanking.h"

namespace {

// Built-in picture slots: "bmp\Accessory.bmp", "bmp\Window.bmp".
constexpr int kSlotAccessory = 49;
constexpr int kSlotWindow = 45;

constexpr int kButtonMask = BUTTON_1 | BUTTON_2 | BUTTON_3 | BUTTON_4;

// The challenge's entry in the per-play-kind settings.
constexpr int kChallenge = cSaveData::kPlayChallenge;
// The title menu's challenge entry gives the screen its title.
constexpr int kTitleChallengeItem = 2;

// Text table entries.
constexpr int TEXT_WORLD = 0;
constexpr int TEXT_HIGH_SCORE = 3;
constexpr int TEXT_TOTAL_SCORE = 4;

// Layout.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMaxRows = 10;
constexpr int kListY = 160;
constexpr int kRowPitch = 32;
constexpr int kCursorX = 32;
constexpr int kLabelX = 64;
constexpr int kTitleY = 32;
constexpr int kTotalScoreY = 88;
constexpr int kHeadingX = 32;
constexpr int kHeadingY = 128;
constexpr int kRankingX = 292;
constexpr int kRankingY = 108;
constexpr int kCentreX = 320;

const SHORT* Pad()
{
    return &Input[0].wDir;
}

bool RankingSwitch()
{
    return SystemData.RankingRows[kChallenge].bEnabled != 0;
}

// The record of world index w; a fresh one for worlds the challenge record does not hold.
cIntPair WorldRecordOf(int w)
{
    if (w >= 0 && static_cast<std::size_t>(w) < SaveData.WorldRecord.size()) {
        return SaveData.WorldRecord.data()[w];
    }
    return cIntPair{};
}

}  // namespace

std::string WorldStageFileName(int nWorld)
{
    std::string name;
    FormatString(name, "%s%02d-1.%s", "data\\stg4\\c", nWorld, ExtTable[1].c_str());
    return name;
}

cSceneWorldSelect::cSceneWorldSelect()
{
    SetStates<cSceneWorldSelect>(
        {&cSceneWorldSelect::StateFadeIn, &cSceneWorldSelect::StateWorldList, &cSceneWorldSelect::StateFadeOut});
}

cSceneWorldSelect::~cSceneWorldSelect()
{
    ReleasePictures({kSlotAccessory, kSlotWindow});
}

void cSceneWorldSelect::Main()
{
    RunFrame(kButtonMask);
}

void cSceneWorldSelect::Init()
{
    RequestMusic(BGM_SLOT_WORLDSELECT);
    LoadPictures({kSlotAccessory, kSlotWindow});
    MenuCursor.Reset();
    cSceneFlow& flow = SceneFlow();
    MenuCursor.m_pCur->nRow = flow.m_nSelectWorld;
    m_nTop = flow.m_nSelectWorldTop;
    SelectWorld(MenuCursor.m_pCur->nRow + 1);
    CreateSurface(kScreenWidth, kScreenHeight, 0);
    m_nSubState = 0;
}

void cSceneWorldSelect::FadeOut()
{
    if (FadeOutStep()) {
        LeaveScreen(SCENE_WORLDSELECT);
    }
}

void cSceneWorldSelect::CountWorlds()
{
    m_nCount = SystemData.bFixedWorldCount != 0 ? std::clamp(SystemData.nWorldCount, 0, cSaveData::kMaxWorldCount)
                                                : std::max(SaveData.nWorldOpen, 0);
    // A scroll remembered from a longer list (a challenge record started again) would show no
    // row at all: the list is scrolled back so that it shows a full page or all of it.
    m_nTop = std::clamp(m_nTop, 0, std::max(m_nCount - kMaxRows, 0));
    m_nVisible = m_nCount >= m_nTop + kMaxRows ? kMaxRows : m_nCount - m_nTop;
}

void cSceneWorldSelect::SelectWorld(int nWorld)
{
    const std::string name = WorldStageFileName(nWorld);
    SaveData.SetStageFile(name.c_str());
    cSceneFlow& flow = SceneFlow();
    if (!flow.m_bRanking) {
        return;
    }
    Ranking.LoadFile(flow.m_nPlayKind, RankingStageName(name).c_str());
}

void cSceneWorldSelect::DrawSurface(DDSURFACEDATA& surface)
{
    FontTable[Font32].DrawWindow(&surface, 1, 1, kScreenWidth - 2, kScreenHeight - 2);
    const std::string& title = SystemData.TitleMenuItems[kTitleChallengeItem].strLabel;
    FontTable[Font32].Printf(&surface, kCentreX - CountChars(title.c_str()) * 16, kTitleY, "%s", title.c_str());
    const int score = SaveData.nBestTotal;
    if (SystemData.bSelectShowTotalScore != 0 && score > 0) {
        const std::string& text = SystemData.TextTable[TEXT_TOTAL_SCORE];
        const int x = kCentreX - (CountChars(text.c_str()) + CountDigits(score)) * 8;
        FontTable[Font16].Printf(&surface, x, kTotalScoreY, "%s%d", text.c_str(), score);
    }
    if (SaveData.bRankingShow == 0 && SystemData.bSelectShowHighScore != 0) {
        FontTable[Font32].Printf(&surface, kHeadingX, kHeadingY, "         %s",
                                 SystemData.TextTable[TEXT_HIGH_SCORE].c_str());
    }
    CountWorlds();
    const std::string& label = SystemData.TextTable[TEXT_WORLD];
    const int signX = (CountChars(label.c_str()) + 4) * 32;
    for (int i = 0; i < m_nVisible; ++i) {
        const int w = m_nTop + i;
        const int y = kListY + kRowPitch * i;
        const cIntPair record = WorldRecordOf(w);
        FontTable[Font32].Printf(&surface, kLabelX, y, "%s%d", label.c_str(), w + 1);
        if (record.first != 0) {
            DDBlt(&surface, signX, y, 32, 32, &SDTable[kSlotAccessory], 96, 0, 1);
        }
        if (SystemData.bSelectShowHighScore != 0) {
            FontTable[Font32].Printf(&surface, signX + 64, y, "%d", record.second);
        }
    }
    if (RankingSwitch() && SaveData.bRankingShow != 0) {
        // A genre outside the five (a damaged record) shows the first.
        const int genre = SaveData.nRankingKind >= 0 && SaveData.nRankingKind < RANKING_KIND_COUNT
                              ? SaveData.nRankingKind
                              : RANKING_SCORE;
        Ranking.Draw(&surface, kRankingX, kRankingY, genre, -1);
    }
}

void cSceneWorldSelect::Redraw()
{
    if (DDSURFACEDATA* sd = Surface()) {
        DrawSurface(*sd);
    }
}

void cSceneWorldSelect::WorldList()
{
    CountWorlds();
    MenuCursor.MoveList(Pad(), 1, &m_nTop, kListY, kRowPitch, kCursorX, m_nVisible, m_nCount, 1);
    DS_PlayCursorSE(Pad(), CURSOR_AXES_BOTH, SE_CURSOR);
    const int row = MenuCursor.m_pCur->nRow;
    if (*Pad() & DIR_ANY) {
        SelectWorld(row + 1);
        Redraw();
    }
    const SHORT buttons = Input[0].wButton;
    if ((buttons & BUTTON_DECIDE) && m_nCount > 0) {
        if (!StartWorld(row)) {
            return;
        }
        m_nState = WORLDSELECT_FADEOUT;
        return;
    }
    if (buttons & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        cSceneFlow& flow = SceneFlow();
        flow.m_nNextScene = SCENE_TITLE;
        flow.m_nPrevScene = SCENE_WORLDSELECT;
        m_nState = WORLDSELECT_FADEOUT;
        return;
    }
    if (buttons & BUTTON_3) {
        ToggleRanking();
    } else if (buttons & BUTTON_4) {
        StepGenre();
    }
    Show();
    if (bDDReady.load()) {
        DDBlt(&BackBuffer, MenuCursor.m_pCur->x, MenuCursor.m_pCur->y, 32, 32, &SDTable[kSlotAccessory], 0, 0, 1);
    }
}

bool cSceneWorldSelect::StartWorld(int nRow)
{
    const std::string name = WorldStageFileName(nRow + 1);
    if (!LoadStage(name.c_str(), 1, &StageBackup)) {
        PlaySE(SE_NOTICE);
        static const std::string kFormat = Sjis("ステージファイル %s が読み込めません！");
        ErrorBoxF(kFormat.c_str(), name.c_str());
        return false;
    }
    PlaySE(SE_DECIDE);
    SaveData.SetStageFile(Stage.m_strPath.c_str());
    SaveData.nStageNo = nRow + 1;
    SaveData.nWorldStage = 1;
    SaveData.StartLivesOf(cSaveData::kPlayChallenge);
    SaveData.bWorldRun = 1;
    cSceneFlow& flow = SceneFlow();
    flow.m_nSelectWorld = nRow;
    flow.m_nSelectWorldTop = m_nTop;
    flow.m_nNextScene = SCENE_STAGE;
    flow.m_nPrevScene = SCENE_WORLDSELECT;
    return true;
}

void cSceneWorldSelect::ToggleRanking()
{
    if (!RankingSwitch()) {
        // Without rankings in the challenge a toggle left on is cleared; the screen shows it at
        // its next redraw.
        SaveData.bRankingShow = 0;
        return;
    }
    PlaySE(SE_GENRE);
    SaveData.bRankingShow = SaveData.bRankingShow != 0 ? 0 : 1;
    Redraw();
}

void cSceneWorldSelect::StepGenre()
{
    if (!RankingSwitch()) {
        return;
    }
    const int kind = SceneFlow().m_nPlayKind;
    if (SystemData.CountMenuItem(kind) >= 2) {
        PlaySE(SE_GENRE);
        SaveData.StepSelection(kind, 1);
    }
    Redraw();
}
