// The condition lists of the placed blocks and characters, and the movement effect of the block
// under the player. A block's conditions always test the player, whoever probes the cell; a
// character's test the character itself.
#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/commands/FlowConditions.h"
#include "objects/item/cItem.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"

namespace {

enum FLOOREFFECT {
    FLOOR_NONE = 0,
    FLOOR_JUMP = 1,
    FLOOR_NO_JUMP = 2,
    FLOOR_SPEED = 3,
    FLOOR_LEFT = 4,
    FLOOR_RIGHT = 5,
};

// The owner test shared by blocks and characters: an empty list holds, a latched once-list
// holds, otherwise the list decides and latches when it holds.
template <class LATCH>
int CheckOwnerList(const cVector<cEdCondition>& list, int nMode, int bOnce, LATCH& latched, cCharaBase& subject)
{
    if (list.empty()) {
        return 1;
    }
    if (bOnce != 0 && latched != 0) {
        return 1;
    }
    if (!CheckCondList(list, nMode, subject)) {
        return 0;
    }
    latched = 1;
    return 1;
}

void StartFloorEffect(cPlayer& player, const MAPCELL& cell)
{
    switch (cell.m_nTouchKind) {
    case FLOOR_JUMP:
        PlaySE(SE_JUMP_PAD);
        player.vy = player.CalcJumpSpeed(static_cast<std::int8_t>(cell.m_nTouchValue & 0xFF));
        // Launched as a jump whose rise is already over: releasing the key cannot cut it short.
        // The airborne flag is left to the floor test, as after any other jump.
        player.jumpRiseOver = 1;
        player.jumped = 1;
        player.canJump = 0;
        player.actsThisFrame = player.CalcJumpTime(player.vy);
        break;
    case FLOOR_NO_JUMP: player.floorNoJump = 1; break;
    case FLOOR_SPEED:
        player.floorEffectKind = FLOOR_SPEED;
        player.floorEffectValue = cell.m_nTouchValue * 0.01;
        player.floorEffectTimer = SubStepCount();
        break;
    case FLOOR_LEFT:
    case FLOOR_RIGHT:
        player.floorEffectKind = cell.m_nTouchKind;
        player.floorEffectValue = cell.m_nTouchValue * 0.1 / ScrollUnit();
        player.floorEffectTimer = SubStepCount();
        break;
    default: break;
    }
    if (cell.m_nTouchKind != FLOOR_NO_JUMP) {
        player.floorNoJump = 0;
    }
}

void RunFloorEffect(cPlayer& player)
{
    switch (player.floorEffectKind) {
    case FLOOR_SPEED: player.vx *= player.floorEffectValue; break;
    case FLOOR_LEFT:
        player.vx -= player.floorEffectValue;
        if (player.ax > 0.0) {
            player.ax = 0.0;
        }
        break;
    case FLOOR_RIGHT:
        player.vx += player.floorEffectValue;
        if (player.ax < 0.0) {
            player.ax = 0.0;
        }
        break;
    default: break;
    }
    --player.floorEffectTimer;
    if (player.floorEffectTimer == 0 && player.vy >= 0.0) {
        // At the effect's end a player not rising is pressed onto the floor for the next test.
        player.vy += 1.0;
    }
}

}  // namespace

int cSceneStage::CheckBlockCond(MAPCELL& cell)
{
    if (Player.empty()) {
        return cell.m_Condition.empty() ? 1 : 0;
    }
    return CheckOwnerList(cell.m_Condition, cell.m_nCondMode, cell.m_bCondOnce, cell.nValue, Player.data()[P1]);
}

int cSceneStage::CheckCharaCond(cChara& chara)
{
    return CheckOwnerList(chara.def.m_Condition, chara.def.m_nCondMode, chara.def.m_bCondOnce, chara.flagC, chara);
}

int cSceneStage::CheckItemCond(cItem& item)
{
    if (Player.empty()) {
        return item.def.m_Condition.empty() ? 1 : 0;
    }
    return CheckOwnerList(item.def.m_Condition, item.def.m_nCondMode, item.def.m_bCondOnce, item.flagC,
                          Player.data()[P1]);
}

int cSceneStage::ApplyFloorBlockEffect(cPlayer& player)
{
    if (player.noGravity) {
        return 0;
    }
    MAPCELL* cell = MapCellByIndex(player.floorCell);
    if (cell != nullptr && player.floorEffectTimer == 0 && IsBlockSolidFor(*cell, player.faction) != 0) {
        StartFloorEffect(player, *cell);
    }
    if (player.floorEffectTimer != 0) {
        RunFloorEffect(player);
    }
    return 0;
}
