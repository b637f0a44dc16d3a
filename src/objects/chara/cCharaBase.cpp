#include "objects/chara/cCharaBase.h"

#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/flow/CommandInstance.h"
#include "project/cDatabase.h"
#include "project/cSystemData.h"

void BOXRECT::Set(int nOffsetX, int nOffsetY, int nWidth, int nHeight)
{
    offsetX = baseOffsetX = nOffsetX;
    offsetY = baseOffsetY = nOffsetY;
    width = baseWidth = nWidth;
    height = baseHeight = nHeight;
}

void BOXRECT::Scale(int nFactor)
{
    offsetX = baseOffsetX * nFactor;
    offsetY = baseOffsetY * nFactor;
    width = baseWidth * nFactor;
    height = baseHeight * nFactor;
}

void BOXRECT::PlaceX(double dX)
{
    left = static_cast<int>(dX) + offsetX;
    right = left + width - 1;
}

void BOXRECT::PlaceY(double dY)
{
    top = static_cast<int>(dY) + offsetY;
    bottom = top + height - 1;
}

cCharaBase::cCharaBase()
{
    flowGroupRunning.Reset(kFlowGroups);
    flowGroupEnded.Reset(kFlowGroups);
    flowGroupStartedNow.Reset(kFlowGroups);
    charaVars.Reset(kCharaVars);
}

cCharaBase::~cCharaBase() = default;

void cCharaBase::Init(const cEdChara* d, double dSpawnX, double dSpawnY, int nMemberIndex)
{
    memberIndex = static_cast<std::int16_t>(nMemberIndex);
    targetedBy.clear();
    aimingShots.clear();

    // Every character aims at the hero to begin with and is known to it by its object number.
    if (!Player.empty()) {
        cPlayer& hero = Player[P1];
        target = CharaRef(hero.source);
        if (hero.targetedBy.Count(source) == 0) {
            hero.targetedBy.push_back(source);
        }
    } else {
        target = OBJECTREF{};
    }

    flowSerial = 0;
    flowGroupRunning.Reset(kFlowGroups);
    flowGroupEnded.Reset(kFlowGroups);
    flowGroupStartedNow.Reset(kFlowGroups);
    flowGroupChanged = 0;
    flowDeletePending = 0;
    spawnX = dSpawnX;
    spawnY = dSpawnY;

    knockX = knockY = 0.0;
    knockedBack = 0;
    knockYPrev = 0.0;
    moveStopped = 0;
    lastWallSide = -1;
    airborne = 1;
    jumpRiseOver = jumped = 0;
    spare3 = 0;
    jumpLocked = 0;
    noFloorCount = 0;
    floorCell = lastFloorCell = prevFloorCell = kNoCell;
    frameCountdown = 0;
    fixedScreenX = fixedScreenY = 0;
    fixedScreenPosX = fixedScreenPosY = 0;
    dying = 0;
    dyingFrames = 0;
    ClearLRUD();
    leftFoothold = 0;
    onFoothold = 0;
    footholdKey = 0;
    hp = sp = 0;
    hpGauge = GAUGE{};
    spGauge = GAUGE{};
    charaVars.Reset(kCharaVars);

    if (d != nullptr) {
        def = *d;
        hp = def.m_nMaxHp;
        sp = def.m_nMaxSp;
    }
    syncScroll = def.m_bScrollSync;
    vanished = 0;
    hiddenThisFrame = 0;
    viewRange = def.m_nViewRange * 16;
    decel = StopToDecel(def.m_nBrake);
    charaEffect.Clear();
    if (def.m_nCharaEffect != 0) {
        charaEffect.Start(def.m_nCharaEffect, def.m_nCharaEffectValue1, def.m_nCharaEffectValue2);
    }
    invincibleTime = 0;
    attackerInvincible.clear();
    SetAnimeSet(def.m_nAnimeSet, 1);
    extraAnimes.clear();
}

void cCharaBase::SetAnimeSet(int n, int force)
{
    if (!force && n == def.m_nAnimeSet) {
        return;
    }
    def.m_nAnimeSet = static_cast<std::int16_t>(n);
    const cDbAnimeSet& set = Database.AnimeSet[n];
    PatternTable table;
    table.resize(set.MotionList.size());
    for (std::size_t i = 0; i < set.MotionList.size(); ++i) {
        cVector<PATTERNSTEP>& steps = table.data()[i];
        for (const cDbAnimeFrame& frame : set.MotionList.data()[i].FrameList) {
            steps.push_back(PATTERNSTEP{frame.nCell, frame.nTime * 6, 1});
        }
        steps.push_back(PATTERNSTEP{kPatternLoop, 0, 1});
    }
    anime.SetPatterns(&table);
}

void cCharaBase::OnScaleShift(int nNewFactor, int nOldFactor)
{
    const int d = nNewFactor - nOldFactor;
    if (d == 0) {
        return;
    }
    if (SystemData.bResizeVariant) {
        y -= static_cast<double>(d) * baseHitHeight;
    } else {
        y = y - static_cast<double>(d) * baseGfxHeight + static_cast<double>(d) * baseGfxOffsetY;
    }
    AdjustPosY();
}

void cCharaBase::SnapTo(double dX, double dY)
{
    SnapCentreX(dX);
    SnapCentreY(dY);
}

void cCharaBase::SnapCentreX(double dX)
{
    x += dX - ScreenCentreX();
    AdjustPosX();
}

void cCharaBase::SnapCentreY(double dY)
{
    y += dY - ScreenCentreY();
    AdjustPosY();
}

namespace {

void StopCommandVelocity(COMMANDINSTANCE* instance)
{
    if (instance != nullptr) {
        instance->velocityX = 0.0;
        instance->velocityY = 0.0;
    }
}

}  // namespace

void cCharaBase::ArriveAt(double dX, double dY, COMMANDINSTANCE* instance)
{
    SnapTo(dX, dY);
    StopCommandVelocity(instance);
}

void cCharaBase::ArriveX(double dX, COMMANDINSTANCE* instance)
{
    SnapCentreX(dX);
    StopCommandVelocity(instance);
}

void cCharaBase::ArriveY(double dY, COMMANDINSTANCE* instance)
{
    SnapCentreY(dY);
    StopCommandVelocity(instance);
}

void cCharaBase::CopyFrom(const cCharaBase& src)
{
    cCharaBase::operator=(src);
}

cItem* cCharaBase::GetHeldItem()
{
    return nullptr;
}

int cCharaBase::AdjustPosX()
{
    return 0;
}

int cCharaBase::AdjustPosY()
{
    return 0;
}

int cCharaBase::MoveStepX()
{
    return 0;
}

int cCharaBase::MoveStepY()
{
    return 0;
}

int cCharaBase::RunFlows(int)
{
    return 0;
}

void cCharaBase::Jump(COMMANDINSTANCE*)
{}

void cCharaBase::ResetForFlowRun()
{
    moveStopped = 0;
    decayX = decayY = 1;
    hiddenThisFrame = 0;
    movedThisFrame = 0;
    if (frameCountdown > 0) {
        --frameCountdown;
    }
    // The flows' animation schedules start with the flow step that follows.
}

void cCharaBase::SetIdlePattern()
{
    if (movedThisFrame == 0 && ax == 0.0 && ay == 0.0) {
        anime.ChangePattern(noGravity ? 2 : 0, 1);
    }
}
