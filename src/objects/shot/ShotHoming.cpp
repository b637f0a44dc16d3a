#include "objects/shot/ShotHoming.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/ReportLog.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/shot/cShot.h"

namespace {

constexpr double kDegree = 0.017453292519943295;

int Param(const cShot& shot, int i)
{
    return shot.def.m_nAimParam[i];
}

// The homing speed every kind but 0 starts with.
void StartSpeed(cShot& shot)
{
    shot.homingSpeed = (shot.def.m_nSpeed + shot.memberIndex * shot.def.m_nSpeedStep) * 0.1 / ScrollUnit();
}

// The characters of faction nFaction in the running stage.
cCharaBase* NearestOfFaction(const cShot& shot, int nFaction)
{
    if (lpStageField == nullptr) {
        return nullptr;
    }
    return shot.FindNearestChara(lpStageField->m_CharaLayer[nFaction]);
}

cCharaBase* LiveTarget(const cShot& shot)
{
    cCharaBase* target = FindChara(shot.target);
    return (target != nullptr && !target->dying) ? target : nullptr;
}

// The goal of kinds 1..7 in this sub-step, or null.
cCharaBase* GoalOf(cShot& shot, int nKind)
{
    switch (nKind) {
    case 1:
    case 4: return Hero();
    case 2: return NearestOfFaction(shot, Param(shot, 1));
    case 5:
    case 7: return NearestOfFaction(shot, Param(shot, 2));
    case 3:
    case 6: return LiveTarget(shot);
    default: return nullptr;
    }
}

void Straight(cShot&)
{}

// Kinds 1, 2, 3: one course change toward the goal after q1 half-blocks.
void AimOnce(cShot& shot)
{
    if (shot.homingDone) {
        return;
    }
    if (shot.counter == 0) {
        StartSpeed(shot);
        if (Param(shot, 0) != 0) {
            shot.homingStart = HomingCount(Param(shot, 0), shot.homingSpeed);
        }
    }
    if (shot.counter == shot.homingStart) {
        shot.CalcScreenRect();
        if (cCharaBase* goal = GoalOf(shot, shot.def.m_nAimKind)) {
            const AimVelocity v = cGameObject::CalcAimVelocity(shot.HomingAim(*goal));
            shot.stepVx = v.vx;
            shot.stepVy = v.vy;
            if (shot.accelOn) {
                shot.SetAccelAlong(shot.ax, shot.ay, shot.stepVx, shot.stepVy);
            }
        }
        shot.homingDone = 1;
    }
    ++shot.counter;
}

// Kinds 4, 5, 6, 7: steering toward the goal from q1 to q2 half-blocks of flight.
void Chase(cShot& shot)
{
    if (shot.homingDone) {
        return;
    }
    if (shot.counter == 0) {
        StartSpeed(shot);
        if (Param(shot, 0) != 0) {
            shot.homingStart = HomingCount(Param(shot, 0), shot.homingSpeed);
        }
        if (Param(shot, 1) != 0) {
            shot.homingEnd = HomingCount(Param(shot, 1), shot.homingSpeed);
        }
    }
    if (shot.counter >= shot.homingEnd) {
        shot.homingDone = 1;
    } else if (shot.counter >= shot.homingStart) {
        shot.CalcScreenRect();
        if (cCharaBase* goal = GoalOf(shot, shot.def.m_nAimKind)) {
            shot.SteerToward(*goal);
        }
    }
    ++shot.counter;
}

double AngleOf(double vy, double vx)
{
    double a = std::atan2(vy, vx) / kDegree;
    if (a < 0.0) {
        a += 360.0;
    }
    return a;
}

// A component that changed its sign stops instead.
double NoReversal(double oldV, double newV)
{
    return (oldV < 0.0 && newV > 0.0) || (oldV > 0.0 && newV < 0.0) ? 0.0 : newV;
}

// Kind 8: a swing across the direction of motion, amplitude q1 half-blocks, q2 degrees per frame,
// starting at phase q3.
void Wave(cShot& shot)
{
    const double u = ScrollUnit();
    const int speed = Param(shot, 1);
    if (shot.counter == 0) {
        StartSpeed(shot);
        // The amplitude in pixels, kept within the parameter's 16 bits.
        const int pixels = std::clamp(Param(shot, 0) * 16, -32768, 32767);
        shot.def.m_nAimParam[0] = static_cast<std::int16_t>(pixels);
        shot.counter = 1;
        const double a = shot.facing == 1 ? Param(shot, 2) : Param(shot, 2) + 180;
        // Wave speed 0 has no phase to start from: such a shot does not swing.
        shot.wavePhase = speed != 0 ? a * u / speed : 0.0;
        const double phi = (AngleOf(shot.stepVy, shot.stepVx) - 90.0) * kDegree;
        shot.waveCos = std::cos(phi);
        shot.waveSin = std::sin(phi);
        const double z = cGameObject::WaveSpeed(Param(shot, 0), speed, shot.wavePhase, 1, 0);
        shot.stepVx += z * shot.waveCos;
        shot.stepVy += z * shot.waveSin;
    } else {
        const double z = cGameObject::WaveAccel(Param(shot, 0), speed, shot.wavePhase, 1, 0);
        shot.stepVx = NoReversal(shot.stepVx, shot.stepVx + z * shot.waveCos);
        shot.stepVy = NoReversal(shot.stepVy, shot.stepVy + z * shot.waveSin);
    }
    if (shot.accelOn) {
        shot.SetAccelAlong(shot.ax, shot.ay, shot.stepVx, shot.stepVy);
    }
}

// Kind 9: gravity takes over after q1 half-blocks.
void Fall(cShot& shot)
{
    if (shot.homingDone) {
        return;
    }
    if (shot.counter == 0) {
        StartSpeed(shot);
        if (Param(shot, 0) != 0) {
            shot.homingStart = HomingCount(Param(shot, 0), shot.homingSpeed);
        }
    }
    if (shot.counter >= shot.homingStart) {
        shot.vy = shot.stepVy;
        shot.noGravity = 0;
        shot.homingDone = 1;
    }
    ++shot.counter;
}

const std::array<HomingFunc, kHomingKindCount> kHomingTable = {
    Straight, AimOnce, AimOnce, AimOnce, Chase, Chase, Chase, Chase, Wave, Fall,
};

}  // namespace

HomingFunc FindHomingFunc(int nKind)
{
    if (nKind < 0 || nKind >= kHomingKindCount) {
        static std::array<bool, 256> reported{};
        if (!reported[nKind & 0xFF]) {
            reported[nKind & 0xFF] = true;
            ReportLog("Shot homing kind %d is unknown; the shot flies straight\n", nKind);
        }
        nKind = 0;
    }
    return kHomingTable[nKind];
}

void RunShotHoming(cShot& shot)
{
    FindHomingFunc(shot.def.m_nAimKind)(shot);
}

int HomingCount(int nHalfBlocks, double dSpeed)
{
    if (dSpeed == 0.0) {
        return 0;
    }
    const double n = 16.0 * nHalfBlocks / dSpeed;
    // A count beyond any stage's life (a tiny speed) stays representable.
    return n >= 2.0e9 ? 2000000000 : (n <= -2.0e9 ? -2000000000 : static_cast<int>(n));
}

AimRequest cShot::HomingAim(const cGameObject& goal) const
{
    AimRequest aim;
    aim.target = &goal;
    aim.fromX = ScreenCentreX();
    aim.fromY = ScreenCentreY();
    aim.toX = goal.ScreenCentreX();
    aim.toY = goal.ScreenCentreY();
    aim.speed = homingSpeed;
    aim.moverSync = syncScroll;
    aim.noFlee = true;
    return aim;
}

void cShot::SteerToward(const cGameObject& goal)
{
    const AimVelocity v = CalcAimVelocity(HomingAim(goal));
    if (!accelOn || counter == homingStart) {
        stepVx = v.vx;
        stepVy = v.vy;
    }
    if (accelOn) {
        SetAccelAlong(ax, ay, v.vx, v.vy);
    }
}
