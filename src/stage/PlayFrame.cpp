// One play frame (state 2): the input and the timers once, then the stage's sub-steps, each
// moving every object once. Steps of later subsystems (flows, map and group collision, shots,
// items, deaths, drawing) are called where they belong once they exist.
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "platform/win/Messages.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int SE_PLAYER_DEAD = 8;
constexpr int SE_CHARA_DEAD = 9;
constexpr int kGameModeReplay = 4;

// Results of the movement primitives.
constexpr int MOVEX_OUT = 4;
constexpr int MOVEY_KILLED = 7;
constexpr int MOVEY_OUT = 8;

bool IsCrushed(const cCharaBase& chara)
{
    return (chara.LRUD[0] && chara.LRUD[1]) || (chara.LRUD[2] && chara.LRUD[3]);
}

bool IsCharaCrushed(const cCharaBase& chara)
{
    return (chara.LRUD[2] && chara.LRUD[3]) || (chara.leftFoothold && chara.onFoothold);
}

}  // namespace

void cSceneStage::Play()
{
    if (m_bQuit) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return;
    }
    if (CheckPauseKey()) {
        m_nSubState = 0;
        m_nState = STAGESTATE_PAUSE;
        return;
    }
    // The replay keys (F1, F2) are served here once replays exist.
    ++m_nFrame;
    ReadPlayInput();
    CountPlayTime();
    if (CountTimeLimit(-1) && !Player.data()[P1].dying) {
        PlayerDies(nullptr);
        return;
    }
    for (cChara& chara : CharaList) {
        chara.fixedScreenX = 0;
        chara.fixedScreenY = 0;
    }
    cPlayer& player = Player.data()[P1];
    player.fixedScreenX = 0;
    player.fixedScreenY = 0;
    // The flows' per-frame flags are reset here (ResetFlowFrameFlags) once flows run.

    const int subSteps = SubStepCount();
    for (int k = 1; k <= subSteps; ++k) {
        if (!RunSubStep(k)) {
            return;
        }
    }
    Draw(1, 0, 1, 1);
}

void cSceneStage::ReadPlayInput()
{
    cInput& input = Input[0];
    if (SceneFlow().m_nGameMode == kGameModeReplay) {
        // Playback fills the controller from the replay here once replays exist.
        return;
    }
    if (input.wButton == 0) {
        m_bButtonLatch = 0;
    } else if (m_bButtonLatch) {
        input.wButton = 0;
    }
    input.PushHistory();
    input.UpdateKeyLog();
    // With replay recording on, the controller is appended to the replay here once replays exist.
}

void cSceneStage::PlayerDies(const char* szLabel)
{
    if (szLabel != nullptr) {
        ECLog(szLabel);
    }
    PlaySE(SE_PLAYER_DEAD);
    // The death itself (animation, effects, a held item) is Die's once deaths exist; a death
    // that ends a cleared stage goes through EnterClearState.
    Player.data()[P1].dying = 1;
}

bool cSceneStage::RunSubStep(int k)
{
    m_nSubStep = k;
    ++m_nSubStepTotal;
    UpdateObjectFlags();
    cPlayer& player = Player.data()[P1];
    // Lifetimes of summoned characters and items count down here once summons exist.
    for (cChara& chara : CharaList) {
        // Invincibility counts down here (UpdateInvincible) once damage exists.
        chara.ClearLRUD();
        chara.SavePrevRect();
    }
    player.ClearLRUD();
    player.SavePrevRect();
    player.SavePrevFacing();
    player.SavePrevFloorCell();
    m_ScrollX.Move();
    m_ScrollY.Move();

    if (!player.dying && !StepCharas(true)) {
        return false;
    }
    if (!player.dying && !StepPlayer()) {
        return false;
    }
    if (!player.dying && !StepCharas(false)) {
        return false;
    }
    // Shots and swords move here once they exist.
    if (k == 1 && !player.dying) {
        EraseOffScreen();
    }
    // Floor-block items, group collision and item contacts run here once they exist.
    return true;
}

bool cSceneStage::StepCharas(bool bBlockCharas)
{
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cChara& chara = *it;
        const bool isBlock = chara.def.m_bFullCell != 0;
        if (isBlock != bBlockCharas || chara.dying || !chara.active || !chara.actsThisFrame) {
            ++it;
            continue;
        }
        // Trigger 0 is fired here once flows run.
        if (chara.RunFlows(0)) {
            // A vanished character leaves without the death handling; the others are killed
            // (score, effects, a dropped item) here once deaths exist.
            it = EraseChara(CharaList, it);
            continue;
        }
        // The death check of commands (m_bHpCheck) and riding a foothold run here once they exist.
        bool killed = false;
        bool out = chara.MoveStepX() == MOVEX_OUT;
        // The map collision of x runs here once the map collision exists.
        chara.ApplyGravity();
        const int y = chara.MoveStepY();
        killed = y == MOVEY_KILLED;
        out = out || y == MOVEY_OUT;
        // The map collision of y and, for ordinary characters, the block characters run here.
        if (!bBlockCharas && IsCharaCrushed(chara)) {
            killed = true;
        }
        if (killed) {
            PlaySE(SE_CHARA_DEAD);
            it = EraseChara(CharaList, it);
            continue;
        }
        if (out) {
            it = EraseChara(CharaList, it);
            continue;
        }
        chara.DecayImpactX();
        chara.DecayImpactY();
        ++it;
    }
    return true;
}

bool cSceneStage::StepPlayer()
{
    cPlayer& player = Player.data()[P1];
    // Trigger 0 is fired here once flows run.
    if (player.RunFlows(0)) {
        PlayerDies(nullptr);
        return false;
    }
    if (m_nResult == 1) {
        // The stage end (EndStage: totals, rankings) runs here once it exists.
        EnterClearState();
        return false;
    }
    if (m_nResult == 2) {
        PlayerDies(nullptr);
        return false;
    }
    // The death check of commands, the floor-block effect and riding a foothold run here.
    player.MoveStepX();
    // The screen clamp and the map collision of x run here once the map collision exists.
    player.ApplyGravity();
    if (player.MoveStepY() == MOVEY_KILLED) {
        PlayerDies("Dead 2");
        return false;
    }
    // The screen clamps and the map collision of y ("Dead 3" .. "Dead 5") run here.
    if (IsCrushed(player) && player.frameCountdown == 0) {
        ECLogF("Player[P1].LRUD = %d,%d,%d,%d", player.LRUD[0], player.LRUD[1], player.LRUD[2], player.LRUD[3]);
        player.RestorePrevRect();
        PlayerDies("Dead SP");
        return false;
    }
    // The block characters and the both-sides map tests ("Dead 6" .. "Dead 9") run here.
    player.DecayImpactX();
    player.DecayImpactY();
    return true;
}

void cSceneStage::EraseOffScreen()
{
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cChara& chara = *it;
        const bool isBlock = chara.def.m_bFullCell != 0;
        const bool enabled = isBlock ? m_bEraseBlockChara : m_bEraseChara;
        if (enabled && !chara.dying && chara.active &&
            chara.IsOutOfLimits(Stage.m_OffScreen[isBlock ? OFFSCREEN_CHARA_FULL : OFFSCREEN_CHARA])) {
            it = EraseChara(CharaList, it);
            continue;
        }
        ++it;
    }
    // Items outside their limit are removed here once items exist.
}
