#include "objects/commands/MoveCommands.h"

#include <cmath>
#include <cstdint>

#include "definitions/cEdCommand.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/commands/CommandRules.h"
#include "objects/commands/CommandSetup.h"
#include "objects/commands/MoveVelocity.h"
#include "objects/commands/PlayerJump.h"

namespace {

constexpr double kRadianToDegree = 57.29577951308239;
constexpr double kDegreeToRadian = 0.017453292519943295;

// Instance words the movement handlers keep between steps.
constexpr int kWordRequest = 0;     // the facing request of the first step
constexpr int kWordPrevFacing = 1;  // the facing of the previous step

const cEdMove* MoveOf(const COMMANDINSTANCE& inst)
{
    return (inst.command != nullptr && inst.command->m_lpMove) ? inst.command->m_lpMove.get() : nullptr;
}

void ClearFixedScreen(cCharaBase& chara)
{
    chara.fixedScreenX = 0;
    chara.fixedScreenY = 0;
}

// The character's target while it is alive, or null.
cCharaBase* LiveTarget(const cCharaBase& chara)
{
    cCharaBase* target = FindChara(chara.target);
    return (target != nullptr && !target->dying) ? target : nullptr;
}

}  // namespace

int StraightMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr) return 0;
    ClearFixedScreen(*chara);
    const bool bFirst = inst.started == 0;
    if (bFirst) {
        inst.started = 1;
        const int nInputDir = ctx.Flow().inputDir;
        if (move->m_nMoveMode == 0) {
            inst.work[kWordRequest] =
                inst.angle == 0 ? DirectionVelocity(*chara, inst, inst.speed, inst.direction, nInputDir)
                                : AngleVelocity(*chara, inst, inst.speed, inst.direction, inst.angle, nInputDir);
        } else if (move->m_nMoveMode == 1) {
            inst.work[kWordRequest] = PointVelocity(*chara, inst, inst.speed, inst.targetX, inst.targetY, *move);
        } else {
            inst.velocityX = inst.velocityY = 0.0;
            inst.work[kWordRequest] = REQUEST_NONE;
        }
    }
    if (!chara->noGravity) {
        inst.velocityY = 0.0;
    }
    if (!bFirst && move->m_bFollowFacing && IsFacingFixed(*chara) && chara->facing != inst.work[kWordPrevFacing]) {
        inst.velocityX = -inst.velocityX;
        inst.velocityY = -inst.velocityY;
    }
    ApplyMove(*chara, inst.velocityX, inst.velocityY, inst.work[kWordRequest], inst, *move, 0);
    inst.work[kWordPrevFacing] = chara->facing;
    return 0;
}

int PatrolMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr || chara->noGravity) return 0;
    ClearFixedScreen(*chara);
    int nRequest = REQUEST_NONE;
    if (chara->knockX != 0.0 || chara->knockY != 0.0) {
        // No turning while knocked back.
        inst.velocityX = chara->DirSign() * inst.speed;
        inst.velocityY = 0.0;
    } else {
        nRequest = PatrolVelocity(*chara, inst);
    }
    ApplyMove(*chara, inst.velocityX, inst.velocityY, nRequest, inst, *move, 1);
    return 0;
}

int CircleMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr || inst.radius == 0) return 0;
    ClearFixedScreen(*chara);
    if (inst.started == 0) {
        inst.phaseX = inst.phaseY = inst.startAngle;
        inst.started = 1;
    }
    int nSense = inst.direction;
    if (nSense == 2) nSense = chara->facing == 1 ? 1 : 0;
    if (nSense == 3) nSense = chara->facing == 0 ? 1 : 0;
    double vx = 0.0;
    double vy = 0.0;
    const double fStep = ScrollUnit() * inst.speed;
    if (!move->m_bFreezeX) {
        vx -= cGameObject::WaveSpeed(inst.radius, 1, inst.phaseX, fStep, 0) * inst.speed;
    }
    if (!move->m_bFreezeY && chara->noGravity) {
        vy -= cGameObject::WaveSpeed(inst.radius, 1, inst.phaseY, fStep, nSense == 0 ? 270 : 90) * inst.speed;
    }
    inst.velocityX = vx;
    inst.velocityY = vy;
    ApplyMove(*chara, vx, vy, REQUEST_NONE, inst, *move, 0);
    return 0;
}

int ChargeMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr) return 0;
    ClearFixedScreen(*chara);
    if (inst.started == 0) {
        inst.started = 1;
        cCharaBase* target = FindChara(chara->target);
        if (target == nullptr) {
            inst.velocityX = inst.velocityY = 0.0;
            inst.work[kWordRequest] = REQUEST_NONE;
            return 0;
        }
        if (target->dying) {
            return 0;
        }
        if (chara->noGravity) {
            double tx = 0.0;
            double ty = 0.0;
            GetTargetPoint(*target, inst, tx, ty);
            inst.work[kWordRequest] = AimAtTargetPoint(*chara, inst, *move, *target, tx, ty);
        } else if (move->m_bFreezeX) {
            inst.velocityX = 0.0;
            inst.work[kWordRequest] = REQUEST_NONE;
        } else {
            const AimVelocity v = cGameObject::CalcAimVelocityX(
                CommandAim(*chara, inst, *target, target->ScreenCentreX() + inst.targetX, 0.0, false));
            SetCommandVelocity(inst, v);
            inst.work[kWordRequest] = IsFacingFixed(*chara) ? REQUEST_NONE : v.dir;
        }
        if (inst.angle != 0) {
            const double fAim = std::atan2(inst.velocityX, inst.velocityY) * kRadianToDegree + 90.0;
            const int t = static_cast<std::int16_t>(static_cast<int>(fAim)) + inst.angle;
            inst.velocityX = inst.speed * std::cos(t * kDegreeToRadian);
            if (chara->noGravity) {
                inst.velocityY = -(inst.speed * std::sin(t * kDegreeToRadian));
            }
        }
    }
    if (!chara->noGravity) {
        inst.velocityY = 0.0;
    }
    ApplyMove(*chara, inst.velocityX, inst.velocityY, inst.work[kWordRequest], inst, *move, 0);
    return 0;
}

int HomingMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr) return 0;
    cCharaBase* target = LiveTarget(*chara);
    if (target == nullptr) return 0;
    ClearFixedScreen(*chara);
    const int n = inst.trailInterval;
    double tx = 0.0;
    double ty = 0.0;
    GetTargetPoint(*target, inst, tx, ty);
    if (!chara->noGravity) {
        if (move->m_bFreezeX) return 0;
        inst.velocityY = 0.0;
        ty = 0.0;
    }
    // Aims at a point: both axes when flying, else the horizontal one alone.
    auto aim = [&](double x, double y) {
        if (chara->noGravity) {
            inst.work[kWordRequest] = AimAtTargetPoint(*chara, inst, *move, *target, x, y);
        } else {
            const AimVelocity v =
                cGameObject::CalcAimVelocityX(CommandAim(*chara, inst, *target, x, y, move->m_bStopOnArrival != 0));
            SetCommandVelocity(inst, v);
            if (v.arrived) {
                chara->ArriveX(static_cast<int>(x), &inst);
            }
            inst.work[kWordRequest] = IsFacingFixed(*chara) ? REQUEST_NONE : v.dir;
        }
    };
    if (n > 0) {
        if (inst.frame == 0) {
            inst.trail.clear();
            inst.trail.emplace_back(tx, ty);
            aim(tx, ty);
        } else if (inst.frame % n == 0) {
            if (!inst.trail.empty()) {
                aim(inst.trail.front().first, inst.trail.front().second);
                inst.trail.erase(inst.trail.begin());
            }
            inst.trail.emplace_back(tx, ty);
        }
    } else {
        aim(tx, ty);
    }
    ApplyMove(*chara, inst.velocityX, inst.velocityY, inst.work[kWordRequest], inst, *move, 0);
    ++inst.frame;
    return 0;
}

int StayOnScreenCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    const cEdMove* move = MoveOf(inst);
    if (chara == nullptr || move == nullptr) return 0;
    ClearFixedScreen(*chara);
    StayOnScreenVelocity(*chara, inst, ctx.Flow().inputDir);
    ApplyMove(*chara, inst.velocityX, inst.velocityY, REQUEST_NONE, inst, *move, 0);
    ++inst.frame;
    return 0;
}

int StopMoveCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    if (chara == nullptr) return 0;
    chara->vx = chara->vy = 0.0;
    chara->ax = chara->ay = 0.0;
    chara->knockX = chara->knockY = 0.0;
    ClearFixedScreen(*chara);
    chara->moveStopped = 1;
    return 0;
}

int FacingCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    if (chara == nullptr || !IsFacingFixed(*chara)) return 0;
    if (RepeatActsNow(inst)) {
        const int nChoice = inst.command != nullptr ? CommandParam(*inst.command, 0) : 0;
        int nFacing = -1;
        switch (nChoice) {
        case 0: nFacing = 0; break;
        case 1: nFacing = 1; break;
        case 2:
        case 3: {
            const cCharaBase* target = FindChara(chara->target);
            if (target == nullptr) {
                // Tried again on the next step.
                return 0;
            }
            const double fTarget = target->x + target->hitWidth / 2;
            const double fSelf = chara->x + chara->hitWidth / 2;
            nFacing = fTarget > fSelf ? 1 : 0;
            if (nChoice == 3) nFacing ^= 1;
            break;
        }
        case 4:
        case 5:
            if (chara->lastWallSide == 0 || chara->lastWallSide == 1) {
                nFacing = chara->lastWallSide;
                if (nChoice == 5) nFacing ^= 1;
            }
            break;
        default: break;
        }
        PlayCommandSound(inst, *chara, 0);
        if (nFacing >= 0) {
            chara->facing = nFacing;
        }
    }
    AdvanceRepeat(inst);
    return 0;
}

int JumpCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    COMMANDINSTANCE& inst = ctx.Command();
    if (chara == nullptr) return 0;
    ClearFixedScreen(*chara);
    // The hero's jump reads the key conditions of the flow it runs in; every other character
    // jumps through its own jump slot.
    if (IsHero(*chara)) {
        PlayerJump(*Hero(), inst, ctx.Flow());
    } else {
        chara->Jump(&inst);
    }
    ++inst.frame;
    return 0;
}

int WarpCommand(const FLOWCONTEXT& ctx)
{
    cCharaBase* chara = ctx.Chara();
    const COMMANDINSTANCE& inst = ctx.Command();
    if (chara == nullptr || inst.command == nullptr) return 0;
    return WarpBody(*chara, *inst.command, ctx.Flow().inputDir);
}
