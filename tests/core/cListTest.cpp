#include "core/cList.h"

#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "core/ReportLog.h"

namespace {

using coretest::CrLfLines;
using coretest::MainWindow;
using coretest::TempFolder;

struct Surface564 {
    int id = 0;
    char rest[560] = {};
};

TEST(cListTest, PositionalAccessWalksFromTheFront)
{
    cList<int> list{4, 5, 6};
    EXPECT_EQ(list[0], 4);
    EXPECT_EQ(list[2], 6);
    list[1] = 50;
    EXPECT_EQ(*std::next(list.begin()), 50);
}

TEST(cListTest, BadIndexIsReportedClosedAndYieldsTheSameFallBack)
{
    TempFolder folder;
    MainWindow window;
    SetECLog(0, "EC_Game.txt");
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);

    cList<Surface564> list(2);
    Surface564& first = list[2];
    EXPECT_NE(&first, &list.front());
    EXPECT_NE(&first, &list.back());
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")), std::vector<std::string>{"err L[2] ( 2 , 564 )"});
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 1);

    first.id = 42;
    Surface564& second = list[-1];
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.id, 42);  // as the first caller left it

    cList<Surface564> empty;
    EXPECT_EQ(&empty[0], &first);
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 2);
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")),
              (std::vector<std::string>{"err L[2] ( 2 , 564 )", "err L[-1] ( 2 , 564 )", "err L[0] ( 0 , 564 )"}));
}

}  // namespace
