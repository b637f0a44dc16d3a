#include "project/cDbAnimeSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using projecttest::ProjectTest;
using testsupport::AnimeSetSpec;
using testsupport::AnimeSpec;

using cDbAnimeSetTest = ProjectTest;

// A set of count motions named "m0", "m1" ..., motion i with one frame of cell 10 + i.
AnimeSetSpec StoredSet(int count)
{
    AnimeSetSpec spec;
    spec.name = "set";
    spec.offsetA = 11;
    spec.offsetB = 12;
    spec.offsetC = 13;
    spec.motions.clear();
    for (int i = 0; i < count; ++i) {
        AnimeSpec motion;
        motion.name = "m" + std::to_string(i);
        motion.frames = {{10 + i, 2, 0}};
        spec.motions.push_back(motion);
    }
    return spec;
}

struct VersionCase {
    int version;
    const char* member;
    std::int32_t cDbAnimeSet::*field;
    int expected;
};

// nCellOffsetC came with version 119; an older entry keeps the value held before the Load.
const VersionCase kVersionCases[] = {
    {118, "nCellOffsetA", &cDbAnimeSet::nCellOffsetA, 11}, {118, "nCellOffsetB", &cDbAnimeSet::nCellOffsetB, 12},
    {118, "nCellOffsetC", &cDbAnimeSet::nCellOffsetC, -7}, {119, "nCellOffsetC", &cDbAnimeSet::nCellOffsetC, 13},
    {720, "nCellOffsetC", &cDbAnimeSet::nCellOffsetC, 13},
};

TEST_F(cDbAnimeSetTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        cDbAnimeSet set;
        set.nCellOffsetC = -7;
        ASSERT_EQ(LoadSpec(set, c.version, StoredSet(4)), 1);
        EXPECT_EQ(set.strName, "set");
        EXPECT_EQ(set.*c.field, c.expected);
    }
}

// The motion list after a load: stored count and version against the resulting motions.
struct MotionCase {
    int version;
    int stored;
    std::vector<std::string> names;  // expected names, "" for a reset motion's empty name
    std::vector<int> cells;          // expected cell of frame 0 (0 for a reset motion)
};

TEST_F(cDbAnimeSetTest, OldFilesHoldFourMotionsAndShortListsArePadded)
{
    const std::string fly = Sjis("飛行");
    const std::string flyMove = Sjis("飛行移動");
    const MotionCase cases[] = {
        // Before 128 exactly four, motions 2 and 3 renamed, reset ones appended.
        {120, 2, {"m0", "m1", fly, flyMove}, {10, 11, 0, 0}},
        {100, 6, {"m0", "m1", fly, flyMove}, {10, 11, 12, 13}},
        {127, 4, {"m0", "m1", fly, flyMove}, {10, 11, 12, 13}},
        // From 128 the stored list as it is; fewer than four padded with named reset motions.
        {128, 6, {"m0", "m1", "m2", "m3", "m4", "m5"}, {10, 11, 12, 13, 14, 15}},
        {720, 6, {"m0", "m1", "m2", "m3", "m4", "m5"}, {10, 11, 12, 13, 14, 15}},
        {720, 2, {"m0", "m1", fly, flyMove}, {10, 11, 0, 0}},
        {720, 0, {Sjis("立ち"), Sjis("立ち移動"), fly, flyMove}, {0, 0, 0, 0}},
    };
    for (const MotionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.stored << " motions");
        cDbAnimeSet set;
        ASSERT_EQ(LoadSpec(set, c.version, StoredSet(c.stored)), 1);
        ASSERT_EQ(set.MotionList.size(), c.names.size());
        for (int i = 0; i < static_cast<int>(c.names.size()); ++i) {
            EXPECT_EQ(set.MotionList[i].strName, c.names[i]) << "motion " << i;
            ASSERT_EQ(set.MotionList[i].FrameList.size(), 1u) << "motion " << i;
            EXPECT_EQ(set.MotionList[i].FrameList[0].nCell, c.cells[i]) << "motion " << i;
        }
    }
}

TEST_F(cDbAnimeSetTest, DefaultSetHasFourNamedMotions)
{
    cDbAnimeSet set;
    set.MotionList[0].FrameList[0].nCell = 42;
    set.MotionList.resize(6);
    set.nCellOffsetA = 0;
    set.SetDefault();
    EXPECT_EQ(set.nCellOffsetA, 4);
    EXPECT_EQ(set.nCellOffsetB, 8);
    EXPECT_EQ(set.nCellOffsetC, 0);
    ASSERT_EQ(set.MotionList.size(), 4u);
    EXPECT_EQ(set.MotionList[0].strName, Sjis("立ち"));
    EXPECT_EQ(set.MotionList[1].strName, Sjis("立ち移動"));
    EXPECT_EQ(set.MotionList[2].strName, Sjis("飛行"));
    EXPECT_EQ(set.MotionList[3].strName, Sjis("飛行移動"));
    // Existing motions are kept, only renamed.
    EXPECT_EQ(set.MotionList[0].FrameList[0].nCell, 42);
}

TEST_F(cDbAnimeSetTest, SavesThe720Layout)
{
    cDbAnimeSet set;
    ASSERT_EQ(LoadSpec(set, 720, StoredSet(5)), 1);
    EXPECT_EQ(SavedBytes(set), Expected720(StoredSet(5)));
}

}  // namespace
