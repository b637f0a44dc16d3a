#include "objects/PlaceTest.h"

#include "objects/StageObjects.h"

namespace {

// A live, active block character other than chara whose box touches chara's.
int OverlapsBlockChara(const cCharaBase& chara)
{
    for (const cChara& other : CharaList) {
        if (&other == &chara || !other.def.m_bFullCell || other.dying || !other.active) continue;
        if (other.x <= chara.right && other.right >= chara.x && other.y <= chara.bottom && other.bottom >= chara.y) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int IsPlaceBlocked(const cCharaBase& chara)
{
    if (chara.blockMode == 0) {
        return 0;
    }
    if (chara.HitsBlockAtCorners()) {
        return 1;
    }
    return OverlapsBlockChara(chara);
}
