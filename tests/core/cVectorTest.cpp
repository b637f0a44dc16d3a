#include "core/cVector.h"

#include <gtest/gtest.h>

#include <string>

#include "CoreTestSupport.h"
#include "core/FailureClose.h"
#include "core/ReportLog.h"

namespace {

using coretest::CrLfLines;
using coretest::MainWindow;
using coretest::TempFolder;

// Report log in a temporary folder and a main window that receives the WM_CLOSE.
class CheckedContainerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetECLog(0, "EC_Game.txt");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override { SetECLog(0, "EC_Game.txt"); }

    std::vector<std::string> ReportLines() const { return CrLfLines(folder.Read("Report_Game.txt")); }

    TempFolder folder;
    MainWindow window;
};

struct Block124 {
    char bytes[124] = {};
};

TEST_F(CheckedContainerTest, BadIndexIsReportedClosedAndYieldsElementZero)
{
    struct Case {
        int index;
        const char* message;
    };
    const Case cases[] = {
        {-1, "err V[-1] ( 3 , 4 )"},
        {3, "err V[3] ( 3 , 4 )"},
        {2147483647, "err V[2147483647] ( 3 , 4 )"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
        FailureClose.bRequested = false;
        cVector<int> v{10, 20, 30};
        int& element = v[c.index];
        EXPECT_EQ(&element, &v[0]) << c.index;
        EXPECT_EQ(ReportLines(), std::vector<std::string>{c.message});
        EXPECT_EQ(window.TakePosted(WM_CLOSE), 1) << c.index;
        // The close is a failure: the program's exit code will say so.
        EXPECT_TRUE(FailureClose.bRequested.load()) << c.index;
    }
    FailureClose.bRequested = false;
}

TEST_F(CheckedContainerTest, GoodIndexWritesNothingAndPostsNothing)
{
    cVector<int> v{10, 20, 30};
    EXPECT_EQ(v[2], 30);
    v[1] = 21;
    EXPECT_EQ(v[1], 21);
    EXPECT_TRUE(ReportLines().empty());
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
    EXPECT_FALSE(FailureClose.bRequested.load());
}

TEST_F(CheckedContainerTest, MessageCarriesTheElementSize)
{
    cVector<Block124> v(3);
    v[5];
    EXPECT_EQ(ReportLines(), std::vector<std::string>{"err V[5] ( 3 , 124 )"});
}

TEST_F(CheckedContainerTest, EmptyVectorReportsClosesAndYieldsTheSharedDefault)
{
    cVector<int> empty;
    int& first = empty[0];
    EXPECT_EQ(ReportLines(), std::vector<std::string>{"err V[0] ( 0 , 4 )"});
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 1);
    first = 77;
    const cVector<int>& constEmpty = empty;
    EXPECT_EQ(&constEmpty[3], &first);  // the same harmless element, never a throw
}

TEST_F(CheckedContainerTest, BadIndexAlsoGoesToTheTraceLogWhenItIsOn)
{
    folder.Write("EC_Game.txt", "");  // later trace lines of a run only append to an existing file
    SetECLog(1, "EC_Game.txt");
    cVector<int> v{1};
    v[1];
    EXPECT_EQ(CrLfLines(folder.Read("EC_Game.txt")), std::vector<std::string>{"err V[1] ( 1 , 4 )"});
    EXPECT_EQ(ReportLines(), std::vector<std::string>{"err V[1] ( 1 , 4 )"});
}

TEST(cVectorTest, RemoveTakesEveryEqualElementAndKeepsTheOrder)
{
    int a = 0, b = 0, c = 0;
    cVector<int*> objects{&a, &b, &a, &c};
    EXPECT_EQ(objects.Remove(&a), 1);
    EXPECT_EQ(objects, (cVector<int*>{&b, &c}));
    EXPECT_EQ(objects.Remove(&a), 0);
    EXPECT_EQ(objects, (cVector<int*>{&b, &c}));
}

TEST(cVectorTest, FillAndCount)
{
    cVector<int> v{1, 2, 1, 3};
    EXPECT_EQ(v.Count(1), 2);
    EXPECT_EQ(v.Count(4), 0);
    v.Fill(9);
    EXPECT_EQ(v, (cVector<int>{9, 9, 9, 9}));
}

struct Counted {
    int value = 5;
    bool operator==(const Counted&) const = default;
};

TEST(cVectorTest, ResetHoldsOnlyDefaultElements)
{
    cVector<Counted> v(5);
    for (Counted& c : v) {
        c.value = 1;
    }
    v.Reset(20);
    ASSERT_EQ(v.size(), 20u);
    for (const Counted& c : v) {
        EXPECT_EQ(c.value, 5);
    }
    v.Reset(0);
    EXPECT_TRUE(v.empty());
}

TEST(cVectorTest, AssignmentResizesThenAssignsElementwise)
{
    cVector<Counted> source(2);
    source[0].value = 1;
    source[1].value = 2;

    cVector<Counted> five(5);
    five = source;
    EXPECT_EQ(five, source);

    cVector<Counted> empty;
    cVector<Counted> bigSource(5);
    bigSource[4].value = 9;
    empty = bigSource;
    EXPECT_EQ(empty, bigSource);
}

}  // namespace
