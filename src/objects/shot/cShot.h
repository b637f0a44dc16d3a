// cShot: one flying shot or one sword swing of the running stage. A shot is made by the shot
// command's launch, flies on its own velocity with its homing kind, acceleration, range and
// lifetime; a sword is made by the sword command, stays glued to its owner and steps through the
// steps of its SwordType entry. The stage owns every shot by value in cStageField::m_ShotList and
// lists it by faction in m_ShotLayer; EraseShot is the one way out of both. Game thread, inside
// the play step; drawing is in ShotDraw.h.
//
// Units: positions in world pixels; every counter counts play sub-steps (u per frame); speeds
// are pixels per sub-step.
#pragma once

#include <cstdint>
#include <list>

#include "core/cVector.h"
#include "definitions/cEdShot.h"
#include "objects/ObjectRef.h"
#include "objects/cGameObject.h"

class cCharaBase;
class cDbSwordFrame;
class cDbSwordType;
struct SHOTLAUNCH;

// Command kinds that make a shot (launched) or a sword.
constexpr int SHOTCMD_SHOT = 11;
constexpr int SHOTCMD_SWORD = 12;

class cShot : public cGameObject {
public:
    std::int32_t ownerSource = 0;  // the owner's object number; a sword finds its owner by it
    std::int32_t isShot = 1;       // 1 a shot, 0 a sword
    std::int32_t rangeLeft = 0;    // sub-steps until the range ends (with the range flag)
    std::int32_t lifeLeft = 0;     // sub-steps of lifetime left (with the lifetime flag)
    std::int32_t counter = 0;      // sword: sub-steps in the current step; shot: sub-steps of homing
    std::int32_t swordStep = 0;    // sword: index of the current step
    double accelMagnitude = 0.0;   // acceleration along the motion, per sub-step
    double homingSpeed = 0.0;      // speed of the homing kinds, per sub-step
    double stepVx = 0.0;           // the shot's own velocity per sub-step
    double stepVy = 0.0;
    std::int32_t accelOn = 0;
    std::int32_t homingStart = 0;  // sub-step counts at which steering starts and ends
    std::int32_t homingEnd = 0;
    std::int32_t homingDone = 0;
    double wavePhase = 0.0;  // the wave kind's phase, degrees x u
    double waveSin = 0.0;    // sine and cosine of the wave's cross direction
    double waveCos = 0.0;
    double attackLeft = 0.0;  // attack box in world pixels, edges inclusive
    double attackTop = 0.0;
    double attackRight = 0.0;
    double attackBottom = 0.0;
    std::int32_t attackOffsetX = 0;  // attack box relative to (x, y), current size factor
    std::int32_t attackOffsetY = 0;
    std::int32_t attackWidth = 0;
    std::int32_t attackHeight = 0;
    std::int32_t baseAttackOffsetX = 0;  // the same at size factor 1
    std::int32_t baseAttackOffsetY = 0;
    std::int32_t baseAttackWidth = 0;
    std::int32_t baseAttackHeight = 0;
    cVector<OBJECTREF> hitList;  // characters already hit (filled and read by the group collision)
    cEdShot def;                 // private copy of the definition
    OBJECTREF target;            // the character aimed at, or none

    // Game-object base, zero attack box, empty hit list, a default definition.
    cShot();
    ~cShot() override;
    cShot(const cShot&) = default;
    cShot& operator=(const cShot&) = default;

    // Sets the object up for commandKind SHOTCMD_SHOT or SHOTCMD_SWORD from the definition (its
    // size factor 0 is stored back as 1) and the launch record of this object.
    void Init(int nSerial, const cCharaBase& owner, int commandKind, cEdShot& definition, const SHOTLAUNCH& launch);

    // Slot 3: the attack box's current values = base x factor.
    void OnScaleChanged(int nNewFactor) override;
    // Slot 4: keeps the centre in place vertically when the size factor changes.
    void OnScaleShift(int nNewFactor, int nOldFactor) override;
    // Slots 5 and 6: the attack box's edges from the truncated position.
    void AfterClampX() override;
    void AfterClampY() override;

    // One sub-step of bookkeeping (camera share, homing, acceleration, lifetime, facing, range);
    // a sword runs UpdateSword. 1 asks the play step to erase it.
    int Update();
    // A sword's sub-step: follows its owner through its steps. 1 once the owner is gone or the
    // last step has run (also for an entry without steps).
    int UpdateSword();
    // Move by this sub-step's displacement (limited to the stage's speed); both 0.
    int MoveX();
    int MoveY();
    // Keeps the box inside the field horizontally: 3 when clamped, else 0; then right, the
    // attack box and the cells.
    int ClampToFieldX();
    // The shot touches a cell solid for its faction (never with the block-pass byte 1).
    bool HitsBlock() const;
    // Acceleration per sub-step along (vx, vy) with accelMagnitude.
    void SetAccelAlong(double& outAx, double& outAy, double dVx, double dVy) const;
    // Homing correction toward an object's graphic centre (see ShotHoming.cpp).
    void SteerToward(const cGameObject& goal);
    // The homing aim from the shot's graphic centre to the goal's at the homing speed; a
    // negative speed aims backwards, never flees.
    AimRequest HomingAim(const cGameObject& goal) const;

    // The sword's SwordType entry and current step, or null when the index is outside the
    // database or the entry has no steps.
    const cDbSwordType* SwordEntry() const;
    const cDbSwordFrame* SwordFrame() const;
};

// The shot pattern table: pattern 0 the sword's (never stepped), pattern 1 the shots' two cells.
const PatternTable& ShotPatterns();

// Appends a copy of shot to list and a pointer to that copy to its faction's group of the running
// stage. Returns the copy.
cShot& AddShotObject(std::list<cShot>& list, const cShot& shot);
// The one erase of a shot or sword: it leaves its faction group and its target's list of aiming
// shots, and the list. Returns the next position.
std::list<cShot>::iterator EraseShot(std::list<cShot>& list, std::list<cShot>::iterator pos);
// The shot or sword with object number nSource in the running stage, or null.
cShot* FindShotBySource(int nSource);
// Erases every shot of the running stage (stage set-up); the groups are emptied too.
void ClearShots();
// A character leaves the stage: the shots aimed at it lose their target and fly on.
void ReleaseAimingShots(cCharaBase& chara);
