// cEdBlock: one block -- a tile of the field with a graphic, a collision kind, an effect on the
// characters standing on it, an optional item it gives and conditions under which it exists. The
// same record is an entry of the common or the stage palette and a block placed in a stage (at
// tile column m_nX, row m_nY). Stage play copies placed blocks into the cells of its map.
//
// A block may take property groups from a palette entry (its template, m_nPaletteKind and
// m_nPaletteIndex) when it is read; m_Inherit says which. Copies (construction and assignment)
// copy every member and the condition list.
//
// In a file: the base part (the 18 raw members below in their order, the same in every version;
// the name as the one string); uint16 x, uint16 y; int32 n and n inheritance flags; int32 m and
// m conditions.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdCondition.h"

class cEdBlock : public cDataRecord {
public:
    // Property groups, one inheritance flag each: 0 name, 1 conditions with their mode and once
    // flag, 2 picture (sheet, graphic, cell), 3 draw layer, 4 hidden, 5 badge, 6 hit kind, 7 pass
    // faction, 8 touch effect, 9 item reference, 10 no-overwrite.
    static constexpr int kInheritGroups = 11;
    // Fewest bytes a block takes in a file: its five counts and its position.
    static constexpr std::size_t kMinFileBytes = 20;

    std::string m_strName;              // Shift-JIS
    std::int8_t m_nPaletteKind = 0;     // template: 0 none, 1 common palette, 2 stage palette
    std::int16_t m_nPaletteIndex = 0;   // template's index in its block list (0 names none)
    std::int8_t m_nCondMode = 0;        // 0 all conditions must hold, 1 one or more
    std::int8_t m_bCondOnce = 0;        // once the conditions held, the block exists for good
    std::int16_t m_nGraphic = 0;        // graphic number in the sheet; 0 an empty block
    std::int8_t m_nGraphicSheet = 0;    // 0 blocks, 1 characters, 2 items, 3 shots, 4 Bmp_CharaExc
    std::int16_t m_nCell = 0;           // cell within the graphic
    std::int8_t m_nDrawLayer = 0;       // 0 drawn behind the objects, 1 in front of them
    std::int8_t m_bHidden = 0;          // not 0: not drawn (it still collides)
    std::int8_t m_nBadgeShow = 0;       // 1: badge m_nBadge drawn over the block
    std::int16_t m_nBadge = 0;          // icon row number / 15, column number % 15
    std::int8_t m_nHitKind = 1;         // 0 passes, 1 solid, 2 the hero dies on contact
    std::uint8_t m_nPassFaction = 255;  // faction 0..7 that passes through; 255 none
    std::int8_t m_nTouchKind = 0;       // 0 none, 1 jump, 2 no jumping, 3 speed %, 4 left, 5 right
    std::int32_t m_nTouchValue = 0;     // the value X of m_nTouchKind
    std::int8_t m_nItemKind = 0;        // item given: 0 none, 1 common palette, 2 stage palette
    std::int16_t m_nItemIndex = 0;      // its index in the item list
    std::int8_t m_bNoOverwrite = 0;     // not 0: the block-summon command does not replace it
    std::uint16_t m_nX = 0;             // tile column of a placed block
    std::uint16_t m_nY = 0;             // tile row
    cVector<std::uint8_t> m_Inherit;    // the stored flags (kInheritGroups in a new definition)
    cVector<cEdCondition> m_Condition;  // conditions under which the block exists

    // A new block: Reset.
    cEdBlock();

    // The name, then the 18 raw members; the same in every version.
    void RegisterMembers(int nVersion) override;
    // Members 0 and empty, solid, passes no faction, kInheritGroups zero flags. The condition
    // list is not touched.
    void Reset();
    // Base part, position, flags, conditions; for files older than 219 a shot-sheet graphic is
    // raised by one (at most 119); then Inherit and CheckPaletteRef. 1, or 0 when the block does
    // not fit the file (reading stops there).
    int Load(FILE* fp) override;
    // CheckPaletteRef, then the layout above. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Copies the groups whose flag is set from the template (see PaletteRef.h); once, when read.
    void Inherit();
    // The palette reference check against the block lists; then a block without graphic neither
    // collides nor resists the block summon.
    void CheckPaletteRef();
    // The same check for the item reference against the item lists.
    void CheckItemRef();

private:
    void CopyGroup(const cEdBlock& source, int nGroup);
};
