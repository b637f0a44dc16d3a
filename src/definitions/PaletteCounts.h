// The sizes of the palette lists that commands name entries of: the block, character and item
// lists of the common palette and of the stage palette. The owners of commands (character and
// item definitions) fill it from the palettes in place when they check their references
// (cEdCommand::CheckPaletteRefs).
#pragma once

#include <array>

// Which palette: the values of a summon's palette member (0 common, 1 stage).
enum PALETTEKIND { PALETTE_COMMON = 0, PALETTE_STAGE = 1 };
// Which list of a palette.
enum PALETTELIST { PALETTELIST_BLOCK = 0, PALETTELIST_CHARA = 1, PALETTELIST_ITEM = 2 };

struct PALETTECOUNTS {
    // Entries per palette and list. A negative count means "not known": references into that
    // list are left unchecked (the common palette, read before any stage, leaves the stage lists
    // at -1 so that its references into a stage palette survive until a stage is there).
    std::array<std::array<int, 3>, 2> nCount{{{-1, -1, -1}, {-1, -1, -1}}};

    // The count of list nList of palette nPalette; -1 for a palette or list outside the enums.
    int Count(int nPalette, int nList) const
    {
        if (nPalette < 0 || nPalette > 1 || nList < 0 || nList > 2) {
            return -1;
        }
        return nCount[static_cast<std::size_t>(nPalette)][static_cast<std::size_t>(nList)];
    }
};
