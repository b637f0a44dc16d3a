// cEdChara: one character -- its picture and animation set, its controller (the player or the
// computer), its group formation, its collision range kind, effects, settings, the conditions
// under which it is present and its flows (its behaviour). The same record is an entry of the
// common or the stage palette and a character placed in a stage (at tile column m_nX, row m_nY);
// the hero is a placed character controlled by the player. The save data carries groups of the
// hero's definition from stage to stage and names the raw members by their position in the
// registration (the numbers in brackets below, at version 720).
//
// A character may take property groups from a palette entry (its template) when it is read;
// m_Inherit says which. Copies copy every member and both lists (the flows deeply).
//
// In a file: the base part (the raw members the file's version holds, in the order below; the
// name as the one string); uint16 x, uint16 y; int32 m_nPlaceValue; int32 n and n inheritance
// flags; int32 count and the conditions; int32 count and the flows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/cEdCondition.h"
#include "definitions/cEdFlow.h"

class cEdChara : public cDataRecord {
public:
    // Property groups, one inheritance flag each (see the group table in cEdCharaInherit.cpp).
    static constexpr int kInheritGroups = 37;
    // Fewest bytes a character takes in a file: its six counts, its position and place value.
    static constexpr std::size_t kMinFileBytes = 28;

    std::string m_strName;                 // Shift-JIS
    std::int8_t m_nPaletteKind = 0;        // [0] template: 0 none, 1 common, 2 stage palette
    std::int16_t m_nPaletteIndex = 0;      // [1] template's index in its list (0 names none)
    std::int8_t m_nCondMode = 0;           // [2] 0 all conditions must hold, 1 one or more
    std::int8_t m_bCondOnce = 0;           // [3] once the conditions held, they hold for good
    std::int8_t m_nDirection = 0;          // [4] initial facing: 0 left, 1 right
    std::int8_t m_nGroupCount = 0;         // [5] further members of a placed group
    std::int16_t m_nGroupBaseX = 0;        // [6] x offset of group member 0, pixels
    std::int16_t m_nGroupStepX = 0;        // [7] x step between group members
    std::int16_t m_nGroupBaseY = 0;        // [8] y offset of group member 0
    std::int16_t m_nGroupStepY = 0;        // [9] y step between group members
    std::int8_t m_bGroupMirrorX = 0;       // [10] x offsets negated when facing right
    std::int8_t m_bGroupMirrorY = 0;       // [11] y offsets negated when facing right
    std::int16_t m_nGraphic = 0;           // [12] graphic number in the sheet
    std::int8_t m_nGraphicSheet = 1;       // [13] sheet (see cEdBlock; 4 Bmp_CharaExc)
    std::int16_t m_nCell = 0;              // [14] base cell number
    std::int16_t m_nAnimeSet = 0;          // [15] AnimeSet database entry
    std::int8_t m_nZ = 3;                  // [16] display priority 0..7
    std::int8_t m_bTransparent = 0;        // [17] 1: not drawn
    std::int16_t m_nCharaEffect = 0;       // [18] CharaEffect database entry applied
    std::int8_t m_nCharaEffectValue1 = 0;  // [19] its first value (from version 196)
    std::int8_t m_nCharaEffectValue2 = 1;  // [20] its second value
    std::int16_t m_nDeathEffect = 0;       // [21] CharaEffect entry started at death
    std::int8_t m_nDeathEffectValue = 0;   // [22] its value (from version 196)
    std::int8_t m_nBadgeShow = 0;          // [23] 1: badge m_nBadge drawn with the character
    std::int16_t m_nBadge = 0;             // [24] icon row number / 15, column number % 15
    std::int8_t m_nController = 1;         // [25] 0 the player, 1 the computer
    std::int8_t m_nCharaOpt26 = 0;         // [26] setting
    std::int8_t m_nFaction = 1;            // [27] faction; blocks of this pass faction let it through
    std::int8_t m_nCharaId = 0;            // [28] character ID
    std::int8_t m_nFlying = 0;             // [29] 0 off, 1 through blocks, 2 hits blocks, 3 dies on blocks
    std::int8_t m_nDirectionFix = 1;       // [30] 1: the facing does not follow the movement
    std::int8_t m_nInvincible = 0;         // [31] 0 off, 1 shots still hit, 2 shots pass through
    std::int8_t m_nInvincibleColor = 0;    // [32] flashing colour 0..9 (from version 285)
    std::int8_t m_bFullCell = 0;           // [33] the body is the whole 32 x 32 cell
    std::int8_t m_nScale = 1;              // [34] enlargement 1..10
    std::int8_t m_bScrollSync = 0;         // [35] moves with the auto-scroll (from version 210)
    std::int8_t m_nViewShape = 0;          // [36] limited view: 0 none, 1..4 circle/square shapes
    std::int8_t m_nViewRange = 0;          // [37] view range in half tiles
    std::int32_t m_nMaxHp = 10;            // [38] maximum HP, the starting HP
    std::int32_t m_nMaxSp = 0;             // [39] maximum SP, the starting SP
    std::int16_t m_nBrake = 10;            // [40] ease of stopping, 1/100 pixel per frame squared
    std::int8_t m_nRangeKind = 0;          // [41] range between characters 0..3 (from version 201)
    std::int32_t m_nRamPower = 0;          // [42] damage of a body blow
    std::int8_t m_nRamImpact = 0;          // [43] knock-back of a body blow
    std::int16_t m_nEffect = 0;            // [44] Effect database entry
    std::int32_t m_nDefence = 0;           // [45] defence (from version 168)
    std::int8_t m_nImpactResist = 0;       // [46] knock-back resistance
    std::int32_t m_nScore = 0;             // [47] score gained when defeated
    std::int8_t m_nCharaOpt48 = 1;         // [48] setting
    std::int8_t m_bSwitchAppear = 0;       // [49] present only while switch m_nSwitch is on
    std::int16_t m_nSwitch = 0;            // [50] the switch number
    std::int8_t m_nActiveRange = 0;        // [51] 0 on screen, 1 x only, 2 y only, 3 everywhere
    std::int8_t m_nPresenceMode = 0;       // [52] how range and group decide its presence (0..2)
    std::uint16_t m_nX = 0;                // tile column of a placed character
    std::uint16_t m_nY = 0;                // tile row
    std::int32_t m_nPlaceValue = 0;        // stored with the position
    cVector<std::uint8_t> m_Inherit;       // the stored flags (kInheritGroups in a new definition)
    cVector<cEdCondition> m_Condition;     // conditions under which it is present
    cVector<cEdFlow> m_Flow;               // its behaviour

    // A new character: Reset.
    cEdChara();

    // The name, then the raw members the version holds, in the order above.
    void RegisterMembers(int nVersion) override;
    // m_nPlaceValue 0, members 0 and empty, kInheritGroups zero flags, then the defaults given
    // beside the members. The condition and flow lists are not touched.
    void Reset();
    // Base part, position, place value, flags, conditions, flows; the test-play-only flows are
    // removed unless DefinitionContext keeps them; the upgrades of files older than 720; then
    // Inherit and CheckRefs. 1, or 0 when the character does not fit the file (reading stops).
    int Load(FILE* fp) override;
    // CheckRefs, then the layout above. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Copies the groups whose flag is set from the template (see PaletteRef.h); once, when read.
    void Inherit();
    // The palette reference check against the character lists; a sheet-4 graphic outside
    // Bmp_CharaExc becomes 1 (0 when that table has fewer than two entries); a scale below 1
    // becomes 1; AnimeSet, CharaEffect, death effect and Effect indices outside their tables
    // become 0; every flow is repaired and the flows without conditions, key conditions and
    // commands are removed.
    void CheckRefs();
    // The palette checks of every flow's commands against the active palettes.
    void CheckFlows();

    // Offset of group member n from the character's position, pixels: n x step + base, negated
    // for facing 1 (right) when the mirror flag of the axis is set. Stage play places the group.
    double GetGroupOffsetX(int n, int nFacing) const;
    double GetGroupOffsetY(int n, int nFacing) const;

private:
    // The upgrades of a character read from a file of version nFromVersion (below 720).
    void Upgrade(int nFromVersion);
    void CopyGroup(const cEdChara& source, int nGroup);
};
