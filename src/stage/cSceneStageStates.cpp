// The states of the stage-play screen other than play: the fades, the start banners, the pause
// menu, the stage-clear display, the miss menu and the game-over display. Drawing of the frozen
// stage, banners and menus belongs to the stage drawing and reads the counters kept here.
#include "stage/cSceneStage.h"

#include "core/AppGlobals.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "input/cReplaySaveData.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "screenbase/cMenuCursor.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"

namespace {

constexpr int kMenuCentreX = 320;
constexpr int kKeyF3 = VK_F1 + 2;

// The menu refresh of the stage's menus: key repeat and the one-shot buttons.
cInput& MenuInput()
{
    cInput& input = Input[0];
    input.KeyRepeat();
    input.TriggerButton(0);
    return input;
}

bool IsSet(const cVector<std::int32_t>& flags, int n)
{
    return n >= 0 && static_cast<std::size_t>(n) < flags.size() && flags.data()[n] != 0;
}

}  // namespace

void cSceneStage::FadeIn()
{
    if (m_bFailed) {
        return;
    }
    DrawFrozenState();
    if (FadeInStep()) {
        EnterStateAfterSetUp(STAGESTATE_START);
    }
}

void cSceneStage::FadeOut()
{
    DrawFrozenState();
    if (!FadeOutStep()) {
        return;
    }
    LeaveForNextScene();
}

void cSceneStage::LeaveForNextScene()
{
    // A free stage outside a numbered world is read again, so that the next entry starts from the
    // file.
    cSceneFlow& flow = SceneFlow();
    if (flow.m_nGameMode == GAMEMODE_FREE && SaveData.bWorldRun == 0 && !flow.ReloadFreeStage()) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
    }
    if (flow.m_nGameMode == GAMEMODE_REPLAY && flow.m_nNextScene != SCENE_STAGE) {
        ReplaySaveData.End();
    }
    flow.nTargetFps = 60;
    flow.m_nScene = flow.m_nNextScene;
    flow.m_nPrevScene = SCENE_STAGE;
    m_nState = -1;
}

void cSceneStage::Start()
{
    Draw(FrozenDrawMode(FrozenMessageLine()));
    StartStep();
    if (m_nState == STAGESTATE_START) {
        DrawStartBanner();
    }
}

void cSceneStage::StartStep()
{
    const bool bSkip = StageShell.bTestPlay && StageShell.bDirectPlay;
    if (!bSkip) {
        if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
            if (++m_nBannerCount < kBannerFrames) {
                return;
            }
        } else {
            if (Stage.m_bStartBanner != 0 && ++m_nBannerCount < kBannerFrames) {
                return;
            }
            if (Stage.m_bReadyBanner != 0 && ++m_nBannerCount2 < kBannerFrames) {
                return;
            }
        }
    }
    StartPlayerAnimation();
    m_nBannerCount = 0;
    m_nState = STAGESTATE_PLAY;
}

int cSceneStage::CheckPauseKey()
{
    if ((GetAsyncKeyState(VK_SPACE) & 0x8000) == 0) {
        return 0;
    }
    PlaySE(SE_PAUSE);
    m_nSavedState = m_nState;
    m_nSavedSubState = m_nSubState;
    return 1;
}

int cSceneStage::CheckReplayKey()
{
    cSceneFlow& flow = SceneFlow();
    return m_ReplayKeys.Check(flow.m_nGameMode, SystemData.bReplayEnabled, flow.nReplayNoticeCoolDown);
}

bool cSceneStage::RetryAllowed() const
{
    switch (SceneFlow().m_nPlayKind) {
    case cSaveData::kPlayFree: return true;
    case cSaveData::kPlayStory:
        return SystemData.bPauseRetryStory != 0 && IsSet(SaveData.StageClear, SaveData.nStageNo);
    case cSaveData::kPlayChallenge: {
        const int n = SaveData.nStageNo - 1;
        const bool bCleared = n >= 0 && static_cast<std::size_t>(n) < SaveData.WorldRecord.size() &&
                              SaveData.WorldRecord.data()[n].first != 0;
        return SystemData.bPauseRetryChallenge != 0 && bCleared;
    }
    default: return false;
    }
}

int cSceneStage::PauseMenuEntries() const
{
    return RetryAllowed() ? 3 : 2;
}

void cSceneStage::Pause()
{
    if (CheckReplayKey()) {
        return;
    }
    const int nEntries = PauseMenuEntries();
    if (m_nSubState == 0) {
        MenuCursor.m_pCur->nRow = 1;
        m_nSubState = 1;
    }
    if (m_nSubState == 1 && RunPauseMenu(nEntries)) {
        return;
    }
    DrawFrozenState();
}

int cSceneStage::RunPauseMenu(int nEntries)
{
    cInput& input = MenuInput();
    // The menu is placed for three entries even when it shows two.
    m_nMenuX = SystemData.GetMenuCenterX(kMenuCentreX, TEXT_PAUSE_FIRST, 3, 1);
    MenuCursor.MoveGrid(&input.wDir, m_nMenuX, kMenuY, 0, kMenuPitch, 1, nEntries);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if (input.wButton & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        switch (MenuCursor.m_pCur->nRow) {
        case 0:  // quit
            m_nState = STAGESTATE_FADEOUT;
            if (nEntries == 3 && StageShell.bDirectPlay) {
                PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
            } else {
                SceneFlow().m_nNextScene = SCENE_TITLE;
                MenuCursor.m_pCur->nRow = SceneFlow().m_nGameMode;
                m_nSubState = 0;
            }
            break;
        case 1:  // continue
            m_bButtonLatch = 1;
            m_nState = m_nSavedState;
            m_nSubState = m_nSavedSubState;
            break;
        default:  // retry
            m_bButtonLatch = 1;
            SaveData.LoadRetryPoint(true, SceneFlow().m_nPlayKind, StageShell.bDirectPlay != 0);
            SetStage(1, 0);
            m_nSubState = 0;
            EnterStateAfterSetUp(STAGESTATE_START);
            break;
        }
        return 1;
    }
    if (input.wButton & BUTTON_CANCEL) {
        PlaySE(SE_CANCEL);
        m_bButtonLatch = 1;
        m_nState = m_nSavedState;
        // Left with cancel from two entries, a stage-clear display starts its caption again.
        m_nSubState = nEntries == 3 ? m_nSavedSubState : 0;
        return 1;
    }
    return 0;
}

void cSceneStage::Clear()
{
    if (ClearStep()) {
        return;
    }
    DrawFrozenState();
}

int cSceneStage::ClearStep()
{
    const bool bAuto = Stage.m_bSkipResults != 0;
    if (!bAuto) {
        if (CheckPauseKey()) {
            m_nSubState = 0;
            m_nState = STAGESTATE_PAUSE;
            return 1;
        }
        if (CheckReplayKey()) {
            return 1;
        }
        if (RankingMode() <= 1 && (GetAsyncKeyState(kKeyF3) & 0x8000) != 0) {
            EntryRanking();
        }
    }
    if (m_nSubState == 0) {
        m_nBannerCount = 0;
        m_nSubState = 1;
    }
    if (m_nSubState != 1) {
        return 0;
    }
    cInput& input = MenuInput();
    // Without the caption the display takes a key on its first frame.
    if (Stage.m_bClearCaption == 0) {
        m_nBannerCount = kClearDisplayEnd;
    }
    const bool bReady = m_nBannerCount >= kClearDisplayEnd;
    if (bReady && (bAuto || (input.wButton & BUTTON_DECIDE))) {
        // A stage that skips its results offers no ranking entry: it advances by itself.
        if (!bAuto) {
            if (RankingMode() >= 2 && RankReached()) {
                EntryRanking();
            } else {
                PlaySE(SE_DECIDE);
            }
        }
        SceneFlow().m_nNextScene = FinishStage();
        m_nBannerCount = 0;
        m_nSubState = 0;
        m_nState = STAGESTATE_FADEOUT;
        return 1;
    }
    if (Stage.m_bClearCaption != 0 && m_nBannerCount < kClearDisplayEnd) {
        m_nBannerCount += kClearCaptionStep;
    }
    return 0;
}

void cSceneStage::Miss()
{
    if (CheckReplayKey()) {
        return;
    }
    if (m_nSubState == 0) {
        MenuCursor.m_pCur->nRow = 0;
        m_nSubState = 1;
    }
    if (m_nSubState == 1 && RunMissMenu()) {
        return;
    }
    DrawFrozenState();
}

int cSceneStage::RunMissMenu()
{
    cInput& input = MenuInput();
    m_nMenuX = SystemData.GetMenuCenterX(kMenuCentreX, TEXT_MISS_FIRST, 2, 1);
    MenuCursor.MoveGrid(&input.wDir, m_nMenuX, kMenuY, 0, kMenuPitch, 1, 2);
    DS_PlayCursorSE(&input.wDir, CURSOR_AXIS_VERTICAL, SE_CURSOR);
    if ((input.wButton & BUTTON_DECIDE) == 0) {
        return 0;
    }
    PlaySE(SE_DECIDE);
    if (MenuCursor.m_pCur->nRow == 0) {
        SetStage(1, 0);
        EnterStateAfterSetUp(STAGESTATE_START);
        return 1;
    }
    SaveData.bMapEntered = 1;  // the world map puts the hero back on the cell before the stage
    SceneFlow().m_nNextScene = SCENE_WORLDMAP;
    MenuCursor.m_pCur->nRow = SceneFlow().m_nGameMode;
    m_nSubState = 0;
    m_nState = STAGESTATE_FADEOUT;
    return 1;
}

void cSceneStage::GameOver()
{
    if (CheckPauseKey()) {
        m_nSubState = 0;
        m_nState = STAGESTATE_PAUSE;
        return;
    }
    if (CheckReplayKey()) {
        return;
    }
    cInput& input = MenuInput();
    if (input.wButton & BUTTON_DECIDE) {
        PlaySE(SE_DECIDE);
        m_nState = STAGESTATE_FADEOUT;
        SceneFlow().m_nNextScene = SCENE_TITLE;
        return;
    }
    DrawFrozenState();
}
