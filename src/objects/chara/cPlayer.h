// cPlayer: the hero steered by the user, a character with the player's sizes taken from the
// stage, an input controller, a camera that follows it, an item box and the display of its
// collision boxes. The one instance of a running stage is Player[P1], set up anew at every stage
// start. Game thread.
//
// The hold-to-jump, the item contacts and commands and the drawing join this class with the
// flow runtime, the items and the stage drawing.
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "definitions/cEdCommand.h"
#include "objects/chara/cCharaBase.h"

// One of the player's collision boxes as the box display shows it.
struct BOXDISPLAY {
    std::int32_t kind = 0;    // 0 hit box, 1 body box, 2 item box, 3 shot box
    std::int32_t mode = 0;    // 0 hidden, 1 filled, 2 outline
    std::int32_t colour = 0;  // palette number
    std::int32_t x = 0;       // screen
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t phase = 0;  // colour phase 0..31
};

class cPlayer : public cCharaBase {
public:
    std::int32_t canJump = 0;            // a jump may start or still rise
    std::int32_t floorNoJump = 0;        // the floor forbids jumping
    double speedFactor = 0.0;            // 4 / speed unit
    std::int32_t jumpDone = 0;           // the jump command ran in this flow run
    std::int32_t prevFacing = 0;         // facing in the previous sub-step
    cVector<std::int32_t> itemContacts;  // object numbers of the items being touched
    std::int32_t floorEffectKind = 0;    // 3 speed factor, 4 and 5 moving floor
    double floorEffectValue = 0.0;       // its factor or speed
    std::int32_t spare5 = 0;
    std::int32_t floorEffectTimer = 0;        // sub-steps the floor effect still lasts
    std::int32_t blockItemTimer = 0;          // sub-steps before a floor block's item can be taken again
    std::int32_t flowFrames = 0;              // flow runs counted
    BOXRECT itemBox;                          // touching items
    cVector<BOXDISPLAY> boxDisplay;           // the boxes shown, largest first
    cVector<cEdCommand> pendingItemCommands;  // flow changes that arrived while its flows ran

    cPlayer() = default;
    ~cPlayer() override;
    cPlayer(const cPlayer&) = default;
    cPlayer& operator=(const cPlayer&) = default;

    // Set-up at stage start from the hero's definition (its size factor 0 is stored back as 1).
    void InitFromTemplate(int nSource, cEdChara& d, double dSpawnX, double dSpawnY);
    // Flight kind and every size from the stage's player sizes; applyScale multiplies them by
    // the size factor.
    void SetFlight(int nFlightKind, int applyScale);
    // The four box-display entries from the stage's settings, largest first.
    void BuildBoxDisplay();
    // The player's screen rectangle (each part truncated on its own while the camera
    // auto-scrolls on that axis). Hides cGameObject::CalcScreenRect.
    void CalcScreenRect();
    void SavePrevFloorCell() { prevFloorCell = lastFloorCell; }
    void SavePrevFacing() { prevFacing = facing; }

    void OnScaleChanged(int nNewFactor) override;
    void AfterClampX() override;
    void AfterClampY() override;
    cItem* GetHeldItem() override { return nullptr; }
    // The camera follows (unless it auto-scrolls), then the clamp (mode 1 walking, 0 flying).
    int AdjustPosX() override;
    int AdjustPosY() override;
    // Knock-back or inertia (with a speed-factor floor) into vx, the speed limit, x += vx, fix-up.
    int MoveStepX() override;
    // Vertical twin; a walking player that reached the stage bottom gives 7.
    int MoveStepY() override;
    // The player's flow run: base velocity, resets, idle pattern, jump state; 1 when HP <= 0.
    int RunFlows(int deathOnly) override;
    // The picture of a taken item (sheet kind, graphic number, frame) shown above the player for
    // a while, as an icon object in the stage's text list (ItemPickup.cpp).
    void ShowPickupIcon(int nSheet, int nGraphic, int nFrame);

private:
    // Hit box of the flight state from the stage's sizes (current and base).
    void SetHitBoxForFlight();
    // Body, shot and item boxes from the stage's sizes (current and base).
    void SetContactBoxes();
};
