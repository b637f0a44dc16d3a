#include "objects/cGameObject.h"

#include <cmath>
#include <cstdlib>

#include "definitions/cEdOffScreenLimit.h"
#include "objects/MapCell.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"

const double InvSqrt2 = 0.7071067811865476;

namespace {

// Cell of a world coordinate: truncated toward zero, then shifted right arithmetically.
int CellOf(double dPos)
{
    return static_cast<int>(dPos) >> 5;
}

cScroll& EmptyAxis(int nAxis)
{
    static cScroll axes[2];
    axes[nAxis] = cScroll{};
    axes[nAxis].nAxis = nAxis;
    axes[nAxis].nView = nAxis == 0 ? 640 : 480;
    return axes[nAxis];
}

}  // namespace

cScroll& CameraX()
{
    return lpStageField != nullptr ? lpStageField->m_ScrollX : EmptyAxis(0);
}

cScroll& CameraY()
{
    return lpStageField != nullptr ? lpStageField->m_ScrollY : EmptyAxis(1);
}

cGameObject::cGameObject()
{
    // Only the base vertical graphic offset is left as the members give it (0 as well).
}

cGameObject::~cGameObject() = default;

void cGameObject::Init(const INITVALUES& v)
{
    source = v.nSource;
    value2 = v.nValue2;
    value3 = v.nValue3;
    faction = v.nFaction;
    pictureNumber = v.nPicture;
    gfxOffsetX = baseGfxOffsetX = v.nGfxOffsetX;
    gfxOffsetY = baseGfxOffsetY = v.nGfxOffsetY;
    hitWidth = baseHitWidth = v.nHitWidth;
    hitHeight = baseHitHeight = v.nHitHeight;
    gfxWidth = baseGfxWidth = v.nGfxWidth;
    gfxHeight = baseGfxHeight = v.nGfxHeight;
    facing = v.nFacing;
    memberIndex = static_cast<std::int16_t>(v.nMemberIndex);
    reserved = 2147483647;
    if (v.patternTable != nullptr) {
        anime.SetPatterns(v.patternTable);
        anime.SetPattern(v.nFirstPattern, 1);
    }
    vx = vy = ax = ay = 0.0;
    active = 0;
    inView = 0;
    flagC = 0;
    SetFlightKind(v.nFlightKind);
}

void cGameObject::SetFlightKind(int nFlightKind)
{
    static constexpr struct {
        std::int32_t noGravity;
        std::uint8_t blockMode;
    } kFlight[] = {{0, 1}, {1, 0}, {1, 1}, {1, 2}};
    if (nFlightKind < 0 || nFlightKind > 3) {
        return;
    }
    noGravity = kFlight[nFlightKind].noGravity;
    blockMode = kFlight[nFlightKind].blockMode;
}

void cGameObject::CopyCommon(const cGameObject& src)
{
    cGameObject::operator=(src);
}

void cGameObject::SetScale(int nNewFactor, int nOldFactor)
{
    if (nNewFactor == nOldFactor) {
        return;
    }
    gfxOffsetX = baseGfxOffsetX * nNewFactor;
    gfxOffsetY = baseGfxOffsetY * nNewFactor;
    gfxWidth = baseGfxWidth * nNewFactor;
    gfxHeight = baseGfxHeight * nNewFactor;
    hitWidth = baseHitWidth * nNewFactor;
    hitHeight = baseHitHeight * nNewFactor;
    ApplyScaleShift(nNewFactor, nOldFactor);
    OnScaleChanged(nNewFactor);
}

void cGameObject::OnScaleChanged(int)
{}
void cGameObject::OnScaleShift(int, int)
{}
void cGameObject::AfterClampX()
{}
void cGameObject::AfterClampY()
{}
void cGameObject::SnapTo(double, double)
{}
void cGameObject::ArriveAt(double, double, COMMANDINSTANCE*)
{}
void cGameObject::SnapCentreX(double)
{}
void cGameObject::ArriveX(double, COMMANDINSTANCE*)
{}
void cGameObject::SnapCentreY(double)
{}
void cGameObject::ArriveY(double, COMMANDINSTANCE*)
{}

int cGameObject::MoveX(int m)
{
    const double limit = SubMaxSpeed();
    if (vx > limit) {
        vx = limit;
    } else if (vx < -limit) {
        vx = -limit;
    }
    x += vx;
    const int r = ClampToStageX(m);
    return (r >= 1 && r <= 3) ? r : 0;
}

int cGameObject::MoveY(int m)
{
    const double limit = SubMaxSpeed();
    if (vy > limit) {
        vy = limit;
    } else if (vy < -limit) {
        vy = -limit;
    }
    y += vy;
    const int r = ClampToStageY(m);
    return (r >= 1 && r <= 6) ? r : 0;
}

int cGameObject::ClampToStageX(int m)
{
    const cScroll& axis = CameraX();
    const int w = hitWidth;
    int result = 0;
    const auto outsideScroll = [&] { return x < axis.nMin || x + w - 1 >= axis.nMax; };
    switch (m) {
    case 0:
        if (x < axis.nMin) {
            x = axis.nMin;
        } else if (x + w - 1 >= axis.nMax) {
            x = axis.nMax - w;
        }
        break;
    case 1:
        if (x < axis.nStageMin) {
            x = axis.nStageMin;
        } else if (x + w - 1 >= axis.nStageMax) {
            x = axis.nStageMax - w;
        } else {
            result = outsideScroll() ? 1 : 0;
        }
        break;
    case 2:
        if (x < 0) {
            x = 0;
            result = 3;
        } else if (x + w - 1 >= axis.nFieldSize) {
            x = axis.nFieldSize - w;
            result = 3;
        } else if (x < axis.nStageMin || x + w - 1 >= axis.nStageMax) {
            result = 2;
        } else {
            result = outsideScroll() ? 1 : 0;
        }
        break;
    default: break;
    }
    right = x + w - 1;
    AfterClampX();
    leftCell = CellOf(x);
    rightCell = CellOf(right);
    return result;
}

int cGameObject::ClampToStageY(int m)
{
    const cScroll& axis = CameraY();
    const int h = hitHeight;
    int result = 0;
    switch (m) {
    case 0:
        if (y < axis.nMin) {
            y = axis.nMin;
        } else if (y + h - 1 >= axis.nMax) {
            y = axis.nMax - h;
        }
        break;
    case 1:
        if (y < axis.nStageMin) {
            y = axis.nStageMin;
        } else if (y + h - 1 >= axis.nStageMax) {
            y = axis.nStageMax - h;
        } else if (y < axis.nMin) {
            result = 1;
        } else if (y + h - 1 >= axis.nMax) {
            result = 4;
        }
        break;
    case 2:
        if (y < 0) {
            y = 0;
            result = 3;
        } else if (y + h - 1 >= axis.nFieldSize) {
            y = axis.nFieldSize - h;
            result = 6;
        } else if (y < axis.nStageMin) {
            result = 2;
        } else if (y + h - 1 >= axis.nStageMax) {
            result = 5;
        } else if (y < axis.nMin) {
            result = 1;
        } else if (y + h - 1 >= axis.nMax) {
            result = 4;
        }
        break;
    default: break;
    }
    bottom = y + h - 1;
    AfterClampY();
    topCell = CellOf(y);
    bottomCell = CellOf(bottom);
    return result;
}

void cGameObject::ApplyScaleShift(int nNewFactor, int nOldFactor)
{
    if (nNewFactor == nOldFactor) {
        return;
    }
    RecentreXOnScale(nNewFactor, nOldFactor);
    OnScaleShift(nNewFactor, nOldFactor);
}

void cGameObject::RecentreXOnScale(int nNewFactor, int nOldFactor)
{
    x -= static_cast<double>(nNewFactor - nOldFactor) * (baseHitWidth >> 1);
    ClampToStageX(2);
}

void cGameObject::ApplyGravity()
{
    if (!noGravity) {
        vy += SubGravity();
    }
}

void cGameObject::DecaySpeed(double& speed, int enabled) const
{
    if (!enabled) {
        return;
    }
    if (speed > 0.0) {
        speed -= decel;
        if (speed < 0.0) {
            speed = 0.0;
        }
    } else if (speed < 0.0) {
        speed += decel;
        if (speed > 0.0) {
            speed = 0.0;
        }
    }
}

void cGameObject::CalcScreenRect()
{
    const int sx = static_cast<int>(CameraX().dPos);
    const int sy = static_cast<int>(CameraY().dPos);
    screenLeft = static_cast<int>(x - gfxOffsetX - sx);
    screenRight = screenLeft + gfxWidth - 1;
    screenTop = static_cast<int>(y - gfxOffsetY - sy);
    screenBottom = screenTop + gfxHeight - 1;
}

bool cGameObject::IsInView() const
{
    return IsInViewAxes(0, 0);
}

bool cGameObject::IsInViewAxes(int skipX, int skipY) const
{
    const double sx = CameraX().dPos;
    const double sy = CameraY().dPos;
    if (!skipX && !(right >= sx && x < sx + 640)) {
        return false;
    }
    if (!skipY && !(bottom >= sy && y < sy + 480)) {
        return false;
    }
    return true;
}

bool cGameObject::IsInsideStage(int whole) const
{
    const cScroll& ax = CameraX();
    const cScroll& ay = CameraY();
    if (whole) {
        return x >= 0 && right < ax.nFieldSize && y >= 0 && bottom < ay.nFieldSize;
    }
    return x >= ax.nStageMin && right < ax.nStageMax && y >= ay.nStageMin && bottom < ay.nStageMax;
}

bool cGameObject::OverlapsRect(double dLeft, double dTop, double dRight, double dBottom) const
{
    return x <= dRight && right >= dLeft && y <= dBottom && bottom >= dTop;
}

bool cGameObject::IsOutOfLimits(const cEdOffScreenLimit& limits) const
{
    if (inView) {
        return false;
    }
    const cScroll& ax = CameraX();
    const cScroll& ay = CameraY();
    const double sx = ax.dPos;
    const double sy = ay.dPos;
    if (limits.m_bLeft && static_cast<int>(sx - 32.0 * limits.m_nLeft) >= right) {
        return true;
    }
    if (limits.m_bRight && static_cast<int>(sx + 32.0 * limits.m_nRight + 640) <= x) {
        return true;
    }
    if (limits.m_bBottom && static_cast<int>(sy + 32.0 * limits.m_nBottom + 480) <= y) {
        return true;
    }
    if (limits.m_bTop && static_cast<int>(sy - 32.0 * limits.m_nTop) >= bottom) {
        return true;
    }
    return x <= 0 || right >= ax.nFieldSize - 1 || y <= 0 || bottom >= ay.nFieldSize - 1;
}

bool cGameObject::HitsBlockAtCorners() const
{
    const int corners[4][2] = {
        {leftCell, topCell}, {leftCell, bottomCell}, {rightCell, topCell}, {rightCell, bottomCell}};
    for (const auto& corner : corners) {
        MAPCELL* cell = MapCellAt(corner[0], corner[1]);
        if (cell != nullptr && IsBlockSolidFor(*cell, faction) != 0) {
            return true;
        }
    }
    return false;
}
