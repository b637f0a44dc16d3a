#include "scenes/cSceneOption.h"

#include <new>

#include "core/MainWindowRequests.h"
#include "core/ReportLog.h"
#include "input/cInput.h"
#include "project/cSystemData.h"
#include "scenes/BlendPalette.h"
#include "scenes/MainThreadRequests.h"
#include "scenes/cOptionData.h"
#include "screenbase/cMenuCursor.h"
#include "sound/Bgm.h"
#include "sound/SoundEffects.h"

namespace {

constexpr int kButtonMask = BUTTON_DECIDE | BUTTON_CANCEL;
constexpr int kSlotWindow = 45;     // "bmp\Window.bmp"
constexpr int kSlotAccessory = 49;  // "bmp\Accessory.bmp"
constexpr int kListX = 48;
constexpr int kListY = 96;
constexpr int kRowPitch = 16;
constexpr const char* kOptionDataPath = "user_data\\Option.dat";

// The OptionData value of an editable entry and its range; false for the other entries.
bool EditableValue(int nId, int*& pValue, int& nMin, int& nMax)
{
    switch (nId) {
    case OPTION_PALETTE: pValue = &OptionData.nPaletteSet, nMax = cOptionData::kMaxPaletteSet; break;
    case OPTION_MUSIC: pValue = &OptionData.bMusic, nMax = 1; break;
    case OPTION_VOLUME: pValue = &OptionData.nSoundVolume, nMax = cOptionData::kMaxSoundVolume; break;
    case OPTION_REGISTRATION: pValue = &OptionData.nRankingMode, nMax = cOptionData::kMaxRankingMode; break;
    default: return false;
    }
    nMin = 0;
    return true;
}

}  // namespace

cSceneOption::cSceneOption()
{
    SetStates<cSceneOption>({&cSceneOption::StateFadeIn, &cSceneOption::OptionList, &cSceneOption::StateFadeOut});
}

cScene* cSceneOption::Create()
{
    return new (std::nothrow) cSceneOption();
}

cSceneOption::~cSceneOption()
{
    ReleasePictures({kSlotAccessory, kSlotWindow});
}

void cSceneOption::Main()
{
    RunFrame(kButtonMask);
}

void cSceneOption::Init()
{
    RequestMusic(BGM_SLOT_OPTION);
    LoadPictures({kSlotAccessory, kSlotWindow});
    MenuCursor.Reset();
    m_nItems = 0;
    const int nListed = static_cast<int>(SystemData.OptionMenuItems.size());
    for (int item = 0; item < kOptionEntryCount && item < nListed; ++item) {
        if (SystemData.OptionMenuItems[item].bEnabled != 0) {
            m_Items[m_nItems++] = OptionIdOfItem(item);
        }
    }
    if (m_nItems == 0) {
        // As every menu of the screens: none enabled offers the first item alone.
        m_Items[0] = OptionIdOfItem(0);
        m_nItems = 1;
    }
    CreateSurface(640, 480, 0);
    m_nSubState = 0;
}

void cSceneOption::FadeOut()
{
    if (!FadeOutStep()) {
        return;
    }
    ApplyBgm();
    if (!OptionData.SaveFile(kOptionDataPath)) {
        ReportLog("%s", "Option.dat could not be written; the options hold for this run only");
    }
    LeaveScreen(SCENE_OPTION);
}

void cSceneOption::ApplyBgm()
{
    if (BgmPlayer.m_bInit != 0) {
        if (OptionData.bMusic == 0) {
            BgmPlayer.UnInit();
            SceneFlow().m_nBgm = 0;
        }
        return;
    }
    if (OptionData.bMusic != 0) {
        BgmPlayer.UnInit();
        BgmPlayer.Init(1, &BgmOggNames, &BgmMidiNames, kBgmSlots);
        SceneFlow().m_nBgm = 0;
    }
}

void cSceneOption::OptionList()
{
    if (m_nSubState == 0) {
        *MenuCursor.m_pCur = CURSORPOS{};
        m_nSubState = 1;
    }
    if (m_nSubState == 1) {
        ChooseEntry();
    } else if (m_nSubState == 2) {
        EditValue();
    }
}

void cSceneOption::ChooseEntry()
{
    cInput& input = Input[0];
    MenuCursor.MoveGrid(&input.wDir, kListX, kListY, 0, kRowPitch, 1, m_nItems);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if (input.wButton & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        const int nRow = MenuCursor.m_pCur->nRow;
        DecideEntry(m_Items[nRow >= 0 && nRow < m_nItems ? nRow : 0]);
        return;
    }
    if (input.wButton & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        Leave();
        return;
    }
    DrawChoosing();
}

void cSceneOption::DecideEntry(int nId)
{
    m_nSelected = nId;
    if (nId == OPTION_NAME) {
        // Returns when the dialog has closed, with the name edited in OptionData.
        RequestNameDialog();
        Redraw();
        DrawChoosing();
        return;
    }
    if (nId == OPTION_BACK) {
        Leave();
        return;
    }
    if (!EditableValue(nId, m_pValue, m_nMin, m_nMax)) {
        return;
    }
    m_nSaved = *m_pValue;
    MenuCursor.Push(0);
    m_nSubState = 2;
}

void cSceneOption::EditValue()
{
    if (m_pValue == nullptr) {
        m_nSubState = 1;
        return;
    }
    cInput& input = Input[0];
    int& value = *m_pValue;
    for (const SHORT bit : {DIR_UP, DIR_DOWN}) {
        if ((input.wDir & bit) == 0) {
            continue;
        }
        value += bit == DIR_UP ? 1 : -1;
        if (value < m_nMin) {
            value = m_nMax;
        } else if (value > m_nMax) {
            value = m_nMin;
        }
        ApplyEffect();
        Redraw();
    }
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if (input.wButton & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        MenuCursor.Pop(1);
        m_nSubState = 1;
        return;
    }
    if (input.wButton & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        value = m_nSaved;
        ApplyEffect();
        MenuCursor.Pop(1);
        m_nSubState = 1;
        Redraw();
        return;
    }
    DrawEditing();
}

void cSceneOption::ApplyEffect() const
{
    if (m_nSelected == OPTION_PALETTE) {
        LoadBlendPalette(OptionData.nPaletteSet);
    } else if (m_nSelected == OPTION_VOLUME) {
        // Only each slot's first buffer: the duplicates keep their volume until the next start.
        const int nVolume = SeVolume(OptionData.nSoundVolume);
        for (DSSOUNDDATA& slot : SoundTable) {
            DS_SetVolume(&slot, 0, nVolume, false);
        }
    }
}

void cSceneOption::Leave()
{
    SceneFlow().m_nNextScene = SCENE_TITLE;
    m_nSubState = 0;
    m_nState = 2;
}
