// Damage, invincibility and death of the player and the stage characters. Game thread, inside
// the play step and the commands.
#include <cstdint>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/effect/cEffectObj.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/item/ItemPickup.h"
#include "objects/shot/cShot.h"
#include "project/cDatabase.h"
#include "project/cSaveData.h"

namespace {

constexpr std::int64_t kMaxDamage = 999999;
constexpr std::int64_t kMaxScore = 999999;

std::int64_t Clamp64(std::int64_t v, std::int64_t lo, std::int64_t hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// The hit effect nEffect between the two boxes, grown by the attacker's size factor; an entry
// outside the Effect table shows nothing.
void ShowHitEffect(int nEffect, const BOXRECT& hit, const BOXRECT& by, int nScale)
{
    if (nEffect <= 0 || nEffect >= static_cast<int>(Database.Effect.size()) || lpStageField == nullptr) {
        return;
    }
    const double a[4] = {hit.left, hit.top, hit.right, hit.bottom};
    const double b[4] = {by.left, by.top, by.right, by.bottom};
    lpStageField->m_EffectList.emplace_back(nEffect, a, b, nScale);
}

int GeneralTime(const cCharaBase& chara)
{
    return chara.IsComputer() ? Stage.m_nCharaInv : Stage.m_nHeroInv;
}

int AttackerTime(const cCharaBase& chara)
{
    return chara.IsComputer() ? Stage.m_nCharaInvSame : Stage.m_nHeroInvSame;
}

int TimesSubSteps(int nFrames)
{
    return static_cast<int>(Clamp64(static_cast<std::int64_t>(nFrames) * SubStepCount(), INT32_MIN, INT32_MAX));
}

}  // namespace

void cCharaBase::StartInvincible()
{
    invincibleTime = TimesSubSteps(GeneralTime(*this));
}

void cCharaBase::AddAttackerInvincible(const OBJECTREF& attacker)
{
    StartInvincible();
    attackerInvincible.push_back(ATTACKERTIME{attacker, TimesSubSteps(AttackerTime(*this))});
}

void cCharaBase::UpdateInvincible()
{
    invincibleTime = invincibleTime - 1 > 0 ? invincibleTime - 1 : 0;
    for (auto it = attackerInvincible.begin(); it != attackerInvincible.end();) {
        --it->left;
        it = it->left <= 0 ? attackerInvincible.erase(it) : it + 1;
    }
}

bool cCharaBase::IsInvincibleTo(const OBJECTREF& attacker) const
{
    if (IsInvincible()) {
        return true;
    }
    for (const ATTACKERTIME& entry : attackerInvincible) {
        if (entry.attacker == attacker) {
            return true;
        }
    }
    return false;
}

int cCharaBase::DamageByChara(cCharaBase& attacker)
{
    std::int64_t power = attacker.def.m_nRamPower;
    if (power > 0) {
        power = Clamp64(power - def.m_nDefence, 0, kMaxDamage);
    }
    const int died = ChangeHP(static_cast<int>(-Clamp64(power, -kMaxDamage, kMaxDamage)), 0, 1);
    ShowHitEffect(attacker.def.m_nEffect, bodyBox, attacker.bodyBox, attacker.def.m_nScale);
    ImpactFromChara(attacker);
    if (attacker.def.m_nRamPower != 0) {
        FireCharaTrigger(*this, TRIGGER_DAMAGED);
    }
    if (attacker.def.m_nRamImpact != 0) {
        FireCharaTrigger(*this, TRIGGER_IMPACT);
    }
    return died;
}

void cCharaBase::ImpactFromShot(const cShot& shot)
{
    if (shot.isShot == 0) {
        ApplyImpact(shot.def.m_nImpact, shot.DirSign(), 0.0);
        return;
    }
    ApplyImpact(shot.def.m_nImpact, shot.vx, shot.vy);
}

int cCharaBase::DamageByShot(const cShot& shot)
{
    std::int64_t power = shot.def.m_nPower;
    if (power > 0) {
        power = Clamp64(power - def.m_nDefence, 0, kMaxDamage);
    }
    const int died = ChangeHP(static_cast<int>(-Clamp64(power, -kMaxDamage, kMaxDamage)), 0, 1);
    const BOXRECT attack{shot.attackLeft, shot.attackTop, shot.attackRight, shot.attackBottom};
    ShowHitEffect(shot.def.m_nHitEffect, shotBox, attack, shot.def.m_nSize);
    ImpactFromShot(shot);
    if (shot.def.m_nPower != 0) {
        FireCharaTrigger(*this, TRIGGER_DAMAGED);
    }
    if (shot.def.m_nImpact != 0) {
        FireCharaTrigger(*this, TRIGGER_IMPACT);
    }
    return died;
}

int cCharaBase::Die()
{
    FireCharaTrigger(*this, TRIGGER_DEATH);
    RunFlows(1);
    SaveData.nTotalScore = static_cast<std::int32_t>(
        Clamp64(static_cast<std::int64_t>(SaveData.nTotalScore) + def.m_nScore, 0, kMaxScore));
    // The player takes the item this character holds: a result of 1 (the item cleared the stage)
    // ends the death like a cleared stage; 2 (the item killed the player) lets this death go on.
    int pickup = 0;
    if (cItem* held = GetHeldItem(); held != nullptr && !Player.empty()) {
        pickup = PickUpItem(held, Player[P1]);
    }
    if (lpStageField != nullptr && lpStageField->m_nResult == 1) {
        return 1;
    }
    if (pickup == 1) {
        return 1;
    }

    const OBJECTREF self = CharaRef(source);
    for (const std::int32_t follower : targetedBy) {
        cCharaBase* other = FindCharaBySource(follower);
        if (other != nullptr && other->target == self) {
            other->target = OBJECTREF{};
        }
    }
    targetedBy.clear();
    if (!target.IsNone()) {
        if (cCharaBase* aimedAt = FindChara(target)) {
            aimedAt->targetedBy.Remove(source);
        }
        target = OBJECTREF{};
    }
    ReleaseAimingShots(*this);
    aimingShots.clear();
    dying = 1;
    // The death effect replaces whatever effect ran; without one the run stops, so that the
    // character may go at its first dying draw.
    if (def.m_nDeathEffect != 0) {
        charaEffect.Start(def.m_nDeathEffect, def.m_nDeathEffectValue, 0);
    } else {
        charaEffect.Clear();
    }
    // The death waits for the effect on the character: it must end (see also DrawDeathEffect).
    charaEffect.bEndsInTime = 1;
    return 0;
}
