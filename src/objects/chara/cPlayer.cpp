#include "objects/chara/cPlayer.h"

#include <algorithm>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/FlowInsertion.h"
#include "objects/item/ItemCommandTable.h"
#include "project/cSystemData.h"

namespace {

// The walking or flying hit size of the player from the stage: offsets, size.
struct HITBOX {
    int ox;
    int oy;
    int w;
    int h;
};

HITBOX PlayerHitBox(bool flying)
{
    const int w = flying ? Stage.m_nHeroBodyFlyW : Stage.m_nHeroBodyW;
    const int h = flying ? Stage.m_nHeroBodyFlyH : Stage.m_nHeroBodyH;
    const int bottomAligned = flying ? Stage.m_nHeroBodyFlyAlign : Stage.m_nHeroBodyAlign;
    return HITBOX{(32 - w) >> 1, bottomAligned ? 32 - h : (32 - h) >> 1, w, h};
}

// A box of size w x h centred in the cell (or standing on its bottom), relative to the hit box.
void PlaceBox(BOXRECT& box, const HITBOX& hit, int w, int h, int bottomAligned)
{
    box.Set(16 - hit.ox - w / 2, bottomAligned ? 32 - hit.oy - h : 16 - hit.oy - h / 2, w, h);
}

BOXDISPLAY DisplayEntry(int kind, int mode, int colourIndex, int width, int height)
{
    BOXDISPLAY entry;
    entry.kind = kind;
    entry.mode = mode;
    entry.colour = 208 + 4 * colourIndex;
    entry.width = width;
    entry.height = height;
    entry.phase = 0;
    return entry;
}

// The camera position that puts a box of the given size in the middle of the view, kept inside
// the scroll area.
void FollowWith(cScroll& axis, double dPos, int nSize, int nHalfView)
{
    axis.dPos = dPos - (nHalfView - nSize / 2);
    if (axis.dPos < axis.nMin) {
        axis.dPos = axis.nMin;
    } else if (axis.dPos + axis.nView > axis.nMax) {
        axis.dPos = axis.nMax - axis.nView;
        // A scroll area smaller than the view shows its start, as the camera's own clamp does.
        if (axis.dPos < axis.nMin) {
            axis.dPos = axis.nMin;
        }
    }
}

}  // namespace

cPlayer::~cPlayer() = default;

void cPlayer::InitFromTemplate(int nSource, cEdChara& d, double dSpawnX, double dSpawnY)
{
    if (d.m_nScale == 0) {
        d.m_nScale = 1;
    }
    source = nSource;
    Init(&d, dSpawnX, dSpawnY, 0);
    const HITBOX walking = PlayerHitBox(false);
    cGameObject::Init(cGameObject::INITVALUES{.nSource = nSource,
                                              .nValue2 = def.m_nController,
                                              .nValue3 = def.m_nCharaOpt26,
                                              .nFaction = def.m_nFaction,
                                              .nPicture = def.m_nGraphic,
                                              .nGfxOffsetX = walking.ox,
                                              .nGfxOffsetY = walking.oy,
                                              .nHitWidth = walking.w,
                                              .nHitHeight = walking.h,
                                              .nGfxWidth = 32,
                                              .nGfxHeight = 32,
                                              .nFacing = 1});
    // The stage has one input controller; a definition naming another would index past it.
    controlSlot = 0;
    SetFlight(def.m_nFlying, 0);
    SetScale(def.m_nScale, 1);
    facing = def.m_nDirection;
    prevFacing = facing;
    canJump = 1;
    floorNoJump = 0;
    jumpDone = 0;
    floorEffectKind = 0;
    floorEffectValue = 0.0;
    spare5 = 0;
    floorEffectTimer = 0;
    blockItemTimer = 0;
    flowFrames = 0;
    actsThisFrame = 0;
    pendingItemCommands.clear();
    speedFactor = 4.0 / ScrollUnit();
    BuildBoxDisplay();
    itemContacts.clear();
    InsertCharaFlows(*this, def.m_Flow, facing, 0, -1);
}

void cPlayer::SetFlight(int nFlightKind, int applyScale)
{
    const std::int32_t wasFlying = noGravity;
    def.m_nFlying = static_cast<std::int8_t>(nFlightKind);
    SetFlightKind(nFlightKind);
    if (noGravity != wasFlying) {
        frameCountdown = 2;
        if (wasFlying) {
            vx = vy = ax = ay = 0.0;
        }
    }
    SetHitBoxForFlight();
    SetContactBoxes();
    if (applyScale) {
        const int n = def.m_nScale < 1 ? 1 : def.m_nScale;
        hitWidth *= n;
        hitHeight *= n;
        gfxOffsetX *= n;
        gfxOffsetY *= n;
        gfxWidth *= n;
        gfxHeight *= n;
        bodyBox.Scale(n);
        shotBox.Scale(n);
        itemBox.Scale(n);
    }
    BuildBoxDisplay();
}

void cPlayer::SetHitBoxForFlight()
{
    const HITBOX hit = PlayerHitBox(noGravity != 0);
    hitWidth = baseHitWidth = hit.w;
    hitHeight = baseHitHeight = hit.h;
    gfxOffsetX = baseGfxOffsetX = hit.ox;
    gfxOffsetY = baseGfxOffsetY = hit.oy;
    gfxWidth = baseGfxWidth = 32;
    gfxHeight = baseGfxHeight = 32;
}

void cPlayer::SetContactBoxes()
{
    const bool flying = noGravity != 0;
    const HITBOX hit = PlayerHitBox(flying);
    switch (def.m_nRangeKind) {
    case 0:
        if (flying) {
            PlaceBox(bodyBox, hit, Stage.m_nHeroCharaRangeFlyW, Stage.m_nHeroCharaRangeFlyH,
                     Stage.m_nHeroCharaRangeFlyAlign);
        } else {
            PlaceBox(bodyBox, hit, Stage.m_nHeroCharaRangeW, Stage.m_nHeroCharaRangeH, Stage.m_nHeroCharaRangeAlign);
        }
        break;
    case 1: PlaceBox(bodyBox, hit, Stage.m_nHeroShotRangeW, Stage.m_nHeroShotRangeH, 0); break;
    case 2: PlaceBox(bodyBox, hit, Stage.m_nHeroShotW, Stage.m_nHeroShotH, 0); break;
    default: PlaceBox(bodyBox, hit, 32, 32, 0); break;
    }
    PlaceBox(shotBox, hit, Stage.m_nHeroShotRangeW, Stage.m_nHeroShotRangeH, 0);
    PlaceBox(itemBox, hit, Stage.m_nHeroRect4W, Stage.m_nHeroRect4H, 0);
}

void cPlayer::BuildBoxDisplay()
{
    boxDisplay.clear();
    boxDisplay.push_back(DisplayEntry(0, Stage.m_nHeroShow0, Stage.m_nHeroColor0, hitWidth, hitHeight));
    boxDisplay.push_back(DisplayEntry(2, Stage.m_nHeroShow3, Stage.m_nHeroColor3, itemBox.width, itemBox.height));
    boxDisplay.push_back(DisplayEntry(1, Stage.m_nHeroShow1, Stage.m_nHeroColor1, bodyBox.width, bodyBox.height));
    boxDisplay.push_back(DisplayEntry(3, Stage.m_nHeroShow2, Stage.m_nHeroColor2, shotBox.width, shotBox.height));
    std::stable_sort(boxDisplay.begin(), boxDisplay.end(), [](const BOXDISPLAY& a, const BOXDISPLAY& b) {
        return static_cast<long long>(a.width) * a.height > static_cast<long long>(b.width) * b.height;
    });
}

void cPlayer::CalcScreenRect()
{
    const cScroll& camX = CameraX();
    const cScroll& camY = CameraY();
    if (camX.bAuto) {
        screenLeft = static_cast<int>(x) - static_cast<int>(camX.dPos) - gfxOffsetX;
    } else {
        screenLeft = static_cast<int>(x - camX.dPos - gfxOffsetX);
    }
    screenRight = screenLeft + gfxWidth - 1;
    if (camY.bAuto) {
        screenTop = static_cast<int>(y) - static_cast<int>(camY.dPos) - gfxOffsetY;
    } else {
        screenTop = static_cast<int>(y - camY.dPos - gfxOffsetY);
    }
    screenBottom = screenTop + gfxHeight - 1;
}

void cPlayer::OnScaleChanged(int nNewFactor)
{
    bodyBox.Scale(nNewFactor);
    shotBox.Scale(nNewFactor);
    itemBox.Scale(nNewFactor);
}

void cPlayer::AfterClampX()
{
    bodyBox.PlaceX(x);
    shotBox.PlaceX(x);
    itemBox.PlaceX(x);
}

void cPlayer::AfterClampY()
{
    bodyBox.PlaceY(y);
    shotBox.PlaceY(y);
    itemBox.PlaceY(y);
}

int cPlayer::AdjustPosX()
{
    cScroll& camera = CameraX();
    if (!camera.bAuto) {
        FollowWith(camera, x, hitWidth, 320);
    }
    return ClampToStageX(noGravity ? 0 : 1);
}

int cPlayer::AdjustPosY()
{
    cScroll& camera = CameraY();
    if (!camera.bAuto) {
        FollowWith(camera, y, hitHeight, 240);
    }
    return ClampToStageY(noGravity ? 0 : 1);
}

int cPlayer::MoveStepX()
{
    if (knockX != 0.0) {
        vx = knockX;
    } else if (ax != 0.0) {
        DecaySpeed(ax, decayX);
        if (floorEffectTimer != 0 && floorEffectKind == 3) {
            const double change = SpeedPerFrame(speedFactor) * (floorEffectValue - 1.0);
            // The floor scales a run in its own direction; a run that the decay has just
            // stopped stays stopped instead of being pushed to the left.
            if (ax > 0.0) {
                ax += change;
                if (ax < 0.0) {
                    ax = 0.0;
                }
            } else if (ax < 0.0) {
                ax -= change;
                if (ax > 0.0) {
                    ax = 0.0;
                }
            }
        }
        vx += ax;
    }
    const double limit = SubMaxSpeed();
    if (vx > limit) {
        vx = limit;
    } else if (vx < -limit) {
        vx = -limit;
    }
    x += vx;
    AdjustPosX();
    return 0;
}

int cPlayer::MoveStepY()
{
    ApplyImpactY();
    if (noGravity && knockY == 0.0 && ay != 0.0) {
        DecaySpeed(ay, decayY);
        vy += ay;
    }
    const int r = MoveY(noGravity ? 0 : 2);
    AdjustPosY();
    if (!noGravity && (r == 5 || r == 6)) {
        return 7;
    }
    return r;
}

int cPlayer::RunFlows(int deathOnly)
{
    if (lpStageField != nullptr) {
        lpStageField->m_pCurrentObject = this;
        lpStageField->m_bHpCheck = 0;
    }
    if (SystemData.bScrollSyncVariant) {
        if (noGravity) {
            vx = CameraX().SyncSpeed();
            vy = CameraY().SyncSpeed();
        } else {
            vx = 0.0;
        }
    } else if (syncScroll) {
        vx = CameraX().SyncSpeed();
        if (noGravity) {
            vy = CameraY().SyncSpeed();
        }
    } else {
        vx = 0.0;
        if (noGravity) {
            vy = 0.0;
        }
    }
    jumpDone = 0;
    ResetForFlowRun();
    // A flow after which HP is 0 or below (outside the death flows) ends the run at once.
    // The pending item commands run before the flows marked for deletion are erased and the
    // ended groups released.
    const int stopped = StepCharaFlows(*this, deathOnly, 0);
    if (lpStageField != nullptr) {
        lpStageField->m_pCurrentObject = nullptr;
    }
    if (stopped) {
        return 1;
    }
    RunPendingItemCommands(*this);
    FinishCharaFlowStep(*this);
    ++flowFrames;
    SetIdlePattern();
    if (jumpDone == 0) {
        actsThisFrame = 0;
        canJump = 1;
        jumpLocked = 0;
    }
    return hp <= 0 ? 1 : 0;
}
