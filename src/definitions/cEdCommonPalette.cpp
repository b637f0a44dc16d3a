#include "definitions/cEdCommonPalette.h"

#include "definitions/DefinitionList.h"

cEdCommonPalette CommonPalette;

namespace {

// Fills a palette list up to the two entries every palette list holds.
template <class T>
void FillUpToTwo(cVector<T>& list)
{
    if (list.size() < 2) {
        list.resize(2, T());
    }
}

// Entry 0 back to its type's defaults; its lists stay. An empty list gets its default entry.
template <class T>
void ResetEntryZero(cVector<T>& list)
{
    if (list.empty()) {
        list.resize(1, T());
    } else {
        list[0].Reset();
    }
}

template <class T>
void ClearInheritFlags(cVector<T>& list)
{
    for (T& entry : list) {
        std::fill(entry.m_Inherit.begin(), entry.m_Inherit.end(), 0);
    }
}

}  // namespace

int LoadBlockList(cVector<cEdBlock>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, cEdBlock::kMinFileBytes);
}

int LoadCharaList(cVector<cEdChara>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, cEdChara::kMinFileBytes);
}

int LoadItemList(cVector<cEdItem>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, cEdItem::kMinFileBytes);
}

cEdCommonPalette::cEdCommonPalette()
{
    Clear();
    m_PaletteBlock.Reset(1);
    m_PaletteChara.Reset(1);
    m_PaletteItem.Reset(1);
}

void cEdCommonPalette::RegisterMembers(int)
{
    ClearMemberList();
}

PALETTELISTS cEdCommonPalette::OwnLists()
{
    return {&m_PaletteBlock, &m_PaletteChara, &m_PaletteItem};
}

int cEdCommonPalette::Load(FILE* fp)
{
    // Kind 1 resolves against the lists being read, kind 2 against the stage palette of the
    // calling scope: at start-up the reset Stage, one default entry per list. References into
    // the stage palette are thus checked once, against that stage, and stay as checked.
    cPaletteScope scope({OwnLists(), ActivePalettes().Stage});
    if (!cDataRecord::Load(fp) || !LoadBlockList(m_PaletteBlock, fp) || !LoadCharaList(m_PaletteChara, fp) ||
        !LoadItemList(m_PaletteItem, fp)) {
        return 0;
    }
    ResetEntryZero(m_PaletteBlock);
    ResetEntryZero(m_PaletteChara);
    ResetEntryZero(m_PaletteItem);
    ClearInheritFlags(m_PaletteBlock);
    ClearInheritFlags(m_PaletteChara);
    ClearInheritFlags(m_PaletteItem);
    SetDefaultEntries();
    return 1;
}

int cEdCommonPalette::Save(FILE* fp)
{
    cPaletteScope scope({OwnLists(), ActivePalettes().Stage});
    SetDefaultEntries();
    int ok = cDataRecord::Save(fp);
    ok = SaveDefinitionList(fp, m_PaletteBlock) && ok;
    ok = SaveDefinitionList(fp, m_PaletteChara) && ok;
    return SaveDefinitionList(fp, m_PaletteItem) && ok;
}

int cEdCommonPalette::SetDefaultEntries()
{
    FillUpToTwo(m_PaletteBlock);
    FillUpToTwo(m_PaletteChara);
    FillUpToTwo(m_PaletteItem);
    cPaletteScope scope({OwnLists(), ActivePalettes().Stage});
    RepairEntries();
    return static_cast<int>(m_PaletteItem.size());
}

void cEdCommonPalette::RepairEntries()
{
    for (cEdBlock& block : m_PaletteBlock) {
        block.CheckPaletteRef();
        block.CheckItemRef();
    }
    for (cEdChara& chara : m_PaletteChara) {
        chara.CheckRefs();
        chara.CheckFlows();
    }
    for (cEdItem& item : m_PaletteItem) {
        item.CheckRefs();
        item.CheckCommands();
    }
}
