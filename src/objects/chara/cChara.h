// cChara: a character placed in the stage. It is spawned from the stage data for each member of
// a placed group (or summoned), shows up when the camera reaches it and then acts in every play
// sub-step. The stage keeps them in CharaList and removes one with EraseChara. Game thread.
//
// It may carry an item (heldItem), which it gives up when it dies.
#pragma once

#include <cstdint>
#include <list>

#include "objects/StageSpeed.h"
#include "objects/chara/cCharaBase.h"
#include "objects/item/cItem.h"

class cChara : public cCharaBase {
public:
    std::int32_t iconCycle = 0;  // frame counter of the held-item icon (0..95)
    std::int32_t skipViewX = 0;  // the appearance test ignores the horizontal view test
    std::int32_t skipViewY = 0;  // ... the vertical one
    std::int32_t started = 0;    // 1 once it has started acting
    std::int32_t spare4 = 0;     // 0 after set-up
    cItem heldItem;              // the item it carries (in use when its held flag is set)
    // Sub-steps left of a summoned character's limited lifetime; kUnlimitedLife: none. Erased
    // by the play step when it falls below 0.
    std::int32_t lifeLeft = kUnlimitedLife;

    cChara() = default;
    ~cChara() override;
    cChara(const cChara&) = default;
    cChara& operator=(const cChara&) = default;

    // Set-up from a definition (its size factor 0 is stored back as 1): the hit box from the
    // stage's character sizes, the contact boxes, the scale, the activation mode and the first
    // pattern. heldItemTemplate: the item it carries, or null.
    void InitFromTemplate(int nSource, cEdChara& d, const cItem* heldItemTemplate, double dSpawnX, double dSpawnY,
                          int nMemberIndex);
    // cCharaBase::SetGridPos.
    void SetGridPos(int nColumn, int nRow) { cCharaBase::SetGridPos(nColumn, nRow); }
    // In view on the axes its activation mode tests: appeared (and its link flag raised), 1.
    int CheckAppearance(cVector<std::uint8_t>& linkFlags);
    // It acts when it appeared, its link flag is up, or it is a walker still in the air from
    // acting: started, made permanent by the stay-active flag, screen rectangle; 1.
    int CheckStartAction(const cVector<std::uint8_t>& linkFlags);

    void OnScaleChanged(int nNewFactor) override;
    void AfterClampX() override;
    void AfterClampY() override;
    // Slot 14: heldItem.
    cItem* GetHeldItem() override { return &heldItem; }
    // The held item's 16 x 16 icon above the character in frames 64..95 of every 96 drawn
    // (CharaItemMark.cpp).
    void DrawItemMark(DDSURFACEDATA* target);
    // ClampToStageX (2) / ClampToStageY (2).
    int AdjustPosX() override;
    int AdjustPosY() override;
    // Knock-back or inertia into vx, MoveX (2), fix-up; 4 when it reached the field's edge.
    int MoveStepX() override;
    // Vertical twin: 8 (flying) at the field's edge, 7 (walking) fallen out of the stage.
    int MoveStepY() override;
    // The flow run of a sub-step: 1 when HP is 0 or below or it vanished.
    int RunFlows(int deathOnly) override;
    // Slot 20, the jump command: LaunchJump with the instance's jump speed and the command's sound.
    void Jump(COMMANDINSTANCE* instance) override;
    // The jump body of the jump command: nothing while in the air, rising, after a jump or
    // locked; otherwise the sound, vy = jumpSpeed and the jump flags.
    void LaunchJump(double jumpSpeed, int nSound);
};

// Erases the character at pos: the links to it and from it are cleared, it leaves its faction
// group and the list. The next position.
std::list<cChara>::iterator EraseChara(std::list<cChara>& list, std::list<cChara>::iterator pos);
