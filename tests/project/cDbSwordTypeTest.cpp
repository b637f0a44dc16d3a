#include "project/cDbSwordType.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::SwordFrameSpec;
using testsupport::SwordTypeSpec;

using cDbSwordTypeTest = ProjectTest;

SwordTypeSpec StoredSword()
{
    SwordTypeSpec spec;
    spec.name = "blade";
    spec.reserved = 8;
    spec.fileName = "bmp\\SwordR.bmp";
    spec.fileNameLeft = "bmp\\SwordL.bmp";
    spec.frames = {
        {1, 2, 0, 1, 3, 4, 5, 6, 7, 8},
        {-1, -2, 0, 0, 1, 40, 50, 60, 70, 80},
    };
    return spec;
}

struct VersionCase {
    int version;
    const char* member;
    int (*read)(const cDbSwordType&);
    int expected;
};

// nReserved is stored from 151 and kept from 153; the frames' mirror flags come with 138, and an
// older frame keeps the defaults bMirrorX 1, bMirrorY 0 while its other eight values are read.
const VersionCase kVersionCases[] = {
    {137, "frame 0 bMirrorX", [](const cDbSwordType& s) { return s.FrameList[0].bMirrorX; }, 1},
    {137, "frame 0 bMirrorY", [](const cDbSwordType& s) { return s.FrameList[0].bMirrorY; }, 0},
    {137, "frame 0 nPlace", [](const cDbSwordType& s) { return s.FrameList[0].nPlace; }, 3},
    {137, "frame 1 nTime", [](const cDbSwordType& s) { return s.FrameList[1].nTime; }, 80},
    {138, "frame 0 bMirrorX", [](const cDbSwordType& s) { return s.FrameList[0].bMirrorX; }, 0},
    {138, "frame 0 bMirrorY", [](const cDbSwordType& s) { return s.FrameList[0].bMirrorY; }, 1},
    {150, "nReserved", [](const cDbSwordType& s) { return s.nReserved; }, 0},
    {152, "nReserved", [](const cDbSwordType& s) { return s.nReserved; }, 0},
    {153, "nReserved", [](const cDbSwordType& s) { return s.nReserved; }, 8},
    {720, "frame 1 nOffsetY", [](const cDbSwordType& s) { return s.FrameList[1].nOffsetY; }, -2},
    {720, "frame 1 nHeight", [](const cDbSwordType& s) { return s.FrameList[1].nHeight; }, 70},
};

TEST_F(cDbSwordTypeTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        cDbSwordType sword;
        sword.nReserved = 5;
        ASSERT_EQ(LoadSpec(sword, c.version, StoredSword()), 1);
        EXPECT_EQ(sword.strName, "blade");
        EXPECT_EQ(sword.strFileName, "bmp\\SwordR.bmp");
        EXPECT_EQ(sword.strFileNameLeft, "bmp\\SwordL.bmp");
        ASSERT_EQ(sword.FrameList.size(), 2u);
        EXPECT_EQ(c.read(sword), c.expected);
    }
}

TEST_F(cDbSwordTypeTest, StoredWithoutFramesReadsAnEmptyFrameList)
{
    SwordTypeSpec spec;
    spec.frames.clear();
    cDbSwordType sword;
    ASSERT_EQ(LoadSpec(sword, 720, spec), 1);
    EXPECT_TRUE(sword.FrameList.empty());
}

TEST_F(cDbSwordTypeTest, DefaultSwordHasOneFrameOfTimeOne)
{
    cDbSwordType sword;
    sword.strName = "x";
    sword.FrameList.resize(3);
    sword.FrameList[0].nPlace = 2;
    sword.SetDefault();
    EXPECT_EQ(sword.strName, "");
    ASSERT_EQ(sword.FrameList.size(), 1u);
    const cDbSwordFrame& frame = sword.FrameList[0];
    EXPECT_EQ(frame.bMirrorX, 1);
    EXPECT_EQ(frame.bMirrorY, 0);
    EXPECT_EQ(frame.nPlace, 0);
    EXPECT_EQ(frame.nTime, 1);
}

TEST_F(cDbSwordTypeTest, SavesThe720Layout)
{
    cDbSwordType sword;
    ASSERT_EQ(LoadSpec(sword, 720, StoredSword()), 1);
    EXPECT_EQ(SavedBytes(sword), Expected720(StoredSword()));
}

}  // namespace
