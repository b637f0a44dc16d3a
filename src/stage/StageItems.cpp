// The items of a running stage: placing them at set-up, their presence every sub-step and the
// items the floor blocks give. Game thread.
#include "definitions/PaletteRef.h"
#include "definitions/cEdStage.h"
#include "objects/MapCell.h"
#include "objects/StageObjects.h"
#include "objects/item/ItemPickup.h"
#include "objects/item/cItem.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kBlockItemFrames = 60;  // frames before a floor block's item can be taken again
constexpr int kClampToField = 2;

}  // namespace

void cSceneStage::UpdateItemFlags()
{
    for (cItem& item : ItemList) {
        if (!CheckItemCond(item)) {
            item.active = 0;
            item.inView = 0;
            continue;
        }
        item.active = 1;
        item.inView = item.IsInView() ? 1 : 0;
    }
}

void cSceneStage::SpawnPlacedItem(std::list<cItem>& list, int nColumn, int nRow, int& nCounter, const cEdItem& def)
{
    cEdItem copy;
    copy = def;
    cItem& item = list.emplace_back();
    item.InitFromDef(nCounter, copy, 0);
    item.SetGridPos(nColumn, nRow);
    item.x += copy.m_nItemOpt0;
    item.right += copy.m_nItemOpt0;
    item.y += copy.m_nItemOpt1;
    item.bottom += copy.m_nItemOpt1;
    if (!item.IsInsideStage(1)) {
        list.pop_back();
        return;
    }
    item.ClampToStageX(kClampToField);
    item.ClampToStageY(kClampToField);
    item.CalcScreenRect();
    ++nCounter;
}

int cSceneStage::TakeFloorBlockItem(cPlayer& player)
{
    if (player.noGravity) {
        return 0;
    }
    bool tookOne = false;
    MAPCELL* cell = MapCellByIndex(player.floorCell);
    if (cell != nullptr && player.blockItemTimer == 0 && IsBlockSolidFor(*cell, player.faction) != 0 &&
        cell->m_nItemKind != 0) {
        cEdItem* entry = GetPaletteItem(cell->m_nItemKind, cell->m_nItemIndex);
        if (entry != nullptr) {
            tookOne = true;
            const int r = PickUpPaletteItem(cell->m_nItemKind, cell->m_nItemIndex, m_nItemId, player);
            if (r != 0) {
                return r;
            }
            player.blockItemTimer = kBlockItemFrames * Stage.m_nSubSteps;
        }
    }
    if (player.blockItemTimer != 0) {
        // Only a jump or a fall (the airborne flag, raised after the airborne delay) lets the
        // same block give its item again at once; a sub-step without a floor cell does not.
        if (player.airborne) {
            player.blockItemTimer = 0;
        } else {
            player.blockItemTimer = player.blockItemTimer > 0 ? player.blockItemTimer - 1 : 0;
            if (player.floorCell != cCharaBase::kNoCell && player.lastFloorCell != player.prevFloorCell && !tookOne) {
                player.blockItemTimer = 0;
                if (player.vy >= 0.0) {
                    player.vy += 1.0;
                }
            }
        }
    }
    return 0;
}
