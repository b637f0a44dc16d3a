#include "scenes/cSceneTitle.h"

#include <algorithm>
#include <new>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "graphics/SurfaceCatalogue.h"
#include "input/cInput.h"
#include "platform/win/Messages.h"
#include "project/SettingsLists.h"
#include "project/cSaveData.h"
#include "project/cSaveSlot.h"
#include "project/cWorldMap.h"
#include "scenes/MainThreadRequests.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"

namespace {

// Built-in picture slots of the title, in the order they are loaded and released.
constexpr int kSlotWindow = 45;
constexpr int kSlotTitle = 47;
constexpr int kSlotGameMode = 48;
constexpr int kSlotAccessory = 49;

constexpr int kButtonMask = BUTTON_DECIDE | BUTTON_CANCEL;

int RankingSwitch(int nKind)
{
    const cVector<cRankingRow>& rows = SystemData.RankingRows;
    return nKind >= 0 && static_cast<std::size_t>(nKind) < rows.size() ? rows.data()[nKind].bEnabled : 0;
}

// Starts the play of nKind: its play kind and its ranking switch.
void SetPlayKind(int nKind)
{
    cSceneFlow& flow = SceneFlow();
    flow.m_nPlayKind = nKind;
    flow.m_bRanking = RankingSwitch(nKind);
}

// A fresh challenge record: a new run with one empty record per world of the project.
void StartFreshChallenge()
{
    SaveData.Reset();
    ResizeList(SaveData.WorldRecord, std::clamp(SystemData.nWorldCount, 0, cSaveData::kMaxWorldCount));
}

}  // namespace

void NewGame()
{
    SaveData.Reset();
    SaveData.nMapX = WorldMap.nStartX;
    SaveData.nMapY = WorldMap.nStartY;
    SaveData.nLap = 0;
    SaveData.StartLivesOf(cSaveData::kPlayStory);
}

cScene* CreateTitleScene()
{
    return new (std::nothrow) cSceneTitle();
}

cSceneTitle::cSceneTitle()
{
    SetStates<cSceneTitle>(
        {&cSceneTitle::StateFadeIn, &cSceneTitle::StateMenu, &cSceneTitle::StateSlotList, &cSceneTitle::StateFadeOut});
}

cSceneTitle::~cSceneTitle()
{
    ReleasePictures({kSlotTitle, kSlotGameMode, kSlotAccessory, kSlotWindow});
}

void cSceneTitle::Main()
{
    RunFrame(kButtonMask);
}

int cSceneTitle::ItemId(int row) const
{
    return row >= 0 && row < m_nItems ? m_Items[static_cast<std::size_t>(row)] : -1;
}

void cSceneTitle::CollectItems()
{
    // Ids are the positions in the project's list; entries past the seven known ones would have
    // no action and no room, so the list is read up to its known length.
    const cVector<cMenuItem>& list = SystemData.TitleMenuItems;
    const int nEntries = std::min(static_cast<int>(list.size()), kItemCapacity);
    m_nItems = 0;
    for (int id = 0; id < nEntries; ++id) {
        if (list.data()[id].bEnabled != 0) {
            m_Items[static_cast<std::size_t>(m_nItems++)] = id;
        }
    }
    if (m_nItems == 0) {
        m_Items[0] = GAMEMODE_NEWGAME;
        m_nItems = 1;
    }
}

void cSceneTitle::Init()
{
    RequestMusic(BGM_SLOT_TITLE);
    LoadPictures({kSlotTitle, kSlotGameMode, kSlotAccessory, kSlotWindow});
    MenuCursor.Reset();
    CollectItems();
    // The title reopens on the mode chosen last; a mode no longer offered keeps its number as the
    // row, which the first cursor step wraps into range.
    const int nMode = SceneFlow().m_nGameMode;
    int nRow = nMode;
    for (int j = 0; j < m_nItems; ++j) {
        if (m_Items[static_cast<std::size_t>(j)] == nMode) {
            nRow = j;
        }
    }
    MenuCursor.m_pCur->nRow = nRow;
    m_nMenuX = SystemData.bTitleMenuPicture != 0 ? kPictureMenuCentre - SDTable[kSlotGameMode].nWidth / 2 : kMenuX;
    CreateSurface(MenuWidth(), m_nItems * kRowPitch + 2, TRUE);
    m_nSubState = 0;
}

void cSceneTitle::MainMenu()
{
    cInput& input = Input[0];
    MenuCursor.MoveGrid(&input.wDir, m_nMenuX, kMenuY, 0, kRowPitch, 1, m_nItems);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if ((input.wButton & BUTTON_DECIDE) == 0) {
        Show();
        DrawMenuCursor();
        return;
    }
    PlaySE(SE_DECIDE);
    const int id = ItemId(MenuCursor.m_pCur->nRow);
    if (id < 0) {
        return;
    }
    SceneFlow().m_nGameMode = id;
    Decide(id);
}

void cSceneTitle::Decide(int id)
{
    cSceneFlow& flow = SceneFlow();
    switch (id) {
    case GAMEMODE_NEWGAME:
        SetPlayKind(cSaveData::kPlayStory);
        NewGame();
        flow.m_nNextScene = SCENE_WORLDMAP;
        m_nState = kStateFadeOut;
        break;
    case GAMEMODE_CONTINUE:
        SetPlayKind(cSaveData::kPlayStory);
        MenuCursor.Push(0);
        m_nSubState = 0;
        m_nState = kStateSlotList;
        break;
    case GAMEMODE_CHALLENGE:
        SetPlayKind(cSaveData::kPlayChallenge);
        if (!SaveData.LoadChallenge()) {
            StartFreshChallenge();
        }
        flow.m_nNextScene = SCENE_WORLDSELECT;
        m_nState = kStateFadeOut;
        break;
    case GAMEMODE_FREE:
        SetPlayKind(cSaveData::kPlayFree);
        // The main thread shows the chooser and reads the stage; a cancel or a failed read (which
        // it reports) keeps the menu.
        if (RequestLoadStageFile()) {
            flow.m_nNextScene = SCENE_STAGE;
            m_nState = kStateFadeOut;
        }
        break;
    case GAMEMODE_REPLAY:
        SetPlayKind(cSaveData::kPlayReplay);
        if (RequestLoadReplay()) {
            flow.m_nNextScene = SCENE_STAGE;
            m_nState = kStateFadeOut;
        }
        break;
    case GAMEMODE_OPTION:
        flow.m_nNextScene = SCENE_OPTION;
        m_nState = kStateFadeOut;
        break;
    case GAMEMODE_QUIT: PostMessage(hWndMain.load(), WM_CLOSE, 0, 0); break;
    default: break;
    }
}

void cSceneTitle::SlotList()
{
    cInput& input = Input[0];
    if (m_nSubState == 0) {
        *MenuCursor.m_pCur = CURSORPOS{};
        m_nTop = 0;
        MakeSaveSlotList(SaveSlotList);
        m_nSubState = 1;
    }
    const int nSlots = static_cast<int>(SaveSlotList.size());
    m_nVisible = std::min(nSlots, kMaxVisibleSlots);
    MenuCursor.MoveList(&input.wDir, 1, &m_nTop, kSlotListY, kSlotPitch, kSlotListX, m_nVisible, nSlots, 1);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXES_BOTH, SE_CURSOR);
    if (input.wButton & BUTTON_DECIDE) {
        const int nRow = MenuCursor.m_pCur->nRow;
        const bool bSaved = nRow >= 0 && nRow < nSlots && SaveSlotList.data()[nRow].bExist != 0;
        // A slot file that went away or turned unreadable since the list was made is refused like
        // an empty slot, so the world map never starts on the save data of another play.
        if (!bSaved || !SaveData.LoadSlot(nRow)) {
            PlaySE(SE_NOTICE);
            return;
        }
        PlaySE(SE_DECIDE);
        SceneFlow().m_nNextScene = SCENE_WORLDMAP;
        m_nState = kStateFadeOut;
        return;
    }
    if (input.wButton & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        MenuCursor.Pop(1);
        m_nState = kStateMenu;
        m_nSubState = 0;
        return;
    }
    DrawSlotList();
}

void cSceneTitle::FadeOut()
{
    if (FadeOutStep()) {
        LeaveScreen(SCENE_TITLE);
    }
}
