// The velocity operations of the movement commands: the direction codes of a move resolved for
// the character, the velocity of a move by direction, by angle and toward a point, of the ground
// patrol and of the stay-on-screen move, aiming at a target's point, and ApplyMove, which adds a
// command's velocity to the character (or builds its inertial speed) and turns and animates it.
// The velocities are pixels per sub-step and land in the command instance (velocityX/Y); the
// operations return the facing request: 0 none, 1 face left, 2 face right. Game thread only.
#pragma once

class cCharaBase;
class cEdMove;
class cGameObject;
struct AimRequest;
struct AimVelocity;
struct COMMANDINSTANCE;

// Screen direction codes after resolution.
enum MOVEDIRECTION {
    DIR_LEFT = 2,
    DIR_RIGHT = 3,
    DIR_UP = 6,
    DIR_DOWN = 7,
    DIR_LEFT_UP = 8,
    DIR_LEFT_DOWN = 9,
    DIR_RIGHT_UP = 10,
    DIR_RIGHT_DOWN = 11,
    DIR_INPUT = 12,  // "入力方向": the input direction noted when the flow started
};

// Facing requests.
enum FACINGREQUEST { REQUEST_NONE = 0, REQUEST_LEFT = 1, REQUEST_RIGHT = 2 };

// 1 when the character's fixed-facing status is on: only the facing-change command turns it.
int IsFacingFixed(const cCharaBase& chara);
// The stored code (0..12) made a screen direction for a character facing nFacing (1 right):
// front and back codes by facing; 12 from nInputDir (the flow's input direction class 0..9; 9
// and unknown classes act as 0, straight ahead), where a character with gravity turns the
// diagonals into plain left and right. Other codes pass through.
int ResolveDirection(const cCharaBase& chara, int nCode, int nInputDir, int nFacing);
int ResolveDirection(const cCharaBase& chara, int nCode, int nInputDir);

// Speed s along a resolved code (diagonals s / sqrt 2 per axis); no vertical part with gravity.
int DirectionVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int nCode, int nInputDir);
// Speed s at angle (degrees, 0 left, 90 up) added to the code's base angle.
int AngleVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int nCode, int nAngle, int nInputDir);
// Speed s toward the move's goal (offsets ox, oy by coordinate kind); with the travel-time flag
// the command's remaining steps become the steps the distance takes.
int PointVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int ox, int oy, const cEdMove& move);
// The ground patrol: ahead at the instance's speed, turning back when a block character pushed it
// sideways (or it left one), and asking to turn at a ledge.
int PatrolVelocity(cCharaBase& chara, COMMANDINSTANCE& inst);
// Back onto the screen from the sides the move names, with the camera's auto-scroll.
int StayOnScreenVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, int nInputDir);

// The target's graphic centre on the screen plus the instance's offsets.
void GetTargetPoint(const cGameObject& target, const COMMANDINSTANCE& inst, double& outX, double& outY);
// The instance's aim from the character's graphic centre at (x, y) with the instance's speed (a
// negative one flees); arrival is asked for when bArrival.
AimRequest CommandAim(const cCharaBase& chara, const COMMANDINSTANCE& inst, const cGameObject& target, double x,
                      double y, bool bArrival);
// Puts an aim's velocity into the instance (velocityX/Y).
void SetCommandVelocity(COMMANDINSTANCE& inst, const AimVelocity& v);
// Aims the instance's velocity from the character's graphic centre at (x, y): both axes, or only
// the axis left free when the other is fixed; arrival with the stop-at-target flag snaps the
// character there. Returns the facing request.
int AimAtTargetPoint(cCharaBase& chara, COMMANDINSTANCE& inst, const cEdMove& move, const cGameObject& target, double x,
                     double y);

// Adds (vx, vy) to the character (an accelerating move builds ax and ay instead, limited to the
// instance's maximum speed), turns it by the request unless the move keeps the facing (and,
// unless bForce, unless its facing is fixed), and shows the moving pattern unless the move keeps
// the animation.
int ApplyMove(cCharaBase& chara, double vx, double vy, int nRequest, const COMMANDINSTANCE& inst, const cEdMove& move,
              int bForce);
