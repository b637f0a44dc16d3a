// cEdItem: one item -- its picture, how often it can be taken, the sound played when it is taken,
// the conditions under which it is present and the item commands run on the one who takes it.
// The same record is an entry of the common or the stage palette, an item placed in a stage (at
// tile column m_nX, row m_nY), and the item a block gives or a character holds (GetPaletteItem).
//
// An item may take property groups from a palette entry (its template) when it is read;
// m_Inherit says which. Copies copy every member and both lists (the commands deeply).
//
// In a file: the base part (the 17 raw members below in their order, the same in every version;
// the name as the one string); uint16 x, uint16 y; int32 n and n inheritance flags; int32 count
// and the conditions; int32 count and the commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdCommand.h"
#include "definitions/cEdCondition.h"

class cEdItem : public cDataRecord {
public:
    // Property groups, one inheritance flag each: 0 name, 1 conditions with their mode and once
    // flag, 2 m_nItemOpt0, 3 m_nItemOpt1, 4 picture (sheet, graphic, cell), 5 m_nItemOpt2,
    // 6 hidden, 7 badge, 8 scale, 9 pickup, 10 show icon, 11 sound, 12 the command list.
    static constexpr int kInheritGroups = 13;
    // Fewest bytes an item takes in a file: its six counts and its position.
    static constexpr std::size_t kMinFileBytes = 24;

    std::string m_strName;              // Shift-JIS
    std::int8_t m_nPaletteKind = 0;     // template: 0 none, 1 common palette, 2 stage palette
    std::int16_t m_nPaletteIndex = 0;   // template's index in its item list (0 names none)
    std::int8_t m_nCondMode = 0;        // 0 all conditions must hold, 1 one or more
    std::int8_t m_bCondOnce = 0;        // once the conditions held, they count as holding
    std::int16_t m_nItemOpt0 = 0;       // setting read by stage play
    std::int16_t m_nItemOpt1 = 0;       // setting read by stage play
    std::int16_t m_nGraphic = 0;        // graphic number in the sheet
    std::int8_t m_nGraphicSheet = 2;    // sheet (2 items; see cEdBlock)
    std::int16_t m_nCell = 0;           // cell within the graphic
    std::int8_t m_nItemOpt2 = 6;        // setting read by stage play
    std::int8_t m_bHidden = 0;          // not 0: not drawn
    std::int8_t m_nBadgeShow = 0;       // 1: badge m_nBadge drawn over the item
    std::int16_t m_nBadge = 0;          // icon row number / 15, column number % 15
    std::int8_t m_bShowIcon = 1;        // 1: the taker shows the item's picture
    std::int8_t m_nPickup = 0;          // 0 taken once, 1 any number of times, 2 never
    std::int8_t m_nScale = 1;           // size factor of the picture, at least 1
    std::int16_t m_nSound = 0;          // Sound database entry played when taken (0 none)
    std::uint16_t m_nX = 0;             // tile column of a placed item
    std::uint16_t m_nY = 0;             // tile row
    cVector<std::uint8_t> m_Inherit;    // the stored flags (kInheritGroups in a new definition)
    cVector<cEdCondition> m_Condition;  // conditions under which the item is present
    cVector<cEdCommand> m_Command;      // item commands run on the taker

    // A new item: Reset.
    cEdItem();

    // The name, then the 17 raw members; the same in every version.
    void RegisterMembers(int nVersion) override;
    // Members 0 and empty, then sheet 2, icon shown, scale 1, m_nItemOpt2 6, kInheritGroups zero
    // flags. The lists are not touched.
    void Reset();
    // Base part, position, flags, conditions, commands; for files older than 219 a shot-sheet
    // graphic is raised by one (at most 119); then Inherit and CheckRefs. 1, or 0 when the item
    // does not fit the file (reading stops there).
    int Load(FILE* fp) override;
    // CheckRefs, then the layout above. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Copies the groups whose flag is set from the template (see PaletteRef.h); once, when read.
    void Inherit();
    // The palette reference check against the item lists; a scale below 1 becomes 1; a sound
    // outside the Sound table becomes 0; every command is repaired (cEdCommand::Repair).
    void CheckRefs();
    // The palette checks of the commands (cEdCommand::CheckPaletteRefs) against the active
    // palettes, once they are in place.
    void CheckCommands();

private:
    void CopyGroup(const cEdItem& source, int nGroup);
};
