#include "objects/StageObjects.h"

#include "objects/cStageField.h"

cVector<cPlayer> Player(1);
std::list<cChara> CharaList;
std::list<cItem> ItemList;
cVector<MAPCELL> StageMap;

void ResetStageObjects()
{
    CharaList.clear();
    if (lpStageField != nullptr) {
        ++lpStageField->m_nCharaListEdits;
    }
    ItemList.clear();
    StageMap.clear();
    Player.clear();
    Player.resize(1);
}

cCharaBase* FindCharaBySource(int nSource)
{
    for (cPlayer& player : Player) {
        if (player.source == nSource) {
            return &player;
        }
    }
    for (cChara& chara : CharaList) {
        if (chara.source == nSource) {
            return &chara;
        }
    }
    return nullptr;
}

cCharaBase* FindObjectBySource(int nSource)
{
    return FindCharaBySource(nSource);
}

cCharaBase* FindChara(const OBJECTREF& ref)
{
    return ref.nKind == OBJ_CHARA ? FindCharaBySource(ref.nSource) : nullptr;
}

MAPCELL* MapCellByIndex(int nIndex)
{
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= StageMap.size()) {
        return nullptr;
    }
    return &StageMap.data()[nIndex];
}

MAPCELL* MapCellAt(int nColumn, int nRow)
{
    const cScroll& axis = CameraX();
    if (nColumn < 0 || nRow < 0 || nColumn >= axis.nPitch || nRow >= CameraY().nCells) {
        return nullptr;
    }
    return MapCellByIndex(nColumn + (nRow << axis.nPitchShift));
}
