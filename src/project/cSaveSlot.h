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
struct DDSURFACEDATA;

class cSaveSlot : public cDataRecord {
public:
    std::int32_t bExist = 0;  // 1 when the slot's file exists and can be read; kSlotUnreadable
                              // (SaveSlotMarks.h) when it exists but cannot be read
    SAVETIME stTime;          // when the slot was saved; not registered

    // Registers for nDataVersion; a slot without file.
    cSaveSlot();
    cSaveSlot(const cSaveSlot&) = default;
    cSaveSlot& operator=(const cSaveSlot&) = default;

    // bExist is the one registered member.
    void RegisterMembers(int nVersion) override;

    // The slot exists and takes data's time stamp.
    void Set(const cSaveData& data);
    // Draws the time stamp ("%04d/%02d/%02d %02d:%02d", FormatSaveTime) with Font16 at (x, y) of
    // lpDst, only when the slot has a file. Game thread, with the fonts made.
    void DrawTime(DDSURFACEDATA* lpDst, int x, int y) const;
};

// The number of story slots.
constexpr int kSaveSlotCount = 99;

// The story slot list, built with 99 slots without file at static construction.
extern cVector<cSaveSlot> SaveSlotList;

// What one row of a slot menu shows (DrawSaveSlotList draws it).
struct SAVESLOTROW {
    bool bEntry = false;      // entry nFirst + i exists in the list
    std::string strNumber;    // its slot number nFirst + i + 1 ("%d"); empty without entry
    std::string strTime;      // its time stamp text (FormatSaveTime); empty when the slot has no file
    bool bSeparator = false;  // a separator line under the row
};

// The rows of a slot menu showing nRows rows (0 or more) of list from entry nFirst on.
std::vector<SAVESLOTROW> BuildSaveSlotRows(const cVector<cSaveSlot>& list, int nFirst, int nRows);

// Draws a slot menu of nRows rows (none when negative) of list from entry nFirst on with Font16
// at (x, y) of lpDst: Font16's window box 320 x (nRows x 16); row i at y + 16 i with the slot
// number at x + 16 and the time stamp at x + 64; a 320 x 1 line of palette colour 240 at
// y + 16 i + 15 under every row but the last. Game thread (the title and world-map menus), with
// the fonts made.
void DrawSaveSlotList(DDSURFACEDATA* lpDst, int x, int y, const cVector<cSaveSlot>& list, int nFirst, int nRows);
