// The movement primitives of cCharaBase: jump formulas, placement on a cell, gravity, landing,
// ceilings, footholds, HP and SP with their gauges, and knock-back with its decay.
#include <climits>
#include <cmath>
#include <cstdint>

#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaBase.h"
#include "objects/chara/cCharaFlowOwner.h"

namespace {

constexpr double kEps = 1e-8;

// One positive and the other negative, both beyond kEps.
bool OppositeSigns(double a, double b)
{
    return (a > kEps && b < -kEps) || (a < -kEps && b > kEps);
}

int ClampToInt(double value)
{
    if (!(value > INT_MIN)) {
        return std::isnan(value) ? 0 : INT_MIN;
    }
    if (value >= INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

int ClampValue(std::int64_t value, std::int64_t lo, std::int64_t hi)
{
    if (value > hi) {
        value = hi;
    }
    if (value < lo) {
        value = lo;
    }
    return static_cast<int>(value);
}

}  // namespace

int HblToDots(int n)
{
    return n * 16;
}

double StopToDecel(int n)
{
    const double b = ScrollUnit();
    return n * 0.01 / (b * b);
}

double cCharaBase::CalcJumpSpeed(int level) const
{
    // The level is a signed byte: a command parameter beyond it keeps only its low byte.
    return JumpSpeedForHeight(HblToDots(static_cast<std::int8_t>(level)));
}

double cCharaBase::JumpSpeedForHeight(double h) const
{
    const double g = SubGravity();
    const double height = h > 0.0 ? h : 0.0;
    const double radicand = g * (g + 8.0 * height);
    const double v = (-g - std::sqrt(radicand > 0.0 ? radicand : 0.0)) / 2.0;
    if (!IsComputer()) {
        return v * (0.99 - 0.025 * StageGravity());
    }
    return v;
}

int cCharaBase::CalcJumpTime(double speed) const
{
    const double g = SubGravity();
    if (g == 0.0) {
        // Without gravity the rise never ends by itself.
        return 0;
    }
    return ClampToInt(ScrollUnit() - speed / g);
}

int cCharaBase::CalcJumpTenths(int level) const
{
    return CalcJumpTime(CalcJumpSpeed(level)) / SubStepCount() / 6 + 1;
}

void cCharaBase::SetGridPos(int nColumn, int nRow)
{
    const int m = cScroll::kMargin;
    const int n = def.m_nScale < 1 ? 1 : def.m_nScale;
    x = (nColumn + m) * 32.0 + baseGfxOffsetX + 0.5;
    RecentreXOnScale(n, 1);
    AdjustPosX();
    y = (nRow + m) * 32.0 + baseGfxOffsetY;
    OnScaleShift(n, 1);
    AdjustPosY();
}

void cCharaBase::ClearLRUD()
{
    LRUD[0] = LRUD[1] = LRUD[2] = LRUD[3] = 0;
}

void cCharaBase::ApplyGravity()
{
    if (noGravity || onFoothold || moveStopped || knockY < 0.0) {
        return;
    }
    vy += SubGravity();
}

int cCharaBase::IsOnGround() const
{
    if (onFoothold) {
        return 1;
    }
    MAPCELL* cell = MapCellByIndex(floorCell);
    return (cell != nullptr && IsBlockSolidFor(*cell, faction) != 0) ? 1 : 0;
}

void cCharaBase::LandOnFloor()
{
    vy = 0.0;
    ay = 0.0;
    LRUD[3] = 1;
    noFloorCount = 0;
    airborne = 0;
    jumpRiseOver = 0;
    jumped = 0;
    knockedBack = 0;
    if (IsComputer()) {
        jumpLocked = 0;
    }
    y -= (static_cast<int>(bottom) & 31) + 1;
    AdjustPosY();
    FireCharaTrigger(*this, TRIGGER_BLOCK);
    FireCharaTrigger(*this, TRIGGER_BLOCK_UPDOWN);
    FireCharaTrigger(*this, TRIGGER_BLOCK_DOWN);
}

void cCharaBase::HitCeiling()
{
    jumpRiseOver = 1;
    jumped = 1;
    LRUD[2] = 1;
    jumpLocked = 1;
    vy = 0.0;
    ay = 0.0;
    y += 32 - (static_cast<int>(y) & 31);
    AdjustPosY();
    FireCharaTrigger(*this, TRIGGER_BLOCK);
    FireCharaTrigger(*this, TRIGGER_BLOCK_UPDOWN);
    FireCharaTrigger(*this, TRIGGER_BLOCK_UP);
}

void cCharaBase::LeaveFoothold(int setLeft)
{
    onFoothold = 0;
    if (knockY == 0.0) {
        vy = 0.0;
    }
    if (setLeft) {
        leftFoothold = 1;
    }
}

void cCharaBase::SavePrevRect()
{
    prevRect[0] = x;
    prevRect[1] = y;
    prevRect[2] = right;
    prevRect[3] = bottom;
}

void cCharaBase::RestorePrevRect()
{
    x = prevRect[0];
    y = prevRect[1];
    right = prevRect[2];
    bottom = prevRect[3];
}

int cCharaBase::ChangeHP(int delta, int force, int gauge)
{
    if (!force && delta <= 0 && def.m_nInvincible != 0) {
        return 0;
    }
    std::int64_t change = delta;
    if (change > 0 && change > static_cast<std::int64_t>(def.m_nMaxHp) - hp) {
        change = static_cast<std::int64_t>(def.m_nMaxHp) - hp;
    }
    hp = ClampValue(hp + change, 0, def.m_nMaxHp > 0 ? def.m_nMaxHp : 0);
    if (hp <= 0) {
        hp = 0;
        return 1;
    }
    if (gauge) {
        StartHpGauge(static_cast<int>(change));
    }
    return 0;
}

int cCharaBase::ChangeSP(int delta, int gauge)
{
    std::int64_t change = delta;
    if (change > 0 && change > static_cast<std::int64_t>(def.m_nMaxSp) - sp) {
        change = static_cast<std::int64_t>(def.m_nMaxSp) - sp;
    }
    sp = ClampValue(sp + change, 0, def.m_nMaxSp > 0 ? def.m_nMaxSp : 0);
    if (def.m_nMaxSp <= 0) {
        return 1;
    }
    if (gauge) {
        StartSpGauge(static_cast<int>(change));
    }
    return 0;
}

namespace {

void StartGauge(GAUGE& gauge, int value, int maximum, int delta)
{
    if (delta == 0 || maximum <= 0) {
        return;
    }
    gauge.framesLeft = 120;
    gauge.barLength = static_cast<int>(static_cast<std::int64_t>(value) * 50 / maximum);
    gauge.shrinking = delta * 50.0 / maximum;
    gauge.shrinkStep = gauge.shrinking / 60.0;
}

}  // namespace

void cCharaBase::StartHpGauge(int delta)
{
    StartGauge(hpGauge, hp, def.m_nMaxHp, delta);
}

void cCharaBase::StartSpGauge(int delta)
{
    StartGauge(spGauge, sp, def.m_nMaxSp, delta);
}

void cCharaBase::ApplyImpact(int power, double dirX, double dirY)
{
    if (power == 0) {
        return;
    }
    const int resistance = def.m_nImpactResist;
    int p = 0;
    if (power < 0) {
        p = power + resistance;
        p = p < -20 ? -20 : (p > 0 ? 0 : p);
    } else {
        p = power - resistance;
        p = p < 0 ? 0 : (p > 20 ? 20 : p);
    }
    ImpactToSpeed(knockX, knockY, p, dirX, dirY);
    if (ax != 0.0 && OppositeSigns(knockX, ax)) {
        ax = 0.0;
    }
    if (ay != 0.0 && OppositeSigns(knockY, ay)) {
        ay = 0.0;
    }
    if (vy != 0.0 && OppositeSigns(knockY, vy)) {
        vy = 0.0;
    }
    knockedBack = 1;
}

void cCharaBase::ImpactFromChara(const cCharaBase& attacker)
{
    double dirY = attacker.vy;
    if (attacker.def.m_nFlying == 0 && attacker.vy < 8.0 * ScrollUnit() * SubGravity()) {
        dirY = 0.0;
    }
    ApplyImpact(attacker.def.m_nRamImpact, attacker.vx, dirY);
}

void cCharaBase::ApplyImpactY()
{
    if (knockY != 0.0) {
        if (noGravity) {
            vy += knockY;
        } else if (knockY > 0.0 && IsOnGround()) {
            knockY = 0.0;
        } else {
            vy = vy - knockYPrev + knockY;
        }
    }
    knockYPrev = knockY;
}

namespace {

void DecayTowardZero(double& knock)
{
    const double step = 1.0 / ScrollUnit();
    if (knock > 0.0) {
        knock -= step;
        if (knock < 0.0) {
            knock = 0.0;
        }
    } else if (knock < 0.0) {
        knock += step;
        if (knock > 0.0) {
            knock = 0.0;
        }
    }
}

}  // namespace

void cCharaBase::DecayImpactX()
{
    DecayTowardZero(knockX);
}

void cCharaBase::DecayImpactY()
{
    DecayTowardZero(knockY);
}
