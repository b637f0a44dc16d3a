// Collision between the factions of a running stage, once per play sub-step: shots against
// characters, characters against characters and shots against shots. Touching fires the touch
// triggers and deals the damage; deaths only mark the characters dying (Die), so no walk here
// loses its place: the characters are erased later by the death check or after their dying
// drawing. Game thread.
#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/item/ItemPickup.h"
#include "objects/shot/cShot.h"
#include "sound/SoundEffects.h"
#include "stage/cSceneStage.h"
#include "stage/collision/GroupGrids.h"

namespace {

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

constexpr int kPassesShots = 2;  // invincibility mode: shots pass through without touching

bool ShotTakesPart(const cShot& shot)
{
    return Stage.m_nContactFlag == 0 || shot.inView;
}

// A character a shot can meet: in view when the stage collides on screen only, present, not
// dying and not letting shots pass.
bool MeetsShots(const cCharaBase& chara)
{
    if (Stage.m_nContactFlag != 0 && !chara.inView) {
        return false;
    }
    return chara.active && !chara.dying && chara.def.m_nInvincible != kPassesShots;
}

bool ShotBoxTouches(const BOXRECT& box, const cShot& shot)
{
    return box.left <= shot.attackRight && box.right >= shot.attackLeft && box.top <= shot.attackBottom &&
           box.bottom >= shot.attackTop;
}

bool ShotsTouch(const cShot& a, const cShot& b)
{
    return a.x <= b.right && a.right >= b.x && a.y <= b.bottom && a.bottom >= b.y;
}

bool InHitList(const cShot& shot, const OBJECTREF& ref)
{
    for (const OBJECTREF& hit : shot.hitList) {
        if (hit == ref) {
            return true;
        }
    }
    return false;
}

bool HasEffectOnHit(const cShot& shot)
{
    return shot.def.m_nPower != 0 || shot.def.m_nImpact != 0 || shot.def.m_nItemKind != 0;
}

// The one erase of a shot met here, by its address in the stage's shot list.
void EraseShotAt(const cShot* shot)
{
    std::list<cShot>& list = lpStageField->m_ShotList;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (&*it == shot) {
            EraseShot(list, it);
            return;
        }
    }
}

// The grid input for members: each member's box of the given kind (body or shot box) and
// whether it takes part. Both are template arguments so that the loop, run in every sub-step,
// makes no indirect call.
template <BOXRECT cCharaBase::*box, bool (*takesPart)(const cCharaBase&)>
void BoxesOf(const std::vector<cCharaBase*>& members, std::vector<GRIDBOX>& boxes, std::vector<std::uint8_t>& taking)
{
    boxes.resize(members.size());
    taking.resize(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const cCharaBase& chara = *members[i];
        const BOXRECT& b = chara.*box;
        boxes[i] = GRIDBOX{b.left, b.top, b.right, b.bottom};
        taking[i] = takesPart(chara) ? 1 : 0;
    }
}

// Group g of the layer as the walk of the shots sees it now (the characters' shot boxes), gathered
// again when the walk marked the groups stale or this phase has not gathered it yet.
FACTIONGRID& Gather(GROUPGRIDS& grids, const CHARAGROUP& group, std::size_t g)
{
    if (grids.stale) {
        grids.Reset();
    }
    FACTIONGRID& f = grids.groups[g];
    if (f.built) {
        return f;
    }
    f.members.assign(group.begin(), group.end());
    BoxesOf<&cCharaBase::shotBox, MeetsShots>(f.members, f.boxes, f.taking);
    f.grid.Build(f.boxes, f.taking);
    f.built = true;
    return f;
}

int IndexOf(const std::vector<cCharaBase*>& members, const cCharaBase* chara)
{
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (members[i] == chara) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Visits, in list order, the members of group g near box with meet(chara), which returns 0 to go
// on. When a meeting marks the groups stale, the group is gathered again and the visit goes on
// after the member it had reached, so every member is met as a plain walk over the list would.
template <typename MEET>
int MeetGroupNear(GROUPGRIDS& grids, const CHARAGROUP& group, std::size_t g, const GRIDBOX& box, MEET meet)
{
    int after = -1;
    for (;;) {
        FACTIONGRID* f = &Gather(grids, group, g);
        f->grid.Query(box, grids.candidates);
        bool regathered = false;
        for (const int k : grids.candidates) {
            if (k <= after) {
                continue;
            }
            cCharaBase* chara = f->members[static_cast<std::size_t>(k)];
            const int r = meet(*chara);
            if (r != 0) {
                return r;
            }
            after = k;
            if (grids.stale) {
                f = &Gather(grids, group, g);
                after = IndexOf(f->members, chara);
                if (after < 0) {
                    return 0;  // the member left the group: nothing to go on from
                }
                regathered = true;
                break;
            }
        }
        if (!regathered) {
            return 0;
        }
    }
}

// Every group's characters in list order with their body boxes, and one grid over those that
// take part in the contacts.
void GatherContacts(CONTACTPAIRS& contacts, cVector<CHARAGROUP>& layer)
{
    contacts.members.clear();
    for (int g = 0; g < CONTACTPAIRS::kGroups; ++g) {
        contacts.first[static_cast<std::size_t>(g)] = static_cast<int>(contacts.members.size());
        const CHARAGROUP& group = layer[g];
        contacts.members.insert(contacts.members.end(), group.begin(), group.end());
    }
    contacts.first[CONTACTPAIRS::kGroups] = static_cast<int>(contacts.members.size());
    BoxesOf<&cCharaBase::bodyBox, TakesPartInContacts>(contacts.members, contacts.boxes, contacts.taking);
    contacts.grid.Build(contacts.boxes, contacts.taking);
    contacts.stale = false;
}

// The pairs of group i's members taking part with the members of the later groups that they
// touch, by the later group, each list by member of i and then by the other in list order.
void FindContactPairs(CONTACTPAIRS& contacts, int i)
{
    for (std::vector<std::pair<int, int>>& pairs : contacts.pairs) {
        pairs.clear();
    }
    const int end = contacts.first[static_cast<std::size_t>(i) + 1];
    for (int a = contacts.first[static_cast<std::size_t>(i)]; a < end; ++a) {
        if (contacts.taking[static_cast<std::size_t>(a)] == 0) {
            continue;
        }
        contacts.grid.QueryMember(a, contacts.found);
        std::size_t g = static_cast<std::size_t>(i) + 1;
        for (const int b : contacts.found) {
            if (b < end) {
                continue;  // the same group or an earlier one
            }
            while (b >= contacts.first[g + 1]) {
                ++g;  // the answer is ascending, so the groups come in order
            }
            contacts.pairs[g].emplace_back(a, b);
        }
    }
}

// Where the walk of groups i and j goes on after n met p, in the pairs found again: after the
// pair, after every pair of n when p has left group j, nowhere when n has left group i.
std::size_t PairAfter(const CONTACTPAIRS& contacts, int i, int j, const cCharaBase* n, const cCharaBase* p)
{
    const std::vector<std::pair<int, int>>& pairs = contacts.pairs[static_cast<std::size_t>(j)];
    const int a = contacts.IndexIn(i, n);
    if (a < 0) {
        return pairs.size();
    }
    const int b = contacts.IndexIn(j, p);
    std::size_t k = 0;
    while (k < pairs.size() && (pairs[k].first < a || (pairs[k].first == a && (b < 0 || pairs[k].second <= b)))) {
        ++k;
    }
    return k;
}

}  // namespace

int cSceneStage::CollideGroups(std::list<cChara>& list)
{
    (void)list;
    if (ShotCheckThisSubStep()) {
        const int r = CollideShotsWithCharas();
        if (r != 0) {
            return r;
        }
    }
    const int r = CollideCharasWithCharas();
    if (r != 0) {
        return r;
    }
    CollideShotsWithShots();
    return 0;
}

int cSceneStage::CollideCharasWithCharas()
{
    CONTACTPAIRS& contacts = m_ContactPairs;
    GatherContacts(contacts, m_CharaLayer);
    for (int i = 0; i + 1 < kFactionCount; ++i) {
        FindContactPairs(contacts, i);
        for (int j = i + 1; j < kFactionCount; ++j) {
            const int r = MeetContactPairs(i, j);
            if (r != 0) {
                return r;
            }
        }
    }
    return 0;
}

int cSceneStage::MeetContactPairs(int i, int j)
{
    CONTACTPAIRS& contacts = m_ContactPairs;
    std::size_t k = 0;
    while (k < contacts.pairs[static_cast<std::size_t>(j)].size()) {
        const auto [a, b] = contacts.pairs[static_cast<std::size_t>(j)][k];
        cCharaBase* n = contacts.members[static_cast<std::size_t>(a)];
        cCharaBase* p = contacts.members[static_cast<std::size_t>(b)];
        const int r = CharasMeet(*n, *p);
        if (r != 0) {
            return r;
        }
        if (!contacts.stale) {
            ++k;
            continue;
        }
        GatherContacts(contacts, m_CharaLayer);
        FindContactPairs(contacts, i);
        k = PairAfter(contacts, i, j, n, p);
    }
    return 0;
}

int cSceneStage::CharasMeet(cCharaBase& n, cCharaBase& p)
{
    if (!TakesPartInContacts(n) || !TakesPartInContacts(p) || !BoxesTouch(n.bodyBox, p.bodyBox)) {
        return 0;
    }
    FireCharaTrigger(n, TRIGGER_TOUCH_CHARA);
    FireCharaTrigger(p, TRIGGER_TOUCH_CHARA);
    const OBJECTREF nRef = CharaRef(n.source);
    const OBJECTREF pRef = CharaRef(p.source);
    // Both blows land before either death is handled.
    const bool nHurt = HasBodyBlow(p) && !n.IsInvincibleTo(pRef);
    const int nDied = nHurt ? n.DamageByChara(p) : 0;
    const bool pHurt = HasBodyBlow(n) && !p.IsInvincibleTo(nRef);
    const int pDied = pHurt ? p.DamageByChara(n) : 0;
    if (nHurt || pHurt) {
        PlaySE(SE_HIT);
    }
    const struct {
        cCharaBase* chara;
        bool hurt;
        int died;
        OBJECTREF attacker;
    } sides[2] = {{&n, nHurt, nDied, pRef}, {&p, pHurt, pDied, nRef}};
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
        m_ContactPairs.stale = true;  // the death flows may move or add characters
        const int r = ResolveDeath(*side.chara);
        if (r != 0) {
            return r;
        }
    }
    return 0;
}

bool cSceneStage::ShotCheckThisSubStep() const
{
    const int i = m_nSubStep - 1;
    if (i < 0 || i >= static_cast<int>(m_SubStepCheck.size())) {
        return true;
    }
    return m_SubStepCheck[static_cast<std::size_t>(i)] == 1;
}

int cSceneStage::CollideShotsWithCharas()
{
    m_GroupGrids.Reset();
    for (int w = 0; w < kFactionCount; ++w) {
        SHOTGROUP& shots = m_ShotLayer[w];
        for (int c = 0; c < kFactionCount && !shots.empty(); ++c) {
            const CHARAGROUP& charas = m_CharaLayer[c];
            if (c == w || charas.empty()) {
                continue;
            }
            for (auto it = shots.begin(); it != shots.end();) {
                cShot* shot = *it;
                ++it;  // the shot may leave the group below
                if (!ShotTakesPart(*shot)) {
                    continue;
                }
                bool usedUp = false;
                const GRIDBOX attack{shot->attackLeft, shot->attackTop, shot->attackRight, shot->attackBottom};
                const int r = MeetGroupNear(m_GroupGrids, charas, static_cast<std::size_t>(c), attack,
                                            [this, shot, &usedUp](cCharaBase& chara) {
                                                bool hit = false;
                                                const int met = ShotMeetsChara(*shot, chara, hit);
                                                usedUp = usedUp || hit;
                                                return met;
                                            });
                if (r != 0) {
                    return r;
                }
                // A shot spent on this group leaves before it could meet the next one.
                if (usedUp) {
                    EraseShotAt(shot);
                }
            }
        }
    }
    return 0;
}

int cSceneStage::ShotMeetsChara(cShot& shot, cCharaBase& chara, bool& usedUp)
{
    const OBJECTREF ref = CharaRef(chara.source);
    if (!MeetsShots(chara) || !ShotBoxTouches(chara.shotBox, shot) || InHitList(shot, ref)) {
        return 0;
    }
    FireCharaTrigger(chara, TRIGGER_SHOT);
    if (!HasEffectOnHit(shot) || chara.IsInvincible()) {
        return 0;
    }
    if (chara.DamageByShot(shot)) {
        if (chara.IsComputer()) {
            PlaySE(SE_CHARA_DEAD);
        }
        m_GroupGrids.stale = true;  // the death flows may move or add characters
        const int r = ResolveDeath(chara);
        if (r != 0) {
            return r;
        }
    } else {
        PlaySE(SE_HIT);
        chara.StartInvincible();
    }
    const bool pierces = chara.def.m_bFullCell != 0 ? shot.def.m_bPierce2 != 0 : shot.def.m_bPierce != 0;
    if (shot.isShot == 0 || pierces) {
        shot.hitList.push_back(ref);
    } else {
        usedUp = true;
    }
    if (shot.def.m_nItemKind != 0 && !Player.empty()) {
        m_GroupGrids.stale = true;  // the item's commands may move the player
        return PickUpPaletteItem(shot.def.m_nItemKind, shot.def.m_nItemIndex, shot.source, Player[P1]);
    }
    return 0;
}

void cSceneStage::CollideShotsWithShots()
{
    // Only a pair with a shot that can shoot down others can clash. Counting those per faction
    // first lets a plain shot skip every group without one, instead of testing every pair of
    // shots in every sub-step. Shots only leave during the walk, so the counts never fall short.
    int clashShots[kFactionCount] = {};
    for (int k = 0; k < kFactionCount; ++k) {
        for (const cShot* shot : m_ShotLayer[k]) {
            clashShots[k] += shot->def.m_bClash != 0 ? 1 : 0;
        }
    }
    for (int j = 0; j < kFactionCount; ++j) {
        for (int k = j + 1; k < kFactionCount; ++k) {
            if (clashShots[j] == 0 && clashShots[k] == 0) {
                continue;
            }
            ClashGroups(m_ShotLayer[j], m_ShotLayer[k], clashShots[k] != 0);
        }
    }
}

void cSceneStage::ClashGroups(SHOTGROUP& groupJ, SHOTGROUP& groupK, bool kCanClash)
{
    for (auto sIt = groupJ.begin(); sIt != groupJ.end();) {
        cShot* s = *sIt;
        ++sIt;
        const bool sDown = s->def.m_bClash != 0;
        if ((!sDown && !kCanClash) || !ShotTakesPart(*s)) {
            continue;
        }
        bool doomed = false;
        for (auto rIt = groupK.begin(); rIt != groupK.end();) {
            cShot* r = *rIt;
            ++rIt;
            const bool rDown = r->def.m_bClash != 0;
            if ((!sDown && !rDown) || !ShotTakesPart(*r) || !ShotsTouch(*s, *r)) {
                continue;
            }
            bool destroyR = false;
            if (sDown && rDown) {
                destroyR = r->def.m_nClashPower <= s->def.m_nClashPower;
                doomed = doomed || r->def.m_nClashPower >= s->def.m_nClashPower;
            } else if (sDown) {
                doomed = true;
            } else {
                destroyR = true;
            }
            if (destroyR) {
                EraseShotAt(r);
            }
        }
        // A doomed shot leaves once it has met this whole group, before the next group.
        if (doomed) {
            EraseShotAt(s);
        }
    }
}
