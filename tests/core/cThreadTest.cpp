#include "core/cThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "CoreTestSupport.h"
#include "core/ReportLog.h"
#include "platform/win/Messages.h"
#include "platform/win/Time.h"

namespace {

using coretest::CrLfLines;
using coretest::TempFolder;

std::atomic<bool> leftLoop{false};
std::atomic<bool> terminatedLeft{false};
std::atomic<bool> release{false};
std::atomic<bool> finished{false};
std::atomic<bool> started{false};

// A worker as the system writes them: a message loop that ends on WM_QUIT.
unsigned PumpUntilQuit(void*)
{
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
    }
    leftLoop = true;
    return 0;
}

// Never creates a queue; leaves only when asked to terminate (at a stand-in call).
unsigned NeverReadsItsQueue(void*)
{
    struct MarkOnLeave {
        ~MarkOnLeave() { terminatedLeft = true; }
    } mark;
    started = true;
    for (;;) {
        ThreadSafePoint();
    }
}

// Pure computation without any stand-in call: nothing can make it leave early.
unsigned SpinsWithoutStandIn(void*)
{
    started = true;
    while (!release.load()) {
    }
    finished = true;
    return 0;
}

unsigned ReturnsAtOnce(void*)
{
    return 3;
}

// A terminate request is honoured already at a thread's entry: tests of a running procedure
// first wait until it runs.
void WaitUntilStarted()
{
    while (!started) {
        std::this_thread::yield();
    }
}

// The start handshake: post 0x8000 until the new thread's queue exists.
void WaitForQueue(const cThread& thread)
{
    while (!PostThreadMessage(thread.m_dwThreadID, WM_APP, 0, 0)) {
        Sleep(0);
    }
}

class cThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        leftLoop = false;
        terminatedLeft = false;
        release = false;
        finished = false;
        started = false;
        SetECLog(0, "EC_Game.txt");
        ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    }
    void TearDown() override
    {
        UseVirtualClock(false);
        FailThreadStartsForTest(false);
        SetECLog(0, "EC_Game.txt");
    }

    TempFolder folder;
};

TEST_F(cThreadTest, WithoutThreadEverythingSucceedsAndNothingIsLogged)
{
    SetECLog(1, "EC_Game.txt");
    cThread thread;
    thread.Exit();
    thread.Wait();
    EXPECT_EQ(thread.Suspend(), 1);
    EXPECT_EQ(thread.Resume(), 1);
    EXPECT_FALSE(folder.Exists("EC_Game.txt"));
}

TEST_F(cThreadTest, ThreadThatEndsOnWmQuitLeavesWithoutTerminate)
{
    folder.Write("EC_Game.txt", "");  // later trace lines of a run only append to an existing file
    SetECLog(1, "EC_Game.txt");
    cThread thread;
    ASSERT_EQ(thread.Start(PumpUntilQuit, nullptr), 1);
    WaitForQueue(thread);
    thread.Exit();
    EXPECT_TRUE(leftLoop);
    EXPECT_EQ(thread.m_hThread.load(), nullptr);
    std::vector<std::string> lines = CrLfLines(folder.Read("EC_Game.txt"));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"Exit A", "Exit B", "Exit C", "Exit D", "Exit E"}));
    thread.Exit();  // already stopped: nothing more
    EXPECT_EQ(CrLfLines(folder.Read("EC_Game.txt")).size(), lines.size());
}

TEST_F(cThreadTest, ThreadThatNeverReadsItsQueueIsTerminatedFromThe200thPoll)
{
    // The real clock: with the virtual one the polls after the request would pass faster than a
    // busy machine schedules the thread. Only a lower bound is checked.
    cThread thread;
    ASSERT_EQ(thread.Start(NeverReadsItsQueue, nullptr), 1);
    WaitUntilStarted();
    DWORD before = timeGetTime();
    thread.Exit();
    // Every poll sleeps at least a millisecond, and the thread can only leave once asked to
    // terminate: the first request came at the 200th poll.
    EXPECT_GE(timeGetTime() - before, 200u);
    EXPECT_TRUE(terminatedLeft);
    EXPECT_EQ(thread.m_hThread.load(), nullptr);
    EXPECT_TRUE(CrLfLines(folder.Read("Report_Game.txt")).empty());  // it ended; nobody gave up
}

TEST_F(cThreadTest, ExitResumesASuspendedThreadSoThatItSeesWmQuit)
{
    cThread thread;
    ASSERT_EQ(thread.Start(PumpUntilQuit, nullptr), 1);
    WaitForQueue(thread);
    EXPECT_EQ(thread.Suspend(), 1);
    EXPECT_EQ(thread.Suspend(), 1);
    thread.Exit();
    EXPECT_TRUE(leftLoop);  // left its loop itself: it was not terminated
}

TEST_F(cThreadTest, ExitLetsGoOfAThreadThatWillNotLeave)
{
    UseVirtualClock(true, 0);
    cThread thread;
    ASSERT_EQ(thread.Start(SpinsWithoutStandIn, nullptr), 1);
    WaitUntilStarted();
    DWORD id = thread.m_dwThreadID;
    thread.Exit();
    EXPECT_EQ(thread.m_hThread.load(), nullptr);
    EXPECT_EQ(CrLfLines(folder.Read("Report_Game.txt")),
              std::vector<std::string>{"cThread::Exit : thread " + std::to_string(id) + " did not end"});
    release = true;
    while (!finished) {
        std::this_thread::yield();
    }
}

TEST_F(cThreadTest, WaitReturnsOnceTheThreadEndedAndTheWrapperCanStartAgain)
{
    cThread thread;
    ASSERT_EQ(thread.Start(ReturnsAtOnce, nullptr), 1);
    thread.Wait();
    EXPECT_EQ(thread.m_hThread.load(), nullptr);
    ASSERT_EQ(thread.Start(PumpUntilQuit, nullptr), 1);
    EXPECT_EQ(thread.Start(PumpUntilQuit, nullptr), 0);  // still running: not overwritten
    WaitForQueue(thread);
    thread.Exit();
    EXPECT_TRUE(leftLoop);
}

TEST_F(cThreadTest, FailedStartLeavesNoThread)
{
    cThread thread;
    // A successful start first lets the stand-in join threads that ended after their handle was
    // closed (a failing start must not be the one to find them).
    ASSERT_EQ(thread.Start(ReturnsAtOnce, nullptr), 1);
    thread.Wait();
    FailThreadStartsForTest(true);
    EXPECT_EQ(thread.Start(ReturnsAtOnce, nullptr), 0);
    EXPECT_EQ(thread.m_hThread.load(), nullptr);
}

}  // namespace
