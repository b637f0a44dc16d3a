// cCharaBase: the common base of everything that behaves as a character, the stage characters
// (cChara) and the player (cPlayer). It adds to cGameObject a private copy of the character's
// definition, the status values (HP, SP, character variables), the links to a target and to the
// characters and homing shots that aim at it (by object number), the movement and contact state
// of the jump, floor, ceiling and foothold rules, invincibility, two contact boxes and the
// movement primitives that the play step, the collisions and the commands call. Game thread.
//
// The running flows, the extra animations and the character effect join this class with the
// flow runtime, the damage rules and the character effects.
#pragma once

#include <cstdint>
#include <list>

#include "core/cVector.h"
#include "definitions/cEdChara.h"
#include "objects/ObjectRef.h"
#include "objects/cGameObject.h"
#include "objects/effect/cCharaEffectRun.h"
#include "objects/flow/FlowInstance.h"

class cItem;
class cShot;
struct DDSURFACEDATA;

// A contact box placed relative to the hit box: edges in world pixels, offsets from the hit
// box's left and top edge, size, and the four values at size factor 1.
struct BOXRECT {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t baseOffsetX = 0;
    std::int32_t baseOffsetY = 0;
    std::int32_t baseWidth = 0;
    std::int32_t baseHeight = 0;

    // Offsets and size as given, base values the same.
    void Set(int nOffsetX, int nOffsetY, int nWidth, int nHeight);
    // Current values = base x factor.
    void Scale(int nFactor);
    // left/right from a truncated x; top/bottom from a truncated y.
    void PlaceX(double dX);
    void PlaceY(double dY);
};

// The bar of an HP or SP change shown over a character.
struct GAUGE {
    std::int32_t framesLeft = 0;  // frames the gauge is still shown
    double shrinking = 0.0;       // the changing part of the bar, pixels of 50
    double shrinkStep = 0.0;      // its shrink per frame
    std::int32_t barLength = 0;   // the value's bar, pixels of 50
};

// An animation shown over the character's own pattern for a while (started by the flows).
struct EXTRAANIME {
    cPatternAnime anime;
    std::int32_t priority = 0;   // non-zero: may take over from the entries before it
    std::int32_t remaining = 0;  // frames left, decreased every stepped frame
    std::int32_t extra = 0;      // frames it may still run after its time
    std::int32_t key = 0;        // the flow that started it
    std::int32_t stopped = 0;    // neither stepped nor shown until resumed
    std::int32_t number = -1;    // the Anime database entry it plays (for the play-state file)
};

// Sub-steps left of the invincibility against one attacker.
struct ATTACKERTIME {
    OBJECTREF attacker;
    std::int32_t left = 0;
};

// Results of the movement steps (MoveStepX, MoveStepY). MOVE_ON: the object goes on.
constexpr int MOVE_ON = 0;
constexpr int MOVEX_OUT = 4;     // it reached the field's side edge
constexpr int MOVEY_KILLED = 7;  // a walking object fell out of the stage
constexpr int MOVEY_OUT = 8;     // a flying object reached the field's top or bottom edge

class cCharaBase : public cGameObject {
public:
    static constexpr int kFlowGroups = 27;
    static constexpr int kCharaVars = 9;
    static constexpr int kNoCell = -1;

    OBJECTREF target;                        // the character this one aims at
    cVector<std::int32_t> targetedBy;        // object numbers of the characters whose target this is
    cVector<std::int32_t> aimingShots;       // object numbers of the homing shots aimed at this one
    cEdChara def;                            // private copy of the definition
    std::int32_t flowSerial = 0;             // serial number of the next flow instance
    cVector<std::uint8_t> flowGroupRunning;  // kFlowGroups entries, by exclusion group
    cVector<std::uint8_t> flowGroupEnded;
    cVector<std::uint8_t> flowGroupStartedNow;
    std::int32_t flowGroupChanged = 0;   // some group's flow ended in this run
    std::int32_t flowDeletePending = 0;  // some flow instance carries the delete flag
    cVector<FLOWINSTANCE> flows;         // the running state of each flow of def.m_Flow, same order
    double spawnX = 0.0;                 // centre of the spawn cell, world pixels
    double spawnY = 0.0;
    std::int32_t movedThisFrame = 0;  // a movement command moved it in this flow run
    double knockX = 0.0;              // knock-back speed per sub-step
    double knockY = 0.0;
    std::int32_t knockedBack = 0;    // knocked back since the last landing
    double knockYPrev = 0.0;         // the vertical knock-back already in vy
    std::int32_t moveStopped = 0;    // movement disabled in this flow run (no gravity either)
    std::int32_t lastWallSide = -1;  // 0 left, 1 right, -1 none
    std::int32_t airborne = 1;       // in the air
    std::int32_t jumpRiseOver = 0;   // the rise of the current jump is over
    std::int32_t jumped = 0;         // a jump was launched since the last landing
    std::int32_t spare3 = 0;
    std::int32_t jumpLocked = 0;           // no new jump may start
    std::int32_t noFloorCount = 0;         // sub-steps without floor
    std::int32_t floorCell = kNoCell;      // StageMap index of the block stood on, or kNoCell
    std::int32_t lastFloorCell = kNoCell;  // the last one stood on
    std::int32_t prevFloorCell = kNoCell;  // the player's lastFloorCell of the previous sub-step
    std::int32_t frameCountdown = 0;       // while positive the crush tests spare the player
    std::int32_t fixedScreenX = 0;         // flags: draw at a fixed screen position on that axis
    std::int32_t fixedScreenY = 0;
    std::int32_t fixedScreenPosX = 0;
    std::int32_t fixedScreenPosY = 0;
    std::int32_t dying = 0;                        // 1 after its death
    std::int32_t dyingFrames = 0;                  // dying draws counted
    std::int32_t LRUD[4] = {0, 0, 0, 0};           // block contacts left, right, up, down of this sub-step
    std::int32_t leftFoothold = 0;                 // it left its foothold (read by the patrol move)
    std::int32_t onFoothold = 0;                   // standing on a block character
    std::int32_t footholdKey = 0;                  // that block character's key
    double footholdBox[4] = {0.0, 0.0, 0.0, 0.0};  // its remembered box
    double prevRect[4] = {0.0, 0.0, 0.0, 0.0};     // x, y, right, bottom saved at the sub-step's start
    std::int32_t hp = 0;
    GAUGE hpGauge;
    std::int32_t sp = 0;
    GAUGE spGauge;
    cVector<std::int32_t> charaVars;  // the kCharaVars character variables
    std::int32_t invincibleTime = 0;  // general invincibility, sub-steps left
    cVector<ATTACKERTIME> attackerInvincible;
    std::int32_t vanished = 0;         // the remove request: erased without the death handling
    std::int32_t playerActive = 0;     // 1 for the player at the start of every sub-step
    std::int32_t viewRange = 0;        // definition's view range x 16 pixels
    std::int32_t hiddenThisFrame = 0;  // not drawn in this frame
    BOXRECT bodyBox;                   // contacts between characters
    BOXRECT shotBox;                   // hits by shots and swords
    std::int32_t controlSlot = 0;      // the player's input controller; a stage character's appeared flag
    std::int32_t actsThisFrame = 0;    // a stage character's acting flag; the player's jump-hold counter
    // The extra animations, in the order they were started.
    std::list<EXTRAANIME> extraAnimes;
    cCharaEffectRun charaEffect;  // the running character effect (number 0: none)

    cCharaBase();
    ~cCharaBase() override;
    cCharaBase(const cCharaBase&) = default;
    cCharaBase& operator=(const cCharaBase&) = default;

    // Common set-up of the player and the stage characters (see the .cpp); d may be null.
    void Init(const cEdChara* d, double dSpawnX, double dSpawnY, int nMemberIndex);
    // The pattern table from AnimeSet entry n, one pattern per motion: {cell, time x 6, locked}
    // per frame and a locked loop. Nothing when not forced and n is already the set.
    void SetAnimeSet(int n, int force);

    // Slot 4: keeps the feet (or, with the project's grow-upward switch, the top) in place.
    void OnScaleShift(int nNewFactor, int nOldFactor) override;
    // Slots 7, 9 and 11: the graphic centre on the screen moves to the point.
    void SnapTo(double dX, double dY) override;
    void SnapCentreX(double dX) override;
    void SnapCentreY(double dY) override;
    // Slots 8, 10 and 12: a move that stops at its target reached it in this sub-step: the snap,
    // then the command's velocity is 0, so that the character stays on the point.
    void ArriveAt(double dX, double dY, COMMANDINSTANCE* instance) override;
    void ArriveX(double dX, COMMANDINSTANCE* instance) override;
    void ArriveY(double dY, COMMANDINSTANCE* instance) override;
    // Slot 13: every field of this class and of cGameObject.
    virtual void CopyFrom(const cCharaBase& src);
    // Slot 14: the item it carries; none here.
    virtual cItem* GetHeldItem();
    // Slots 15, 16: the fix-up after a move; 0 here.
    virtual int AdjustPosX();
    virtual int AdjustPosY();
    // Slots 17, 18: the movement steps of a play sub-step: MOVE_ON, MOVEX_OUT, MOVEY_*; MOVE_ON
    // here.
    virtual int MoveStepX();
    virtual int MoveStepY();
    // Slot 19: the flow run of a play sub-step; 1 when the character died or vanished. 0 here.
    virtual int RunFlows(int deathOnly);
    // Slot 20: the jump command; nothing here.
    virtual void Jump(COMMANDINSTANCE* instance);

    // Movement primitives.
    // Initial vertical speed for a jump of level x 16 pixels; the level is taken as a signed
    // byte (its low 8 bits).
    double CalcJumpSpeed(int level) const;
    // Initial vertical speed (negative = up) with which gravity integrated per sub-step rises h
    // pixels; times (0.99 - 0.025 G) for a player-operated character. A negative height counts
    // as 0, and a root of a negative value (negative gravity) as 0, so the speed stays finite.
    double JumpSpeedForHeight(double h) const;
    // Sub-steps of the rise: truncation of (b - speed / g); 0 without gravity.
    int CalcJumpTime(double speed) const;
    // The jump's length in tenths of a second: CalcJumpTime / b / 6 + 1 (level as above).
    int CalcJumpTenths(int level) const;
    // At stage cell (col, row): half a pixel right of the grid, scaled about its centre, then
    // the fix-ups.
    void SetGridPos(int nColumn, int nRow);
    void ClearLRUD();
    // vy += g unless flying, on a foothold, stopped, or knocked upward.
    void ApplyGravity();
    // 1 when the block stood on is solid for its faction, or it stands on a foothold.
    int IsOnGround() const;
    // Its bottom lies in a solid cell: stop, mark the landing and move up out of the cell.
    void LandOnFloor();
    // Its top lies in a solid cell: end the rise and move down to the cell boundary.
    void HitCeiling();
    void LeaveFoothold(int setLeft);
    void SavePrevRect();
    void RestorePrevRect();
    // HP += delta (a gain limited to the room left), clamped to 0..maximum; an invincible
    // character loses nothing unless forced. 1 when HP has reached 0.
    int ChangeHP(int delta, int force, int gauge);
    // SP += delta, clamped to 0..maximum; 1 when the maximum is 0 or less.
    int ChangeSP(int delta, int gauge);
    void StartHpGauge(int delta);
    void StartSpGauge(int delta);
    // Knock-back of power (signed 8-bit) in a direction, less its resistance.
    void ApplyImpact(int power, double dirX, double dirY);
    // Knock-back from a character's body.
    void ImpactFromChara(const cCharaBase& attacker);
    // The vertical knock-back into vy, once per sub-step.
    void ApplyImpactY();
    void DecayImpactX();
    void DecayImpactY();
    // The hit-box corner test under the character's name (the argument is not used).
    bool HitsBlock(int /*nUnused*/) const { return HitsBlockAtCorners(); }
    // Computer-operated (value2 not 0).
    bool IsComputer() const { return value2 != 0; }

    // Damage, invincibility and death (CharaDamage.cpp). Times count play sub-steps.
    // General invincibility: the stage's time after any hit (player-operated or computer) x b.
    void StartInvincible();
    // StartInvincible, then the stage's time against this attacker x b appended for it.
    void AddAttackerInvincible(const OBJECTREF& attacker);
    // One sub-step: the general time and every attacker's time count down; spent entries leave.
    void UpdateInvincible();
    bool IsInvincible() const { return invincibleTime > 0; }
    // Invincible in general or against this attacker.
    bool IsInvincibleTo(const OBJECTREF& attacker) const;
    // A body blow of attacker: its power less the defence (a power of 0 or below is used as it
    // is, so a negative power heals), the hit effect, the knock-back and triggers 1 and 2. 1 when
    // HP reached 0.
    int DamageByChara(cCharaBase& attacker);
    // The same for a shot or sword: its attack power, its knock-back and its impact for trigger 2.
    int DamageByShot(const cShot& shot);
    // Knock-back from a shot (along its speed) or a sword (along its facing).
    void ImpactFromShot(const cShot& shot);
    // The death: trigger 3 and the death flows, the score, the held item, then (unless the stage
    // has ended) the links to it cleared, dying set and the death effect started. 1 when the
    // stage was already cleared or the held item's pickup cleared it; else 0.
    int Die();

    // Extra animations (CharaAnimeList.cpp).
    // Steps the main pattern and (unless paused) the extra animations; the frame to show: the
    // chosen extra animation's, else the main pattern's.
    int UpdateAnimeList(int paused);
    // The extra animation on screen (the choice UpdateAnimeList makes), or null when the
    // character shows its own motion.
    const EXTRAANIME* ShownExtraAnime() const;
    void RemoveAnimeByKey(int key);
    // Removes the entries of the key that have no frames left to run, stops the others.
    void EndAnimeByKey(int key);
    void ResumeAnimeByKey(int key);
    // The column of the cell to draw in the picture's row: the base cell plus the animation set's
    // flying, block-character and invincible offsets that apply. nColourOp: the flashing colour
    // (1..9) an invincible character is drawn with under Direct3D, else 0.
    int GetGraphicCell(int& nColourOp) const;

    // Drawing (CharaDraw.cpp); the target is the frame's drawing surface.
    void Draw(DDSURFACEDATA* target, int paused);
    // The drawing of a dying character; 1 once it may be removed (for the player: its death is
    // over, nTargetFps drawn frames after its death effect, the frame rate of the running stage).
    int DrawDying(DDSURFACEDATA* target, int paused, int nTargetFps);
    // Advances the running character effect without drawing; 1 when it ended.
    int StepCharaEffect(int paused);
    // The running death effect drawn with the graphic at frame 0 and advanced; 1 when it ended.
    int DrawDeathEffect(DDSURFACEDATA* target, int paused);
    void DrawHpGauge(DDSURFACEDATA* target);
    void DrawSpGauge(DDSURFACEDATA* target);
    void DrawGauge(DDSURFACEDATA* target, GAUGE& gauge, int isSp);

protected:
    // The resets at the start of a flow run, shared by cChara and cPlayer.
    void ResetForFlowRun();
    // The idle pattern at the end of a flow run: 2 flying, 0 walking, unless it moved.
    void SetIdlePattern();
};

// Half blocks to pixels: n x 16.
int HblToDots(int n);
// Ease of stopping n -> deceleration per sub-step: n x 0.01 / (b x b).
double StopToDecel(int n);
