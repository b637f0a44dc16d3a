// Objects against the block characters, the stage characters that behave as moving blocks:
// landing on one and riding it, being kept under one, pushed out sideways and crushed. Flying
// objects are simply snapped out along the axis of the smaller overlap; walking ones read their
// upper half for walls and heads and a foot zone for landings.
//
// A block character is told apart from the object by object number, so two members of one
// placed group meet each other like any two characters.
#include <vector>

#include "core/ReportLog.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/chara/cPlayer.h"
#include "objects/flow/FlowRuntime.h"
#include "stage/cSceneStage.h"

namespace {

constexpr double kFootholdReach = 5.0;
constexpr int kNudges = 15;
constexpr double kNudgeStep = 0.1;
constexpr int kCellShift = 5;

struct BOX {
    double l, t, r, b;
};

BOX BoxOf(const cGameObject& o)
{
    return BOX{o.x, o.y, o.right, o.bottom};
}

BOX PrevBoxOf(const cCharaBase& o)
{
    return BOX{o.prevRect[0], o.prevRect[1], o.prevRect[2], o.prevRect[3]};
}

bool Overlaps(const BOX& a, const BOX& b)
{
    return a.l <= b.r && a.r >= b.l && a.t <= b.b && a.b >= b.t;
}

double OverlapWidth(const BOX& a, const BOX& b)
{
    if (!Overlaps(a, b)) {
        return 0.0;
    }
    return ((a.r >= b.l && b.l > a.l) ? a.r - b.l : b.r - a.l) + 1.0;
}

double OverlapHeight(const BOX& a, const BOX& b)
{
    if (!Overlaps(a, b)) {
        return 0.0;
    }
    return ((a.b >= b.t && b.t > a.t) ? a.b - b.t : b.b - a.t) + 1.0;
}

bool IsBlockChara(const cChara& c, const cCharaBase& obj)
{
    return c.def.m_bFullCell != 0 && c.active && !c.dying && c.source != obj.source;
}

// A snap candidate with the speed and number of the block character that gave it.
struct SNAP {
    bool set = false;
    double v = 0.0;
    double speed = 0.0;
    int key = 0;

    void Raise(double cand, double dSpeed, int nKey)
    {
        if (!set || cand > v) {
            *this = SNAP{true, cand, dSpeed, nKey};
        }
    }
    void Lower(double cand, double dSpeed, int nKey)
    {
        if (!set || cand < v) {
            *this = SNAP{true, cand, dSpeed, nKey};
        }
    }
};

using BLOCKS = std::vector<cChara*>;

// The first block character numbered nKey, active or not.
cChara* FindByKey(const BLOCKS& blocks, int nKey)
{
    for (cChara* c : blocks) {
        if (c->source == nKey) {
            return c;
        }
    }
    return nullptr;
}

void SetCeilingJumpFlags(cCharaBase& obj)
{
    obj.jumpRiseOver = 1;
    obj.jumped = 1;
    obj.jumpLocked = 1;
}

// A box whose corner cells hold a block solid for the faction.
bool BoxHitsMap(cSceneStage& stage, const BOX& box, int nFaction)
{
    const int cell =
        stage.FindCornerCell(static_cast<int>(box.l) >> kCellShift, static_cast<int>(box.t) >> kCellShift,
                             static_cast<int>(box.r) >> kCellShift, static_cast<int>(box.b) >> kCellShift, nFaction);
    MAPCELL* mapCell = MapCellByIndex(cell);
    return mapCell != nullptr && IsBlockSolidFor(*mapCell, nFaction) != 0;
}

bool BoxOverlapsOtherBlock(const BOX& box, const cCharaBase& obj, const BLOCKS& blocks, int nKey)
{
    for (const cChara* pc : blocks) {
        const cChara& c = *pc;
        if (Overlaps(BoxOf(c), box) && IsBlockChara(c, obj) && c.source != nKey) {
            return true;
        }
    }
    return false;
}

void FireRidden(cCharaBase& obj, cChara& block)
{
    if (!obj.IsComputer()) {
        FireCharaTrigger(block, TRIGGER_RIDDEN_BY_HERO);
    }
    FireCharaTrigger(block, TRIGGER_RIDDEN_BY_CHARA);
}

// The walk over the block characters and its results for one call.
struct CONTACTS {
    SNAP left, right, top, bottom;
    int landingKey = 0;
    bool touched = false;
};

// ---- flying objects ---------------------------------------------------------------------------

void WalkFlying(cCharaBase& obj, const BLOCKS& blocks, CONTACTS& k)
{
    const BOX box = BoxOf(obj);
    for (cChara* pX : blocks) {
        const cChara& X = *pX;
        const BOX xb = BoxOf(X);
        if (!Overlaps(box, xb) || !IsBlockChara(X, obj)) {
            continue;
        }
        k.touched = true;
        if (OverlapWidth(box, xb) > OverlapHeight(box, xb)) {
            if (Overlaps(xb, BOX{box.l + 1, box.t, box.r - 1, box.t})) {
                obj.LRUD[2] = 1;
                k.top.Raise(xb.b + 1, X.vy, X.source);
            }
            if (Overlaps(xb, BOX{box.l + 1, box.b, box.r - 1, box.b})) {
                obj.LRUD[3] = 1;
                k.bottom.Lower(xb.t - obj.hitHeight, X.vy, X.source);
            }
        } else {
            if (Overlaps(xb, BOX{box.l, box.t + 1, box.l, box.b - 1})) {
                obj.LRUD[0] = 1;
                k.left.Raise(xb.r + 1, X.vx, X.source);
            }
            if (Overlaps(xb, BOX{box.r, box.t + 1, box.r, box.b - 1})) {
                obj.LRUD[1] = 1;
                k.right.Lower(xb.l - obj.hitWidth, X.vx, X.source);
            }
        }
    }
}

int CollideFlying(cSceneStage& stage, cCharaBase& obj, std::list<cChara>& list, const BLOCKS& blocks)
{
    CONTACTS k;
    WalkFlying(obj, blocks, k);
    if (k.touched) {
        FireCharaTrigger(obj, TRIGGER_TOUCH_BLOCKCHARA);
    }
    if (obj.blockMode == 2) {
        return (k.left.set || k.right.set || k.top.set || k.bottom.set) ? 2 : 0;
    }
    if (k.left.set) {
        obj.ax = 0.0;
        if (k.left.speed < 0.0 && obj.vx >= 0.0) {
            obj.LRUD[0] = 0;
            stage.PushOutOfBlockCharas(obj, list, 1);
        } else {
            obj.x = k.left.v;
            obj.leftFoothold = 1;
            obj.AdjustPosX();
        }
    }
    if (k.right.set) {
        obj.ax = 0.0;
        if (k.right.speed > 0.0 && obj.vx <= 0.0) {
            obj.LRUD[1] = 0;
            stage.PushOutOfBlockCharas(obj, list, 1);
        } else {
            obj.x = k.right.v;
            obj.leftFoothold = 1;
            obj.AdjustPosX();
        }
    }
    if (k.top.set) {
        obj.ay = 0.0;
        if (k.top.speed < 0.0 && obj.vy >= 0.0) {
            obj.LRUD[2] = 0;
            stage.PushOutOfBlockCharas(obj, list, 0);
        } else {
            obj.y = k.top.v;
            obj.AdjustPosY();
        }
    }
    if (k.bottom.set) {
        obj.ay = 0.0;
        if (k.bottom.speed > 0.0 && obj.vy <= 0.0) {
            obj.LRUD[3] = 0;
            stage.PushOutOfBlockCharas(obj, list, 0);
            return 0;
        }
        obj.y = k.bottom.v;
        obj.AdjustPosY();
    }
    return 0;
}

// ---- walking objects --------------------------------------------------------------------------

void TakeLanding(cCharaBase& obj, cChara& X, CONTACTS& k)
{
    if (X.vy < 0.0) {
        obj.LRUD[3] = 1;
    }
    const double cand = X.y - obj.hitHeight;
    if (k.bottom.set && cand >= k.bottom.v) {
        return;
    }
    k.bottom = SNAP{true, cand, X.vy, X.source};
    k.landingKey = X.source;
    obj.footholdKey = X.source;
    obj.footholdBox[0] = X.x;
    obj.footholdBox[1] = X.y;
    obj.footholdBox[2] = X.right;
    obj.footholdBox[3] = X.bottom;
}

// The contact of a vertical edge from top to bottom with X: right edge snaps left of X, left
// edge right of X. True when it touched.
bool SideContact(cCharaBase& obj, const cChara& X, bool rightEdge, double top, double bottom, CONTACTS& k)
{
    const BOX xb = BoxOf(X);
    const double edge = rightEdge ? obj.right : obj.x;
    if (!Overlaps(xb, BOX{edge, top, edge, bottom})) {
        return false;
    }
    if (rightEdge) {
        obj.LRUD[1] = 1;
        k.right.Lower(xb.l - obj.hitWidth - 0.5, X.vx, X.source);
    } else {
        obj.LRUD[0] = 1;
        k.left.Raise(xb.r + 1.5, X.vx, X.source);
    }
    return true;
}

void WalkWalking(cCharaBase& obj, const BLOCKS& blocks, CONTACTS& k)
{
    const double u = ScrollUnit();
    const BOX box = BoxOf(obj);
    const BOX prev = PrevBoxOf(obj);
    const BOX upper{box.l, box.t, box.r, box.t + obj.hitHeight / 2};
    const BOX foot{box.l + 1, box.b - obj.hitHeight / 3, box.r - 1, box.b};
    for (cChara* pX : blocks) {
        cChara& X = *pX;
        const BOX xb = BoxOf(X);
        if (!Overlaps(box, xb) || !IsBlockChara(X, obj)) {
            continue;
        }
        k.touched = true;
        const double ow1 = OverlapWidth(upper, xb);
        if (ow1 != 0.0) {
            const BOX xprev = PrevBoxOf(X);
            const double oh1 = OverlapHeight(upper, xb);
            const double pw = OverlapWidth(prev, xb);
            const double qw = OverlapWidth(BOX{prev.l, box.t, prev.r, box.b}, xprev);
            if (obj.vy > 2.0 / u && qw != 0.0 && prev.t < xprev.t) {
                ECLogF("D Hit");
                TakeLanding(obj, X, k);
            } else if ((ow1 - oh1 > 0.4 / u && box.b > xb.b) || (qw != 0.0 && prev.t > xprev.t && pw == 0.0)) {
                if (X.vy > 0.0) {
                    obj.LRUD[2] = 1;
                }
                k.top.Raise(xb.b + 1, X.vy, X.source);
                if (obj.onFoothold && obj.vy < 0.0) {
                    obj.LRUD[3] = 1;
                }
            } else {
                const bool rightFirst = obj.vx >= 0.0;
                if (!SideContact(obj, X, rightFirst, upper.t, upper.b, k)) {
                    SideContact(obj, X, !rightFirst, upper.t, upper.b, k);
                }
            }
        } else if (OverlapWidth(box, xb) < OverlapHeight(box, xb)) {
            SideContact(obj, X, true, box.t, box.b, k);
            SideContact(obj, X, false, box.t, box.b, k);
        } else if (Overlaps(foot, xb)) {
            TakeLanding(obj, X, k);
        }
    }
}

// The first block character over the upper half takes the object under it.
void TakeUnderUpper(cCharaBase& obj, const BLOCKS& blocks, bool bUpFlag)
{
    const BOX upper{obj.x, obj.y, obj.right, obj.y + obj.hitHeight / 2};
    for (const cChara* pX : blocks) {
        const cChara& X = *pX;
        if (!IsBlockChara(X, obj) || OverlapWidth(upper, BoxOf(X)) == 0.0) {
            continue;
        }
        obj.y = X.bottom + 1;
        obj.ay = 0.0;
        obj.vy = X.vy;
        SetCeilingJumpFlags(obj);
        if (bUpFlag && X.vy > 0.0) {
            obj.LRUD[2] = 1;
        }
        obj.AdjustPosY();
        return;
    }
}

void LandOnBlockChara(cCharaBase& obj, cChara& X, double dY)
{
    obj.ay = 0.0;
    if (!obj.onFoothold) {
        // A push or a departure from an earlier foothold is over: on a stage character the flag
        // together with the new foothold would otherwise read as crushed. A push in this same
        // call sets it again below.
        obj.leftFoothold = 0;
        obj.onFoothold = 1;
        FireRidden(obj, X);
    }
    obj.y = dY;
    obj.AdjustPosY();
    obj.vy = 0.0;
    obj.noFloorCount = 0;
    obj.airborne = 0;
    obj.knockedBack = 0;
    obj.jumpRiseOver = 0;
    obj.jumped = 0;
    if (obj.IsComputer()) {
        obj.jumpLocked = 0;
    }
    if (auto* player = dynamic_cast<cPlayer*>(&obj)) {
        player->floorNoJump = 0;
    }
}

void ApplySide(cCharaBase& obj, const SNAP& snap)
{
    obj.ax = 0.0;
    if (!(snap.key == obj.footholdKey && obj.onFoothold)) {
        obj.leftFoothold = 1;
    }
    obj.x = snap.v;
    obj.AdjustPosX();
}

}  // namespace

int cSceneStage::CollideBlockCharas(cCharaBase& obj, std::list<cChara>& list)
{
    if (obj.blockMode == 0) {
        return 0;
    }
    // Fetched again for every walk: a trigger between walks may make or erase characters.
    auto blocks = [&]() -> const BLOCKS& { return m_BlockCharaIndex.Of(list, m_nCharaListEdits); };
    if (obj.noGravity) {
        return CollideFlying(*this, obj, list, blocks());
    }
    const double startX = obj.x;
    const double startBox[4] = {obj.x, obj.y, obj.right, obj.bottom};
    CONTACTS k;
    WalkWalking(obj, blocks(), k);

    bool landed = false;
    const bool bothSides = k.left.set && k.right.set;
    bool squeezed = false;
    if (!k.top.set || k.bottom.set) {
        if (bothSides && !k.bottom.set) {
            squeezed = true;
            TakeUnderUpper(obj, blocks(), false);
            obj.LRUD[0] = 0;
            obj.LRUD[1] = 0;
        } else if (k.bottom.set && !bothSides) {
            cChara* X = FindByKey(blocks(), k.landingKey);
            const BOX landingBox{obj.x, k.bottom.v, obj.right, k.bottom.v + obj.hitHeight - 1};
            if (X != nullptr && X->vy > 0.0 && BoxHitsMap(*this, landingBox, obj.faction)) {
                obj.onFoothold = 0;
            } else if (X != nullptr) {
                LandOnBlockChara(obj, *X, k.bottom.v);
                landed = true;
            }
        }
    } else {
        const BOX placed{obj.x, k.top.v, obj.right, k.top.v + obj.hitHeight - 1};
        const bool refused = k.top.speed < 0.0 && (BoxHitsMap(*this, placed, obj.faction) ||
                                                   BoxOverlapsOtherBlock(BOX{obj.x, k.top.v, obj.right, obj.bottom},
                                                                         obj, blocks(), k.top.key));
        if (!refused) {
            obj.y = k.top.v;
            SetCeilingJumpFlags(obj);
            obj.ay = 0.0;
            obj.vy = k.top.speed;
            obj.AdjustPosY();
            CollideMapYBoth(obj);
        }
    }
    if (!squeezed) {
        if (k.left.set) {
            ApplySide(obj, k.left);
        }
        if (k.right.set) {
            ApplySide(obj, k.right);
        }
        if (bothSides && !k.bottom.set) {
            obj.x = startX;
            obj.AdjustPosX();
            TakeUnderUpper(obj, blocks(), true);
        }
    }

    if (k.touched || obj.onFoothold) {
        FireCharaTrigger(obj, TRIGGER_TOUCH_BLOCKCHARA);
        if (obj.onFoothold) {
            FireCharaTrigger(obj, TRIGGER_ON_BLOCKCHARA);
        }
    }
    // Untouched, the box has not moved and no block character holds any of its corners.
    if ((obj.LRUD[0] && obj.LRUD[1]) || (obj.LRUD[2] && obj.LRUD[3]) ||
        (k.touched && IsEnclosedByBlockCharas(obj, startBox))) {
        return 2;
    }

    // Out of the map cells a snap may have pushed it into, a tenth of a pixel at a time.
    const double nudge[4][2] = {{-kNudgeStep, 0.0}, {kNudgeStep, 0.0}, {0.0, -kNudgeStep}, {0.0, kNudgeStep}};
    for (int side = 0; side < 4; ++side) {
        for (int i = 0; obj.LRUD[side] && i < kNudges && obj.HitsBlock(0); ++i) {
            if (nudge[side][0] != 0.0) {
                obj.x += nudge[side][0];
                obj.AdjustPosX();
            } else {
                obj.y += nudge[side][1];
                obj.AdjustPosY();
            }
        }
    }

    if (obj.onFoothold && !landed) {
        if (obj.knockY < 0.0) {
            obj.LeaveFoothold(0);
            return 0;
        }
        cChara* foothold = nullptr;
        if (IsOnFoothold(obj)) {
            foothold = FindByKey(blocks(), obj.footholdKey);
        } else if (FindByKey(blocks(), obj.footholdKey) == nullptr) {
            return 0;
        } else {
            foothold = FindFootholdBelow(obj);
        }
        if (foothold == nullptr) {
            obj.LeaveFoothold(1);
            return 0;
        }
        obj.noFloorCount = 0;
        obj.knockedBack = 0;
        obj.footholdKey = foothold->source;
        obj.footholdBox[0] = foothold->x;
        obj.footholdBox[1] = foothold->y;
        obj.footholdBox[2] = foothold->right;
        obj.footholdBox[3] = foothold->bottom;
    }
    return 0;
}

int cSceneStage::RideFoothold(cCharaBase& obj, std::list<cChara>& list)
{
    if (obj.noGravity) {
        return 0;
    }
    cChara* X = FindByKey(m_BlockCharaIndex.Of(list, m_nCharaListEdits), obj.footholdKey);
    if (X == nullptr) {
        return 0;
    }
    obj.vx += X->x - obj.footholdBox[0];
    if (X->noGravity || X->airborne) {
        obj.vy = X->y - obj.footholdBox[1];
    }
    FireRidden(obj, *X);
    return 0;
}

void cSceneStage::PushOutOfBlockCharas(cCharaBase& obj, std::list<cChara>& list, int bVertical)
{
    const BOX box = BoxOf(obj);
    SNAP first;   // top or left
    SNAP second;  // bottom or right
    for (const cChara* pX : m_BlockCharaIndex.Of(list, m_nCharaListEdits)) {
        const cChara& X = *pX;
        const BOX xb = BoxOf(X);
        if (OverlapWidth(box, xb) == 0.0 || !IsBlockChara(X, obj)) {
            continue;
        }
        if (bVertical) {
            if (Overlaps(xb, BOX{box.l + 1, box.t, box.r - 1, box.t})) {
                obj.LRUD[2] = 1;
                first.Raise(xb.b + 1, X.vy, X.source);
            }
            if (Overlaps(xb, BOX{box.l + 1, box.b, box.r - 1, box.b})) {
                obj.LRUD[3] = 1;
                second.Lower(xb.t - obj.hitHeight, X.vy, X.source);
            }
        } else {
            if (Overlaps(xb, BOX{box.l, box.t + 1, box.l, box.b - 1})) {
                obj.LRUD[0] = 1;
                first.Raise(xb.r + 1, X.vx, X.source);
            }
            if (Overlaps(xb, BOX{box.r, box.t + 1, box.r, box.b - 1})) {
                obj.LRUD[1] = 1;
                second.Lower(xb.l - obj.hitWidth, X.vx, X.source);
            }
        }
    }
    for (const SNAP* snap : {&first, &second}) {
        if (!snap->set) {
            continue;
        }
        if (bVertical) {
            obj.y = snap->v;
            obj.AdjustPosY();
        } else {
            if (!(snap->key == obj.footholdKey && obj.onFoothold)) {
                obj.leftFoothold = 1;
            }
            obj.x = snap->v;
            obj.AdjustPosX();
        }
    }
}

int cSceneStage::IsOnFoothold(const cCharaBase& obj)
{
    const BOX strip{obj.x, obj.bottom, obj.right, obj.bottom + kFootholdReach};
    for (const cChara* pX : m_BlockCharaIndex.Of(CharaList, m_nCharaListEdits)) {
        const cChara& X = *pX;
        if (Overlaps(BoxOf(X), strip) && IsBlockChara(X, obj) && X.source == obj.footholdKey) {
            return 1;
        }
    }
    return 0;
}

cChara* cSceneStage::FindFootholdBelow(const cCharaBase& obj)
{
    const BOX strip{obj.x, obj.bottom, obj.right, obj.bottom + kFootholdReach};
    for (cChara* pX : m_BlockCharaIndex.Of(CharaList, m_nCharaListEdits)) {
        if (Overlaps(BoxOf(*pX), strip) && IsBlockChara(*pX, obj)) {
            return pX;
        }
    }
    return nullptr;
}

int cSceneStage::IsEnclosedByBlockCharas(const cCharaBase& obj, const double earlier[4])
{
    if (obj.blockMode == 0) {
        return 0;
    }
    const double now[2][2] = {{obj.x, obj.right}, {obj.y, obj.bottom - 1}};
    const double was[2][2] = {{earlier[0], earlier[2]}, {earlier[1], earlier[3] - 1}};
    for (int corner = 0; corner < 4; ++corner) {
        const int col = corner & 1;
        const int row = corner >> 1;
        bool covered = false;
        const BOX nowPoint{now[0][col], now[1][row], now[0][col], now[1][row]};
        const BOX wasPoint{was[0][col], was[1][row], was[0][col], was[1][row]};
        for (const cChara* pX : m_BlockCharaIndex.Of(CharaList, m_nCharaListEdits)) {
            const BOX xb = BoxOf(*pX);
            if ((Overlaps(xb, nowPoint) || Overlaps(xb, wasPoint)) && IsBlockChara(*pX, obj)) {
                covered = true;
                break;
            }
        }
        if (!covered) {
            return 0;
        }
    }
    return 1;
}

int cSceneStage::OverlapsOtherBlockChara(const cCharaBase& obj, std::list<cChara>& list, int nKey)
{
    if (obj.blockMode == 0) {
        return 0;
    }
    return BoxOverlapsOtherBlock(BoxOf(obj), obj, m_BlockCharaIndex.Of(list, m_nCharaListEdits), nKey) ? 1 : 0;
}
