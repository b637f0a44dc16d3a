// cEdCommonPalette: the block, character and item templates that every stage of a game shares.
// A palette reference of kind 1 points into it. The start-up reads it once from
// "data\CommonPalette.cplt4" into the global CommonPalette; afterwards only stage loads touch it
// (CheckStageRefs).
//
// Its entries may refer into a stage palette (the item a block gives, the items and summons of
// commands). Those references cannot be checked at start-up, before any stage exists: they are
// kept as read and checked against each stage when it is loaded, always starting again from the
// palette as it was read, so that a small stage does not cut the references for a larger one.
//
// File: int32 version; the empty base part (int32 0, int32 0); int32 count and that many block
// records; the same for characters and items. No end code.
#pragma once

#include <cstdio>
#include <memory>

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
    // SetDefaultEntries repairs the lists. References into a stage palette are left as read (no
    // stage is known). 1, or 0 when the file does not fit the record.
    int Load(FILE* fp) override;
    // SetDefaultEntries, the base part, then the three lists. 1, or 0 when a write failed.
    int Save(FILE* fp) override;

    // Fills each list up to 2 entries with default entries and repairs every entry's references
    // against this palette and the stage palette of the active scope (none while loading).
    // Returns the number of items.
    int SetDefaultEntries();
    // Gives the entries back their references as read from the file, then checks them against
    // this palette and the stage palette stage. LoadStage calls it for each stage it makes Stage.
    void CheckStageRefs(const PALETTELISTS& stage);

private:
    // The three lists as the last Load left them, before any stage was known.
    struct READLISTS {
        cVector<cEdBlock> Block;
        cVector<cEdChara> Chara;
        cVector<cEdItem> Item;
    };
    PALETTELISTS OwnLists();
    void RepairEntries();

    std::unique_ptr<READLISTS> m_lpAsRead;
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
