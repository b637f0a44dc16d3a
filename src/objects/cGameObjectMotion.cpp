// The movement-command side of cGameObject: aiming with the auto-scroll correction, wave motion,
// the knock-back speed, the span test of the distance conditions and the character searches.
#include <cmath>

#include "definitions/cEdStage.h"
#include "objects/StageSpeed.h"
#include "objects/cGameObject.h"
#include "objects/chara/cCharaBase.h"
#include "project/cSystemData.h"

namespace {

constexpr double kDegree = 0.017453292519943295;

int DirectionOf(double vx)
{
    return vx < 0.0 ? 1 : (vx > 0.0 ? 2 : 0);
}

// The auto-scroll speed of an axis as aiming counts it: only while on and not at its limit.
double CountedScroll(const cScroll& axis)
{
    return (axis.dSpeed != 0.0 && !axis.bAtLimit) ? axis.dSpeed : 0.0;
}

// The velocity that meets a point moving with the scroll at (sx, sy) from a mover that does not
// move with it, at the straight speed. False (velocity left as it is) when the geometry has no
// finite answer: no distance along the leading axis, a scroll that outruns the mover (no real
// root), or no time to meet.
bool Intercept(double& vx, double& vy, double dx, double dy, double fromX, double fromY, double toX, double toY,
               double sx, double sy)
{
    const double V = std::sqrt(vx * vx + vy * vy);
    const double F = dx * dx;
    const double D = dy * dy;
    const double R = F * sy * sy + D * sx * sx - 2.0 * dx * dy * sx * sy;
    if (std::fabs(dy) >= std::fabs(dx)) {
        if (D == 0.0) {
            return false;
        }
        const double W = F / D + 1.0;
        const double Y = (2.0 * sy * F - 2.0 * dx * dy * sx) / D;
        const double disc = Y * Y - 4.0 * W * (R / D - V * V);
        if (W == 0.0 || disc < 0.0) {
            return false;
        }
        double newVy = (Y + std::sqrt(disc)) / (2.0 * W);
        if (dy < 0.0) {
            newVy = -newVy;
        }
        vy = newVy;
        if (sy - vy == 0.0) {
            return false;
        }
        const double T = (fromY - toY) / (sy - vy);
        if (T == 0.0) {
            return false;
        }
        vx = (dx + T * sx) / T;
        return true;
    }
    if (F == 0.0) {
        return false;
    }
    const double W = D / F + 1.0;
    const double Y = (2.0 * sx * D - 2.0 * dx * dy * sy) / F;
    const double disc = Y * Y - 4.0 * W * (R / F - V * V);
    if (W == 0.0 || disc < 0.0) {
        return false;
    }
    double newVx = (Y + std::sqrt(disc)) / (2.0 * W);
    if (dx < 0.0) {
        newVx = -newVx;
    }
    vx = newVx;
    if (sx - vx == 0.0) {
        return false;
    }
    const double T = (fromX - toX) / (sx - vx);
    if (T == 0.0) {
        return false;
    }
    vy = (dy + T * sy) / T;
    return true;
}

}  // namespace

double SpeedPerFrame(double value)
{
    return value / ScrollUnit() / 60.0;
}

AimVelocity cGameObject::CalcAimVelocity(const AimRequest& aim)
{
    AimVelocity out;
    const double sx = CountedScroll(CameraX());
    const double sy = CountedScroll(CameraY());
    const bool commandsScroll = SystemData.bScrollSyncVariant != 0;
    const cGameObject* target = aim.target;
    if (!aim.noFlee && aim.speed < 0.0) {
        const double d = -aim.speed * InvSqrt2;
        out.vx = aim.fromX < aim.toX ? -d : d;
        out.vy = aim.fromY < aim.toY ? -d : d;
        out.dir = DirectionOf(out.vx);
        if (commandsScroll) {
            out.vx += sx;
            out.vy += sy;
        } else if (target != nullptr &&
                   ((aim.moverSync == 1 && !target->syncScroll) || (aim.moverSync == 0 && target->syncScroll))) {
            out.vx -= sx;
            out.vy -= sy;
        }
        return out;
    }
    const double dx = aim.toX - aim.fromX;
    const double dy = aim.toY - aim.fromY;
    double dist = std::sqrt(dx * dx + dy * dy);
    if (dist == 0.0) {
        dist = 1.0;
    }
    out.vx = aim.speed * dx / dist;
    out.vy = aim.speed * dy / dist;
    if (commandsScroll) {
        out.vx += sx;
        out.vy += sy;
    } else if (target != nullptr) {
        if (!target->syncScroll) {
            out.vx -= sx;
            out.vy -= sy;
        } else if (aim.moverSync == 0 && (sx != 0.0 || sy != 0.0)) {
            // Without a meeting point the straight velocity stays and the direction stays none.
            if (!Intercept(out.vx, out.vy, dx, dy, aim.fromX, aim.fromY, aim.toX, aim.toY, sx, sy)) {
                return out;
            }
        }
    }
    out.dir = DirectionOf(out.vx);
    out.arrived = aim.arrival && std::fabs(dx) < std::fabs(aim.speed) && std::fabs(dy) < std::fabs(aim.speed);
    return out;
}

AimVelocity cGameObject::CalcAimVelocityX(const AimRequest& aim)
{
    AimVelocity out;
    out.dir = aim.fromX >= aim.toX ? 1 : 2;
    out.vx = aim.fromX >= aim.toX ? -aim.speed : aim.speed;
    const double sx = CountedScroll(CameraX());
    if (aim.moverSync == 0 && aim.target != nullptr && aim.target->syncScroll && SystemData.bScrollSyncVariant != 0 &&
        sx != 0.0) {
        out.vx += sx;
    }
    out.arrived = aim.arrival && std::fabs(aim.speed) > std::fabs(aim.fromX - aim.toX);
    return out;
}

AimVelocity cGameObject::CalcAimVelocityY(const AimRequest& aim)
{
    AimVelocity out;
    out.vy = aim.fromY >= aim.toY ? -aim.speed : aim.speed;
    const double sy = CountedScroll(CameraY());
    if (aim.moverSync == 0 && aim.target != nullptr && aim.target->syncScroll && SystemData.bScrollSyncVariant != 0 &&
        sy != 0.0) {
        out.vy += sy;
    }
    out.arrived = aim.arrival && std::fabs(aim.speed) > std::fabs(aim.fromY - aim.toY);
    return out;
}

namespace {

void AdvancePhase(double& phase, double step, double u)
{
    phase += step;
    if (phase >= 360.0 * u) {
        phase -= 360.0 * u;
    }
}

}  // namespace

double cGameObject::WaveSpeed(double amplitude, double frequency, double& phase, double step, double offset)
{
    const double u = ScrollUnit();
    const double k = frequency * kDegree;
    const double result = amplitude * k * std::cos(k * (phase / u + offset)) / u;
    AdvancePhase(phase, step, u);
    return result;
}

double cGameObject::WaveAccel(double amplitude, double frequency, double& phase, double step, double offset)
{
    const double u = ScrollUnit();
    const double k = frequency * kDegree;
    const double result = -(amplitude * k * k * std::sin(k * (phase / u + offset))) / (u * u);
    AdvancePhase(phase, step, u);
    return result;
}

void cGameObject::ImpactToSpeed(double& outVx, double& outVy, int strength, double dirX, double dirY)
{
    if (strength == 0) {
        return;
    }
    const double sum = std::fabs(dirX) + std::fabs(dirY);
    if (sum == 0.0 || !std::isfinite(sum)) {
        outVx = outVy = 0.0;
        return;
    }
    const double u = ScrollUnit();
    const auto toSpeed = [u](double g) {
        if (g > 0.0) {
            return (std::sqrt(1.0 + 128.0 * u * g) - 1.0) / (2.0 * u);
        }
        if (g < 0.0) {
            return -((std::sqrt(1.0 - 128.0 * u * g) - 1.0) / (2.0 * u));
        }
        return 0.0;
    };
    outVx = toSpeed(strength * dirX / sum);
    outVy = toSpeed(strength * dirY / sum);
}

bool cGameObject::SpanOverlaps(double pos, int width, double lo, double hi, double margin, double extLeft,
                               double extRight, int whole)
{
    const int half = width >> 1;
    const double centre = pos + half;
    double s = 0.0;
    double e = 0.0;
    if (extLeft == 0.0 && extRight == 0.0) {
        s = whole ? pos : centre;
        e = whole ? pos + 2 * half : centre;
    } else if (extRight == 0.0) {
        s = pos - extLeft;
        e = centre;
    } else if (extLeft == 0.0) {
        s = centre;
        e = pos + 2 * half + extRight;
    } else {
        s = pos - extLeft;
        e = pos + 2 * half + extRight;
    }
    return s <= hi - margin && lo + margin <= e;
}

namespace {

bool PassesFilters(const cCharaBase& c, const CHARAFILTER& f)
{
    if (f.byId && c.def.m_nCharaId != f.id) {
        return false;
    }
    if (c.dying) {
        return false;
    }
    if (f.excludeSource && c.source == f.nSource) {
        return false;
    }
    if (f.excludeInvincible1 && c.def.m_nInvincible == 1) {
        return false;
    }
    if (f.excludeInvincible2 && c.def.m_nInvincible == 2) {
        return false;
    }
    if (f.excludeBlockChara && c.def.m_bFullCell) {
        return false;
    }
    return true;
}

// The nearest character passing the filters among the active ones whose view state matches
// (wantInView: 1 in view, 0 out of view, -1 either).
cCharaBase* Nearest(double dX, double dY, const CHARAGROUP& list, int wantInView, const CHARAFILTER& filter)
{
    cCharaBase* best = nullptr;
    double bestDistance = 0.0;
    for (cCharaBase* c : list) {
        if (c == nullptr || !c->active) {
            continue;
        }
        if (wantInView >= 0 && (c->inView != 0) != (wantInView != 0)) {
            continue;
        }
        if (!PassesFilters(*c, filter)) {
            continue;
        }
        const double distance = std::fabs(c->ScreenCentreX() - dX) + std::fabs(c->ScreenCentreY() - dY);
        if (best == nullptr || distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

cCharaBase* FindNearestCharaEx(double dX, double dY, const CHARAGROUP& list, NEARESTMODE mode,
                               const CHARAFILTER& filter)
{
    const int wantInView = mode == NEAREST_ANY ? -1 : 1;
    cCharaBase* found = Nearest(dX, dY, list, wantInView, filter);
    if (found == nullptr && mode == NEAREST_IN_VIEW_FIRST) {
        found = Nearest(dX, dY, list, 0, filter);
    }
    return found;
}

cCharaBase* FindFirstChara(const CHARAGROUP& list, const CHARAFILTER& filter)
{
    for (cCharaBase* c : list) {
        if (c != nullptr && PassesFilters(*c, filter)) {
            return c;
        }
    }
    return nullptr;
}

cCharaBase* FindNearestCharaAt(double dX, double dY, const CHARAGROUP& list)
{
    const NEARESTMODE mode = Stage.m_nContactFlag != 0 ? NEAREST_IN_VIEW : NEAREST_IN_VIEW_FIRST;
    return FindNearestCharaEx(dX, dY, list, mode, CHARAFILTER{.excludeInvincible2 = 1});
}

cCharaBase* cGameObject::FindNearestChara(const CHARAGROUP& list) const
{
    return FindNearestCharaAt(ScreenCentreX(), ScreenCentreY(), list);
}
