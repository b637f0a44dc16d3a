#include "objects/commands/MoveVelocity.h"

#include <cmath>
#include <cstdint>

#include "definitions/InputDirection.h"
#include "definitions/cEdMove.h"
#include "objects/MapCell.h"
#include "objects/StageObjects.h"
#include "objects/chara/cCharaBase.h"
#include "objects/flow/CommandInstance.h"

namespace {

constexpr double kDegreeToRadian = 0.017453292519943278;
constexpr double kSignEpsilon = 0.00000001;

// The stored codes 0, 1, 4 and 5 name the front and the back of the character.
int ResolveRelative(int nCode, int nFacing)
{
    const bool right = nFacing == 1;
    switch (nCode) {
    case 0: return right ? DIR_RIGHT : DIR_LEFT;
    case 1: return right ? DIR_LEFT : DIR_RIGHT;
    case 4: return right ? DIR_DOWN : DIR_UP;
    case 5: return right ? DIR_UP : DIR_DOWN;
    default: return nCode;
    }
}

int RequestFor(const cCharaBase& chara, int nRequest)
{
    return IsFacingFixed(chara) ? REQUEST_NONE : nRequest;
}

// The limit of an int from a double that may be huge (a tiny speed divides a long distance).
std::int32_t TruncToInt(double f)
{
    if (!(f < 2147483647.0)) return 2147483647;
    if (!(f > -2147483647.0)) return -2147483647;
    return static_cast<std::int32_t>(f);
}

int SolidBelow(double fEdge, int nRow, int nFaction)
{
    MAPCELL* cell = MapCellAt(static_cast<int>(fEdge) >> 5, nRow);
    return (cell != nullptr && IsBlockSolidFor(*cell, nFaction) != 0) ? 1 : 0;
}

// One axis of the inertial speed of an accelerating move.
void Accelerate(double& impact, std::int32_t& decay, double v, double fTurnFactor, double fMax)
{
    if ((impact < 0.0 && v > 0.0) || (impact > 0.0 && v < 0.0)) {
        impact += SpeedPerFrame(v) * fTurnFactor;
    } else {
        decay = 0;
        impact += SpeedPerFrame(v);
    }
    if (impact > fMax) impact = fMax;
    if (impact < -fMax) impact = -fMax;
}

}  // namespace

int IsFacingFixed(const cCharaBase& chara)
{
    return chara.def.m_nDirectionFix != 0 ? 1 : 0;
}

int ResolveDirection(const cCharaBase& chara, int nCode, int nInputDir, int nFacing)
{
    if (nCode != DIR_INPUT) {
        return ResolveRelative(nCode, nFacing);
    }
    int nDir = InputDirToDirection(nInputDir, nFacing);
    if (!chara.noGravity) {
        if (nDir == DIR_LEFT_UP || nDir == DIR_LEFT_DOWN) nDir = DIR_LEFT;
        if (nDir == DIR_RIGHT_UP || nDir == DIR_RIGHT_DOWN) nDir = DIR_RIGHT;
    }
    return nDir;
}

int ResolveDirection(const cCharaBase& chara, int nCode, int nInputDir)
{
    return ResolveDirection(chara, nCode, nInputDir, chara.facing);
}

int DirectionVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int nCode, int nInputDir)
{
    inst.velocityX = inst.velocityY = 0.0;
    const bool vertical = chara.noGravity != 0;
    const double d = s * InvSqrt2;
    int nRequest = REQUEST_NONE;
    switch (ResolveDirection(chara, nCode, nInputDir)) {
    case DIR_LEFT:
        inst.velocityX = -s;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_RIGHT:
        inst.velocityX = s;
        nRequest = REQUEST_RIGHT;
        break;
    case DIR_UP:
        if (vertical) inst.velocityY = -s;
        break;
    case DIR_DOWN:
        if (vertical) inst.velocityY = s;
        break;
    case DIR_LEFT_UP:
        inst.velocityX = -d;
        if (vertical) inst.velocityY = -d;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_LEFT_DOWN:
        inst.velocityX = -d;
        if (vertical) inst.velocityY = d;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_RIGHT_UP:
        inst.velocityX = d;
        if (vertical) inst.velocityY = -d;
        nRequest = REQUEST_RIGHT;
        break;
    case DIR_RIGHT_DOWN:
        inst.velocityX = d;
        if (vertical) inst.velocityY = d;
        nRequest = REQUEST_RIGHT;
        break;
    default: break;
    }
    return RequestFor(chara, nRequest);
}

int AngleVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int nCode, int nAngle, int nInputDir)
{
    int nBase = 0;
    int nRequest = REQUEST_NONE;
    switch (ResolveDirection(chara, nCode, nInputDir)) {
    case DIR_LEFT:
        nBase = 0;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_RIGHT:
        nBase = 180;
        nRequest = REQUEST_RIGHT;
        break;
    case DIR_UP: nBase = 90; break;
    case DIR_DOWN: nBase = 270; break;
    case DIR_LEFT_UP:
        nBase = 45;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_LEFT_DOWN:
        nBase = 315;
        nRequest = REQUEST_LEFT;
        break;
    case DIR_RIGHT_UP:
        nBase = 135;
        nRequest = REQUEST_RIGHT;
        break;
    case DIR_RIGHT_DOWN:
        nBase = 225;
        nRequest = REQUEST_RIGHT;
        break;
    default: break;
    }
    const double a = (static_cast<std::int16_t>(nAngle) + nBase) * kDegreeToRadian;
    inst.velocityX = -std::cos(a) * s;
    inst.velocityY = chara.noGravity ? -std::sin(a) * s : 0.0;
    return RequestFor(chara, nRequest);
}

int PointVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, double s, int ox, int oy, const cEdMove& move)
{
    const double cx = chara.ScreenCentreX();
    const double cy = chara.ScreenCentreY();
    const double sx = CameraX().dPos;
    const double sy = CameraY().dPos;
    const double fMargin = 32.0 * cScroll::kMargin;
    double dx = 0.0;
    double dy = 0.0;
    switch (move.m_nCoordKind) {
    case 0:
        dx = ox + chara.spawnX - (cx + sx);
        dy = oy + chara.spawnY - (cy + sy);
        break;
    case 1:
        dx = ox;
        dy = oy;
        break;
    case 2:
        dx = fMargin + ox + 16 - (cx + sx);
        dy = fMargin + oy + 16 - (cy + sy);
        break;
    case 3:
        dx = ox + 16 - cx;
        dy = oy + 16 - cy;
        break;
    default: break;
    }
    if (!move.m_bUseX) dx = 0.0;
    if (!move.m_bUseY) dy = 0.0;
    const double d = std::sqrt(dx * dx + dy * dy);
    inst.velocityX = inst.velocityY = 0.0;
    if (d != 0.0) {
        if (!move.m_bFreezeX) inst.velocityX = dx / d * s;
        if (!move.m_bFreezeY) inst.velocityY = dy / d * s;
    }
    int nRequest = REQUEST_NONE;
    if (!IsFacingFixed(chara)) {
        if (inst.velocityX < -kSignEpsilon)
            nRequest = REQUEST_LEFT;
        else if (inst.velocityX > kSignEpsilon)
            nRequest = REQUEST_RIGHT;
    }
    if (move.m_bArriveEnds && s != 0.0) {
        inst.remain = TruncToInt(std::fabs(d) / std::fabs(s));
        if (move.m_bStopOnArrival && inst.remain <= 0) {
            if (move.m_bUseX && !move.m_bFreezeX) {
                inst.velocityX = 0.0;
                nRequest = REQUEST_NONE;
            }
            if (move.m_bUseY && !move.m_bFreezeY) {
                inst.velocityY = 0.0;
            }
        }
    }
    return nRequest;
}

int PatrolVelocity(cCharaBase& chara, COMMANDINSTANCE& inst)
{
    inst.velocityX = chara.DirSign() * inst.speed;
    inst.velocityY = 0.0;
    int nRequest = REQUEST_NONE;
    if (chara.leftFoothold) {
        nRequest = chara.facing == 0 ? REQUEST_RIGHT : REQUEST_LEFT;
        inst.velocityX = -inst.velocityX;
        for (const cChara& other : CharaList) {
            if (other.source != chara.footholdKey) continue;
            const double diff = other.x - chara.footholdBox[0];
            if ((chara.facing == 1 && diff < 0.0) || (chara.facing == 0 && diff > 0.0)) {
                inst.velocityX += 2.0 * diff;
            } else {
                inst.velocityX += diff;
            }
            break;
        }
        chara.leftFoothold = 0;
        return nRequest;
    }
    // The ledge test looks one pixel below the feet and only asks to turn; this step still
    // moves the way the character faces.
    int nRow = TruncToInt(chara.bottom + 1.1) / 32;
    const int nLastRow = CameraY().nCells - 1;
    if (nRow > nLastRow) nRow = nLastRow;
    const int leftSolid = SolidBelow(chara.x, nRow, chara.faction);
    const int rightSolid = SolidBelow(chara.right, nRow, chara.faction);
    if (leftSolid && !rightSolid) nRequest = REQUEST_LEFT;
    if (!leftSolid && rightSolid) nRequest = REQUEST_RIGHT;
    return nRequest;
}

int StayOnScreenVelocity(const cCharaBase& chara, COMMANDINSTANCE& inst, int nInputDir)
{
    inst.velocityX = inst.velocityY = 0.0;
    const int nCode = inst.direction == DIR_INPUT ? 0 : ResolveDirection(chara, inst.direction, nInputDir);
    const bool left = nCode == DIR_LEFT || nCode == DIR_LEFT_UP || nCode == DIR_LEFT_DOWN;
    const bool right = nCode == DIR_RIGHT || nCode == DIR_RIGHT_UP || nCode == DIR_RIGHT_DOWN;
    const bool up = nCode == DIR_UP || nCode == DIR_LEFT_UP || nCode == DIR_RIGHT_UP;
    const bool down = nCode == DIR_DOWN || nCode == DIR_LEFT_DOWN || nCode == DIR_RIGHT_DOWN;
    const double s = inst.speed;

    const cScroll& camX = CameraX();
    const double vX = camX.dSpeed;
    if (vX == 0.0 || camX.bAtLimit) {
        if (left && chara.screenLeft > 608) inst.velocityX = -s;
        if (right && chara.screenRight < 32) inst.velocityX = s;
    } else {
        const double fFar = camX.nFieldSize - 640.0;
        const double fReach = std::fabs(vX + 1.0);
        if (left && chara.screenLeft > 608 - fReach && camX.dPos > 0.0 && vX + camX.dPos <= fFar) {
            inst.velocityX = vX - s;
        }
        if (right && chara.screenRight < fReach + 32 && vX + camX.dPos > 0.0 && camX.dPos < fFar) {
            inst.velocityX = vX + s;
        }
    }
    const cScroll& camY = CameraY();
    const double vY = camY.dSpeed;
    if (vY == 0.0 || camY.bAtLimit) {
        if (up && chara.screenTop > 448) inst.velocityY = -s;
        if (down && chara.screenBottom < 32) inst.velocityY = s;
    } else {
        const double fFar = camY.nFieldSize - 480.0;
        const double fReach = std::fabs(vY + 1.0);
        if (up && chara.screenTop > 448 - fReach && camY.dPos > 0.0 && vY + camY.dPos <= fFar) {
            inst.velocityY = vY - s;
        }
        if (down && chara.screenBottom < fReach + 32 && vY + camY.dPos > 0.0 && camY.dPos < fFar) {
            inst.velocityY = vY + s;
        }
    }
    if (!chara.noGravity) {
        inst.velocityY = 0.0;
    }
    return REQUEST_NONE;
}

void GetTargetPoint(const cGameObject& target, const COMMANDINSTANCE& inst, double& outX, double& outY)
{
    outX = target.ScreenCentreX() + inst.targetX;
    outY = target.ScreenCentreY() + inst.targetY;
}

AimRequest CommandAim(const cCharaBase& chara, const COMMANDINSTANCE& inst, const cGameObject& target, double x,
                      double y, bool bArrival)
{
    AimRequest aim;
    aim.target = &target;
    aim.fromX = chara.ScreenCentreX();
    aim.fromY = chara.ScreenCentreY();
    aim.toX = x;
    aim.toY = y;
    aim.speed = inst.speed;
    aim.moverSync = chara.syncScroll;
    aim.arrival = bArrival;
    return aim;
}

void SetCommandVelocity(COMMANDINSTANCE& inst, const AimVelocity& v)
{
    inst.velocityX = v.vx;
    inst.velocityY = v.vy;
}

int AimAtTargetPoint(cCharaBase& chara, COMMANDINSTANCE& inst, const cEdMove& move, const cGameObject& target, double x,
                     double y)
{
    if (move.m_bFreezeX && move.m_bFreezeY) {
        inst.velocityX = inst.velocityY = 0.0;
        return REQUEST_NONE;
    }
    const AimRequest aim = CommandAim(chara, inst, target, x, y, move.m_bStopOnArrival != 0);
    // The axis left free is aimed; the velocity is in place before an arrival snaps the character.
    const AimVelocity v = move.m_bFreezeY   ? cGameObject::CalcAimVelocityX(aim)
                          : move.m_bFreezeX ? cGameObject::CalcAimVelocityY(aim)
                                            : cGameObject::CalcAimVelocity(aim);
    SetCommandVelocity(inst, v);
    if (v.arrived) {
        if (move.m_bFreezeY) {
            chara.ArriveX(static_cast<int>(x), &inst);
        } else if (move.m_bFreezeX) {
            chara.ArriveY(static_cast<int>(y), &inst);
        } else {
            chara.ArriveAt(static_cast<int>(x), static_cast<int>(y), &inst);
        }
    }
    return RequestFor(chara, v.dir);
}

int ApplyMove(cCharaBase& chara, double vx, double vy, int nRequest, const COMMANDINSTANCE& inst, const cEdMove& move,
              int bForce)
{
    if ((!IsFacingFixed(chara) || bForce) && !move.m_bKeepFacing) {
        if (nRequest == REQUEST_LEFT) chara.facing = 0;
        if (nRequest == REQUEST_RIGHT) chara.facing = 1;
    }
    if (move.m_bInertia) {
        Accelerate(chara.ax, chara.decayX, vx, move.m_fBrake, inst.maxSpeed);
        Accelerate(chara.ay, chara.decayY, vy, move.m_fBrake, inst.maxSpeed);
    } else {
        chara.vx += vx;
        chara.vy += vy;
    }
    if (move.m_bKeepAnime) {
        return move.m_bKeepAnime;
    }
    chara.movedThisFrame = 1;
    return chara.anime.ChangePattern(chara.noGravity ? 3 : 1, 1);
}
