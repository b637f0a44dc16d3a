#include "objects/item/cItem.h"

#include "definitions/cEdStage.h"

namespace {

constexpr int kItemGfxSize = 32;
constexpr int kFlightPassesBlocks = 1;
constexpr int kItemTicks = 15;

PatternTable MakeItemPatterns()
{
    PatternTable table;
    cVector<PATTERNSTEP> steps;
    steps.push_back(PATTERNSTEP{0, kItemTicks, 1});
    steps.push_back(PATTERNSTEP{1, kItemTicks, 1});
    steps.push_back(PATTERNSTEP{kPatternLoop, 0, 0});
    table.push_back(steps);
    return table;
}

}  // namespace

const PatternTable& ItemPatternTable()
{
    static const PatternTable table = MakeItemPatterns();
    return table;
}

cItem::~cItem() = default;

void cItem::InitFromDef(int nSource, cEdItem& d, int held)
{
    if (d.m_nScale < 1) {
        d.m_nScale = 1;
    }
    def = d;
    const int w = Stage.m_nItemW;
    const int h = Stage.m_nItemH;
    Init(INITVALUES{.nSource = nSource,
                    .nPicture = def.m_nGraphic,
                    .patternTable = &ItemPatternTable(),
                    .nGfxOffsetX = (kItemGfxSize >> 1) - (w >> 1),
                    .nGfxOffsetY = (kItemGfxSize >> 1) - (h >> 1),
                    .nHitWidth = w,
                    .nHitHeight = h,
                    .nGfxWidth = kItemGfxSize,
                    .nGfxHeight = kItemGfxSize,
                    .nFlightKind = kFlightPassesBlocks});
    syncScroll = 0;
    bHeld = held;
    if (held == 0) {
        SetScale(def.m_nScale, 1);
    } else {
        active = 1;
    }
}

void cItem::SetGridPos(int nColumn, int nRow)
{
    x = 32.0 * (nColumn + CameraX().nMargin) + baseGfxOffsetX + 0.5;
    y = 32.0 * (nRow + CameraY().nMargin) + baseGfxOffsetY;
    ApplyScaleShift(def.m_nScale, 1);
    ClampToStageX(2);
    ClampToStageY(2);
}

void cItem::OnScaleShift(int nNewFactor, int nOldFactor)
{
    if (nNewFactor == nOldFactor) {
        return;
    }
    y -= static_cast<double>(nNewFactor - nOldFactor) * (baseHitHeight + baseGfxOffsetY);
    ClampToStageY(2);
}
