#include "project/cDbBmpCharaExc.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::BmpCharaExcSpec;

using cDbBmpCharaExcTest = ProjectTest;

BmpCharaExcSpec StoredSheet(int cellSize)
{
    BmpCharaExcSpec spec;
    spec.name = "boss";
    spec.reserved = 9;
    spec.fileName = "bmp\\Boss.bmp";
    spec.largeCell = 1;
    spec.cellSize = cellSize;
    return spec;
}

struct VersionCase {
    int version;
    const char* member;
    std::int32_t cDbBmpCharaExc::*field;
    int expected;
};

// nReserved is stored from 152 and kept from 153; the large cells come with 172. Members an
// older file lacks keep what the entry held before the Load (here 5 and 6).
const VersionCase kVersionCases[] = {
    {151, "nReserved", &cDbBmpCharaExc::nReserved, 0},   {151, "bLargeCell", &cDbBmpCharaExc::bLargeCell, 5},
    {152, "nReserved", &cDbBmpCharaExc::nReserved, 0},   {153, "nReserved", &cDbBmpCharaExc::nReserved, 9},
    {171, "bLargeCell", &cDbBmpCharaExc::bLargeCell, 5}, {171, "nCellSize", &cDbBmpCharaExc::nCellSize, 6},
    {172, "bLargeCell", &cDbBmpCharaExc::bLargeCell, 1}, {172, "nCellSize", &cDbBmpCharaExc::nCellSize, 3},
    {720, "nReserved", &cDbBmpCharaExc::nReserved, 9},
};

TEST_F(cDbBmpCharaExcTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        cDbBmpCharaExc sheet;
        sheet.nReserved = 4;
        sheet.bLargeCell = 5;
        sheet.nCellSize = 6;
        ASSERT_EQ(LoadSpec(sheet, c.version, StoredSheet(3)), 1);
        EXPECT_EQ(sheet.strName, "boss");
        EXPECT_EQ(sheet.strFileName, "bmp\\Boss.bmp");
        EXPECT_EQ(sheet.*c.field, c.expected);
    }
}

TEST_F(cDbBmpCharaExcTest, NewEntryFromAVersion171FileHasSmallCells)
{
    cDbBmpCharaExc sheet;
    ASSERT_EQ(LoadSpec(sheet, 171, StoredSheet(3)), 1);
    EXPECT_EQ(sheet.bLargeCell, 0);
    EXPECT_EQ(sheet.nCellSize, 2);
}

// 16 div nCellSize cells per row: a size of 0 would divide by zero, above 16 a row holds none.
TEST_F(cDbBmpCharaExcTest, CellSizeIsBroughtIntoOneToSixteen)
{
    const std::pair<int, int> cases[] = {{0, 1}, {-4, 1}, {1, 1}, {16, 16}, {17, 16}, {INT32_MAX, 16}};
    for (auto [stored, expected] : cases) {
        cDbBmpCharaExc sheet;
        ASSERT_EQ(LoadSpec(sheet, 720, StoredSheet(stored)), 1);
        EXPECT_EQ(sheet.nCellSize, expected) << "stored " << stored;
    }
}

TEST_F(cDbBmpCharaExcTest, SavesThe720Layout)
{
    cDbBmpCharaExc sheet;
    ASSERT_EQ(LoadSpec(sheet, 720, StoredSheet(4)), 1);
    EXPECT_EQ(SavedBytes(sheet), Expected720(StoredSheet(4)));
}

}  // namespace
