// The player against the items lying in the stage, once per play sub-step. Game thread.
#include <iterator>

#include "objects/StageObjects.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/flow/FlowRuntime.h"
#include "objects/item/ItemPickup.h"
#include "objects/item/cItem.h"
#include "stage/cSceneStage.h"

namespace {

constexpr int kPickupOnce = 0;     // taken once, then gone
constexpr int kPickupOnTouch = 1;  // taken again only after the player left it
constexpr int kPickupNever = 2;

bool ItemTouches(const BOXRECT& box, const cItem& item)
{
    return box.left <= item.right && box.right >= item.x && box.top <= item.bottom && box.bottom >= item.y;
}

bool InContacts(const cPlayer& player, std::int32_t number)
{
    for (const std::int32_t n : player.itemContacts) {
        if (n == number) {
            return true;
        }
    }
    return false;
}

}  // namespace

int cSceneStage::CheckItemContacts(cPlayer& player)
{
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        cItem& item = *it;
        const auto next = std::next(it);
        const int mode = item.def.m_nPickup;
        if (!item.active || item.bHeld != 0 || mode == kPickupNever) {
            it = next;
            continue;
        }
        if (!ItemTouches(player.itemBox, item)) {
            if (mode == kPickupOnTouch) {
                player.itemContacts.Remove(item.source);
            }
            it = next;
            continue;
        }
        FireCharaTrigger(player, TRIGGER_ITEM);
        if (mode == kPickupOnTouch) {
            if (InContacts(player, item.source)) {
                it = next;
                continue;
            }
            player.itemContacts.push_back(item.source);
        }
        const int r = PickUpItem(&item, player);
        if (mode == kPickupOnce) {
            it = ItemList.erase(it);
        } else {
            it = next;
        }
        if (r != 0) {
            return r;
        }
    }
    return 0;
}
