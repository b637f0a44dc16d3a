#include "objects/shot/cShot.h"

#include <cmath>
#include <cstdlib>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/shot/ShotHoming.h"
#include "objects/shot/ShotLaunch.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"

namespace {

// The shot cell of the shot sheet.
constexpr int kShotCell = 16;

int CellOf(double dPos)
{
    return static_cast<int>(dPos) >> 5;
}

PatternTable BuildShotPatterns()
{
    PatternTable table(2);
    table[0] = cVector<PATTERNSTEP>{{0, 7, 0}, {1, 7, 0}, {2, 7, 0}, {kPatternEnd, 0, 0}};
    table[1] = cVector<PATTERNSTEP>{{0, 8, 0}, {1, 8, 0}, {kPatternLoop, 0, 0}};
    return table;
}

// The step at sub-step 0 and the following ones of a dimension test: 0, 32, 64 ... with the last
// one at size - 1.
template <class F>
bool AnyOffset(int nSize, F test)
{
    for (int d = 0;; d += 32) {
        const int at = d < nSize - 1 ? d : nSize - 1;
        if (test(at)) {
            return true;
        }
        if (at >= nSize - 1) {
            return false;
        }
    }
}

}  // namespace

const PatternTable& ShotPatterns()
{
    static const PatternTable table = BuildShotPatterns();
    return table;
}

cShot::cShot() = default;

cShot::~cShot() = default;

const cDbSwordType* cShot::SwordEntry() const
{
    const int n = def.m_nAimKind;
    if (n < 0 || static_cast<std::size_t>(n) >= Database.SwordType.size()) {
        return nullptr;
    }
    const cDbSwordType& entry = Database.SwordType[n];
    return entry.FrameList.empty() ? nullptr : &entry;
}

const cDbSwordFrame* cShot::SwordFrame() const
{
    const cDbSwordType* entry = SwordEntry();
    if (entry == nullptr || swordStep < 0 || static_cast<std::size_t>(swordStep) >= entry->FrameList.size()) {
        return nullptr;
    }
    return &entry->FrameList[swordStep];
}

void cShot::Init(int nSerial, const cCharaBase& owner, int commandKind, cEdShot& definition, const SHOTLAUNCH& launch)
{
    if (definition.m_nSize == 0) {
        definition.m_nSize = 1;
    }
    def = definition;
    int nFacing = owner.facing;
    if (launch.vx > 0.0) {
        nFacing = 1;
    } else if (launch.vx < 0.0) {
        nFacing = 0;
    }
    isShot = commandKind == SHOTCMD_SWORD ? 0 : 1;
    int w = kShotCell;
    int h = kShotCell;
    if (!isShot) {
        const cDbSwordFrame* first = SwordFrame();
        w = first != nullptr ? first->nWidth : 0;
        h = first != nullptr ? first->nHeight : 0;
    }
    ownerSource = owner.source;
    cGameObject::Init(cGameObject::INITVALUES{.nSource = nSerial,
                                              .nValue2 = owner.value2,
                                              .nValue3 = owner.value3,
                                              .nFaction = def.m_nFaction,
                                              .nPicture = def.m_nShotGraphic,
                                              .patternTable = &ShotPatterns(),
                                              .nFirstPattern = isShot ? 1 : 0,
                                              .nHitWidth = w,
                                              .nHitHeight = h,
                                              .nGfxWidth = kShotCell,
                                              .nGfxHeight = kShotCell,
                                              .nFacing = nFacing,
                                              .nFlightKind = 1,
                                              .nMemberIndex = launch.volleyIndex});
    if (def.m_bOwnerFaction) {
        def.m_nFaction = owner.def.m_nFaction;
        faction = def.m_nFaction;
    }
    if (isShot) {
        const int aw = owner.value2 == 0 ? Stage.m_nHeroShotW : Stage.m_nCharaShotW;
        const int ah = owner.value2 == 0 ? Stage.m_nHeroShotH : Stage.m_nCharaShotH;
        baseAttackOffsetX = kShotCell / 2 - (aw >> 1);
        baseAttackOffsetY = kShotCell / 2 - (ah >> 1);
        baseAttackWidth = aw;
        baseAttackHeight = ah;
    } else {
        baseAttackOffsetX = baseAttackOffsetY = 0;
        baseAttackWidth = w;
        baseAttackHeight = h;
    }
    attackOffsetX = baseAttackOffsetX;
    attackOffsetY = baseAttackOffsetY;
    attackWidth = baseAttackWidth;
    attackHeight = baseAttackHeight;
    SetScale(def.m_nSize, 1);
    x = launch.x;
    ClampToFieldX();
    y = launch.y;
    ClampToStageY(2);
    const double u = ScrollUnit();
    stepVx = launch.vx / u;
    stepVy = launch.vy / u;
    if (def.m_bAccel) {
        accelOn = 1;
        accelMagnitude = (def.m_nAccel + def.m_nAccelStep * memberIndex) * 0.1 / u;
        SetAccelAlong(ax, ay, launch.vx, launch.vy);
    } else {
        accelOn = 0;
        accelMagnitude = ax = ay = 0.0;
    }
    vx = vy = 0.0;
    syncScroll = def.m_bScrollSync;
    if (def.m_bLimitTime) {
        lifeLeft = static_cast<int>(launch.lifetime * u * 6);
    }
    if (def.m_bLimitRange) {
        double a = launch.range * 16.0 - hitWidth;
        a = a < 0.0 ? 0.0 : a;
        const double d = std::fabs(launch.speed / u);
        if (a > 0.0 && d > 0.0) {
            rangeLeft = static_cast<int>(a / d);
        } else {
            rangeLeft = static_cast<int>(u);
            if (static_cast<int>(u * d) > hitWidth) {
                rangeLeft = static_cast<int>(hitWidth / d);
            }
        }
        const double sum = std::fabs(launch.vx) + std::fabs(launch.vy);
        // A range covered within one frame: the whole range is spread over the frame's sub-steps
        // (a shot standing still has no direction to spread it along).
        if (rangeLeft < u) {
            if (sum > 0.0) {
                stepVx = (a / u) * launch.vx / sum;
                stepVy = (a / u) * launch.vy / sum;
            }
            rangeLeft = static_cast<int>(u);
        }
    }
    counter = swordStep = 0;
    homingStart = homingEnd = homingDone = 0;
    target = owner.target;
}

void cShot::OnScaleChanged(int nNewFactor)
{
    attackOffsetX = baseAttackOffsetX * nNewFactor;
    attackOffsetY = baseAttackOffsetY * nNewFactor;
    attackWidth = baseAttackWidth * nNewFactor;
    attackHeight = baseAttackHeight * nNewFactor;
}

void cShot::OnScaleShift(int nNewFactor, int nOldFactor)
{
    if (nNewFactor == nOldFactor) {
        return;
    }
    y -= (nNewFactor - nOldFactor) * (baseHitHeight >> 1);
    ClampToStageY(2);
}

void cShot::AfterClampX()
{
    attackLeft = static_cast<int>(x) + attackOffsetX;
    attackRight = attackLeft + attackWidth - 1;
}

void cShot::AfterClampY()
{
    attackTop = static_cast<int>(y) + attackOffsetY;
    attackBottom = attackTop + attackHeight - 1;
}

void cShot::SetAccelAlong(double& outAx, double& outAy, double dVx, double dVy) const
{
    const double m = accelMagnitude;
    if (dVx == 0.0 && dVy == 0.0) {
        outAx = outAy = 0.0;
    } else if (dVx == 0.0) {
        outAx = 0.0;
        outAy = dVy < 0.0 ? -SpeedPerFrame(m) : SpeedPerFrame(m);
    } else if (dVy == 0.0) {
        outAx = dVx < 0.0 ? -SpeedPerFrame(m) : SpeedPerFrame(m);
        outAy = 0.0;
    } else {
        const double l = std::sqrt(dVx * dVx + dVy * dVy);
        outAx = SpeedPerFrame(dVx / l * m);
        outAy = SpeedPerFrame(dVy / l * m);
    }
}

int cShot::Update()
{
    if (!isShot) {
        return UpdateSword();
    }
    const cScroll& camX = CameraX();
    const cScroll& camY = CameraY();
    if (!SystemData.bScrollSyncVariant && syncScroll) {
        vx = camX.SyncSpeed();
        if (noGravity) {
            vy = camY.SyncSpeed();
        }
    } else {
        vx = 0.0;
        if (noGravity) {
            vy = 0.0;
        }
    }
    RunShotHoming(*this);
    if (accelOn) {
        stepVx += ax;
        if (noGravity) {
            stepVy += ay;
        } else {
            vy += ay;
        }
    }
    vx += stepVx;
    if (noGravity) {
        vy += stepVy;
    }
    if (def.m_bLimitTime) {
        if (lifeLeft <= 0) {
            return 1;
        }
        --lifeLeft;
    }
    if (vx > 0.0) {
        facing = 1;
    } else if (vx < 0.0) {
        facing = 0;
    }
    if (def.m_bLimitRange) {
        if (rangeLeft > 0) {
            --rangeLeft;
            return 0;
        }
        if (!def.m_bStopAtRange) {
            return 1;
        }
        stepVx = stepVy = 0.0;
        def.m_nAimKind = 0;
        if (syncScroll) {
            if (!camX.bAtLimit) {
                vx = camX.dSpeed;
            }
            if (noGravity && !camY.bAtLimit) {
                vy = camY.dSpeed;
            }
        } else {
            vx = vy = 0.0;
        }
    }
    return 0;
}

int cShot::UpdateSword()
{
    cCharaBase* owner = FindCharaBySource(ownerSource);
    const cDbSwordType* entry = SwordEntry();
    const cDbSwordFrame* p = SwordFrame();
    if (owner == nullptr || entry == nullptr || p == nullptr) {
        return 1;
    }
    owner->CalcScreenRect();
    facing = owner->facing;
    const int k = def.m_nSize;
    if (counter == 0) {
        gfxWidth = hitWidth = attackWidth = k * p->nWidth;
        gfxHeight = hitHeight = attackHeight = k * p->nHeight;
        baseGfxWidth = baseHitWidth = baseAttackWidth = p->nWidth;
        baseGfxHeight = baseHitHeight = baseAttackHeight = p->nHeight;
    }
    const double sx = CameraX().dPos;
    const double sy = CameraY().dPos;
    const int w = gfxWidth;
    const int h = gfxHeight;
    const int L = owner->screenLeft;
    const int T = owner->screenTop;
    const int R = owner->screenRight;
    const int B = owner->screenBottom;
    switch (p->nPlace) {
    case 0:
        x = owner->facing == 0 ? L + sx - w : R + sx + 1;
        y = T + (owner->gfxHeight >> 1) + sy - (h >> 1);
        break;
    case 1:
        facing = owner->facing == 0 ? 1 : 0;
        x = owner->facing == 0 ? R + sx + 1 : L + sx - w;
        y = T + (owner->gfxHeight >> 1) + sy - (h >> 1);
        break;
    case 2:
        x = L + (owner->gfxWidth >> 1) + sx - (w >> 1);
        y = T + sy - h;
        break;
    case 3:
        x = L + (owner->gfxWidth >> 1) + sx - (w >> 1);
        y = B + sy + 1;
        break;
    default: break;
    }
    if (owner->facing == 0) {
        x += k * p->nOffsetX;
        y += k * p->nOffsetY;
    } else {
        x += p->bMirrorX ? -k * p->nOffsetX : k * p->nOffsetX;
        y += p->bMirrorY ? -k * p->nOffsetY : k * p->nOffsetY;
    }
    ClampToFieldX();
    ClampToStageY(2);
    ++counter;
    if (counter > p->nTime * SubStepCount() * 6) {
        counter = 0;
        ++swordStep;
        if (static_cast<std::size_t>(swordStep) >= entry->FrameList.size()) {
            return 1;
        }
    }
    return 0;
}

int cShot::MoveX()
{
    if (ax != 0.0) {
        vx += ax;
    }
    if (vx != 0.0) {
        const double limit = SubMaxSpeed();
        if (vx > limit) {
            vx = limit;
        } else if (vx < -limit) {
            vx = -limit;
        }
        x += vx;
        ClampToFieldX();
    }
    return 0;
}

int cShot::MoveY()
{
    if (ay != 0.0) {
        vy += ay;
    }
    if (vy != 0.0) {
        cGameObject::MoveY(2);
        ClampToStageY(2);
    }
    return 0;
}

int cShot::ClampToFieldX()
{
    const int field = CameraX().nFieldSize;
    int result = 0;
    if (x < 0.0) {
        x = 0.0;
        result = 3;
    } else if (x + hitWidth - 1 >= field) {
        x = field - hitWidth;
        result = 3;
    }
    right = x + hitWidth - 1;
    AfterClampX();
    leftCell = CellOf(x);
    rightCell = CellOf(right);
    return result;
}

bool cShot::HitsBlock() const
{
    if (def.m_nBlockMode == 1) {
        return false;
    }
    if (hitWidth <= 32) {
        return HitsBlockAtCorners();
    }
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    return AnyOffset(hitHeight, [&](int dy) {
        return AnyOffset(hitWidth, [&](int dx) {
            MAPCELL* cell = MapCellAt((left + dx) >> 5, (top + dy) >> 5);
            return cell != nullptr && IsBlockSolidFor(*cell, faction) != 0;
        });
    });
}

cShot& AddShotObject(std::list<cShot>& list, const cShot& shot)
{
    cShot& stored = list.emplace_back(shot);
    if (lpStageField != nullptr) {
        lpStageField->m_ShotLayer[stored.faction].push_back(&stored);
    }
    return stored;
}

std::list<cShot>::iterator EraseShot(std::list<cShot>& list, std::list<cShot>::iterator pos)
{
    cShot& shot = *pos;
    if (lpStageField != nullptr && shot.faction >= 0 && shot.faction < cStageField::kFactionCount) {
        SHOTGROUP& group = lpStageField->m_ShotLayer[shot.faction];
        for (auto it = group.begin(); it != group.end(); ++it) {
            if (*it == &shot) {
                group.erase(it);
                break;
            }
        }
    }
    if (cCharaBase* aimedAt = FindChara(shot.target)) {
        aimedAt->aimingShots.Remove(shot.source);
    }
    return list.erase(pos);
}

cShot* FindShotBySource(int nSource)
{
    if (lpStageField == nullptr) {
        return nullptr;
    }
    for (cShot& shot : lpStageField->m_ShotList) {
        if (shot.source == nSource) {
            return &shot;
        }
    }
    return nullptr;
}

void ClearShots()
{
    if (lpStageField == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < lpStageField->m_ShotLayer.size(); ++i) {
        lpStageField->m_ShotLayer.data()[i].clear();
    }
    lpStageField->m_ShotList.clear();
}

void ReleaseAimingShots(cCharaBase& chara)
{
    const OBJECTREF self = CharaRef(chara.source);
    for (const std::int32_t number : chara.aimingShots) {
        cShot* shot = FindShotBySource(number);
        if (shot != nullptr && shot->target == self) {
            shot->target = OBJECTREF{};
        }
    }
    chara.aimingShots.clear();
}
