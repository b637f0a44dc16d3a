// The warp (action kind 20, shared with the item commands).
#include <cmath>

#include "definitions/cEdCommand.h"
#include "objects/PlaceTest.h"
#include "objects/StageObjects.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/commands/MoveCommands.h"
#include "objects/commands/MoveVelocity.h"

namespace {

// The screen rectangle by the character's own rule (the hero's differs while auto-scrolling).
void ScreenRect(cCharaBase& chara)
{
    if (IsHero(chara)) {
        Hero()->CalcScreenRect();
    } else {
        chara.CalcScreenRect();
    }
}

void ShiftX(cCharaBase& chara, double d)
{
    chara.x += d;
    chara.AdjustPosX();
}

void ShiftY(cCharaBase& chara, double d)
{
    chara.y += d;
    chara.AdjustPosY();
}

// Moves by distance d along a resolved direction code; 0 for codes that name no direction.
int ShiftAlong(cCharaBase& chara, int nCode, double d)
{
    const double e = d * InvSqrt2;
    switch (nCode) {
    case DIR_LEFT: ShiftX(chara, -d); return 1;
    case DIR_RIGHT: ShiftX(chara, d); return 1;
    case DIR_UP: ShiftY(chara, -d); return 1;
    case DIR_DOWN: ShiftY(chara, d); return 1;
    case DIR_LEFT_UP:
        ShiftX(chara, -e);
        ShiftY(chara, -e);
        return 1;
    case DIR_LEFT_DOWN:
        ShiftX(chara, -e);
        ShiftY(chara, e);
        return 1;
    case DIR_RIGHT_UP:
        ShiftX(chara, e);
        ShiftY(chara, -e);
        return 1;
    case DIR_RIGHT_DOWN:
        ShiftX(chara, e);
        ShiftY(chara, e);
        return 1;
    default: return 0;
    }
}

bool IsDirection(int nCode)
{
    return nCode >= DIR_LEFT && nCode <= DIR_RIGHT_DOWN && nCode != 4 && nCode != 5;
}

}  // namespace

int WarpBody(cCharaBase& chara, const cEdCommand& command, int nInputDir)
{
    if (!command.m_lpMove) return 0;
    const cEdMove& move = *command.m_lpMove;
    chara.fixedScreenX = chara.fixedScreenY = 0;
    const double saved[4] = {chara.x, chara.y, chara.right, chara.bottom};
    const double fDistance = (move.m_nDistance + move.m_nDistanceStep * chara.memberIndex) * 16.0;

    switch (move.m_nMoveMode) {
    case 0: ShiftAlong(chara, ResolveDirection(chara, move.m_nDirection, nInputDir), fDistance); break;
    case 1: {
        const cCharaBase* target = FindChara(chara.target);
        if (target == nullptr) return 0;
        const int nCode = ResolveDirection(chara, move.m_nDirection, nInputDir, target->facing);
        if (!IsDirection(nCode)) break;
        chara.x = target->x - target->gfxOffsetX + target->gfxWidth / 2 + chara.gfxOffsetX - chara.gfxWidth / 2;
        chara.AdjustPosX();
        chara.y = target->y - target->gfxOffsetY + target->gfxHeight / 2 + chara.gfxOffsetY - chara.gfxHeight / 2;
        chara.AdjustPosY();
        ShiftAlong(chara, nCode, fDistance);
        break;
    }
    case 2: {
        int h = move.m_nTargetDotX + 32 * move.m_nTargetX;
        int v = move.m_nTargetDotY + 32 * move.m_nTargetY;
        if (chara.facing == 1) {
            if (move.m_bMirrorX) h = -h;
            if (move.m_bMirrorY) v = -v;
        }
        if (move.m_nCoordKind == 0) {
            ShiftX(chara, h);
            ShiftY(chara, v);
        } else if (move.m_nCoordKind == 1) {
            chara.SetGridPos(move.m_nTargetX, move.m_nTargetY);
            ShiftX(chara, move.m_nTargetDotX);
            ShiftY(chara, move.m_nTargetDotY);
        } else if (move.m_nCoordKind == 2) {
            chara.x = CameraX().dPos + h + chara.gfxOffsetX;
            chara.AdjustPosX();
            chara.y = CameraY().dPos + v + chara.gfxOffsetY;
            chara.AdjustPosY();
        }
        break;
    }
    default: break;
    }

    ScreenRect(chara);
    if (!chara.IsInsideStage(0) || IsPlaceBlocked(chara)) {
        chara.x = saved[0];
        chara.y = saved[1];
        chara.right = saved[2];
        chara.bottom = saved[3];
        chara.AdjustPosY();
        chara.AdjustPosX();
        ScreenRect(chara);
    } else if (!chara.noGravity) {
        chara.vy = 0.0;
    }
    if (move.m_nMoveMode == 2 && move.m_nCoordKind == 2) {
        chara.fixedScreenX = chara.fixedScreenY = 1;
        chara.fixedScreenPosX = chara.screenLeft;
        chara.fixedScreenPosY = chara.screenTop;
    }
    return 0;
}
