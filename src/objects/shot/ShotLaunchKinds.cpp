// The six launch kinds: "直進A", "直進B", "拡散", "落雷", "爆発", "包囲". Each places its formation
// (baseX, baseY and the steps between its members), gives the velocity and spawns every member.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/ReportLog.h"
#include "definitions/ShotKindTables.h"
#include "definitions/cEdShot.h"
#include "objects/StageObjects.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/shot/ShotLaunch.h"
#include "project/cSystemData.h"

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr int kLightningKind = 3;

void SetVelocity(SHOTLAUNCH& launch, double vx, double vy)
{
    launch.vx = vx;
    launch.vy = vy;
}

void AddOffsets(SHOTLAUNCH& launch)
{
    launch.baseX += launch.offsetX;
    launch.baseY += launch.offsetY;
}

// The diagonal start terms shared by straight A and spread.
struct DIAGONAL {
    int X8 = 0, X10 = 0, Y8 = 0, Y9 = 0;
};

DIAGONAL Diagonal(const LAUNCHTERMS& t)
{
    DIAGONAL d;
    d.X8 = TruncPos(t.cx + (1 - (t.W >> 1) - (t.w >> 1)) * t.k - (t.w >> 1));
    d.X10 = TruncPos(t.cx + t.k * (t.R + (t.w >> 1) - (t.W >> 1) - t.L + 1) - (t.w >> 1));
    d.Y8 = TruncPos(t.cy - t.k * ((t.H >> 1) + (t.h >> 1)) - (t.h >> 1));
    d.Y9 = TruncPos(t.cy + t.k * (t.B + (t.h >> 1) - t.T - (t.H >> 1) + 1) - (t.h >> 1));
    return d;
}

// A line of n objects beside the owner, across the direction of motion.
void PlaceStraightA(SHOTLAUNCH& launch, const LAUNCHTERMS& t)
{
    const DIAGONAL d = Diagonal(t);
    const int n1 = t.n - 1;
    const double kv = t.k * t.v;
    const int columnY = t.cy - n1 * t.g - t.n * (t.h >> 1);
    const int rowX = t.cx - n1 * t.g - t.n * (t.w >> 1);
    const double alongX = t.k * n1 * (t.g + (t.w >> 1));
    const double alongY = n1 * ((t.h >> 1) + t.g) * t.k;
    switch (launch.direction) {
    case 2:
    case 3:
        launch.baseX = launch.direction == 2 ? TruncPos(t.L + t.sx + 1 - t.w) : TruncPos(t.sx + t.R + 1);
        launch.baseY = columnY;
        launch.stepX = 0;
        launch.stepY = t.s + t.h;
        SetVelocity(launch, launch.direction == 2 ? -t.v : t.v, 0.0);
        break;
    case 6:
    case 7:
        launch.baseX = rowX;
        launch.baseY = launch.direction == 6 ? TruncPos(t.sy) + t.T - t.h : TruncPos(t.sy) + t.B + 1;
        launch.stepX = t.s + t.w;
        launch.stepY = 0;
        SetVelocity(launch, 0.0, launch.direction == 6 ? -t.v : t.v);
        break;
    case 8:
        launch.baseX = TruncPos(d.X8 - alongX);
        launch.baseY = TruncPos(alongY + d.Y8);
        launch.stepX = t.s + t.w;
        launch.stepY = -t.s - t.h;
        SetVelocity(launch, -kv, -kv);
        break;
    case 9:
        launch.baseX = TruncPos(d.X8 - alongX);
        launch.baseY = TruncPos(d.Y9 - alongY);
        launch.stepX = t.s + t.w;
        launch.stepY = t.s + t.h;
        SetVelocity(launch, -kv, kv);
        break;
    case 10:
        launch.baseX = TruncPos(d.X10 - alongX);
        launch.baseY = TruncPos(d.Y8 - alongY);
        launch.stepX = t.s + t.w;
        launch.stepY = t.s + t.h;
        SetVelocity(launch, kv, -kv);
        break;
    case 11:
        launch.baseX = TruncPos(d.X10 - alongX);
        launch.baseY = TruncPos(alongY + d.Y9);
        launch.stepX = t.s + t.w;
        launch.stepY = -t.h - t.s;
        SetVelocity(launch, kv, kv);
        break;
    default: break;
    }
    AddOffsets(launch);
}

void PlaceStraightARotated(SHOTLAUNCH& launch, const LAUNCHTERMS& t, const cCharaBase& owner, cEdShot& def)
{
    if (!def.m_nShotOptA) {
        PlaceStraightA(launch, t);
        const int c = def.m_bAim
                          ? AimAngleAtTarget(launch.baseX + (t.w >> 1), launch.baseY + (t.h >> 1), owner, def, launch)
                          : DirectionAngle(launch.direction);
        VelocityFromAngle(launch, c + launch.angle);
        return;
    }
    int c = (def.m_bAim ? AimAngleAtTarget(t.cx + t.ox, t.cy + t.oy, owner, def, launch)
                        : DirectionAngle(launch.direction)) +
            launch.angle;
    PlaceAroundOwner(launch, owner, c);
    if (def.m_bAim) {
        c = AimAngleAtTarget(t.ox + (t.w >> 1) + launch.baseX, t.oy + (t.h >> 1) + launch.baseY, owner, def, launch) +
            launch.angle;
    }
    const double si = std::sin(c * kDegree);
    const double co = std::cos(c * kDegree);
    const int n1 = t.n - 1;
    if ((si >= 0.0) == (co >= 0.0)) {
        launch.baseX = TruncPos(launch.baseX - si * (t.g + (t.w >> 1)) * n1);
        launch.stepX = TruncPos(si * (t.s + t.w));
        launch.baseY = TruncPos(co * (t.g + (t.h >> 1)) * n1 + launch.baseY);
        launch.stepY = TruncPos(co * (-t.s - t.h));
    } else {
        launch.baseX = TruncPos(si * (t.g + (t.w >> 1)) * n1 + launch.baseX);
        launch.stepX = TruncPos(si * (-t.s - t.w));
        launch.baseY = TruncPos(launch.baseY - co * (t.g + (t.h >> 1)) * n1);
        launch.stepY = TruncPos(co * (t.s + t.h));
    }
    AddOffsets(launch);
    VelocityFromAngle(launch, c);
}

// A column of n objects stacked upwards from the owner's bottom on one side.
void PlaceStraightB(SHOTLAUNCH& launch, const LAUNCHTERMS& t, const cCharaBase& owner)
{
    const int leftX = TruncPos(t.L + t.sx + 1 - t.w);
    const int rightX = TruncPos(t.sx + t.R + 1);
    const double kv = t.k * t.v;
    switch (launch.direction) {
    case 2:
        launch.baseX = leftX;
        SetVelocity(launch, -t.v, 0.0);
        break;
    case 8:
        launch.baseX = leftX;
        SetVelocity(launch, -kv, -kv);
        break;
    case 9:
        launch.baseX = leftX;
        SetVelocity(launch, -kv, kv);
        break;
    case 3:
        launch.baseX = rightX;
        SetVelocity(launch, t.v, 0.0);
        break;
    case 10:
        launch.baseX = rightX;
        SetVelocity(launch, kv, -kv);
        break;
    case 11:
        launch.baseX = rightX;
        SetVelocity(launch, kv, kv);
        break;
    case 6:
    case 7:
        launch.baseX = owner.facing == 1 ? rightX : leftX;
        SetVelocity(launch, 0.0, launch.direction == 6 ? -t.v : t.v);
        break;
    default: break;
    }
    launch.baseY = TruncPos(t.sy) + t.B - t.h + 1;
    launch.stepX = 0;
    launch.stepY = -t.s - t.h;
    AddOffsets(launch);
}

void PlaceStraightBRotated(SHOTLAUNCH& launch, const LAUNCHTERMS& t, const cCharaBase& owner, cEdShot& def)
{
    PlaceStraightB(launch, t, owner);
    const int c = def.m_bAim
                      ? AimAngleAtTarget(launch.baseX + (t.w >> 1), launch.baseY + (t.h >> 1), owner, def, launch)
                      : DirectionAngle(launch.direction);
    VelocityFromAngle(launch, c + launch.angle);
}

// n objects from (baseX, baseY) along (stepX, stepY).
void SpawnLine(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch, int n)
{
    launch.x = launch.baseX;
    launch.y = launch.baseY;
    for (int i = 0; i < n; ++i) {
        SpawnLaunchObject(list, launch, owner, inst, def);
        launch.x += launch.stepX;
        launch.y += launch.stepY;
    }
}

void LaunchStraightA(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    if (launch.angle == 0 && !def.m_bAim) {
        PlaceStraightA(launch, t);
    } else {
        PlaceStraightARotated(launch, t, owner, def);
    }
    SpawnLine(list, owner, inst, def, launch, t.n);
}

void LaunchStraightB(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    if (launch.angle == 0 && !def.m_bAim) {
        PlaceStraightB(launch, t, owner);
    } else {
        PlaceStraightBRotated(launch, t, owner, def);
    }
    SpawnLine(list, owner, inst, def, launch, t.n);
}

// One point touching the owner on the side of the direction.
void PlaceSpread(SHOTLAUNCH& launch, const LAUNCHTERMS& t)
{
    const DIAGONAL d = Diagonal(t);
    switch (launch.direction) {
    case 2:
        launch.baseX = TruncPos(t.sx) + t.L - t.w + 1;
        launch.baseY = t.cy - (t.h >> 1);
        break;
    case 3:
        launch.baseX = TruncPos(t.sx) + t.R + 1;
        launch.baseY = t.cy - (t.h >> 1);
        break;
    case 6:
        launch.baseX = t.cx - (t.w >> 1);
        launch.baseY = TruncPos(t.sy) + t.T - t.h;
        break;
    case 7:
        launch.baseX = t.cx - (t.w >> 1);
        launch.baseY = TruncPos(t.sy) + t.B + 1;
        break;
    case 8:
        launch.baseX = d.X8;
        launch.baseY = d.Y8;
        break;
    case 9:
        launch.baseX = d.X8;
        launch.baseY = d.Y9;
        break;
    case 10:
        launch.baseX = d.X10;
        launch.baseY = d.Y8;
        break;
    case 11:
        launch.baseX = d.X10;
        launch.baseY = d.Y9;
        break;
    default: break;
    }
    AddOffsets(launch);
}

void LaunchSpread(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    if ((launch.angle == 0 && !def.m_bAim) || !def.m_nShotOptA) {
        PlaceSpread(launch, t);
    } else {
        const int a = (def.m_bAim ? AimAngleAtTarget(t.cx + t.ox, t.cy + t.oy, owner, def, launch)
                                  : DirectionAngle(launch.direction)) +
                      launch.angle;
        PlaceAroundOwner(launch, owner, a);
        AddOffsets(launch);
    }
    double c = def.m_bAim ? AimAngleAtTarget(launch.baseX + (t.w >> 1), launch.baseY + (t.h >> 1), owner, def, launch)
                          : DirectionAngle(launch.direction);
    c += launch.angle;
    c -= (t.n % 2 == 1) ? (t.n >> 1) * t.p1 : ((t.n >> 1) - 0.5) * t.p1;
    launch.x = launch.baseX;
    launch.y = launch.baseY;
    for (int i = 0; i < t.n; ++i) {
        VelocityFromAngle(launch, c);
        SpawnLaunchObject(list, launch, owner, inst, def);
        c += t.p1;
    }
}

// The reference object of the lightning and surround kinds by the definition's origin, or null.
const cCharaBase* Reference(const cCharaBase& owner, const cEdShot& def)
{
    switch (def.m_nOrigin) {
    case 0: return FindChara(owner.target);
    case 1: return Hero();
    case 2: return &owner;
    default: return nullptr;
    }
}

// Objects entering from the screen edge opposite to their motion, in rows around the reference.
void PlaceLightning(SHOTLAUNCH& launch, const LAUNCHTERMS& t, const cCharaBase& ref)
{
    const int L = ref.screenLeft;
    const int T = ref.screenTop;
    const int W = ref.gfxWidth;
    const int H = ref.gfxHeight;
    const bool q = SystemData.bPlacementVariant != 0;
    const int c = 16 * t.p3;
    const int e = ((t.p2 - 1) >> 1) * c;
    const int f = (t.p2 % 2 != 0) ? e : e + 8 * t.p3;
    const bool rows = t.p2 >= 2;
    const double k = t.k;
    const double kv = k * t.v;
    launch.rowStepX = launch.rowStepY = 0;
    const int mx = L + (W >> 1);
    const int my = T + (H >> 1);
    switch (launch.direction) {
    case 2:
    case 3:
        launch.baseX = launch.direction == 2 ? TruncPos(t.sx + 640 - t.w) : TruncPos(t.sx);
        launch.baseY = TruncPos(t.sy) + (H >> 1) + T - (t.h >> 1);
        launch.stepX = launch.direction == 2 ? (q ? -t.w : -t.w - t.s) : (q ? t.w : t.s + t.w);
        launch.stepY = 0;
        SetVelocity(launch, launch.direction == 2 ? -t.v : t.v, 0.0);
        if (rows) {
            launch.rowStepY = c;
            launch.baseY -= f;
        }
        break;
    case 6:
    case 7:
        launch.baseX = TruncPos(t.sx) + (W >> 1) + L - (t.w >> 1);
        launch.baseY = launch.direction == 6 ? TruncPos(t.sy + 480 - t.h) : TruncPos(t.sy);
        launch.stepX = 0;
        launch.stepY = launch.direction == 6 ? (q ? -t.h : -t.s - t.h) : (q ? t.h : t.s + t.h);
        SetVelocity(launch, 0.0, launch.direction == 6 ? -t.v : t.v);
        if (rows) {
            launch.rowStepX = c;
            launch.baseX -= f;
        }
        break;
    case 8: {
        const int G = 640 - mx;
        const int D = 480 - my;
        launch.baseX = G < D ? TruncPos(t.sx + 640 - t.w) : TruncPos(t.sx + mx + D - t.w);
        launch.baseY = G < D ? TruncPos(t.sy + my + G - t.h) : TruncPos(t.sy + 480 - t.h);
        launch.stepX = TruncPos(k * (q ? -t.w : -t.w - t.s));
        launch.stepY = TruncPos(k * (q ? -t.h : -t.s - t.h));
        SetVelocity(launch, -kv, -kv);
        break;
    }
    case 9: {
        const int G = 640 - mx;
        const int D = my;
        launch.baseX = G < D ? TruncPos(t.sx + 640 - t.w) : TruncPos(t.sx + mx + D - t.w);
        launch.baseY = G < D ? TruncPos(t.sy + my - G) : TruncPos(t.sy);
        launch.stepX = TruncPos(k * (q ? -t.w : -t.s - t.w));
        launch.stepY = TruncPos(k * (q ? t.h : t.s + t.h));
        SetVelocity(launch, -kv, kv);
        break;
    }
    case 10: {
        const int G = mx;
        const int D = 480 - my;
        launch.baseX = G < D ? TruncPos(t.sx) : TruncPos(t.sx + G - D);
        launch.baseY = G < D ? TruncPos(t.sy + my + G - t.h) : TruncPos(t.sy + 480 - t.h);
        launch.stepX = TruncPos(k * (q ? t.w : t.s + t.w));
        launch.stepY = TruncPos(k * (q ? -t.h : -t.s - t.h));
        SetVelocity(launch, kv, -kv);
        break;
    }
    case 11: {
        const int G = mx;
        const int D = my;
        launch.baseX = G < D ? TruncPos(t.sx) : TruncPos(t.sx + G - D);
        launch.baseY = G < D ? TruncPos(t.sy + my - G) : TruncPos(t.sy);
        launch.stepX = TruncPos(k * (q ? t.w : t.s + t.w));
        launch.stepY = TruncPos(k * (q ? t.h : t.s + t.h));
        SetVelocity(launch, kv, kv);
        break;
    }
    default: break;
    }
    if (rows && launch.direction >= 8 && launch.direction <= 11) {
        const int ck = TruncPos(c * k);
        const int kf = TruncPos(k * f);
        const bool falling = launch.direction == 8 || launch.direction == 11;
        launch.rowStepX = ck;
        launch.rowStepY = falling ? -ck : ck;
        launch.baseX -= kf;
        launch.baseY += falling ? kf : -kf;
    }
    AddOffsets(launch);
}

void LaunchLightning(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const cCharaBase* ref = Reference(owner, def);
    if (ref == nullptr) {
        return;
    }
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    PlaceLightning(launch, t, *ref);
    if (launch.angle != 0) {
        VelocityFromAngle(launch, launch.angle + DirectionAngle(launch.direction));
    }
    // A stored row count beyond the editor's range would spawn without bound.
    const int rows = std::min(t.p2, static_cast<int>(ShotKindTable()[kLightningKind].Param[1].nMax));
    int x = launch.baseX;
    int y = launch.baseY;
    for (int i = 0; i < t.n; ++i) {
        SHOTLAUNCH row = launch;
        row.x = x;
        row.y = y;
        for (int j = 0; j < rows; ++j) {
            SpawnLaunchObject(list, row, owner, inst, def);
            row.x += row.rowStepX;
            row.y += row.rowStepY;
        }
        x += launch.stepX;
        y += launch.stepY;
    }
}

void LaunchExplosion(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    launch.baseX = TruncPos(t.L + (t.W >> 1) + t.sx - (t.w >> 1)) + t.ox;
    launch.baseY = TruncPos(t.T + (t.H >> 1) + t.sy - (t.h >> 1)) + t.oy;
    double c = DirectionAngle(launch.direction) + launch.angle;
    for (int i = 0; i < t.n; ++i) {
        VelocityFromAngle(launch, c);
        launch.x = launch.baseX;
        launch.y = launch.baseY;
        SpawnLaunchObject(list, launch, owner, inst, def);
        c += 360.0 / t.n;
    }
}

void LaunchSurround(SHOTLIST* list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, SHOTLAUNCH& launch)
{
    const cCharaBase* ref = Reference(owner, def);
    if (ref == nullptr) {
        return;
    }
    const LAUNCHTERMS t = LaunchTerms(owner, def, launch);
    const double r = 16.0 * t.p1;
    const int x0 = TruncPos((ref->gfxWidth >> 1) + ref->screenLeft + t.sx - (t.w >> 1) + t.ox);
    const int y0 = TruncPos((ref->gfxHeight >> 1) + ref->screenTop + t.sy - (t.h >> 1) + t.oy);
    double c = DirectionAngle(launch.direction) + launch.angle;
    for (int i = 0; i < t.n; ++i) {
        launch.x = TruncPos(r * std::cos(c * kDegree) + 0.5) + x0;
        launch.y = TruncPos(r * std::sin(c * kDegree) + 0.5) + y0;
        VelocityFromAngle(launch, c);
        SpawnLaunchObject(list, launch, owner, inst, def);
        c += 360.0 / t.n;
    }
}

const std::array<LaunchFunc, kLaunchKindCount> kLaunchTable = {
    LaunchStraightA, LaunchStraightB, LaunchSpread, LaunchLightning, LaunchExplosion, LaunchSurround,
};

}  // namespace

LaunchFunc FindLaunchFunc(int nKind)
{
    if (nKind < 0 || nKind >= kLaunchKindCount) {
        static std::array<bool, 256> reported{};
        if (!reported[nKind & 0xFF]) {
            reported[nKind & 0xFF] = true;
            ReportLog("Shot launch kind %d is unknown; it launches as kind 0\n", nKind);
        }
        nKind = 0;
    }
    return kLaunchTable[nKind];
}
