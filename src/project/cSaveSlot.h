// cSaveSlot: one entry of the story slot list that the title and world-map menus show: whether
// the slot's file exists and when it was saved. The list (SaveSlotList, 99 entries; entry n is
// the file "user_data\story\Story" + (n + 1) in two digits + ".dat") is never written; it is
// rebuilt from the slot files by MakeSaveSlotList whenever a slot menu opens, and updated by
// cSaveData::SaveSlot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/SaveTime.h"

class cSaveData;

class cSaveSlot : public cDataRecord {
public:
    std::int32_t bExist = 0;  // 1 when the slot's file exists (and can be read)
    SAVETIME stTime;          // when the slot was saved; not registered

    // Registers for nDataVersion; a slot without file.
    cSaveSlot();
    cSaveSlot(const cSaveSlot&) = default;
    cSaveSlot& operator=(const cSaveSlot&) = default;

    // bExist is the one registered member.
    void RegisterMembers(int nVersion) override;

    // The slot exists and takes data's time stamp.
    void Set(const cSaveData& data);
};

// The number of story slots.
constexpr int kSaveSlotCount = 99;

// The story slot list, built with 99 slots without file at static construction.
extern cVector<cSaveSlot> SaveSlotList;

// What one row of a slot menu shows. DrawSaveSlotList (to come with the 16-pixel font) draws the
// rows nRows of a menu at (x, y): a window box 320 x (nRows x 16); row i at y + 16 i with the
// number at x + 16 and the time at x + 64; a 320 x 1 line of palette colour 240 at y + 16 i + 15
// under every row but the last.
struct SAVESLOTROW {
    bool bEntry = false;    // entry nFirst + i exists in the list
    std::string strNumber;  // its slot number nFirst + i + 1 ("%d"); empty without entry
    std::string strTime;    // its time stamp text (FormatSaveTime); empty when the slot has no file
    bool bSeparator = false;  // a separator line under the row
};

// The rows of a slot menu showing nRows rows (0 or more) of list from entry nFirst on.
std::vector<SAVESLOTROW> BuildSaveSlotRows(const cVector<cSaveSlot>& list, int nFirst, int nRows);
