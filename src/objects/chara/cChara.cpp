#include "objects/chara/cChara.h"

#include "definitions/cEdStage.h"
#include "objects/ObjectSounds.h"
#include "objects/StageObjects.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/FlowInsertion.h"
#include "objects/shot/cShot.h"
#include "project/cSystemData.h"

namespace {

// Offset of a box of size w x h in the 32 x 32 cell relative to the hit box at (ox, oy):
// centred, or standing on the cell's bottom.
void PlaceBoxInCell(BOXRECT& box, int ox, int oy, int w, int h, int bottomAligned)
{
    const int offsetX = 16 - ox - w / 2;
    const int offsetY = bottomAligned ? 32 - oy - h : 16 - oy - h / 2;
    box.Set(offsetX, offsetY, w, h);
}

bool IsLinkIndex(int n)
{
    return n >= 0 && n < cStageField::kLinkFlagCount;
}

}  // namespace

cChara::~cChara() = default;

void cChara::InitFromTemplate(int nSource, cEdChara& d, const cItem* heldItemTemplate, double dSpawnX, double dSpawnY,
                              int nMemberIndex)
{
    if (d.m_nScale == 0) {
        d.m_nScale = 1;
    }
    // The object number first, so that the hero learns of this character by it.
    source = nSource;
    Init(&d, dSpawnX, dSpawnY, nMemberIndex);

    const bool flying = def.m_nFlying != 0;
    int w = 32;
    int h = 32;
    int ox = 0;
    int oy = 0;
    if (!def.m_bFullCell) {
        w = flying ? Stage.m_nCharaBodyFlyW : Stage.m_nCharaBodyW;
        h = flying ? Stage.m_nCharaBodyFlyH : Stage.m_nCharaBodyH;
        const int bottomAligned = flying ? Stage.m_nCharaBodyFlyAlign : Stage.m_nCharaBodyAlign;
        ox = (32 - w) >> 1;
        oy = bottomAligned ? 32 - h : (32 - h) >> 1;
    }
    cGameObject::Init(cGameObject::INITVALUES{.nSource = nSource,
                                              .nValue2 = def.m_nController,
                                              .nValue3 = def.m_nCharaOpt26,
                                              .nFaction = def.m_nFaction,
                                              .nPicture = def.m_nGraphic,
                                              .nGfxOffsetX = ox,
                                              .nGfxOffsetY = oy,
                                              .nHitWidth = w,
                                              .nHitHeight = h,
                                              .nGfxWidth = 32,
                                              .nGfxHeight = 32,
                                              .nFacing = def.m_nDirection,
                                              .nFlightKind = def.m_nFlying,
                                              .nMemberIndex = nMemberIndex});

    if (def.m_bFullCell) {
        bodyBox.Set(0, 0, 32, 32);
        shotBox.Set(0, 0, 32, 32);
    } else {
        switch (def.m_nRangeKind) {
        case 0:
            if (flying) {
                PlaceBoxInCell(bodyBox, ox, oy, Stage.m_nCharaCharaRangeFlyW, Stage.m_nCharaCharaRangeFlyH,
                               Stage.m_nCharaCharaRangeFlyAlign);
            } else {
                PlaceBoxInCell(bodyBox, ox, oy, Stage.m_nCharaCharaRangeW, Stage.m_nCharaCharaRangeH,
                               Stage.m_nCharaCharaRangeAlign);
            }
            break;
        case 1: PlaceBoxInCell(bodyBox, ox, oy, Stage.m_nCharaShotRangeW, Stage.m_nCharaShotRangeH, 0); break;
        case 2: PlaceBoxInCell(bodyBox, ox, oy, Stage.m_nCharaShotW, Stage.m_nCharaShotH, 0); break;
        default: PlaceBoxInCell(bodyBox, ox, oy, gfxWidth, gfxHeight, 0); break;
        }
        shotBox.Set(16 - Stage.m_nCharaShotRangeW / 2 - ox, 16 - Stage.m_nCharaShotRangeH / 2 - oy,
                    Stage.m_nCharaShotRangeW, Stage.m_nCharaShotRangeH);
    }

    SetScale(def.m_nScale, 1);
    actsThisFrame = 0;
    iconCycle = 0;
    if (heldItemTemplate != nullptr) {
        heldItem = *heldItemTemplate;
    } else {
        heldItem.pictureNumber = 0;
    }

    const int mode = def.m_nActiveRange;
    skipViewX = (mode == 2 || mode == 3) ? 1 : 0;
    skipViewY = (mode == 1 || mode == 3) ? 1 : 0;
    started = 0;
    spare4 = 0;
    anime.SetPattern(noGravity ? 0 : 1, 1);
    InsertCharaFlows(*this, def.m_Flow, facing, 0, -1);
}

int cChara::CheckAppearance(cVector<std::uint8_t>& linkFlags)
{
    if (IsInViewAxes(skipViewX, skipViewY)) {
        controlSlot = 1;
        if (def.m_bSwitchAppear && IsLinkIndex(def.m_nSwitch)) {
            linkFlags[def.m_nSwitch] = 1;
        }
        return 1;
    }
    controlSlot = 0;
    return 0;
}

int cChara::CheckStartAction(const cVector<std::uint8_t>& linkFlags)
{
    const bool linked = def.m_bSwitchAppear && IsLinkIndex(def.m_nSwitch) && linkFlags[def.m_nSwitch] != 0;
    const bool stillInAir = !noGravity && (jumped || (started && airborne));
    if (!controlSlot && !linked && !stillInAir) {
        return 0;
    }
    started = 1;
    if (def.m_nPresenceMode == 1) {
        skipViewX = skipViewY = 1;
    }
    CalcScreenRect();
    return 1;
}

void cChara::OnScaleChanged(int nNewFactor)
{
    if (def.m_bFullCell) {
        bodyBox.offsetX = bodyBox.offsetY = 0;
        bodyBox.width = hitWidth;
        bodyBox.height = hitHeight;
        shotBox.offsetX = shotBox.offsetY = 0;
        shotBox.width = hitWidth;
        shotBox.height = hitHeight;
        return;
    }
    bodyBox.Scale(nNewFactor);
    shotBox.Scale(nNewFactor);
}

void cChara::AfterClampX()
{
    bodyBox.PlaceX(x);
    shotBox.PlaceX(x);
}

void cChara::AfterClampY()
{
    bodyBox.PlaceY(y);
    shotBox.PlaceY(y);
}

int cChara::AdjustPosX()
{
    return ClampToStageX(2);
}

int cChara::AdjustPosY()
{
    return ClampToStageY(2);
}

int cChara::MoveStepX()
{
    if (knockX != 0.0) {
        vx = knockX;
    } else if (ax != 0.0) {
        DecaySpeed(ax, decayX);
        vx += ax;
    }
    const int r = MoveX(2);
    AdjustPosX();
    return r == 3 ? 4 : r;
}

int cChara::MoveStepY()
{
    ApplyImpactY();
    if (knockY == 0.0 && noGravity && ay != 0.0) {
        DecaySpeed(ay, decayY);
        vy += ay;
    }
    const int r = MoveY(2);
    AdjustPosY();
    if (noGravity) {
        return (r == 3 || r == 6) ? 8 : r;
    }
    return (r == 5 || r == 6) ? 7 : r;
}

int cChara::RunFlows(int deathOnly)
{
    if (lpStageField != nullptr) {
        lpStageField->m_pCurrentObject = this;
        lpStageField->m_bHpCheck = 0;
    }
    if (SystemData.bScrollSyncVariant) {
        vx = 0.0;
        if (noGravity) {
            vy = 0.0;
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
    ResetForFlowRun();
    // A flow after which the character vanished, or (outside the death flows) has no HP left,
    // ends the run at once.
    const int stopped = StepCharaFlows(*this, deathOnly);
    if (lpStageField != nullptr) {
        lpStageField->m_pCurrentObject = nullptr;
    }
    if (stopped) {
        return 1;
    }
    SetIdlePattern();
    return hp <= 0 ? 1 : 0;
}

void cChara::Jump(COMMANDINSTANCE* instance)
{
    if (instance == nullptr) {
        return;
    }
    LaunchJump(instance->speed, instance->command != nullptr ? instance->command->m_nSound : 0);
}

void cChara::LaunchJump(double jumpSpeed, int nSound)
{
    if (airborne || jumpRiseOver || jumped || jumpLocked) {
        return;
    }
    PlayObjectSound(nSound);
    vy = jumpSpeed;
    jumpRiseOver = 1;
    jumped = 1;
    onFoothold = 0;
}

std::list<cChara>::iterator EraseChara(std::list<cChara>& list, std::list<cChara>::iterator pos)
{
    cChara& c = *pos;
    const OBJECTREF self = CharaRef(c.source);
    const OBJECTREF aim = c.target;
    for (const std::int32_t follower : c.targetedBy) {
        cCharaBase* other = FindCharaBySource(follower);
        if (other != nullptr && other->target == self) {
            other->target = OBJECTREF{};
        }
    }
    ReleaseAimingShots(c);
    if (cCharaBase* aimedAt = FindChara(aim)) {
        aimedAt->targetedBy.Remove(c.source);
    }
    if (lpStageField != nullptr && c.faction >= 0 && c.faction < cStageField::kFactionCount) {
        CHARAGROUP& group = lpStageField->m_CharaLayer[c.faction];
        for (auto it = group.begin(); it != group.end(); ++it) {
            if (*it == &c) {
                group.erase(it);
                break;
            }
        }
    }
    if (lpStageField != nullptr) {
        ++lpStageField->m_nCharaListEdits;
    }
    return list.erase(pos);
}
