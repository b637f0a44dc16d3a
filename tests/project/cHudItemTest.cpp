#include "project/cHudItem.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"
#include "support/SystemDataWriter.h"

namespace {

using projecttest::ProjectTest;
using testsupport::ByteWriter;
using testsupport::HudItemSpec;

using cHudItemTest = ProjectTest;

struct VersionCase {
    int version;
    int showValue;
    int warnValue;
    int warnPercent;
};

// bShowValue is stored from 204 (1 before), the warning from 587 (kept as it was before).
const VersionCase kVersionCases[] = {
    {200, 1, -3, -4}, {203, 1, -3, -4}, {204, 5, -3, -4}, {586, 5, -3, -4}, {587, 5, 6, 7}, {720, 5, 6, 7},
};

TEST_F(cHudItemTest, ReadsEveryLayoutByVersion)
{
    const HudItemSpec stored{2, 3, "HP", 4, 5, 6, 7};
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(c.version);
        cHudItem item;
        item.nWarnValue = -3;
        item.bWarnPercent = -4;
        ByteWriter bytes;
        testsupport::WriteRecord(bytes, stored, c.version);
        ASSERT_EQ(LoadBytes(item, c.version, bytes), 1);
        EXPECT_EQ(item.bVisible, 2);
        EXPECT_EQ(item.bIcon, 3);
        EXPECT_EQ(item.strLabel, "HP");
        EXPECT_EQ(item.nDigits, 4);
        EXPECT_EQ(item.bShowValue, c.showValue);
        EXPECT_EQ(item.nWarnValue, c.warnValue);
        EXPECT_EQ(item.bWarnPercent, c.warnPercent);
    }
}

TEST_F(cHudItemTest, SavesThe720RawOrder)
{
    cHudItem item;
    ByteWriter bytes;
    const HudItemSpec stored{1, 0, "SP", 3, 1, 33, 1};
    testsupport::WriteRecord(bytes, stored, 720);
    ASSERT_EQ(LoadBytes(item, 720, bytes), 1);
    ByteWriter expected;
    expected.I32(720);
    testsupport::WriteRecord(expected, stored, 720);
    EXPECT_EQ(SavedBytes(item), std::string(expected.Data().begin(), expected.Data().end()));
}

}  // namespace
