#include "objects/MapCell.h"

#include "objects/cStageField.h"

int IsBlockSolidFor(MAPCELL& cell, int nFaction)
{
    if (!cell.m_Condition.empty() && lpStageField != nullptr && !lpStageField->CheckBlockCond(cell)) {
        return 0;
    }
    if (static_cast<std::int8_t>(cell.m_nPassFaction) == nFaction) {
        return 0;
    }
    return cell.m_nHitKind;
}
