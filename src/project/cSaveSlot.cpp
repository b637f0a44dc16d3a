#include "project/cSaveSlot.h"

#include "core/TextHelpers.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "project/SaveSlotMarks.h"
#include "project/cSaveData.h"

namespace {

// Slot menus are 320 pixels wide with 16-pixel rows; numbers and times start at fixed columns.
constexpr int kSlotListWidth = 320;
constexpr int kSlotRowHeight = 16;
constexpr int kNumberColumn = 16;
constexpr int kTimeColumn = 64;
constexpr DWORD kSeparatorPalNum = 240;

}  // namespace

cVector<cSaveSlot> SaveSlotList(kSaveSlotCount);

cSaveSlot::cSaveSlot()
{
    RegisterMembers(nDataVersion);
}

void cSaveSlot::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&bExist, 1);
}

void cSaveSlot::Set(const cSaveData& data)
{
    bExist = 1;
    stTime = data.stTime;
}

void cSaveSlot::DrawTime(DDSURFACEDATA* lpDst, int x, int y) const
{
    if (bExist <= 0) {
        return;
    }
    FontTable[Font16].Printf(lpDst, x, y, "%s", FormatSaveTime(stTime).c_str());
}

std::vector<SAVESLOTROW> BuildSaveSlotRows(const cVector<cSaveSlot>& list, int nFirst, int nRows)
{
    std::vector<SAVESLOTROW> rows(static_cast<std::size_t>(nRows > 0 ? nRows : 0));
    bool listed = true;  // entries are shown while they exist
    for (int i = 0; i < nRows; ++i) {
        SAVESLOTROW& row = rows[static_cast<std::size_t>(i)];
        row.bSeparator = i < nRows - 1;
        const long long entry = static_cast<long long>(nFirst) + i;
        listed = listed && entry >= 0 && entry < static_cast<long long>(list.size());
        if (!listed) {
            continue;
        }
        const cSaveSlot& slot = list[static_cast<int>(entry)];
        row.bEntry = true;
        FormatString(row.strNumber, "%lld", entry + 1);
        if (slot.bExist == kSlotUnreadable) {
            row.strTime = kUnreadableSlotText;
        } else if (slot.bExist) {
            row.strTime = FormatSaveTime(slot.stTime);
        }
    }
    return rows;
}

void DrawSaveSlotList(DDSURFACEDATA* lpDst, int x, int y, const cVector<cSaveSlot>& list, int nFirst, int nRows)
{
    if (nRows < 0) {
        return;
    }
    Font& font = FontTable[Font16];
    font.DrawWindow(lpDst, x, y, kSlotListWidth, nRows * kSlotRowHeight);
    const std::vector<SAVESLOTROW> rows = BuildSaveSlotRows(list, nFirst, nRows);
    for (int i = 0; i < nRows; ++i) {
        const SAVESLOTROW& row = rows[static_cast<std::size_t>(i)];
        const int rowY = y + i * kSlotRowHeight;
        if (row.bSeparator) {
            DDFillRectPal(lpDst, x, rowY + kSlotRowHeight - 1, kSlotListWidth, 1, kSeparatorPalNum);
        }
        if (!row.bEntry) {
            continue;
        }
        font.Printf(lpDst, x + kNumberColumn, rowY, "%s", row.strNumber.c_str());
        if (!row.strTime.empty()) {
            font.Printf(lpDst, x + kTimeColumn, rowY, "%s", row.strTime.c_str());
        }
    }
}
