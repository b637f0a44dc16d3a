#include "project/cDbAnime.h"

#include <gtest/gtest.h>

#include "ProjectTestSupport.h"

namespace {

using projecttest::ProjectTest;
using testsupport::AnimeFrameSpec;
using testsupport::AnimeSpec;

using cDbAnimeTest = ProjectTest;

AnimeSpec StoredAnime()
{
    AnimeSpec spec;
    spec.name = "run";
    spec.optionA = -3;
    spec.optionB = 7;
    spec.optionC = 300;
    spec.frames = {{5, 2, 0}, {6, 3, 1}};
    return spec;
}

struct VersionCase {
    int version;
    const char* member;
    int (*read)(const cDbAnime&);
    int expected;
};

// The options came with version 55; an older entry keeps the defaults 0, 1, 0 and its frames
// still follow its name.
const VersionCase kVersionCases[] = {
    {54, "nOptionA", [](const cDbAnime& a) { return int{a.nOptionA}; }, 0},
    {54, "bOptionB", [](const cDbAnime& a) { return int{a.bOptionB}; }, 1},
    {54, "nOptionC", [](const cDbAnime& a) { return int{a.nOptionC}; }, 0},
    {54, "frame 1 cell", [](const cDbAnime& a) { return a.FrameList[1].nCell; }, 6},
    {55, "nOptionA", [](const cDbAnime& a) { return int{a.nOptionA}; }, -3},
    {55, "bOptionB", [](const cDbAnime& a) { return int{a.bOptionB}; }, 7},
    {55, "nOptionC", [](const cDbAnime& a) { return int{a.nOptionC}; }, 300},
    {720, "frame 1 time", [](const cDbAnime& a) { return a.FrameList[1].nTime; }, 3},
    {720, "frame 1 lock", [](const cDbAnime& a) { return a.FrameList[1].bLock; }, 1},
};

TEST_F(cDbAnimeTest, ReadsEveryLayoutByVersion)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", " << c.member);
        cDbAnime anime;
        ASSERT_EQ(LoadSpec(anime, c.version, StoredAnime()), 1);
        EXPECT_EQ(anime.strName, "run");
        ASSERT_EQ(anime.FrameList.size(), 2u);
        EXPECT_EQ(c.read(anime), c.expected);
    }
}

TEST_F(cDbAnimeTest, NewAndResetAnimationHoldOneDefaultFrame)
{
    cDbAnime anime;
    EXPECT_EQ(anime.bOptionB, 1);
    ASSERT_EQ(anime.FrameList.size(), 1u);
    EXPECT_EQ(anime.FrameList[0].nTime, 1);

    anime.strName = "x";
    anime.nOptionA = 9;
    anime.bOptionB = 0;
    anime.FrameList.resize(3);
    anime.Reset();
    EXPECT_EQ(anime.strName, "");
    EXPECT_EQ(anime.nOptionA, 0);
    EXPECT_EQ(anime.bOptionB, 1);
    ASSERT_EQ(anime.FrameList.size(), 1u);
    EXPECT_EQ(anime.FrameList[0].nCell, 0);
    EXPECT_EQ(anime.FrameList[0].nTime, 1);
    EXPECT_EQ(anime.FrameList[0].bLock, 0);
}

TEST_F(cDbAnimeTest, StoredWithoutFramesReadsAnEmptyFrameList)
{
    AnimeSpec spec;
    spec.frames.clear();
    cDbAnime anime;
    ASSERT_EQ(LoadSpec(anime, 720, spec), 1);
    EXPECT_TRUE(anime.FrameList.empty());
}

TEST_F(cDbAnimeTest, SavesThe720LayoutAfterReadingAnOldOne)
{
    cDbAnime anime;
    ASSERT_EQ(LoadSpec(anime, 54, StoredAnime()), 1);
    AnimeSpec expected = StoredAnime();
    expected.optionA = 0;
    expected.optionB = 1;
    expected.optionC = 0;
    EXPECT_EQ(SavedBytes(anime), Expected720(expected));
}

TEST_F(cDbAnimeTest, CopiesAreIndependent)
{
    cDbAnime anime;
    ASSERT_EQ(LoadSpec(anime, 720, StoredAnime()), 1);
    cDbAnime copy(anime);
    cDbAnime assigned;
    assigned = anime;
    anime.FrameList[0].nCell = 99;
    anime.strName = "changed";
    for (cDbAnime* other : {&copy, &assigned}) {
        EXPECT_EQ(other->strName, "run");
        ASSERT_EQ(other->FrameList.size(), 2u);
        EXPECT_EQ(other->FrameList[0].nCell, 5);
        EXPECT_EQ(SavedBytes(*other), Expected720(StoredAnime()));
    }
}

}  // namespace
