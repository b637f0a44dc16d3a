// Objects made during play by the summon command: blocks written into the map and characters.
#include <algorithm>
#include <cmath>

#include "definitions/cEdCommonPalette.h"
#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "stage/StageGeometry.h"
#include "stage/cSceneStage.h"

namespace {

// Right and bottom edge of a tile, inside the next tile's first pixel.
constexpr double kTileInner = 31.9;

// The cell (truncated toward zero, then the arithmetic shift) under a world coordinate.
int SummonCell(double v)
{
    const double t = std::trunc(v + 16.5);
    // Far outside any field: no cell (and no overflow in the conversion).
    if (!(t > -1.0e9 && t < 1.0e9)) {
        return -1;
    }
    return static_cast<int>(t) >> 5;
}

void WriteBlock(MAPCELL& cell, const cEdBlock& block)
{
    static_cast<cEdBlock&>(cell) = block;
    cell.nValue = 0;
}

void EraseBlock(MAPCELL& cell)
{
    WriteBlock(cell, CommonPalette.m_PaletteBlock[0]);
    // The empty block is passable whatever the palette's entry says.
    cell.m_nGraphic = 0;
    cell.m_nHitKind = 0;
    cell.m_bNoOverwrite = 0;
}

bool Covers(cCharaBase& chara, MAPCELL& cell, double left, double top)
{
    return IsBlockSolidFor(cell, chara.faction) != 0 &&
           chara.OverlapsRect(left, top, left + kTileInner, top + kTileInner);
}

}  // namespace

int cSceneStage::SummonBlock(double x, double y, int nUnused, const BLOCKSUMMONPARAMS& params, const cEdBlock& block)
{
    (void)nUnused;
    const MAPLAYOUT layout = MAPLAYOUT::ForStage(Stage.m_nWidth, Stage.m_nHeight);
    const int column = SummonCell(x);
    const int row = SummonCell(y);
    // Outside the field there is no cell: a column past the row would land in the next row.
    if (!layout.Contains(column, row) || static_cast<std::size_t>(layout.CellCount()) > StageMap.size()) {
        return 0;
    }
    const int index = layout.Cell(column, row);
    MAPCELL& cell = StageMap.data()[index];
    // The block's conditions are read only where they decide, since reading a once-only list
    // that holds latches it in the cell.
    auto holdsBlock = [this, &cell] { return cell.m_nGraphic != 0 && CheckBlockCond(cell) != 0; };
    if (params.bProtectAlways ? cell.m_bNoOverwrite != 0 : holdsBlock() && cell.m_bNoOverwrite != 0) {
        return 0;
    }
    switch (params.nMode) {
    case BLOCKSUMMON_ERASE: EraseBlock(cell); return 0;
    case BLOCKSUMMON_TOGGLE:
        if (std::find(m_SummonedCells.begin(), m_SummonedCells.end(), index) != m_SummonedCells.end()) {
            return 0;
        }
        m_SummonedCells.push_back(index);
        if (holdsBlock()) {
            EraseBlock(cell);
            return 0;
        }
        // An empty cell takes the block as a placing does, undone like one on an overlap.
        break;
    default: break;
    }
    if (!params.bCancelOnPlayer && !params.bCancelOnChara) {
        WriteBlock(cell, block);
        return CheckSummonedBlockOverlap(index, column, row, params);
    }
    const MAPCELL old = cell;
    WriteBlock(cell, block);
    const int result = CheckSummonedBlockOverlap(index, column, row, params);
    if (result == 1) {
        cell = old;
    }
    return result;
}

int cSceneStage::CheckSummonedBlockOverlap(int nCell, int nColumn, int nRow, const BLOCKSUMMONPARAMS& params)
{
    MAPCELL* cell = MapCellByIndex(nCell);
    if (cell == nullptr) {
        return 0;
    }
    const double left = nColumn * static_cast<double>(kTileSize);
    const double top = nRow * static_cast<double>(kTileSize);
    for (cPlayer& player : Player) {
        if (!player.dying && Covers(player, *cell, left, top)) {
            player.frameCountdown = 2;
            if (params.bCancelOnPlayer) {
                return 1;
            }
        }
    }
    for (cChara& chara : CharaList) {
        if (!chara.dying && chara.active && Covers(chara, *cell, left, top) && params.bCancelOnChara) {
            return 1;
        }
    }
    return 0;
}

int cSceneStage::SummonChara(std::list<cChara>& list, double x, double y, int nFaction, int nDirection, int bNoScore,
                             const cEdChara& def, int& nCounter, std::int32_t nLifetime)
{
    cEdChara copy;
    copy = def;
    copy.m_nFaction = static_cast<std::int8_t>(nFaction);
    copy.m_nDirection = static_cast<std::int8_t>(nDirection);
    if (bNoScore) {
        copy.m_nScore = 0;
    }
    const double spawnX = kFieldMarginPx + x + kTileSize / 2;
    const double spawnY = kFieldMarginPx + y + kTileSize / 2;
    const int members = copy.m_nGroupCount < 0 ? 1 : copy.m_nGroupCount + 1;
    int made = 0;
    for (int i = 0; i < members; ++i) {
        cChara& chara = list.emplace_back();
        ++m_nCharaListEdits;
        chara.InitFromTemplate(nCounter, copy, nullptr, spawnX, spawnY, i);
        // Placed as on the stage's first tile, then moved by the summon's pixel position.
        chara.SetGridPos(0, 0);
        const double dx = x + copy.GetGroupOffsetX(i, copy.m_nDirection);
        const double dy = y + copy.GetGroupOffsetY(i, copy.m_nDirection);
        chara.x += dx;
        chara.right += dx;
        chara.y += dy;
        chara.bottom += dy;
        if (!chara.IsInsideStage(1)) {
            list.pop_back();
            ++m_nCharaListEdits;
            continue;
        }
        chara.AdjustPosX();
        chara.AdjustPosY();
        chara.CalcScreenRect();
        if (IsPlaceBlocked(chara)) {
            list.pop_back();
            ++m_nCharaListEdits;
            continue;
        }
        chara.lifeLeft = nLifetime;
        if (chara.faction >= 0 && chara.faction < kFactionCount) {
            m_CharaLayer.data()[chara.faction].push_back(&chara);
        }
        ++nCounter;
        ++made;
    }
    return made;
}
