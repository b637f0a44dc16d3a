#include "scenes/cSceneWorldMapMenu.h"

#include <algorithm>
#include <string>

#include "core/MainWindowRequests.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/DrawHelpers.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "input/cInput.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "scenes/StorySave.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"

namespace {

// Built-in picture slots: "bmp\Window.bmp", "bmp\Symbol.bmp", "bmp\Accessory.bmp".
constexpr int kSlotWindow = 45;
constexpr int kSlotSymbol = 50;
constexpr int kSlotAccessory = 49;

constexpr int kButtonMask = BUTTON_DECIDE | BUTTON_CANCEL;

// Text table entries of the sub-menus.
constexpr int TEXT_TOTAL_SCORE = 4;
constexpr int TEXT_SAVE_FIRST = 12;      // save, cancel
constexpr int TEXT_AUTOSAVE_FIRST = 14;  // on, off
constexpr int TEXT_NO_SLOT = 16;         // no slot known yet
constexpr int TEXT_TITLE_FIRST = 17;     // to the title, cancel

// Layout.
constexpr int kMenuX = 264;
constexpr int kMenuY = 192;
constexpr int kLabelX = 280;
constexpr int kRow = 16;
constexpr int kSlotListX = 152;
constexpr int kSlotListY = 160;
constexpr int kMaxSlotRows = 10;
constexpr int kSaveConfirmY = 400;
constexpr int kAutoSaveY = 224;
constexpr int kMessageY = 232;
constexpr int kTitleConfirmY = 224;
constexpr int kCentreX = 320;
constexpr int kTotalScoreY = 260;
constexpr DWORD kPlainColour = 16;
constexpr DWORD kFrameColour = 240;

// Pointers of "bmp\Accessory.bmp".
constexpr int kPointerX = 64;
constexpr int kSlotPointerX = 80;

const SHORT* Pad()
{
    return &Input[0].wDir;
}

SHORT Buttons()
{
    return Input[0].wButton;
}

void DrawPointer(const CURSORPOS* pos, int sx)
{
    if (pos != nullptr) {
        DDBlt(&BackBuffer, pos->x, pos->y, 16, 16, &SDTable[kSlotAccessory], sx, 0, 1);
    }
}

bool CanDraw()
{
    return bDDReady.load() != 0;
}

}  // namespace

cSceneWorldMapMenu::cSceneWorldMapMenu()
{
    SetStates<cSceneWorldMapMenu>({&cSceneWorldMapMenu::StateFadeIn, &cSceneWorldMapMenu::StateMenu,
                                   &cSceneWorldMapMenu::StateSave, &cSceneWorldMapMenu::StateAutoSave,
                                   &cSceneWorldMapMenu::StateToMap, &cSceneWorldMapMenu::StateToTitle,
                                   &cSceneWorldMapMenu::StateFadeOut});
    m_nSubState = 0;
}

cSceneWorldMapMenu::~cSceneWorldMapMenu()
{
    ReleasePictures({kSlotWindow, kSlotSymbol, kSlotAccessory});
}

void cSceneWorldMapMenu::Main()
{
    RunFrame(kButtonMask);
}

void cSceneWorldMapMenu::Init()
{
    RequestMusic(BGM_SLOT_WORLDMAP);
    LoadPictures({kSlotWindow, kSlotSymbol, kSlotAccessory});
    m_nItems = 0;
    for (int id = 0; id < kMapMenuItemCount; ++id) {
        if (SystemData.MapMenuItems[id].bEnabled != 0) {
            m_Items[m_nItems++] = id;
        }
    }
    if (m_nItems == 0) {
        // A menu with every entry switched off still offers the save.
        m_Items[0] = MAPMENU_ITEM_SAVE;
        m_nItems = 1;
    }
    MenuCursor.Reset();
}

void cSceneWorldMapMenu::FadeIn()
{
    Show();
    if (CanDraw()) {
        DDBlt(&BackBuffer, kMenuX, kMenuY, 16, 16, &SDTable[kSlotAccessory], kPointerX, 0, 1);
    }
    FadeInStep();
}

void cSceneWorldMapMenu::FadeOut()
{
    if (!FadeOutStep()) {
        return;
    }
    LeaveScreen(SCENE_WORLDMAPMENU, true);
    m_nState = -1;
}

void cSceneWorldMapMenu::StateMenu()
{
    MenuCursor.MoveGrid(Pad(), kMenuX, kMenuY, 0, kRow, 1, m_nItems);
    DS_PlayCursorSE(Pad(), CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if (Buttons() & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        const int row = std::clamp(MenuCursor.m_pCur->nRow, 0, m_nItems - 1);
        m_nState = m_Items[row] + 2;
        m_nSubState = 0;
        MenuCursor.Push(0);
        return;
    }
    if (Buttons() & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        m_nState = MAPMENU_TO_MAP;
        m_nSubState = 0;
        return;
    }
    Show();
    if (CanDraw()) {
        DrawPointer(MenuCursor.m_pCur, kPointerX);
    }
}

void cSceneWorldMapMenu::StateSave()
{
    if (m_nSubState == 0) {
        *MenuCursor.m_pCur = CURSORPOS{};
        MenuCursor.m_pCur->nRow = SaveData.nSlot;
        m_nSubState = 1;
        MakeSaveSlotList(SaveSlotList);
        m_nVisible = std::min(static_cast<int>(SaveSlotList.size()), kMaxSlotRows);
        // The list opens on the last slot saved into, as its first row (a slot of -1 is brought
        // into the list by the list cursor).
        m_nTop = SaveData.nSlot;
    }
    if (m_nSubState == 1) {
        ChooseSlot();
    } else {
        ConfirmSave();
    }
}

void cSceneWorldMapMenu::ChooseSlot()
{
    MenuCursor.MoveList(Pad(), 1, &m_nTop, kSlotListY, kRow, kSlotListX, m_nVisible,
                        static_cast<int>(SaveSlotList.size()), 1);
    DS_PlayCursorSE(Pad(), CURSOR_AXES_BOTH, SE_CURSOR);
    if (Buttons() & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        MenuCursor.Push(0);
        m_nSubState = 2;
        // The confirmation starts on "no".
        MenuCursor.m_pCur->nRow = 1;
        return;
    }
    if (Buttons() & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        BackToMenu();
        return;
    }
    if (CanDraw()) {
        ShowSlotList();
        DrawPointer(MenuCursor.m_pCur, kPointerX);
    }
}

void cSceneWorldMapMenu::ConfirmSave()
{
    const int x = SystemData.GetMenuCenterX(kCentreX, TEXT_SAVE_FIRST, 2, 1);
    MenuCursor.MoveGrid(Pad(), x, kSaveConfirmY, 0, kRow, 1, 2);
    DS_PlayCursorSE(Pad(), CURSOR_AXIS_VERTICAL, SE_CURSOR);
    const SHORT buttons = Buttons();
    if (buttons & BUTTON_DECIDE) {
        if (MenuCursor.m_pCur->nRow == 0) {
            PlaySE(SE_SAVE);
            // The slot is recorded before the write, so that the file knows its own slot; a
            // write that fails leaves the last slot as it was.
            const int previous = SaveData.nSlot;
            SaveData.nSlot = MenuCursor.m_pPrev != nullptr ? MenuCursor.m_pPrev->nRow : -1;
            if (!SaveStorySlot(SaveData.nSlot)) {
                SaveData.nSlot = previous;
            }
        } else {
            PlaySE(SE_DECIDE);
        }
    } else if (buttons & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
    }
    if (buttons & (BUTTON_DECIDE | BUTTON_CANCEL)) {
        MenuCursor.Pop(1);
        m_nSubState = 1;
        return;
    }
    if (CanDraw()) {
        ShowSlotList();
        SystemData.DrawMenuText(BackBuffer, x, kSaveConfirmY, TEXT_SAVE_FIRST, 2, 1);
        DrawPointer(MenuCursor.m_pPrev, kSlotPointerX);
        DrawPointer(MenuCursor.m_pCur, kPointerX);
    }
}

void cSceneWorldMapMenu::StateAutoSave()
{
    if (m_nSubState == 0) {
        *MenuCursor.m_pCur = CURSORPOS{};
        MenuCursor.m_pCur->nRow = SaveData.bAutoSave != 0 ? 0 : 1;
        // Without a slot saved into there is nowhere to save automatically.
        m_nSubState = IsStorySlot(SaveData.nSlot) ? 1 : 2;
    }
    if (m_nSubState == 1) {
        AutoSaveMenu();
    } else {
        NoSlotMessage();
    }
}

void cSceneWorldMapMenu::AutoSaveMenu()
{
    const int x = SystemData.GetMenuCenterX(kCentreX, TEXT_AUTOSAVE_FIRST, 2, 1);
    MenuCursor.MoveGrid(Pad(), x, kAutoSaveY, 0, kRow, 1, 2);
    DS_PlayCursorSE(Pad(), CURSOR_AXIS_VERTICAL, SE_CURSOR);
    const SHORT buttons = Buttons();
    if (buttons & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        if (MenuCursor.m_pCur->nRow == 0) {
            // Switched on only when the slot could be written now.
            if (SaveStorySlot(SaveData.nSlot)) {
                SaveData.bAutoSave = 1;
            }
        } else {
            SaveData.bAutoSave = 0;
        }
    } else if (buttons & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
    }
    if (buttons & (BUTTON_DECIDE | BUTTON_CANCEL)) {
        BackToMenu();
        return;
    }
    ShowSubMenu(kAutoSaveY, TEXT_AUTOSAVE_FIRST, 2, 1);
}

void cSceneWorldMapMenu::NoSlotMessage()
{
    const SHORT buttons = Buttons();
    if (buttons & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
    } else if (buttons & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
    }
    if (buttons & (BUTTON_DECIDE | BUTTON_CANCEL)) {
        BackToMenu();
        return;
    }
    ShowSubMenu(kMessageY, TEXT_NO_SLOT, 1, 0);
}

void cSceneWorldMapMenu::StateToMap()
{
    m_nSubState = 0;
    m_nState = MAPMENU_FADEOUT;
    SceneFlow().m_nNextScene = SCENE_WORLDMAP;
}

void cSceneWorldMapMenu::StateToTitle()
{
    if (m_nSubState == 0) {
        *MenuCursor.m_pCur = CURSORPOS{};
        MenuCursor.m_pCur->nRow = 1;
        m_nSubState = 1;
    }
    const int x = SystemData.GetMenuCenterX(kCentreX, TEXT_TITLE_FIRST, 2, 1);
    MenuCursor.MoveGrid(Pad(), x, kTitleConfirmY, 0, kRow, 1, 2);
    DS_PlayCursorSE(Pad(), CURSOR_AXIS_VERTICAL, SE_CURSOR);
    const SHORT buttons = Buttons();
    if (buttons & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        if (MenuCursor.m_pCur->nRow == 0) {
            m_nSubState = 0;
            m_nState = MAPMENU_FADEOUT;
            SceneFlow().m_nNextScene = SCENE_TITLE;
        } else {
            BackToMenu();
        }
        return;
    }
    if (buttons & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        BackToMenu();
        return;
    }
    ShowSubMenu(kTitleConfirmY, TEXT_TITLE_FIRST, 2, 1);
}

void cSceneWorldMapMenu::BackToMenu()
{
    MenuCursor.Pop(1);
    m_nSubState = 0;
    m_nState = MAPMENU_MENU;
}

void cSceneWorldMapMenu::Show()
{
    if (!CanDraw()) {
        return;
    }
    DDFillSurfacePal(&BackBuffer, kPlainColour);
    int longest = 0;
    for (int i = 0; i < m_nItems; ++i) {
        longest = std::max(longest, CountChars(SystemData.MapMenuItems[m_Items[i]].strLabel.c_str()));
    }
    DDDrawFrameBox(&BackBuffer, kMenuX, kMenuY, (longest + 1) * 16, m_nItems * kRow, &SDTable[kSlotWindow], 1,
                   kFrameColour);
    Font& font = FontTable[Font16];
    for (int i = 0; i < m_nItems; ++i) {
        font.Printf(&BackBuffer, kLabelX, kMenuY + kRow * i, "%s",
                    SystemData.MapMenuItems[m_Items[i]].strLabel.c_str());
    }
    const int score = SaveData.nBestTotal;
    if (SystemData.bMenuShowTotalScore != 0 && score > 0) {
        const std::string& text = SystemData.TextTable[TEXT_TOTAL_SCORE];
        const int width = (CountChars(text.c_str()) + CountDigits(score)) * 16;
        const int x = kCentreX - width / 2;
        font.DrawWindow(&BackBuffer, x, kTotalScoreY, width, 16);
        font.Printf(&BackBuffer, x, kTotalScoreY, "%s%d", text.c_str(), score);
    }
    SceneFlow().CyclePalette();
}

void cSceneWorldMapMenu::ShowSlotList()
{
    DDFillSurfacePal(&BackBuffer, kPlainColour);
    DrawSaveSlotList(&BackBuffer, kSlotListX, kSlotListY, SaveSlotList, m_nTop, m_nVisible);
}

void cSceneWorldMapMenu::ShowSubMenu(int y, int nFirst, int nCount, int bCursor)
{
    if (!CanDraw()) {
        return;
    }
    const int x = SystemData.GetMenuCenterX(kCentreX, nFirst, nCount, bCursor);
    DDFillSurfacePal(&BackBuffer, kPlainColour);
    SystemData.DrawMenuText(BackBuffer, x, y, nFirst, nCount, bCursor);
    if (bCursor != 0) {
        DrawPointer(MenuCursor.m_pCur, kPointerX);
    }
}
