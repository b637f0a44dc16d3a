#include "core/ReportLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "CoreTestSupport.h"
#include "platform/win/MessageBox.h"

namespace {

using coretest::CrLfLines;
using coretest::MainWindow;
using coretest::TempFolder;

class ReportLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetECLog(0, "EC_Game.txt");
        SetErrorBoxHook(nullptr);
        ClearRecordedMessageBoxes();
    }
    void TearDown() override
    {
        SetECLog(0, "EC_Game.txt");
        SetErrorBoxHook(nullptr);
    }
    std::vector<std::string> Lines(const char* name) const { return CrLfLines(folder.Read(name)); }

    TempFolder folder;
};

TEST_F(ReportLogTest, EachStartTruncatesTheReportLog)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    EXPECT_EQ(ReportLog("App : ver %s", "720"), 1);
    EXPECT_EQ(ReportLog("first run"), 1);
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    EXPECT_EQ(ReportLog("App : ver %s", "720"), 1);
    EXPECT_EQ(Lines("Report_Game.txt"), std::vector<std::string>{"App : ver 720"});
    EXPECT_EQ(folder.Read("Report_Game.txt"), "App : ver 720\r\n");
}

TEST_F(ReportLogTest, ReportLogKeepsItsPathWhenTheCurrentFolderChanges)
{
    char full[MAX_PATH];
    ASSERT_GT(GetFullPathNameA("Report_Game.txt", MAX_PATH, full, nullptr), 0u);
    ASSERT_EQ(CreateReportLog(full), 1);
    folder.MakeFolder("elsewhere");
    ASSERT_TRUE(SetCurrentDirectoryA("elsewhere"));
    EXPECT_EQ(ReportLog("after the move"), 1);
    ASSERT_TRUE(SetCurrentDirectoryA(".."));
    EXPECT_EQ(Lines("Report_Game.txt"), std::vector<std::string>{"after the move"});
}

TEST_F(ReportLogTest, UncreatableReportLogFails)
{
    EXPECT_EQ(CreateReportLog("missing_folder\\Report_Game.txt"), 0);
    EXPECT_EQ(CreateReportLog(std::string(300, 'a').c_str()), 0);
}

TEST_F(ReportLogTest, FinishedTextsWithPercentAreWrittenUnchanged)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    folder.Write("EC_Game.txt", "");  // later trace lines of a run only append to an existing file
    SetECLog(1, "EC_Game.txt");
    EXPECT_EQ(ReportLogEC("%s", "100% %d %s"), 1);
    EXPECT_EQ(ECLog("50% %n"), 1);
    EXPECT_EQ(Lines("Report_Game.txt"), std::vector<std::string>{"100% %d %s"});
    EXPECT_EQ(Lines("EC_Game.txt"), (std::vector<std::string>{"100% %d %s", "50% %n"}));
}

TEST_F(ReportLogTest, ReportLogECCutsAt1023Bytes)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    std::string text(3000, 'y');
    EXPECT_EQ(ReportLogEC("%s", text.c_str()), 1);
    EXPECT_EQ(Lines("Report_Game.txt"), std::vector<std::string>{std::string(1023, 'y')});
}

TEST_F(ReportLogTest, ReportLogECCutsLongJapaneseTextsAtACharacterBoundary)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    folder.Write("EC_Game.txt", "");
    SetECLog(1, "EC_Game.txt");
    // 1022 bytes, then double-byte characters: the one at bytes 1022-1023 does not fit.
    const std::string head(1022, 'y');
    EXPECT_EQ(ReportLogEC("%s%s", head.c_str(), "\x83\x47\x83\x89\x81\x5b"), 1);
    EXPECT_EQ(Lines("Report_Game.txt"), std::vector<std::string>{head});
    EXPECT_EQ(Lines("EC_Game.txt"), std::vector<std::string>{head});
}

TEST_F(ReportLogTest, ReportLogECWritesNothingWithoutReportLog)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    ASSERT_TRUE(DeleteFileA("Report_Game.txt"));
    SetECLog(1, "EC_Game.txt");
    EXPECT_EQ(ReportLogEC("lost"), 0);
    EXPECT_FALSE(folder.Exists("EC_Game.txt"));
    EXPECT_FALSE(folder.Exists("Report_Game.txt"));  // "rt+" never creates it
}

TEST_F(ReportLogTest, TraceLogOffWritesNothingButECLogCloseStillPosts)
{
    MainWindow window;
    EXPECT_EQ(ECLog("line"), 0);
    EXPECT_EQ(ECLogF("%d", 1), 0);
    ECLogClose(window.Handle(), "fatal %s", "text");
    EXPECT_FALSE(folder.Exists("EC_Game.txt"));
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 1);
}

// "Of the run": checked in a freshly started copy of the test program.
TEST_F(ReportLogTest, FirstTraceLineOfTheRunTruncatesLaterOnesAppend)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            folder.Write("EC_Game.txt", "stale line\r\n");
            SetECLog(1, "EC_Game.txt");
            bool ok = ECLog("one") == 1 && ECLogText("two") == 1 && ECLogF("three %d", 3) == 1;
            ok = ok && folder.Read("EC_Game.txt") == "one\r\ntwo\r\nthree 3\r\n";
            folder.Remove();  // exit() skips the fixture's destructor
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ReportLogTest, ErrorBoxComesAfterTheClosedLineAndShowsTheText)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    static std::vector<std::string> logAtBoxTime;
    static std::vector<std::string> shown;
    logAtBoxTime.clear();
    shown.clear();
    SetErrorBoxHook([](const char* szText) {
        shown.emplace_back(szText);
        // Another thread appends while the box waits: its line must not be lost.
        std::thread other([] { ReportLog("other thread"); });
        other.join();
    });
    EXPECT_EQ(ReportLogECBox("%s の読み込みに失敗…", "data\\100%.dat"), 1);
    EXPECT_EQ(ReportLog("after the box"), 1);
    const std::string text = "data\\100%.dat の読み込みに失敗…";
    EXPECT_EQ(shown, std::vector<std::string>{text});
    EXPECT_EQ(Lines("Report_Game.txt"), (std::vector<std::string>{text, "other thread", "after the box"}));
}

TEST_F(ReportLogTest, DefaultErrorBoxIsAPlainBoxWithTheErrorCaption)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    EXPECT_EQ(ReportLogECBox("%s", "50% done"), 1);
    std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "50% done");
    EXPECT_EQ(boxes[0].caption, "\x83\x47\x83\x89\x81\x5b");  // "エラー" in Shift-JIS
    EXPECT_EQ(boxes[0].type & 0xF, MB_OK);
}

TEST_F(ReportLogTest, ConcurrentAppendsLoseNoLine)
{
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    constexpr int kThreads = 4;
    constexpr int kLines = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i) {
                if (i % 2 == 0) {
                    ReportLog("thread %d line %d", t, i);
                } else {
                    ReportLogEC("thread %d line %d", t, i);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<std::string> lines = Lines("Report_Game.txt");
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kLines; ++i) {
            std::string expected = "thread " + std::to_string(t) + " line " + std::to_string(i);
            EXPECT_EQ(std::count(lines.begin(), lines.end(), expected), 1) << expected;
        }
    }
}

}  // namespace
