// One play frame (state 2): the pause and replay keys, the input and the timers once, then the
// stage's sub-steps and the drawing. A sub-step runs the flows of every acting object and moves
// it against the map and the block characters (block characters first, then the player, then
// the others), steps the shots, erases what left the screen, and takes the floor items, the
// group collisions and the item contacts; a clear or the player's death ends the frame there.
#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "definitions/cEdStage.h"
#include "input/cInput.h"
#include "input/cReplay.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/shot/ShotStep.h"
#include "platform/win/Messages.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "sound/SoundEffects.h"
#include "stage/StageShellFlags.h"
#include "stage/cSceneStage.h"

namespace {

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
    if (CheckReplayKey()) {
        return;
    }
    ++m_nFrame;
    if (!ReadPlayInput()) {
        return;
    }
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
    // A flow is started at most once a frame, whatever the number of sub-steps.
    ResetCharaFlowFrameFlags(player);
    for (cChara& chara : CharaList) {
        if (!chara.dying) {
            ResetCharaFlowFrameFlags(chara);
        }
    }

    const int subSteps = SubStepCount();
    for (int k = 1; k <= subSteps; ++k) {
        if (!RunSubStep(k)) {
            return;
        }
    }
    Draw(kDrawPlaying);
}

bool cSceneStage::ReadPlayInput()
{
    cInput& input = Input[0];
    if (SceneFlow().m_nGameMode == GAMEMODE_REPLAY) {
        // The recorded words were taken after the live filters, so they are not applied again;
        // the history and the press logs are fed as in the recorded play.
        input.wDir = 0;
        input.wButton = 0;
        if (Replay.Play(input.wDir, input.wButton) == 1) {
            // The replay is over: it runs again from the stage's start until the viewer leaves.
            SaveData.LoadRetryPoint(true, SceneFlow().m_nPlayKind, StageShell.bDirectPlay != 0);
            SetStage(1, 1);
            EnterStateAfterSetUp(STAGESTATE_START);
            return false;
        }
        input.GetDirNum();
        input.PushHistory();
        input.UpdateKeyLog();
        return true;
    }
    if (input.wButton == 0) {
        m_bButtonLatch = 0;
    } else if (m_bButtonLatch) {
        input.wButton = 0;
    }
    input.PushHistory();
    input.UpdateKeyLog();
    if (SystemData.bReplayEnabled != 0) {
        Replay.Record(input.wDir, input.wButton);
    }
    return true;
}

void cSceneStage::PlayerDies(const char* szLabel)
{
    if (szLabel != nullptr) {
        ECLog(szLabel);
    }
    PlaySE(SE_PLAYER_DEAD);
    if (Player.data()[P1].Die() == 1) {
        EndStage();
        EnterClearState();
    }
}

bool cSceneStage::ApplyOutcome(int nOutcome)
{
    if (nOutcome == RESULT_CLEAR) {
        EndStage();
        EnterClearState();
        return false;
    }
    if (nOutcome == RESULT_PLAYER_DIES) {
        PlayerDies(nullptr);
        return false;
    }
    return true;
}

void cSceneStage::CountDownLifetimes()
{
    for (auto it = CharaList.begin(); it != CharaList.end();) {
        cChara& chara = *it;
        if (!chara.dying && chara.lifeLeft != kUnlimitedLife && --chara.lifeLeft < 0) {
            it = EraseChara(CharaList, it);
            continue;
        }
        ++it;
    }
    ItemList.remove_if([](cItem& item) { return item.lifeLeft != kUnlimitedLife && --item.lifeLeft < 0; });
}

bool cSceneStage::RunSubStep(int k)
{
    const cBlockCharaIndex::cHold holdIndex(m_BlockCharaIndex);
    m_nSubStep = k;
    ++m_nSubStepTotal;
    UpdateObjectFlags();
    cPlayer& player = Player.data()[P1];
    if (!player.dying) {
        CountDownLifetimes();
    }
    for (cChara& chara : CharaList) {
        chara.UpdateInvincible();
        chara.ClearLRUD();
        chara.SavePrevRect();
    }
    player.UpdateInvincible();
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
    StepShots(m_ShotList, k == 1);
    if (k == 1 && !player.dying) {
        EraseOffScreen();
    }
    if (!player.dying) {
        if (!ApplyOutcome(TakeFloorBlockItem(player))) {
            return false;
        }
        if (!ApplyOutcome(CollideGroups(CharaList))) {
            return false;
        }
        if (!ApplyOutcome(CheckItemContacts(player))) {
            return false;
        }
    }
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
        FireCharaTrigger(chara, TRIGGER_ALWAYS);
        const int died = chara.RunFlows(0);
        // A vanished character leaves without the death handling, before the death check below
        // could erase it under this walk.
        if (chara.vanished) {
            it = EraseChara(CharaList, it);
            continue;
        }
        if (died) {
            if (DefeatChara(it) != 0) {
                return false;
            }
            continue;
        }
        if (m_bHpCheck && CheckDeaths()) {
            return false;
        }
        if (!bBlockCharas && chara.onFoothold) {
            RideFoothold(chara, CharaList);
        }
        bool out = chara.MoveStepX() == MOVEX_OUT;
        bool killed = CollideMapX(chara) == COLLIDE_KILLS;
        chara.ApplyGravity();
        const int y = chara.MoveStepY();
        killed = killed || y == MOVEY_KILLED;
        out = out || y == MOVEY_OUT;
        killed = CollideMapY(chara) == COLLIDE_KILLS || killed;
        if (!bBlockCharas) {
            killed = CollideBlockCharas(chara, CharaList) == COLLIDE_KILLS || killed;
            CollideMapXBoth(chara);
            CollideMapYBoth(chara);
        }
        if (!bBlockCharas && IsCharaCrushed(chara)) {
            killed = true;
        }
        if (killed) {
            PlaySE(SE_CHARA_DEAD);
            const int r = KillChara(chara, CharaList);
            if (r == 1) {
                EraseChara(CharaList, it);
            }
            if (r != 0) {
                return false;
            }
            ++it;
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
    FireCharaTrigger(player, TRIGGER_ALWAYS);
    if (player.RunFlows(0)) {
        PlayerDies(nullptr);
        return false;
    }
    if (m_nResult == RESULT_CLEAR) {
        EndStage();
        EnterClearState();
        return false;
    }
    if (m_nResult == RESULT_PLAYER_DIES) {
        PlayerDies(nullptr);
        return false;
    }
    if (m_bHpCheck && CheckDeaths()) {
        return false;
    }
    ApplyFloorBlockEffect(player);
    if (player.onFoothold) {
        RideFoothold(player, CharaList);
    }
    player.MoveStepX();
    ClampPlayerToScreenX(player);
    if (CollideMapX(player) == COLLIDE_KILLS) {
        PlayerDies("Dead 1");
        return false;
    }
    ClampPlayerToScreenX(player);
    player.ApplyGravity();
    if (player.MoveStepY() == MOVEY_KILLED) {
        PlayerDies("Dead 2");
        return false;
    }
    if (ClampPlayerToScreenY(player) == COLLIDE_KILLS) {
        PlayerDies("Dead 3");
        return false;
    }
    if (CollideMapY(player) == COLLIDE_KILLS) {
        PlayerDies("Dead 4");
        return false;
    }
    if (ClampPlayerToScreenY(player) == COLLIDE_KILLS) {
        PlayerDies("Dead 5");
        return false;
    }
    if (IsCrushed(player) && player.frameCountdown == 0) {
        ECLogF("Player[P1].LRUD = %d,%d,%d,%d", player.LRUD[0], player.LRUD[1], player.LRUD[2], player.LRUD[3]);
        player.RestorePrevRect();
        PlayerDies("Dead SP");
        return false;
    }
    if (!StepPlayerSqueeze(player)) {
        return false;
    }
    player.DecayImpactX();
    player.DecayImpactY();
    return true;
}

bool cSceneStage::StepPlayerSqueeze(cPlayer& player)
{
    const bool spared = player.frameCountdown != 0;
    if (CollideBlockCharas(player, CharaList) == COLLIDE_KILLS && !player.dying && !spared) {
        PlayerDies("Dead 6");
        return false;
    }
    if ((player.LRUD[0] || player.LRUD[1]) && CollideMapXBoth(player) == 2 && !player.dying && !spared) {
        PlayerDies("Dead 7");
        return false;
    }
    if ((player.LRUD[2] || player.LRUD[3]) && CollideMapYBoth(player) == 2 && !player.dying && !spared) {
        PlayerDies("Dead 8");
        return false;
    }
    if (IsCrushed(player) && !spared) {
        ECLogF("Player[P1].LRUD = %d,%d,%d,%d", player.LRUD[0], player.LRUD[1], player.LRUD[2], player.LRUD[3]);
        player.RestorePrevRect();
        PlayerDies("Dead 9");
        return false;
    }
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
    if (m_bEraseItem) {
        ItemList.remove_if([](const cItem& item) { return item.IsOutOfLimits(Stage.m_OffScreen[OFFSCREEN_ITEM]); });
    }
}
