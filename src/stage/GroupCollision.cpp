// Collision between the factions of a running stage, once per play sub-step: shots against
// characters, characters against characters and shots against shots. Touching fires the touch
// triggers and deals the damage; deaths only mark the characters dying (Die), so no walk here
// loses its place: the characters are erased later by the death check or after their dying
// drawing. Game thread.
#include "definitions/cEdStage.h"
#include "objects/FlowRuntime.h"
#include "objects/cCharaFlowOwner.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int SE_HIT = 7;
constexpr int SE_CHARA_DEAD = 9;

bool BoxesTouch(const BOXRECT& a, const BOXRECT& b)
{
    return a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top;
}

// A character takes part in the body contacts: in view when the stage collides on screen only,
// not a block character, present and not dying.
bool TakesPartInContacts(const cCharaBase& chara)
{
    if (Stage.m_nContactFlag != 0 && !chara.inView) {
        return false;
    }
    return chara.def.m_bFullCell == 0 && chara.active && !chara.dying;
}

bool HasBodyBlow(const cCharaBase& chara)
{
    return chara.def.m_nRamPower != 0 || chara.def.m_nRamImpact != 0;
}

}  // namespace

int cSceneStage::CollideGroups(std::list<cChara>& list)
{
    (void)list;
    // Shots and swords are tested against the characters of the other factions here, in the
    // sub-steps whose m_SubStepCheck entry is 1, once shots exist.

    for (int i = 0; i < kFactionCount; ++i) {
        CHARAGROUP& groupI = m_CharaLayer[i];
        for (int j = i + 1; j < kFactionCount && !groupI.empty(); ++j) {
            CHARAGROUP& groupJ = m_CharaLayer[j];
            for (cCharaBase* n : groupI) {
                for (cCharaBase* p : groupJ) {
                    if (!TakesPartInContacts(*n) || !TakesPartInContacts(*p) || !BoxesTouch(n->bodyBox, p->bodyBox)) {
                        continue;
                    }
                    FireCharaTrigger(*n, TRIGGER_TOUCH_CHARA);
                    FireCharaTrigger(*p, TRIGGER_TOUCH_CHARA);
                    const OBJECTREF nRef = CharaRef(n->source);
                    const OBJECTREF pRef = CharaRef(p->source);
                    // Both blows land before either death is handled.
                    const bool nHurt = HasBodyBlow(*p) && !n->IsInvincibleTo(pRef);
                    const int nDied = nHurt ? n->DamageByChara(*p) : 0;
                    const bool pHurt = HasBodyBlow(*n) && !p->IsInvincibleTo(nRef);
                    const int pDied = pHurt ? p->DamageByChara(*n) : 0;
                    if (nHurt || pHurt) {
                        PlaySE(SE_HIT);
                    }
                    const struct {
                        cCharaBase* chara;
                        bool hurt;
                        int died;
                        OBJECTREF attacker;
                    } sides[2] = {{n, nHurt, nDied, pRef}, {p, pHurt, pDied, nRef}};
                    for (const auto& side : sides) {
                        if (!side.hurt) {
                            continue;
                        }
                        if (!side.died) {
                            side.chara->AddAttackerInvincible(side.attacker);
                            continue;
                        }
                        if (side.chara->IsComputer()) {
                            PlaySE(SE_CHARA_DEAD);
                        }
                        const int r = ResolveDeath(*side.chara);
                        if (r != 0) {
                            return r;
                        }
                    }
                }
            }
        }
    }

    // Shots of different factions are tested against each other (shot-down strengths) here once
    // shots exist.
    return 0;
}
