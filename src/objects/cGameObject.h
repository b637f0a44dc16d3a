// cGameObject: the base of every object of a running stage (the stage characters and the player,
// items, shots and swords). It holds the geometry they share -- a hit box in world pixels, a
// graphic rectangle placed relative to it, speeds, faction, facing, size factor and a pattern
// player -- and the operations every kind of object uses in every play sub-step: moving with the
// stage's speed limit, clamping against the camera's scroll area and the stage, the screen
// rectangle, view and block tests, aiming, wave motion, knock-back speed and the search for the
// nearest character. Game thread, inside the play step of the running stage.
//
// Sizes and positions: x, y, right, bottom are the hit box's edges in world pixels (right =
// x + hitWidth - 1); speeds are pixels per play sub-step.
#pragma once

#include <cstdint>

#include "objects/cStageField.h"
#include "objects/effect/cPatternAnime.h"

class cEdOffScreenLimit;
struct COMMANDINSTANCE;
class cGameObject;

// One aim of cGameObject::CalcAimVelocity: from the mover's screen point toward another.
struct AimRequest {
    const cGameObject* target = nullptr;  // what is aimed at; its scroll riding matters (null: nothing)
    double fromX = 0.0;                   // the mover's screen point, pixels
    double fromY = 0.0;
    double toX = 0.0;  // the point aimed at, pixels
    double toY = 0.0;
    double speed = 0.0;    // pixels per sub-step; negative flees unless noFlee
    int moverSync = 0;     // the mover's own syncScroll (1: it rides the auto-scroll)
    bool noFlee = false;   // a negative speed aims like a positive one instead of fleeing
    bool arrival = false;  // say whether the point is reached within this sub-step
};

// What an aim gives.
struct AimVelocity {
    double vx = 0.0;  // pixels per sub-step
    double vy = 0.0;
    int dir = 0;           // 1 left, 2 right, 0 none
    bool arrived = false;  // arrival was asked for and the point is reached in this sub-step
};

// 1 / sqrt(2).
extern const double InvSqrt2;

class cGameObject {
public:
    std::int32_t source = 0;         // object number (see ObjectRef.h)
    std::int32_t reserved = 0;       // 2147483647 after Init; copied, read by nothing
    std::int32_t facing = 0;         // 1 facing right, 0 facing left
    std::int16_t memberIndex = 0;    // index within its placed group
    std::int32_t pictureNumber = 0;  // graphic number
    std::int32_t spare = 0;          // sheet kind written by the graphic-change command; copied
    cPatternAnime anime;             // chooses the cell of the sprite
    std::int32_t screenLeft = 0;     // graphic rectangle on the screen, inclusive (CalcScreenRect)
    std::int32_t screenTop = 0;
    std::int32_t screenRight = 0;
    std::int32_t screenBottom = 0;
    std::int32_t gfxOffsetX = 0;  // graphic left = x - gfxOffsetX
    std::int32_t gfxOffsetY = 0;  // graphic top = y - gfxOffsetY
    std::int32_t gfxWidth = 0;
    std::int32_t gfxHeight = 0;
    std::int32_t baseGfxOffsetX = 0;  // the four graphic values at size factor 1
    std::int32_t baseGfxOffsetY = 0;
    std::int32_t baseGfxWidth = 0;
    std::int32_t baseGfxHeight = 0;
    std::int32_t extra = 0;    // copied with the object
    std::int32_t value2 = 0;   // operator: 0 a player, anything else the computer
    std::int32_t value3 = 0;   // controller of a player-operated object
    std::int32_t faction = 0;  // 0..7
    double x = 0.0;            // hit box, world pixels
    double y = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    std::int32_t leftCell = 0;  // 32-pixel cells of the four edges
    std::int32_t topCell = 0;
    std::int32_t rightCell = 0;
    std::int32_t bottomCell = 0;
    double vx = 0.0;  // speed, pixels per sub-step
    double vy = 0.0;
    double ax = 0.0;  // inertial speed built by accelerating moves
    double ay = 0.0;
    double decel = 0.0;           // decay of ax and ay per sub-step
    double spare2 = 0.0;          // copied with the object
    std::int32_t decayX = 0;      // 1: ax decays in this sub-step's movement step
    std::int32_t decayY = 0;      // 1: ay decays
    std::int32_t syncScroll = 0;  // 1: moves with the auto-scroll
    std::int32_t hitWidth = 0;    // current hit-box size
    std::int32_t hitHeight = 0;
    std::int32_t baseHitWidth = 0;  // hit-box size at size factor 1
    std::int32_t baseHitHeight = 0;
    std::int32_t noGravity = 0;  // 1: gravity does not act (flight kinds 1..3)
    std::uint8_t blockMode = 0;  // 0 passes blocks, 1 stopped by them, 2 killed by them
    std::int32_t active = 0;     // 1 while the object exists (rewritten every sub-step)
    std::int32_t inView = 0;     // 1 while the hit box overlaps the view (rewritten every sub-step)
    std::uint8_t flagC = 0;      // the appearance conditions held once

    cGameObject();
    virtual ~cGameObject();
    cGameObject(const cGameObject&) = default;
    cGameObject& operator=(const cGameObject&) = default;

    // What Init stores. Offsets and sizes in pixels.
    struct INITVALUES {
        int nSource = 0;  // object number
        int nValue2 = 0;
        int nValue3 = 0;
        int nFaction = 0;
        int nPicture = 0;                            // picture number
        const PatternTable* patternTable = nullptr;  // loaded when given, nFirstPattern started forced
        int nFirstPattern = 0;
        int nGfxOffsetX = 0;  // the hit box's offset in the graphic
        int nGfxOffsetY = 0;
        int nHitWidth = 0;
        int nHitHeight = 0;
        int nGfxWidth = 0;
        int nGfxHeight = 0;
        int nFacing = 0;
        int nFlightKind = 0;  // see SetFlightKind
        int nMemberIndex = 0;
    };
    // Stores the values (each size as base and current), reserved = 2147483647, loads the
    // pattern table when given and starts the first pattern forced, zeroes the speeds, active,
    // inView and flagC, and applies the flight kind.
    void Init(const INITVALUES& v);
    // Flight kind 0..3 -> (noGravity, blockMode) (0, 1), (1, 0), (1, 1), (1, 2); other kinds
    // change nothing.
    void SetFlightKind(int nFlightKind);

    // Virtual operations, in the order of their slots.
    // Every field above, the pattern player by value.
    virtual void CopyCommon(const cGameObject& src);
    // Sizes = base x newFactor, then ApplyScaleShift and OnScaleChanged; nothing for equal factors.
    virtual void SetScale(int nNewFactor, int nOldFactor);
    virtual void OnScaleChanged(int nNewFactor);
    virtual void OnScaleShift(int nNewFactor, int nOldFactor);
    virtual void AfterClampX();
    virtual void AfterClampY();
    virtual void SnapTo(double dX, double dY);
    virtual void ArriveAt(double dX, double dY, COMMANDINSTANCE* instance);
    virtual void SnapCentreX(double dX);
    virtual void ArriveX(double dX, COMMANDINSTANCE* instance);
    virtual void SnapCentreY(double dY);
    virtual void ArriveY(double dY, COMMANDINSTANCE* instance);

    // vx limited to the stage's speed limit, x += vx, then ClampToStageX (m): 0..3.
    int MoveX(int m);
    // The same vertically: 0..6.
    int MoveY(int m);
    // Mode 0 keeps the box inside the scroll area; 1 inside the stage (1 when outside the scroll
    // area); 2 inside the field (3 clamped to the field, 2 outside the stage, 1 outside the scroll
    // area). Then right, AfterClampX and the two cells.
    int ClampToStageX(int m);
    // The same vertically: mode 1 gives 1 above and 4 below the scroll area; mode 2 gives 3 / 6
    // at the field's top / bottom, 2 / 5 outside the stage, 1 / 4 outside the scroll area.
    int ClampToStageY(int m);
    // The position part of a size change: RecentreXOnScale, then OnScaleShift.
    void ApplyScaleShift(int nNewFactor, int nOldFactor);
    // x -= (new - old) x (baseHitWidth >> 1), then ClampToStageX (2).
    void RecentreXOnScale(int nNewFactor, int nOldFactor);
    // vy += gravity per sub-step unless noGravity.
    void ApplyGravity();
    // When enabled: speed moves toward 0 by decel, never past it.
    void DecaySpeed(double& speed, int enabled) const;
    // +1 facing right, -1 facing left.
    int DirSign() const { return facing == 1 ? 1 : -1; }

    // The graphic rectangle on the screen from the camera position.
    void CalcScreenRect();
    // The graphic centre on the screen (halves by arithmetic shift).
    int ScreenCentreX() const { return screenLeft + (gfxWidth >> 1); }
    int ScreenCentreY() const { return screenTop + (gfxHeight >> 1); }
    bool IsInView() const;
    // IsInView with the horizontal (skipX) or vertical (skipY) pair of tests left out.
    bool IsInViewAxes(int skipX, int skipY) const;
    // whole: inside the field; otherwise inside the stage.
    bool IsInsideStage(int whole) const;
    // The hit box overlaps the rectangle, edges included.
    bool OverlapsRect(double dLeft, double dTop, double dRight, double dBottom) const;
    // Beyond one of the enabled off-screen margins or at the field's edge; never while in view.
    bool IsOutOfLimits(const cEdOffScreenLimit& limits) const;
    // A block under one of the hit box's corners is not passable for the faction.
    bool HitsBlockAtCorners() const;

    // Aiming from a screen point to another at a speed (a negative speed flees unless noFlee),
    // corrected for the auto-scroll (see the .cpp). The one-axis aims read their axis only.
    static AimVelocity CalcAimVelocity(const AimRequest& aim);
    static AimVelocity CalcAimVelocityX(const AimRequest& aim);
    static AimVelocity CalcAimVelocityY(const AimRequest& aim);
    // Wave motion: the speed (or acceleration) at the phase, then phase += step, wrapped once at
    // 360 x speed unit.
    static double WaveSpeed(double amplitude, double frequency, double& phase, double step, double offset);
    static double WaveAccel(double amplitude, double frequency, double& phase, double step, double offset);
    // Knock-back strength (signed 8-bit) and direction -> speeds; strength 0 writes nothing.
    static void ImpactToSpeed(double& outVx, double& outVy, int strength, double dirX, double dirY);
    // The span of [pos, pos + width) as the distance conditions see it, against [lo, hi].
    static bool SpanOverlaps(double pos, int width, double lo, double hi, double margin, double extLeft,
                             double extRight, int whole);
    // The character of the group nearest to this object's graphic centre on the screen.
    cCharaBase* FindNearestChara(const CHARAGROUP& list) const;
};

// value / speed unit / 60.
double SpeedPerFrame(double value);
// FindNearestCharaEx with mode 2 when the stage targets only on screen, else 0, sparing the
// characters of invincibility mode 2.
cCharaBase* FindNearestCharaAt(double dX, double dY, const CHARAGROUP& list);
// Which active characters a nearest-character search looks at.
enum NEARESTMODE : int {
    NEAREST_IN_VIEW_FIRST = 0,  // those in view and, when none qualifies, the others
    NEAREST_ANY = 1,            // every active character
    NEAREST_IN_VIEW = 2,        // the active ones in view
};
// The filters of a character search; a character that is dying never passes. All off: every
// character passes.
struct CHARAFILTER {
    int byId = 0;  // only characters whose definition has the ID id
    int id = 0;
    int excludeSource = 0;       // not the characters of source nSource (the searcher's own)
    int excludeInvincible1 = 0;  // not those of invincibility mode 1
    int excludeInvincible2 = 0;  // not those of invincibility mode 2
    int excludeBlockChara = 0;   // not block characters
    int nSource = 0;
};
// The character nearest to (dX, dY) by |dx| + |dy| of the graphic centre, the first on a tie.
cCharaBase* FindNearestCharaEx(double dX, double dY, const CHARAGROUP& list, NEARESTMODE mode,
                               const CHARAFILTER& filter);
// The first character of the group that passes the filters.
cCharaBase* FindFirstChara(const CHARAGROUP& list, const CHARAFILTER& filter);
// The running stage's camera axes (empty axes when no stage runs).
cScroll& CameraX();
cScroll& CameraY();
