// The rows a slot menu shows: slot numbers while entries exist, the time stamp of existing
// slots, separator lines under every row but the last; and the menu drawn with the test font.
#include "project/cSaveSlot.h"

#include <gtest/gtest.h>

#include "FontDrawTestSupport.h"

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

// Slot menus drawn with Font16 of the test font: 16-pixel cells, a single-byte glyph 2 pixels into
// its cell and 1 more to its ink, 6 x 10 pixels of ink from 3 pixels below the row's top.
class cSaveSlotDrawTest : public projecttest::FontDrawTest {};

TEST_P(cSaveSlotDrawTest, ThreeRowsFromEntry97ShowSlots98And99)
{
    cVector<cSaveSlot> list(kSaveSlotCount);
    list[97].bExist = 1;
    list[97].stTime = SAVETIME{2024, 3, 2, 5, 7, 9, 1, 2};
    DDSURFACEDATA* canvas = Canvas(360, 70);
    DrawSaveSlotList(canvas, 20, 10, list, 97, 3);
    const gfxtest::RawImage image = Pixels(canvas);
    using projecttest::InkBox;
    // A 320 x 48 box of skin with its red frame outside.
    EXPECT_EQ(BoxOf(image, Raw('R'), 0, 0, 359, 69), (InkBox{19, 9, 340, 58}));
    EXPECT_EQ(image[10][20], Raw('G'));
    EXPECT_EQ(image[57][339], Raw('G'));
    // Separator lines under the first two rows only, across the whole box.
    EXPECT_EQ(BoxOf(image, PalRaw(240), 0, 0, 359, 69), (InkBox{20, 25, 339, 41}));
    EXPECT_EQ(BoxOf(image, PalRaw(240), 0, 26, 359, 40), InkBox{});
    for (int x = 20; x < 340; ++x) {
        ASSERT_EQ(image[25][static_cast<std::size_t>(x)], PalRaw(240)) << x;
        ASSERT_EQ(image[57][static_cast<std::size_t>(x)], Raw('G')) << x;
    }
    // Row 0: "98" from x + 16, "2024/03/05 07:09" (16 characters) from x + 64.
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 10, 359, 24), (InkBox{36 + 3, 13, 84 + 15 * 16 + 8, 22}));
    EXPECT_EQ(BoxOf(image, Raw('W'), 84, 10, 359, 24), (InkBox{84 + 3, 13, 84 + 15 * 16 + 8, 22}));
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 10, 83, 24), (InkBox{36 + 3, 13, 52 + 8, 22}));
    // Row 1: "99" and no time (the slot has no file); row 2: no entry, nothing drawn.
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 26, 359, 41), (InkBox{36 + 3, 29, 52 + 8, 38}));
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 42, 359, 69), InkBox{});
}

TEST_P(cSaveSlotDrawTest, TimeIsDrawnOnlyForASlotWithFile)
{
    cSaveSlot slot;
    slot.stTime = SAVETIME{2024, 3, 2, 5, 7, 9, 1, 2};
    DDSURFACEDATA* canvas = Canvas(300, 20);
    const gfxtest::RawImage before = Pixels(canvas);
    slot.DrawTime(canvas, 0, 0);
    EXPECT_EQ(Pixels(canvas), before);
    slot.bExist = 1;
    slot.DrawTime(canvas, 0, 0);
    EXPECT_EQ(BoxOf(Pixels(canvas), Raw('W'), 0, 0, 299, 19), (projecttest::InkBox{3, 3, 15 * 16 + 8, 12}));
}

INSTANTIATE_TEST_SUITE_P(Matrix, cSaveSlotDrawTest, ::testing::ValuesIn(gfxtest::kConfigs), gfxtest::ConfigName);

}  // namespace
