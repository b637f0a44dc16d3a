// Collision of the player and the stage characters with the block map: probes along the edges of
// the hit box, push-out to the cell boundary, the contact flags, the floor stood on, the block
// triggers, the airborne delay, the screen clamps and the place test of summons and warps.
//
// A point outside the map (the padding columns of the row pitch, or beyond the field) reads as a
// passable cell without an index, so no probe ever reads past the map.
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/chara/cPlayer.h"
#include "objects/flow/FlowRuntime.h"
#include "project/cSystemData.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kCellShift = 5;
constexpr int kCellMask = 31;
constexpr int kCellSize = 32;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kAirborneFrames = 8;

struct PROBE {
    int cell = cCharaBase::kNoCell;
    int kind = -1;
};

int Trunc(double v)
{
    return static_cast<int>(v);
}

bool PassesBlocks(const cCharaBase& obj)
{
    return obj.noGravity && obj.blockMode == 0;
}

bool KilledByBlocks(const cCharaBase& obj)
{
    return obj.noGravity && obj.blockMode == 2;
}

bool FliesStopped(const cCharaBase& obj)
{
    return obj.noGravity && obj.blockMode == 1;
}

int ScaleOf(const cCharaBase& obj)
{
    return obj.def.m_nScale < 1 ? 1 : obj.def.m_nScale;
}

// Index of the cell under a world pixel, or kNoCell outside the map.
int CellIndexAt(int px, int py)
{
    const cScroll& axis = CameraX();
    const int column = px >> kCellShift;
    const int row = py >> kCellShift;
    return MapCellAt(column, row) != nullptr ? column + (row << axis.nPitchShift) : cCharaBase::kNoCell;
}

int KindOf(int nCell, int nFaction)
{
    MAPCELL* cell = MapCellByIndex(nCell);
    return cell != nullptr ? IsBlockSolidFor(*cell, nFaction) : 0;
}

// Horizontal probe: a point replaces the best when more solid, or equally solid and nearer the
// middle.
void ProbeRowPoint(PROBE& best, int& bestDist, int px, int py, int middle, int nFaction)
{
    const int cell = CellIndexAt(px, py);
    const int kind = KindOf(cell, nFaction);
    const int dist = px > middle ? px - middle : middle - px;
    if (kind > best.kind || (kind == best.kind && dist < bestDist)) {
        best.cell = cell;
        best.kind = kind;
        bestDist = dist;
    }
}

// Rising and not allowed to land while rising: the floor is left alone.
bool RisesPastFloor(const cCharaBase& obj)
{
    return SystemData.bLandWhileRising == 0 && !obj.noGravity && obj.vy < 0.0;
}

void SetPlayerCanJump(cCharaBase& obj)
{
    if (auto* player = dynamic_cast<cPlayer*>(&obj)) {
        player->canJump = 1;
    }
}

}  // namespace

int cSceneStage::FindEdgeCell(const cCharaBase& obj, int x1, int y1, int x2, int y2)
{
    const int points = ScaleOf(obj) + 1;
    PROBE best;
    if (x1 == x2) {
        const int step = obj.baseHitHeight - 1;
        for (int i = 0; i < points; ++i) {
            const int cell = CellIndexAt(x1, y1 + i * step);
            const int kind = KindOf(cell, obj.faction);
            if (kind > best.kind) {
                best.cell = cell;
                best.kind = kind;
            }
        }
        return best.cell;
    }
    if (y1 == y2) {
        const int step = obj.baseHitWidth - 1;
        const int middle = (x1 + x2) >> 1;
        int bestDist = 0;
        for (int i = 0; i < points; ++i) {
            ProbeRowPoint(best, bestDist, x1 + i * step, y1, middle, obj.faction);
        }
        return best.cell;
    }
    return 0;
}

int cSceneStage::FindFloorCellCentred(const cCharaBase& obj)
{
    const int scale = ScaleOf(obj);
    const int count = (scale & 1) ? scale + 2 : scale + 1;
    const int step = obj.hitWidth / (count - 1);
    const int left = Trunc(obj.x);
    const int rightEdge = Trunc(obj.right);
    const int row = Trunc(obj.bottom);
    const int middle = (left + rightEdge) >> 1;
    PROBE best;
    int bestDist = 0;
    for (int i = 0; i < count; ++i) {
        const int px = i == count - 1 ? rightEdge : left + i * step;
        ProbeRowPoint(best, bestDist, px, row, middle, obj.faction);
    }
    return best.cell;
}

int cSceneStage::FindCornerCell(int nLeft, int nTop, int nRight, int nBottom, int nFaction)
{
    const int corners[4][2] = {{nLeft, nTop}, {nRight, nTop}, {nLeft, nBottom}, {nRight, nBottom}};
    PROBE best;
    for (const auto& corner : corners) {
        const int cell = MapCellAt(corner[0], corner[1]) != nullptr ? corner[0] + (corner[1] << m_ScrollX.nPitchShift)
                                                                    : cCharaBase::kNoCell;
        const int kind = KindOf(cell, nFaction);
        if (kind > best.kind) {
            best.cell = cell;
            best.kind = kind;
        }
    }
    return best.cell;
}

int cSceneStage::CollideLeft(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const int left = Trunc(obj.x);
    const int kind = KindOf(FindEdgeCell(obj, left, Trunc(obj.y), left, Trunc(obj.bottom)), obj.faction);
    if (kind == 0) {
        return 0;
    }
    if ((kind == 2 && !obj.IsComputer()) || KilledByBlocks(obj)) {
        return 2;
    }
    obj.LRUD[0] = 1;
    obj.ax = 0.0;
    obj.x += kCellSize - (left & kCellMask);
    obj.AdjustPosX();
    obj.lastWallSide = 0;
    FireCharaTrigger(obj, TRIGGER_BLOCK);
    FireCharaTrigger(obj, TRIGGER_BLOCK_SIDES);
    FireCharaTrigger(obj, TRIGGER_BLOCK_LEFT);
    return 0;
}

int cSceneStage::CollideRight(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const int rightEdge = Trunc(obj.right);
    const int kind = KindOf(FindEdgeCell(obj, rightEdge, Trunc(obj.y), rightEdge, Trunc(obj.bottom)), obj.faction);
    if (kind == 0) {
        return 0;
    }
    if ((kind == 2 && !obj.IsComputer()) || KilledByBlocks(obj)) {
        return 2;
    }
    obj.LRUD[1] = 1;
    obj.ax = 0.0;
    obj.x -= (rightEdge & kCellMask) + 1;
    obj.AdjustPosX();
    obj.lastWallSide = 1;
    FireCharaTrigger(obj, TRIGGER_BLOCK);
    FireCharaTrigger(obj, TRIGGER_BLOCK_SIDES);
    FireCharaTrigger(obj, TRIGGER_BLOCK_RIGHT);
    return 0;
}

int cSceneStage::CollideFloor(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const int bottomEdge = Trunc(obj.bottom);
    obj.floorCell = FindEdgeCell(obj, Trunc(obj.x), bottomEdge, Trunc(obj.right), bottomEdge);
    const int kind = KindOf(obj.floorCell, obj.faction);
    if (kind == 0) {
        ++obj.noFloorCount;
        obj.floorCell = cCharaBase::kNoCell;
        if (obj.noFloorCount >= kAirborneFrames * SubStepCount()) {
            if (obj.IsComputer()) {
                obj.airborne = 1;
            } else if (!obj.onFoothold) {
                SetPlayerCanJump(obj);
                obj.airborne = 1;
            }
        }
        return 0;
    }
    if (kind == 2) {
        obj.lastFloorCell = obj.floorCell;
        if (!obj.IsComputer()) {
            return 2;
        }
    }
    if (KilledByBlocks(obj)) {
        return 2;
    }
    if (RisesPastFloor(obj)) {
        return 0;
    }
    if (kind == 1) {
        if (!obj.IsComputer()) {
            obj.floorCell = FindFloorCellCentred(obj);
        }
        obj.lastFloorCell = obj.floorCell;
    }
    obj.LandOnFloor();
    return 0;
}

int cSceneStage::CollideCeiling(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const int top = Trunc(obj.y);
    const int kind = KindOf(FindEdgeCell(obj, Trunc(obj.x), top, Trunc(obj.right), top), obj.faction);
    if (kind == 0) {
        return 0;
    }
    if ((kind == 2 && !obj.IsComputer()) || KilledByBlocks(obj)) {
        return 2;
    }
    obj.HitCeiling();
    return 0;
}

int cSceneStage::CollideMapX(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const bool rightFirst = FliesStopped(obj) || obj.vx > 0.0;
    if (rightFirst) {
        return CollideRight(obj) == 2 ? 2 : CollideLeft(obj);
    }
    return CollideLeft(obj) == 2 ? 2 : CollideRight(obj);
}

int cSceneStage::CollideMapY(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    obj.floorCell = cCharaBase::kNoCell;
    const bool floorFirst = FliesStopped(obj) || obj.vy > 0.0;
    if (floorFirst) {
        return CollideFloor(obj) == 2 ? 2 : CollideCeiling(obj);
    }
    return CollideCeiling(obj) == 2 ? 2 : CollideFloor(obj);
}

int cSceneStage::CollideMapXBoth(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    return CollideRight(obj) == 2 ? 2 : CollideLeft(obj);
}

int cSceneStage::CollideMapYBoth(cCharaBase& obj)
{
    if (PassesBlocks(obj)) {
        return 0;
    }
    const int bottomEdge = Trunc(obj.bottom);
    const int cell = FindEdgeCell(obj, Trunc(obj.x), bottomEdge, Trunc(obj.right), bottomEdge);
    const int kind = KindOf(cell, obj.faction);
    if (kind != 0) {
        if (kind == 1 && KilledByBlocks(obj)) {
            return 2;
        }
        if (kind == 1 && RisesPastFloor(obj)) {
            return 0;
        }
        obj.floorCell = obj.IsComputer() ? cell : FindFloorCellCentred(obj);
        obj.lastFloorCell = obj.floorCell;
        if (kind == 2 && (!obj.IsComputer() || KilledByBlocks(obj))) {
            return 2;
        }
        if (RisesPastFloor(obj)) {
            return 0;
        }
        obj.LandOnFloor();
    }
    return CollideCeiling(obj);
}

void cSceneStage::ClampPlayerToScreenX(cPlayer& player)
{
    if (!m_ScrollX.bAuto && !player.noGravity) {
        return;
    }
    player.CalcScreenRect();
    if (player.screenLeft + player.gfxOffsetX < 0) {
        player.LRUD[0] = 1;
        player.x = m_ScrollX.dPos;
        player.AdjustPosX();
    } else if (player.screenRight - player.gfxOffsetX + 1 >= kScreenWidth) {
        player.LRUD[1] = 1;
        player.x = m_ScrollX.dPos + kScreenWidth - player.hitWidth - 1;
        player.AdjustPosX();
    }
}

int cSceneStage::ClampPlayerToScreenY(cPlayer& player)
{
    if (!m_ScrollY.bAuto && !player.noGravity) {
        return 0;
    }
    player.CalcScreenRect();
    if (player.screenTop + player.gfxOffsetY < 0) {
        player.LRUD[2] = 1;
        player.y = m_ScrollY.dPos;
        player.AdjustPosY();
        return 0;
    }
    if (player.screenBottom - player.gfxOffsetY + 1 >= kScreenHeight) {
        player.LRUD[3] = 1;
        player.y = m_ScrollY.dPos + kScreenHeight - player.hitHeight - 1;
        player.AdjustPosY();
        return player.noGravity ? 0 : 2;
    }
    return 0;
}

int cSceneStage::IsPlaceBlocked(cCharaBase& chara)
{
    if (PassesBlocks(chara)) {
        return 0;
    }
    const int cell = FindCornerCell(Trunc(chara.x) >> kCellShift, Trunc(chara.y) >> kCellShift,
                                    Trunc(chara.right) >> kCellShift, Trunc(chara.bottom) >> kCellShift, chara.faction);
    if (KindOf(cell, chara.faction) != 0) {
        return 1;
    }
    return OverlapsBlockChara(chara, CharaList);
}

int cSceneStage::OverlapsBlockChara(const cCharaBase& chara, std::list<cChara>& list)
{
    if (PassesBlocks(chara)) {
        return 0;
    }
    for (const cChara& other : list) {
        // Told apart by object number: two members of one placed group are two objects.
        if (other.def.m_bFullCell == 0 || other.dying || !other.active || other.source == chara.source) {
            continue;
        }
        if (other.x <= chara.right && other.right >= chara.x && other.y <= chara.bottom && other.bottom >= chara.y) {
            return 1;
        }
    }
    return 0;
}
