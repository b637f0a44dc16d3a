// Taking an item: icon, sound and the item's commands on the player. Game thread.
#include "objects/item/ItemPickup.h"

#include "definitions/PaletteRef.h"
#include "objects/ObjectSounds.h"
#include "objects/StageObjects.h"
#include "objects/cStageField.h"
#include "objects/cTextObj.h"
#include "objects/chara/cPlayer.h"
#include "objects/item/ItemCommandTable.h"
#include "objects/item/cItem.h"

namespace {

constexpr int kPickupNever = 2;
constexpr int kIconKindItem = 2;
constexpr int kClampToField = 2;

}  // namespace

void cPlayer::ShowPickupIcon(int nSheet, int nGraphic, int nFrame)
{
    if (lpStageField == nullptr) {
        return;
    }
    lpStageField->m_TextList.emplace_back();
    lpStageField->m_TextList.back().Setup(cTextObj::IconParams(kIconKindItem, nSheet, nGraphic, nFrame, source), false);
}

int PickUpItem(cItem* item, cPlayer& player)
{
    if (item == nullptr || item->def.m_nPickup == kPickupNever || !item->active) {
        return 0;
    }
    if (item->def.m_bShowIcon != 0) {
        player.ShowPickupIcon(item->def.m_nGraphicSheet, item->def.m_nGraphic, item->def.m_nCell);
    }
    PlayObjectSound(item->def.m_nSound);
    return RunItemCommands(player, item->def.m_Command);
}

int PickUpPaletteItem(int nKind, int nIndex, int nSource, cPlayer& player)
{
    cEdItem* entry = GetPaletteItem(nKind, nIndex);
    if (entry == nullptr) {
        return 0;
    }
    cItem item;
    item.InitFromDef(nSource, *entry, 0);
    item.active = 1;
    return PickUpItem(&item, player);
}

int SummonItem(double x, double y, const cEdItem& d, std::int32_t nLifetime)
{
    if (lpStageField == nullptr) {
        return 0;
    }
    cEdItem copy;
    copy = d;
    cItem& item = ItemList.emplace_back();
    item.InitFromDef(lpStageField->m_nItemId, copy, 0);
    item.x = x + copy.m_nItemOpt0;
    item.y = y + copy.m_nItemOpt1;
    item.right = item.x + item.hitWidth - 1;
    item.bottom = item.y + item.hitHeight - 1;
    if (!item.IsInsideStage(1)) {
        ItemList.pop_back();
        return 0;
    }
    item.ClampToStageX(kClampToField);
    item.ClampToStageY(kClampToField);
    item.CalcScreenRect();
    item.lifeLeft = nLifetime;
    ++lpStageField->m_nItemId;
    return 1;
}
