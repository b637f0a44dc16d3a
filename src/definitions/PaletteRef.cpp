#include "definitions/PaletteRef.h"

#include "definitions/cEdBlock.h"
#include "definitions/cEdChara.h"
#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdItem.h"
#include "definitions/cEdStage.h"

namespace {

// The innermost scope set on this thread; null for the default one.
thread_local const PALETTESCOPE* t_lpScope = nullptr;

const PALETTESCOPE& GlobalScope()
{
    static const PALETTESCOPE scope{
        {&CommonPalette.m_PaletteBlock, &CommonPalette.m_PaletteChara, &CommonPalette.m_PaletteItem},
        {&Stage.m_PaletteBlock, &Stage.m_PaletteChara, &Stage.m_PaletteItem}};
    return scope;
}

const PALETTELISTS* ListsOfKind(int nKind)
{
    const PALETTESCOPE& scope = ActivePalettes();
    if (nKind == PALREF_COMMON) {
        return &scope.Common;
    }
    if (nKind == PALREF_STAGE) {
        return &scope.Stage;
    }
    return nullptr;
}

// Entries of list nList of the palette that kind nKind points into; -1 when it is not known.
int ListSize(int nKind, int nList)
{
    const PALETTELISTS* lists = ListsOfKind(nKind);
    if (lists == nullptr) {
        return -1;
    }
    switch (nList) {
    case PALETTELIST_BLOCK: return lists->lpBlock != nullptr ? static_cast<int>(lists->lpBlock->size()) : -1;
    case PALETTELIST_CHARA: return lists->lpChara != nullptr ? static_cast<int>(lists->lpChara->size()) : -1;
    case PALETTELIST_ITEM: return lists->lpItem != nullptr ? static_cast<int>(lists->lpItem->size()) : -1;
    default: return -1;
    }
}

}  // namespace

const PALETTESCOPE& ActivePalettes()
{
    return t_lpScope != nullptr ? *t_lpScope : GlobalScope();
}

cPaletteScope::cPaletteScope(const PALETTESCOPE& scope) : m_Scope(scope), m_lpPrevious(t_lpScope)
{
    t_lpScope = &m_Scope;
}

cPaletteScope::~cPaletteScope()
{
    t_lpScope = m_lpPrevious;
}

cVector<cEdBlock>* PaletteBlockList(int nKind)
{
    const PALETTELISTS* lists = ListsOfKind(nKind);
    return lists != nullptr ? lists->lpBlock : nullptr;
}

cVector<cEdChara>* PaletteCharaList(int nKind)
{
    const PALETTELISTS* lists = ListsOfKind(nKind);
    return lists != nullptr ? lists->lpChara : nullptr;
}

cVector<cEdItem>* PaletteItemList(int nKind)
{
    const PALETTELISTS* lists = ListsOfKind(nKind);
    return lists != nullptr ? lists->lpItem : nullptr;
}

PALETTECOUNTS ActivePaletteCounts()
{
    PALETTECOUNTS counts;
    for (int list = PALETTELIST_BLOCK; list <= PALETTELIST_ITEM; ++list) {
        counts.nCount[PALETTE_COMMON][static_cast<std::size_t>(list)] = ListSize(PALREF_COMMON, list);
        counts.nCount[PALETTE_STAGE][static_cast<std::size_t>(list)] = ListSize(PALREF_STAGE, list);
    }
    return counts;
}

void CheckPaletteRef(std::int8_t& nKind, std::int16_t& nIndex, int nList)
{
    if (nKind != PALREF_COMMON && nKind != PALREF_STAGE) {
        return;
    }
    int size = ListSize(nKind, nList);
    if (size >= 0 && (nIndex < 0 || nIndex >= size)) {
        nKind = PALREF_NONE;
        nIndex = 0;
    }
}

cEdItem* GetPaletteItem(int nKind, int nIndex)
{
    cVector<cEdItem>* list = nullptr;
    if (nKind == PALREF_COMMON) {
        list = &CommonPalette.m_PaletteItem;
    } else if (nKind == PALREF_STAGE) {
        list = &Stage.m_PaletteItem;
    }
    const int index = static_cast<std::int16_t>(nIndex);
    if (list == nullptr || index < 0 || static_cast<std::size_t>(index) >= list->size()) {
        return nullptr;
    }
    return list->data() + index;
}
