// The launch of the shot command and the three summon commands: a definition's launch kind places
// a formation of objects around the commanding character (the owner), gives each a start
// velocity and spawns it -- a shot into the stage's shot list, or a block, character or item
// through the running stage's summon operations. Game thread, inside the owner's command step.
//
// Angles are degrees: 0 points left, 90 up, 180 right, 270 down; angle a at speed v gives the
// velocity (-cos a x v, -sin a x v). Positions are world pixels, speeds pixels per frame.
#pragma once

#include <cstdint>
#include <list>

class cCharaBase;
class cEdShot;
class cShot;
struct COMMANDINSTANCE;
struct FLOWINSTANCE;

// The working record of one launch.
struct SHOTLAUNCH {
    std::int16_t volleyIndex = 0;  // index of the volley (0 for summons); the shot's memberIndex
    double speed = 0.0;            // speed of this volley, pixels per frame (summons 1.0)
    std::int32_t angle = 0;        // extra angle of this volley, degrees
    std::int32_t range = 0;        // range of this volley, half-blocks
    std::int32_t lifetime = 0;     // lifetime of this volley, tenths of a second
    double vx = 0.0;               // start velocity of the object being spawned, pixels per frame
    double vy = 0.0;
    std::int32_t x = 0;  // world position (top-left) of the object being spawned
    std::int32_t y = 0;
    std::int32_t baseX = 0;  // the formation's first object
    std::int32_t baseY = 0;
    std::int32_t stepX = 0;  // between the objects of a line
    std::int32_t stepY = 0;
    std::int32_t rowStepX = 0;  // between the rows of the lightning kind
    std::int32_t rowStepY = 0;
    std::int32_t width = 0;  // size of the objects
    std::int32_t height = 0;
    std::int32_t sizeFactor = 0;  // the sword's size factor
    std::int32_t offsetX = 0;     // offsets of this volley
    std::int32_t offsetY = 0;
    std::int32_t direction = 0;  // direction code 2..11 after resolving
};

// Where a launch spawns its objects: the stage's shot list for the shot command, none for the
// summons.
using SHOTLIST = std::list<cShot>;

// The launch kinds (the definition's formation kind), dispatched through a range-checked table.
constexpr int kLaunchKindCount = 6;
using LaunchFunc = void (*)(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def,
                            SHOTLAUNCH& launch);
// The handler of kind nKind; a kind outside 0..5 acts as kind 0 and is logged once.
LaunchFunc FindLaunchFunc(int nKind);

// The shot command's volleys (command kind 11). nInputDir: the running flow's input direction
// class (for the direction "入力方向").
void LaunchShots(SHOTLIST& list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir);
// The summon commands' single launch (kinds 13, 14, 15); nothing when the palette entry does not
// exist.
void LaunchBlockSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir);
void LaunchCharaSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir);
void LaunchItemSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir);

// The terms every placement uses: the owner's screen rectangle (L, T, R, B) and graphic size (W,
// H), the camera (sx, sy), the owner's graphic centre in world pixels (cx, cy), the objects' size
// (w, h), the count n, the launch parameters p1..p3 with the gap s = 16 p1 and half gap g = 8 p1,
// the speed v, k = 1 / sqrt 2 and the offsets (ox, oy).
struct LAUNCHTERMS {
    int L = 0, T = 0, R = 0, B = 0, W = 0, H = 0;
    double sx = 0.0, sy = 0.0;
    int cx = 0, cy = 0;
    int w = 0, h = 0, n = 0;
    int p1 = 0, p2 = 0, p3 = 0, s = 0, g = 0;
    double v = 0.0, k = 0.0;
    int ox = 0, oy = 0;
};
LAUNCHTERMS LaunchTerms(const cCharaBase& owner, const cEdShot& def, const SHOTLAUNCH& launch);
// Truncation toward zero of a position term, kept inside the int range.
int TruncPos(double d);

// The definition's direction code made absolute with the owner's facing (1 right) and the flow's
// input direction class: 2..11 (other stored values pass unchanged).
int ResolveLaunchDirection(int nStored, int nFacing, int nInputDir);
// Degrees of a resolved direction code: 2: 0, 3: 180, 6: 90, 7: 270, 8: 45, 9: 315, 10: 135,
// 11: 225; any other code 0.
int DirectionAngle(int nDirection);
// The velocity of angle a at the launch's speed into launch.vx, launch.vy.
void VelocityFromAngle(SHOTLAUNCH& launch, double dAngle);
// The angle from the launch point (x, y) to the owner's target, or by the owner's facing without
// one; may set launch.speed to an intercept course's speed.
int AimAngleAtTarget(int x, int y, const cCharaBase& owner, cEdShot& def, SHOTLAUNCH& launch);
// Places baseX, baseY on the curve around the owner in the direction of angle a.
void PlaceAroundOwner(SHOTLAUNCH& launch, const cCharaBase& owner, double a);
// Creates one object of the command's kind at (launch.x, launch.y).
void SpawnLaunchObject(SHOTLIST* list, SHOTLAUNCH& launch, cCharaBase& owner, const COMMANDINSTANCE& inst,
                       cEdShot& def);
