// cWorldMap: the game's world map as the editor saves it in "data\WorldMap.dat": a grid of map
// chips, the chip attribute table and the nodes placed on the grid. The one global WorldMap is
// read at start-up and only read afterwards: the world-map screen draws it and moves the map
// figure over it, the save data checks positions and stage keys against it.
//
// The grid is stored row by row with a row pitch of the smallest power of two >= nWidth: cell
// (x, y) is Cell[(y << nPitch_Shift) + x]; the entries at x >= nWidth exist but are never shown.
//
// The file: int32 version; the base part (raw nWidth, nHeight, nPitch, nPitch_Shift, nStartX,
// nStartY, nBackColor, bBackBitmap; strings strName, strBackBitmap); then Chip, Cell, Node and
// NodeTemplate, each int32 n and n elements. The grid geometry is not trusted from the file: the
// pitch and its shift are derived from nWidth and the cell vector is sized to the pitch times
// nHeight, so that every cell the screen reads exists.
//
// Threads: loaded on the main thread during start-up; read by the game thread afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cWorldChip.h"
#include "project/cWorldNode.h"

class cWorldMap : public cDataRecord {
public:
    std::int32_t nWidth = 0;  // grid size in cells (1 or more)
    std::int32_t nHeight = 0;
    std::int32_t nPitch = 0;           // row pitch of Cell: the smallest power of two >= nWidth
    std::int32_t nPitch_Shift = 0;     // log2 of nPitch
    cVector<cWorldChip> Chip;          // chip attribute table; a cell's value indexes it
    cVector<std::int32_t> Cell;        // nPitch x nHeight chip indices
    cVector<cWorldNode> Node;          // the nodes placed on the map
    cVector<cWorldNode> NodeTemplate;  // the editor's node templates: loaded and kept, not used in play
    std::int32_t nStartX = 0;          // cell where a new run puts the map figure
    std::int32_t nStartY = 0;
    std::int32_t nBackColor = 0;   // palette number the screen is filled with before drawing
    std::int32_t bBackBitmap = 0;  // non-zero: the screen draws strBackBitmap as its background
    std::string strName;           // the world's name (editor)
    std::string strBackBitmap;     // file name of the background bitmap

    // Largest grid accepted from a file, in cells of pitch x height (16 MB of cells).
    static constexpr std::int64_t kMaxCells = std::int64_t{1} << 22;

    // Registers for nDataVersion and builds the default world (SetDefault).
    cWorldMap();
    cWorldMap(const cWorldMap&) = default;
    cWorldMap& operator=(const cWorldMap&) = default;

    // The same base part for every version.
    void RegisterMembers(int nVersion) override;
    // Reads a file opened by OpenDatLoad: the base part, the four lists, then the grid geometry
    // (FitGrid) and Validate. 1, or 0 when the data do not fit the record or the grid size is
    // not usable (below 1 x 1, or more than kMaxCells cells); the record is consistent either way.
    int Load(FILE* fp) override;
    // Validate, then the base part and the four lists. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // The world of a new project: start cell (9, 7), background colour 16, ten chips (0 to 4
    // blocking, 5 to 9 passable, chip i showing picture i), a 20 x 15 grid of chip 0, no node, and
    // one node template named "デフォルト".
    void SetDefault();

    // Makes the grid nW x nH cells (each 1 or more): the pitch becomes the smallest power of two
    // >= nW, the cells that lie inside both the old and the new grid keep their chip, new cells
    // are 0. 1, or 0 when nW or nH is 0 (nothing changes; the trace log says so).
    int SetSize(int nW, int nH);

    // Upper bounds of positions: a start cell beyond the grid moves to its last column or row;
    // nodes beyond the grid are removed (the later nodes move up). Negative positions are kept
    // (below -kMaxCells they become -kMaxCells, as far off the map).
    void Validate();

    // The first node of Node at cell (x, y); null when there is none. The world-map screen asks
    // for the cell under its cursor.
    cWorldNode* FindNode(int x, int y);
    const cWorldNode* FindNode(int x, int y) const;

    // True when an entry of kind 0 of any node of Node has the stage key key (byte comparison;
    // cWorldStage::StageKey). cSaveData::CalcTotalScore counts the bests of these stages only.
    bool HasStageKey(const std::string& key) const;

private:
    // Derives nPitch and nPitch_Shift from nWidth and sizes Cell to nPitch x nHeight (surplus
    // cells cut, missing ones 0). 0 when the size is not usable: the grid then becomes the
    // default 20 x 15 of chip 0.
    int FitGrid();
};

// The game's world map, loaded from "data\WorldMap.dat" at start-up.
extern cWorldMap WorldMap;
