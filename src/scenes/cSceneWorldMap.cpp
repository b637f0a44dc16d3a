#include "scenes/cSceneWorldMap.h"

#include <algorithm>
#include <new>
#include <string>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "core/Paths.h"
#include "core/TextHelpers.h"
#include "definitions/LoadStage.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "input/cInput.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "project/cWorldMap.h"
#include "scenes/ScenePictures.h"
#include "scenes/StorySave.h"
#include "scenes/WorldMapLayout.h"
#include "scenes/WorldMapRules.h"
#include "sound/SoundEffects.h"
#include "stage/ranking/cRanking.h"

namespace {

// Buttons made one-shot by the screen's frame: 1 to 4.
constexpr int kOneShotButtons = BUTTON_1 | BUTTON_2 | BUTTON_3 | BUTTON_4;

// Facings.
constexpr int kFaceDown = 0;
constexpr int kFaceUp = 1;
constexpr int kFaceLeft = 2;
constexpr int kFaceRight = 3;

bool StoryRanking()
{
    return SystemData.RankingRows[cSaveData::kPlayStory].bEnabled != 0;
}

// A save-data flag; numbers outside the flag list are not set.
bool FlagSet(int nFlag)
{
    return nFlag >= 0 && nFlag < static_cast<int>(SaveData.StageClear.size()) && SaveData.StageClear[nFlag] != 0;
}

bool ConditionHolds(const cWorldStage& entry)
{
    if (entry.nNeedStage > 0 && !FlagSet(entry.nNeedStage)) {
        return false;
    }
    if (entry.nCondVar != 0) {
        // A variable number outside the variable list names no variable: the condition fails.
        if (entry.nCondVar < 0 || entry.nCondVar >= static_cast<int>(SaveData.Var.size())) {
            return false;
        }
        if (!WorldCompare(entry.nCondOp, SaveData.Var[entry.nCondVar], entry.nCondValue)) {
            return false;
        }
    }
    return SaveData.nBestTotal >= entry.nNeedScore;
}

const std::string& StageLoadFailedText()
{
    static const std::string kText = Sjis("ステージファイル %s が読み込めません！");
    return kText;
}

}  // namespace

cScene* CreateSceneWorldMap()
{
    return new (std::nothrow) cSceneWorldMap();
}

cSceneWorldMap::cSceneWorldMap()
{
    SetStates<cSceneWorldMap>({&cSceneWorldMap::StateFadeIn, &cSceneWorldMap::MapMain, &cSceneWorldMap::Confirm,
                               &cSceneWorldMap::StateFadeOut});
}

cSceneWorldMap::~cSceneWorldMap()
{
    ReleasePictures({kSlotWorldBack, kSlotWorldMapChip, kSlotWorldEvent, kSlotAccessory, kSlotWindow, kSlotMapSurface});
    DDReleaseSurfaceVec(ScenePictures);
    ScenePictures.clear();
    ScenePictureInfo.clear();
}

void cSceneWorldMap::Main()
{
    RunFrame(kOneShotButtons);
}

const cWorldStage* cSceneWorldMap::GetActiveStage(const cWorldNode* node)
{
    if (node == nullptr) {
        return nullptr;
    }
    for (const cWorldStage& entry : node->Entry) {
        if (ConditionHolds(entry)) {
            return &entry;
        }
    }
    return nullptr;
}

bool cSceneWorldMap::IsCleared(const cWorldStage* entry)
{
    return entry != nullptr && FlagSet(entry->nStageNo);
}

bool cSceneWorldMap::IsPassable(const cWorldStage* entry)
{
    return entry != nullptr && (entry->bPassable != 0 || IsCleared(entry));
}

bool cSceneWorldMap::HasStageOfKind0() const
{
    return m_pStage != nullptr && m_pStage->nKind == cWorldStage::kKindStage;
}

void cSceneWorldMap::FindNodeAtCursor()
{
    const CURSORPOS& cursor = *MenuCursor.m_pCur;
    m_pNode = WorldMap.FindNode(cursor.nCol, cursor.nRow);
    m_pStage = GetActiveStage(m_pNode);
}

void cSceneWorldMap::Init()
{
    RequestMusic(BGM_SLOT_WORLDMAP);
    SDInfoTable[kSlotWorldBack].szFileName = WorldMap.strBackBitmap;
    LoadPictures({kSlotWorldBack, kSlotWorldMapChip, kSlotWorldEvent, kSlotAccessory, kSlotWindow, kSlotMapSurface});
    MenuCursor.Reset();
    SaveData.CalcTotalScore();

    CURSORPOS& cursor = *MenuCursor.m_pCur;
    cursor.nCol = SaveData.nMapX;
    cursor.nRow = SaveData.nMapY;
    cursor.x = kHeroX;
    cursor.y = kHeroY;
    m_nScrollX = cursor.nCol - kViewColsBefore;
    m_nScrollY = cursor.nRow - kViewRowsBefore;
    m_nDir = SaveData.nMapDir;
    FindNodeAtCursor();
    m_SavedPos = cursor;

    CreateSurface();
    if (HasStageOfKind0()) {
        LoadStageInfo();
    }
    // Back from a stage with autosave on: only into a slot the run was saved to or loaded from.
    // A new run has no slot yet (-1), and there is nothing to save into then.
    if (SaveData.bAutoSave != 0 && SceneFlow().m_nPrevScene == SCENE_STAGE && IsStorySlot(SaveData.nSlot)) {
        SaveStorySlot(SaveData.nSlot);
    }
    DrawMap();
    m_nSubState = 0;
}

void cSceneWorldMap::ScrollToCursor()
{
    const CURSORPOS& cursor = *MenuCursor.m_pCur;
    m_nScrollX = cursor.nCol - kViewColsBefore;
    m_nScrollY = cursor.nRow - kViewRowsBefore;
}

void cSceneWorldMap::Move(CURSORPOS& cursor, SHORT wPad)
{
    if ((wPad & DIR_ANY) != 0) {
        SaveData.nMapEnterX = cursor.nCol;
        SaveData.nMapEnterY = cursor.nRow;
        m_SavedPos = cursor;
    }
    if ((wPad & DIR_LEFT) != 0) {
        m_nDir = kFaceLeft;
        if (cursor.nCol > 0) --cursor.nCol;
    } else if ((wPad & DIR_RIGHT) != 0) {
        m_nDir = kFaceRight;
        if (cursor.nCol < WorldMap.nWidth - 1) ++cursor.nCol;
    } else if ((wPad & DIR_UP) != 0) {
        m_nDir = kFaceUp;
        if (cursor.nRow > 0) --cursor.nRow;
    } else if ((wPad & DIR_DOWN) != 0) {
        m_nDir = kFaceDown;
        if (cursor.nRow < WorldMap.nHeight - 1) ++cursor.nRow;
    }

    m_pNode = WorldMap.FindNode(cursor.nCol, cursor.nRow);
    m_pStage = GetActiveStage(m_pNode);
    const cWorldChip* chip = WorldCellChip(WorldMap, cursor.nCol, cursor.nRow);
    const bool bBlockedGround = m_pStage == nullptr && chip != nullptr && chip->bBlock != 0;
    const bool bWall = m_pStage != nullptr && m_pStage->nKind == cWorldStage::kKindWall;
    if (bBlockedGround || bWall) {
        cursor = m_SavedPos;
    } else {
        SaveData.nMapDir = m_nDir;
        ScrollToCursor();
        if (m_nScrollX != m_nDrawnScrollX || m_nScrollY != m_nDrawnScrollY) {
            DrawMap();
        }
    }
    cursor.x = kHeroX;
    cursor.y = kHeroY;
}

void cSceneWorldMap::MapMain()
{
    cInput& input = Input[0];
    CURSORPOS& cursor = *MenuCursor.m_pCur;
    Move(cursor, input.wDir);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXES_BOTH, SE_CURSOR);
    FindNodeAtCursor();

    if (HasStageOfKind0()) {
        if (cursor.nCol != m_InfoPos.nCol || cursor.nRow != m_InfoPos.nRow) {
            LoadStageInfo();
            m_InfoPos = cursor;
        }
        // An uncleared stage without pass switch asks as soon as the hero steps on it.
        if (!IsPassable(m_pStage)) {
            OpenConfirm();
            return;
        }
        if ((input.wButton & BUTTON_DECIDE) != 0) {
            if (IsCleared(m_pStage) && m_pStage->bReplay == 0) {
                return;
            }
            OpenConfirm();
            return;
        }
        GenreButtons(input.wButton);
    }
    if ((input.wButton & BUTTON_CANCEL) != 0) {
        PlaySE(SE_PAUSE);
        SaveData.nMapX = cursor.nCol;
        SaveData.nMapY = cursor.nRow;
        m_nSubState = 0;
        SceneFlow().m_nNextScene = SCENE_WORLDMAPMENU;
        m_nState = kStateFadeOut;
        return;
    }
    Show(true);
}

void cSceneWorldMap::GenreButtons(SHORT wButton)
{
    if ((wButton & BUTTON_3) != 0) {
        if (StoryRanking()) {
            PlaySE(SE_GENRE);
            SaveData.bRankingShow = SaveData.bRankingShow != 0 ? 0 : 1;
            DrawRanking();
        } else if (SaveData.bRankingShow != 0) {
            SaveData.bRankingShow = 0;
            DrawRanking();
        }
    } else if ((wButton & BUTTON_4) != 0 && StoryRanking()) {
        const int nKind = SceneFlow().m_nPlayKind;
        if (SystemData.CountMenuItem(nKind) >= 2) {
            PlaySE(SE_GENRE);
            SaveData.StepSelection(nKind, 1);
        }
        DrawRanking();
    }
}

void cSceneWorldMap::OpenConfirm()
{
    const CURSORPOS& cursor = *MenuCursor.m_pCur;
    SaveData.nMapX = cursor.nCol;
    SaveData.nMapY = cursor.nRow;
    MenuCursor.Push(0);
    m_nSubState = 0;
    m_nState = kStateConfirm;
}

void cSceneWorldMap::Confirm()
{
    if (m_pStage == nullptr) {
        // Nothing to confirm (the node changed under the cursor): back to the map.
        EndConfirm();
        return;
    }
    if (m_nSubState == 0) {
        PlaySE(SE_DECIDE);
        m_bStageLoaded = LoadStage(m_pStage->strFile.c_str(), 1, &StageBackup);
        if (!m_bStageLoaded) {
            ErrorBoxF(StageLoadFailedText().c_str(), m_pStage->strFile.c_str());
        }
        MenuCursor.m_pCur->nRow = 1;
        m_nSubState = 1;
    }
    cInput& input = Input[0];
    const int nMenuX = SystemData.GetMenuCenterX(kConfirmMenuCentreX, kTextConfirmFirst, 2, 1);
    MenuCursor.MoveGrid(&input.wDir, nMenuX, kConfirmMenuY, 0, kConfirmMenuPitch, 1, 2);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);

    if ((input.wButton & BUTTON_DECIDE) != 0) {
        PlaySE(SE_DECIDE);
        if (MenuCursor.m_pCur->nRow == 0 && m_bStageLoaded) {
            SaveData.nMapDir = m_nDir;
            StartStage();
            m_nSubState = 0;
            SceneFlow().m_nNextScene = SCENE_STAGE;
            m_nState = kStateFadeOut;
            return;
        }
        EndConfirm();
        return;
    }
    if ((input.wButton & BUTTON_CANCEL) != 0) {
        PlaySE(SE_CANCEL);
        EndConfirm();
        return;
    }
    GenreButtons(input.wButton);
    ShowConfirm(nMenuX);
}

void cSceneWorldMap::EndConfirm()
{
    MenuCursor.Pop(1);
    if (!IsPassable(m_pStage)) {
        *MenuCursor.m_pCur = m_SavedPos;
    }
    m_nSubState = 0;
    m_nState = kStateMap;
}

void cSceneWorldMap::LoadStageInfo()
{
    SaveData.SetStageFile(m_pStage->strFile.c_str());
    m_nHighScore = SaveData.GetHighScore(SaveData.strStage);
    cSceneFlow& flow = SceneFlow();
    if (flow.m_bRanking != 0) {
        Ranking.LoadFile(flow.m_nPlayKind, RankingStageName(m_pStage->strFile).c_str());
        SaveData.StepSelection(flow.m_nPlayKind, 0);
        DrawRanking();
    }
}

void cSceneWorldMap::StartStage()
{
    SaveData.SetStageFile(Stage.m_strPath.c_str());
    SaveData.nStageNo = m_pStage->nStageNo;
    SaveData.nWorldStage = 1;
    if (SystemData.bCarryLives != 0) {
        // The stock plus the life being played; a stock at the top of the range stays there.
        SaveData.nStartLives = SystemData.UnlimitedLivesTable[cSaveData::kPlayStory] != 0
                                   ? cSaveData::kUnlimitedLives
                                   : std::min(SaveData.nLives, cSaveData::kUnlimitedLives - 1) + 1;
    } else {
        SaveData.nStartLives = SystemData.LivesTable[cSaveData::kPlayStory];
    }
    SaveData.nMapEntry = m_pStage;
}

void cSceneWorldMap::EnterStageAtOnce()
{
    if (!LoadStage(m_pStage->strFile.c_str(), 1, &StageBackup)) {
        ErrorBoxF(StageLoadFailedText().c_str(), m_pStage->strFile.c_str());
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return;
    }
    StartStage();
    SaveData.nMapEnterX = MenuCursor.m_pCur->nCol;
    SaveData.nMapEnterY = MenuCursor.m_pCur->nRow;
    m_nSubState = 0;
    SceneFlow().m_nNextScene = SCENE_STAGE;
    m_nState = kStateFadeOut;
}

void cSceneWorldMap::FadeIn()
{
    if (nScreenBpp == 8) {
        DrawRanking();
    }
    Show(SaveData.bMapEntered == 0);
    if (!FadeInStep()) {
        return;
    }
    // FadeInStep has entered the map (state 1); the stage under the hero may decide otherwise.
    // The left-after-a-miss flag is spent here in every case, so that a flag left standing can
    // not move the hero back on a later visit.
    const bool bAfterMiss = SaveData.bMapEntered != 0;
    SaveData.bMapEntered = 0;
    if (!HasStageOfKind0()) {
        return;
    }
    if (bAfterMiss) {
        // Back through the miss menu: the hero stands where it was before the stage, unless the
        // stage was cleared meanwhile. The cell comes from the save data: one outside the map
        // leaves the hero where it is.
        const bool bInside = SaveData.nMapEnterX >= 0 && SaveData.nMapEnterX < WorldMap.nWidth &&
                             SaveData.nMapEnterY >= 0 && SaveData.nMapEnterY < WorldMap.nHeight;
        if (!IsCleared(m_pStage) && bInside) {
            CURSORPOS& cursor = *MenuCursor.m_pCur;
            cursor.nCol = SaveData.nMapEnterX;
            cursor.nRow = SaveData.nMapEnterY;
            ScrollToCursor();
            DrawMap();
        }
        return;
    }
    if (SceneFlow().m_nPrevScene != SCENE_WORLDMAPMENU && !IsCleared(m_pStage) && !IsPassable(m_pStage)) {
        m_nState = kStateFadeIn;
        EnterStageAtOnce();
    }
}

void cSceneWorldMap::FadeOut()
{
    Show(true);
    if (FadeOutStep()) {
        LeaveScreen(SCENE_WORLDMAP);
    }
}
