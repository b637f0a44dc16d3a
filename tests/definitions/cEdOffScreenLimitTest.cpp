#include <gtest/gtest.h>

#include "StageTestSupport.h"
#include "definitions/cEdOffScreenLimit.h"

namespace stagetest {
namespace {

using testsupport::OffScreenSpec;

class cEdOffScreenLimitTest : public StageTest {};

TEST_F(cEdOffScreenLimitTest, FilesBefore125StoreOnlyTheLeftFlag)
{
    OffScreenSpec spec{{0, 0, 0, 0}, {1, 2, 3, 4}};
    cEdOffScreenLimit limit;
    limit.Set(1, 1, 1, 1, 9, 9, 9, 9);
    ASSERT_EQ(LoadSpec(limit, 124, spec), 1);
    EXPECT_EQ(limit.m_bLeft, 0);
    EXPECT_EQ(limit.m_bRight, 1);
    EXPECT_EQ(limit.m_bTop, 1);
    EXPECT_EQ(limit.m_bBottom, 1);
    EXPECT_EQ(limit.m_nLeft, 1);
    EXPECT_EQ(limit.m_nBottom, 4);

    ASSERT_EQ(LoadSpec(limit, 125, spec), 1);
    EXPECT_EQ(limit.m_bRight, 0);
}

TEST_F(cEdOffScreenLimitTest, OutsideByMarginOrFieldEdge)
{
    // Camera at (1000, 500); margins of 2 tiles (64 pixels) on every side; field bounds
    // 640 + 3200 by 640 + 1600.
    cEdOffScreenLimit limit;
    limit.Set(1, 1, 1, 1, 2, 2, 2, 2);
    struct Case {
        const char* what;
        int left, top, right, bottom;
        int outside;
    };
    const Case cases[] = {
        {"on screen", 1100, 600, 1132, 632, 0},
        {"left, right edge at the margin", 900, 600, 936, 632, 1},
        {"left, just inside the margin", 900, 600, 937, 632, 0},
        {"right, at the margin", 1704, 600, 1736, 632, 1},
        {"right, just inside", 1703, 600, 1735, 632, 0},
        {"above, at the margin", 1100, 400, 1132, 436, 1},
        {"below, at the margin", 1100, 1044, 1132, 1076, 1},
        {"touching the field's left edge", 0, 600, 32, 632, 1},
        {"touching the field's right bound", 3807, 600, 3839, 632, 1},
        {"touching the field's bottom bound", 1100, 2200, 1132, 2239, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(limit.IsOutside(c.left, c.top, c.right, c.bottom, 1000, 500, 640 + 3200, 640 + 1600), c.outside);
    }
    // Without side flags only the field edges count.
    cEdOffScreenLimit none;
    EXPECT_EQ(none.IsOutside(900, 600, 936, 632, 1000, 500, 3840, 2240), 0);
}

}  // namespace
}  // namespace stagetest
