// The volley loop of the shot command, the summon launches, aiming, the placement around the owner
// and the spawn of one formation member. The six launch kinds are in ShotLaunchKinds.cpp.
#include "objects/shot/ShotLaunch.h"

#include <cmath>

#include "definitions/InputDirection.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "objects/ISummonStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/cStageField.h"
#include "objects/flow/CommandInstance.h"
#include "objects/item/ItemPickup.h"
#include "objects/shot/cShot.h"
#include "platform/win/Random.h"

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kRadianToDegree = 57.29577951308232;

// The angle of a volley: mirrored for a right-facing owner when asked, then the jitter -j..j.
int VolleyAngle(const cEdShot& def, int nAngle, int nFacing)
{
    int a = nAngle;
    if (def.m_bMirrorAngle && nFacing == 1) {
        a = 360 - a;
    }
    // The generator's value is never negative, so a negative jitter j (2j + 1 is never 0) only
    // turns the angle upward, by |j| .. 3|j| - 2.
    const int j = def.m_nAngleRandom;
    if (j != 0) {
        a += Rand() % (2 * j + 1) - j;
    }
    return a;
}

// The summon's palette entry, or null when it does not exist.
template <class T>
const T* PaletteEntry(const cVector<T>& common, const cVector<T>& stage, const cEdShot& def)
{
    const cVector<T>& list = def.m_nSummonPalette == 0 ? common : stage;
    const int n = def.m_nSummonIndex;
    return (n >= 0 && static_cast<std::size_t>(n) < list.size()) ? &list.data()[n] : nullptr;
}

ISummonStage* SummonStage()
{
    return StageSummonService();
}

// The summon launch shared by the three summon kinds: objects of w x h, speed 1, one volley.
void LaunchSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir, int w, int h)
{
    SHOTLAUNCH launch;
    launch.speed = 1.0;
    launch.width = w;
    launch.height = h;
    launch.direction = ResolveLaunchDirection(static_cast<std::uint8_t>(def.m_nDirection), owner.facing, nInputDir);
    owner.CalcScreenRect();
    launch.offsetX = TruncPos(def.GetOffsetX(0, owner.facing));
    launch.offsetY = TruncPos(def.GetOffsetY(0, owner.facing));
    FindLaunchFunc(static_cast<std::uint8_t>(def.m_nShotKind))(nullptr, owner, inst, def, launch);
}

// A new shot's target link: kept and registered with the target for the homing kinds that follow
// it (3 and 6), cleared otherwise.
void LinkTarget(cShot& shot)
{
    const int kind = shot.def.m_nAimKind;
    cCharaBase* target = (kind == 3 || kind == 6) ? FindChara(shot.target) : nullptr;
    if (target == nullptr) {
        shot.target = OBJECTREF{};
        return;
    }
    if (target->aimingShots.Count(shot.source) == 0) {
        target->aimingShots.push_back(shot.source);
    }
}

}  // namespace

int TruncPos(double d)
{
    if (!(d > -1.0e9 && d < 1.0e9)) {
        return d > 0.0 ? 1000000000 : -1000000000;
    }
    return static_cast<int>(d);
}

LAUNCHTERMS LaunchTerms(const cCharaBase& owner, const cEdShot& def, const SHOTLAUNCH& launch)
{
    LAUNCHTERMS t;
    t.L = owner.screenLeft;
    t.T = owner.screenTop;
    t.R = owner.screenRight;
    t.B = owner.screenBottom;
    t.W = owner.gfxWidth;
    t.H = owner.gfxHeight;
    t.sx = CameraX().dPos;
    t.sy = CameraY().dPos;
    t.cx = TruncPos(t.sx) + t.L + (t.W >> 1);
    t.cy = TruncPos(t.sy) + t.T + (t.H >> 1);
    t.w = launch.width;
    t.h = launch.height;
    t.n = static_cast<std::uint8_t>(def.m_nCount);
    t.p1 = def.m_nKindParam[0];
    t.p2 = def.m_nKindParam[1];
    t.p3 = def.m_nKindParam[2];
    t.s = 16 * t.p1;
    t.g = 8 * t.p1;
    t.v = launch.speed;
    t.k = InvSqrt2;
    t.ox = launch.offsetX;
    t.oy = launch.offsetY;
    return t;
}

int ResolveLaunchDirection(int nStored, int nFacing, int nInputDir)
{
    const bool right = nFacing == 1;
    switch (nStored) {
    case 0: return right ? 3 : 2;
    case 1: return right ? 2 : 3;
    case 4: return right ? 7 : 6;
    case 5: return right ? 6 : 7;
    case 12: return InputDirToDirection(nInputDir, nFacing);
    default: return nStored;
    }
}

int DirectionAngle(int nDirection)
{
    switch (nDirection) {
    case 3: return 180;
    case 6: return 90;
    case 7: return 270;
    case 8: return 45;
    case 9: return 315;
    case 10: return 135;
    case 11: return 225;
    default: return 0;
    }
}

void VelocityFromAngle(SHOTLAUNCH& launch, double dAngle)
{
    launch.vx = -std::cos(dAngle * kDegree) * launch.speed;
    launch.vy = -std::sin(dAngle * kDegree) * launch.speed;
}

void LaunchShots(SHOTLIST& list, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir)
{
    SHOTLAUNCH launch;
    launch.width = launch.height = 16 * def.m_nSize;
    launch.direction = ResolveLaunchDirection(static_cast<std::uint8_t>(def.m_nDirection), owner.facing, nInputDir);
    // The screen rectangles of computer-operated objects may be stale here; the placement and the
    // aim read them.
    if (owner.IsComputer()) {
        owner.CalcScreenRect();
    }
    cCharaBase* target = FindChara(owner.target);
    if (target != nullptr && target->IsComputer()) {
        target->CalcScreenRect();
    }
    launch.speed = def.m_nSpeed * 0.1;
    launch.angle = VolleyAngle(def, def.m_nAngle, owner.facing);
    launch.range = def.m_nRange;
    launch.lifetime = def.m_nLifeTime;
    const int volleys = static_cast<std::uint8_t>(def.m_nRepeat) + 1;
    const LaunchFunc handler = FindLaunchFunc(static_cast<std::uint8_t>(def.m_nShotKind));
    for (int i = 0; i < volleys; ++i) {
        launch.volleyIndex = static_cast<std::int16_t>(i);
        launch.offsetX = TruncPos(def.GetOffsetX(i, owner.facing));
        launch.offsetY = TruncPos(def.GetOffsetY(i, owner.facing));
        handler(&list, owner, inst, def, launch);
        launch.speed += def.m_nSpeedStep * 0.1;
        launch.angle = VolleyAngle(def, def.m_nAngle + def.m_nAngleStep * (i + 1), owner.facing);
        launch.range += def.m_nRangeStep;
        launch.lifetime += def.m_nLifeTimeStep;
    }
}

void LaunchBlockSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir)
{
    if (PaletteEntry(CommonPalette.m_PaletteBlock, Stage.m_PaletteBlock, def) == nullptr) {
        return;
    }
    if (def.m_nBlockSummon == 2) {
        if (ISummonStage* stage = SummonStage()) {
            stage->BeginBlockSummon();
        }
    }
    LaunchSummon(owner, inst, def, nInputDir, 32, 32);
}

void LaunchCharaSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir)
{
    const cEdChara* chara = PaletteEntry(CommonPalette.m_PaletteChara, Stage.m_PaletteChara, def);
    // Only computer-operated characters are summoned.
    if (chara == nullptr || chara->m_nController == 0) {
        return;
    }
    const int size = chara->m_nScale * 32;
    LaunchSummon(owner, inst, def, nInputDir, size, size);
}

void LaunchItemSummon(cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def, int nInputDir)
{
    const cEdItem* item = PaletteEntry(CommonPalette.m_PaletteItem, Stage.m_PaletteItem, def);
    if (item == nullptr) {
        return;
    }
    const int size = item->m_nScale * 32;
    LaunchSummon(owner, inst, def, nInputDir, size, size);
}

int AimAngleAtTarget(int x, int y, const cCharaBase& owner, cEdShot& def, SHOTLAUNCH& launch)
{
    const cCharaBase* target = FindChara(owner.target);
    if (target == nullptr) {
        return owner.facing == 1 ? 180 : 0;
    }
    const cScroll& camX = CameraX();
    const cScroll& camY = CameraY();
    const double sx = camX.dPos;
    const double sy = camY.dPos;
    const bool autoScrolls = (camX.dSpeed != 0.0 && !camX.bAtLimit) || (camY.dSpeed != 0.0 && !camY.bAtLimit);
    if (autoScrolls && !def.m_bScrollSync && target->syncScroll) {
        // The target rides the camera: aim on the course that meets it.
        const double u = ScrollUnit();
        const double sp = (def.m_nSpeed + launch.volleyIndex * def.m_nSpeedStep) * 0.1 / u;
        AimRequest aim;
        aim.target = target;
        aim.fromX = x - TruncPos(sx);
        aim.fromY = y - TruncPos(sy);
        aim.toX = target->ScreenCentreX();
        aim.toY = target->ScreenCentreY();
        aim.speed = sp;
        aim.noFlee = true;
        const AimVelocity v = cGameObject::CalcAimVelocity(aim);
        launch.speed = std::sqrt(v.vx * v.vx + v.vy * v.vy) * u;
        return TruncPos(std::atan2(v.vy, v.vx) * kRadianToDegree + 180.0);
    }
    const double dx = TruncPos(sx) + (target->gfxWidth >> 1) + target->screenLeft - x;
    const double dy = TruncPos(sy) + (target->gfxHeight >> 1) + target->screenTop - y;
    return TruncPos(std::atan2(dy, dx) * kRadianToDegree + 180.0 + 0.5);
}

void PlaceAroundOwner(SHOTLAUNCH& launch, const cCharaBase& owner, double a)
{
    const double k = InvSqrt2;
    const int w = launch.width;
    const int h = launch.height;
    const int L = owner.screenLeft;
    const int T = owner.screenTop;
    const int W = owner.gfxWidth;
    const int H = owner.gfxHeight;
    const double r = k * (owner.screenBottom + (h >> 1) - T - (H >> 1) + 1);
    const double t = k * ((w >> 1) + owner.screenRight - L - (W >> 1) + 1);
    const double b = (a + 225.0) * kDegree;
    launch.baseX = TruncPos(L + (W >> 1) + CameraX().dPos + (r * std::sin(b) + t * std::cos(b)) - (w >> 1));
    launch.baseY = TruncPos(T + (H >> 1) + CameraY().dPos + (t * std::sin(b) - r * std::cos(b)) - (h >> 1));
}

void SpawnLaunchObject(SHOTLIST* list, SHOTLAUNCH& launch, cCharaBase& owner, const COMMANDINSTANCE& inst, cEdShot& def)
{
    if (inst.command == nullptr || lpStageField == nullptr) {
        return;
    }
    switch (inst.command->m_nKind) {
    case SHOTCMD_SHOT: {
        if (list == nullptr) {
            return;
        }
        cShot shot;
        shot.Init(lpStageField->m_nShotSerial, owner, SHOTCMD_SHOT, def, launch);
        cShot& stored = AddShotObject(*list, shot);
        ++lpStageField->m_nShotSerial;
        LinkTarget(stored);
        break;
    }
    case 13: {
        const cEdBlock* block = PaletteEntry(CommonPalette.m_PaletteBlock, Stage.m_PaletteBlock, def);
        ISummonStage* stage = SummonStage();
        if (block != nullptr && stage != nullptr) {
            stage->SummonBlockAt(launch.x, launch.y, owner.facing, def, *block);
        }
        break;
    }
    case 14: {
        const cEdChara* chara = PaletteEntry(CommonPalette.m_PaletteChara, Stage.m_PaletteChara, def);
        ISummonStage* stage = SummonStage();
        if (chara == nullptr || stage == nullptr) {
            return;
        }
        const int facing = def.m_bSummonReverse ? 1 - owner.facing : owner.facing;
        // A faction mode outside 0..2 keeps the character's own faction.
        int faction = chara->m_nFaction;
        if (def.m_nSummonFaction == 1) {
            faction = owner.faction;
        } else if (def.m_nSummonFaction == 2) {
            faction = def.m_nFaction;
        }
        stage->SummonCharaAt(launch.x, launch.y, faction, facing, owner.facing, def, *chara);
        break;
    }
    case 15:
        if (const cEdItem* item = PaletteEntry(CommonPalette.m_PaletteItem, Stage.m_PaletteItem, def)) {
            SummonItem(launch.x, launch.y, *item, SummonLifetime(def.m_bLimitTime, def.m_nLifeTime));
        }
        break;
    default: break;
    }
}
