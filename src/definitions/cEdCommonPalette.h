// cEdCommonPalette: the block, character and item templates that every stage of a game shares.
// A palette reference of kind 1 points into it. The start-up reads it once from
// "data\CommonPalette.cplt4" into the global CommonPalette; nothing changes it afterwards.
//
// Its entries may refer into a stage palette (the item a block gives, the items and summons of
// commands). Those references are checked when the palette is read, against the stage palette
// of that moment: at start-up the reset Stage, whose lists hold only their default entry 0. A
// common block's stage item beyond entry 0 thus becomes none, and a command's stage summon or
// item beyond it becomes entry 1, for every stage the game loads later.
//
// File: int32 version; the empty base part (int32 0, int32 0); int32 count and that many block
// records; the same for characters and items. No end code.
#pragma once

#include <cstdio>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "definitions/PaletteRef.h"
#include "definitions/cEdBlock.h"
#include "definitions/cEdChara.h"
#include "definitions/cEdItem.h"

class cEdCommonPalette : public cDataRecord {
public:
    cVector<cEdBlock> m_PaletteBlock;  // entry 0 is the fixed default entry
    cVector<cEdChara> m_PaletteChara;
    cVector<cEdItem> m_PaletteItem;

    // No members; each list holds one default entry.
    cEdCommonPalette();

    // Registers nothing (the record has no members of its own).
    void RegisterMembers(int nVersion) override;
    // The base part, then the three lists (LoadBlockList and its siblings); entry 0 of each list
    // is reset, every inheritance flag is cleared (common entries never inherit) and
    // SetDefaultEntries repairs the lists, references into a stage palette against the stage
    // palette of the active scope. 1, or 0 when the file does not fit the record.
    int Load(FILE* fp) override;
    // SetDefaultEntries, the base part, then the three lists. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Fills each list up to 2 entries with default entries and repairs every entry's references
    // against this palette and the stage palette of the active scope. Returns the number of
    // items.
    int SetDefaultEntries();

private:
    PALETTELISTS OwnLists();
    void RepairEntries();
};

// The common palette of the game, read at start-up.
extern cEdCommonPalette CommonPalette;

// The palette list readers, shared by the common palette and the stage palette: int32 n (checked
// against the bytes left), then the list is emptied, filled with n new entries and each entry
// reads itself (inheriting and repairing against the lists of the active scope as they stand at
// that moment). 1, or 0 when the count or an entry does not fit the file.
int LoadBlockList(cVector<cEdBlock>& list, FILE* fp);
int LoadCharaList(cVector<cEdChara>& list, FILE* fp);
int LoadItemList(cVector<cEdItem>& list, FILE* fp);
