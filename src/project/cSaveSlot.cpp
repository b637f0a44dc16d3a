#include "project/cSaveSlot.h"

#include "core/TextHelpers.h"
#include "project/cSaveData.h"

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
        if (slot.bExist) {
            row.strTime = FormatSaveTime(slot.stTime);
        }
    }
    return rows;
}
