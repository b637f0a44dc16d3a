// The rows a slot menu shows: slot numbers while entries exist, the time stamp of existing
// slots, separator lines under every row but the last.
#include "project/cSaveSlot.h"

#include <gtest/gtest.h>

namespace {

TEST(cSaveSlotTest, ThreeRowsFromEntry97ShowTheLastTwoSlots)
{
    cVector<cSaveSlot> list(kSaveSlotCount);
    list[97].bExist = 1;
    list[97].stTime = SAVETIME{2024, 3, 2, 5, 7, 9, 1, 2};
    const std::vector<SAVESLOTROW> rows = BuildSaveSlotRows(list, 97, 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0].bEntry);
    EXPECT_EQ(rows[0].strNumber, "98");
    EXPECT_EQ(rows[0].strTime, "2024/03/05 07:09\n");
    EXPECT_TRUE(rows[1].bEntry);
    EXPECT_EQ(rows[1].strNumber, "99");
    EXPECT_EQ(rows[1].strTime, "");
    EXPECT_FALSE(rows[2].bEntry);
    EXPECT_EQ(rows[2].strNumber, "");
    EXPECT_EQ(std::vector<bool>({rows[0].bSeparator, rows[1].bSeparator, rows[2].bSeparator}),
              std::vector<bool>({true, true, false}));
}

TEST(cSaveSlotTest, RowsOutsideTheListShowNothing)
{
    cVector<cSaveSlot> list(kSaveSlotCount);
    EXPECT_TRUE(BuildSaveSlotRows(list, 0, 0).empty());
    const std::vector<SAVESLOTROW> rows = BuildSaveSlotRows(list, -1, 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0].bEntry);
    EXPECT_FALSE(rows[1].bEntry);
    EXPECT_EQ(BuildSaveSlotRows(list, 0, 1)[0].strNumber, "1");
}

TEST(cSaveSlotTest, TheSlotListHas99SlotsWithoutFile)
{
    ASSERT_EQ(SaveSlotList.size(), 99u);
    for (const cSaveSlot& slot : SaveSlotList) {
        EXPECT_EQ(slot.bExist, 0);
    }
}

}  // namespace
