#include <latch>
#include <vector>

#include "platform/win/Random.h"

#include "StandInFixture.h"

namespace {

using ThreadsTest = StandInTest;

TEST_F(ThreadsTest, AHandleReportsRunningThenEndedAndFailsOnceClosed)
{
    std::latch mayEnd(1);
    std::atomic<DWORD> idInside{0};
    DWORD id = 0;
    HANDLE h = Start(
        [&]() -> unsigned {
            idInside = GetCurrentThreadId();
            mayEnd.wait();
            return 1234;
        },
        &id);
    ASSERT_NE(h, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(h, 5), WAIT_TIMEOUT) << "a finite time-out expires while it runs";

    mayEnd.count_down();
    EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 1234u);
    EXPECT_EQ(idInside.load(), id);

    // The fixture closes it too; a second close fails and does no harm.
    HANDLE copy = h;
    EXPECT_TRUE(CloseHandle(copy));
    EXPECT_EQ(WaitForSingleObject(copy, 0), WAIT_FAILED);
    EXPECT_FALSE(GetExitCodeThread(copy, &code));
    EXPECT_FALSE(CloseHandle(copy));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(SuspendThread(copy), static_cast<DWORD>(-1));
    EXPECT_EQ(ResumeThread(copy), static_cast<DWORD>(-1));
}

TEST_F(ThreadsTest, AFailedStartGivesNoHandle)
{
    FailThreadStartsForTest(true);
    DWORD id = 99;
    EXPECT_EQ(BeginThread([](void*) -> unsigned { return 0; }, nullptr, 0, &id), nullptr);
    FailThreadStartsForTest(false);
    EXPECT_EQ(BeginThread(nullptr, nullptr, 0, &id), nullptr);
}

TEST_F(ThreadsTest, SuspendCountsNestAndResumeAtZeroSucceeds)
{
    std::atomic<bool> ran{false};
    HANDLE h = Start(
        [&]() -> unsigned {
            ran = true;
            return 0;
        },
        nullptr, CREATE_SUSPENDED);
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsThreadHeldAtSafePoint(h); }));
    EXPECT_FALSE(ran.load()) << "a thread created suspended waits before its procedure";
    EXPECT_EQ(SuspendThread(h), 1u);
    EXPECT_EQ(ResumeThread(h), 2u);
    EXPECT_TRUE(IsThreadHeldAtSafePoint(h));
    EXPECT_EQ(ResumeThread(h), 1u);
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_TRUE(ran.load());
    // The close sequence resumes until one call succeeds: at count 0 it does, also once ended.
    EXPECT_EQ(ResumeThread(h), 0u);
}

TEST_F(ThreadsTest, ASuspendedThreadStopsAtItsNextStandInCall)
{
    std::atomic<bool> keepComputing{true};
    std::atomic<unsigned> spins{0};
    std::atomic<bool> pastTheCall{false};
    HANDLE h = Start([&]() -> unsigned {
        while (keepComputing) {
            ++spins;  // pure computation: never stopped here
        }
        Sleep(0);
        pastTheCall = true;
        return 0;
    });
    ASSERT_TRUE(Eventually([&] { return spins.load() > 0; }));
    EXPECT_EQ(SuspendThread(h), 0u);
    const unsigned before = spins.load();
    EXPECT_TRUE(Eventually([&] { return spins.load() > before; })) << "suspension is cooperative";
    EXPECT_FALSE(IsThreadHeldAtSafePoint(h));

    keepComputing = false;
    ASSERT_TRUE(Eventually([&] { return IsThreadHeldAtSafePoint(h); }));
    EXPECT_FALSE(pastTheCall.load());
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    EXPECT_EQ(ResumeThread(h), 1u);
    EXPECT_EQ(Finish(h), 0u);
    EXPECT_TRUE(pastTheCall.load());
}

// A terminate request makes the thread leave at its next stand-in call, whatever it waits in;
// its locals are destroyed on the way out and the handle reports the given exit code.
TEST_F(ThreadsTest, TerminateTakesEffectAtTheNextStandInCall)
{
    enum class Where { BlockedInGetMessage, InALongSleep, WhileSuspended, ComputingThenPeeking };
    for (Where where :
         {Where::BlockedInGetMessage, Where::InALongSleep, Where::WhileSuspended, Where::ComputingThenPeeking}) {
        SCOPED_TRACE(static_cast<int>(where));
        std::atomic<bool> started{false};
        std::atomic<bool> keepComputing{true};
        std::atomic<bool> leftNormally{false};
        std::atomic<bool> localDestroyed{false};
        struct Guard {
            std::atomic<bool>& flag;
            ~Guard() { flag = true; }
        };
        HANDLE h = Start([&]() -> unsigned {
            Guard guard{localDestroyed};
            started = true;
            MSG m;
            switch (where) {
            case Where::BlockedInGetMessage: GetMessage(&m, nullptr, 0, 0); break;
            case Where::InALongSleep: Sleep(INFINITE); break;
            case Where::WhileSuspended:
            case Where::ComputingThenPeeking:
                while (keepComputing) {
                }
                PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
                break;
            }
            leftNormally = true;
            return 1;
        });
        ASSERT_TRUE(Eventually([&] { return started.load(); }));
        if (where == Where::WhileSuspended) {
            SuspendThread(h);
            keepComputing = false;
            ASSERT_TRUE(Eventually([&] { return IsThreadHeldAtSafePoint(h); }));
        }
        EXPECT_TRUE(TerminateThread(h, 5));
        EXPECT_EQ(TerminateRequestCount(h), 1u);
        keepComputing = false;
        EXPECT_EQ(Finish(h), 5u);
        EXPECT_FALSE(leftNormally.load());
        EXPECT_TRUE(localDestroyed.load());
        EXPECT_FALSE(TerminateThread(h, 0)) << "nothing to terminate any more";
    }
}

// Host threads are reused for later threads: every thread must still start as a new one would --
// its own id, an empty queue, random seed 1 -- whatever the thread before it left behind (a seed,
// a message still queued, a terminate request).
TEST_F(ThreadsTest, ALaterThreadStartsFreshWhateverTheOneBeforeLeft)
{
    constexpr int kFirstRandOfSeedOne = 41;  // (1 * 214013 + 2531011) >> 16
    std::vector<DWORD> ids;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        std::atomic<int> firstRand{-1};
        std::atomic<bool> queueWasEmpty{false};
        std::atomic<bool> posted{false};
        const bool terminated = i == 1;
        DWORD id = 0;
        HANDLE h = Start(
            [&]() -> unsigned {
                firstRand = Rand();
                MSG m;
                queueWasEmpty = !PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);
                SRand(12345);
                Rand();
                PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
                posted = true;
                if (terminated) {
                    Sleep(INFINITE);
                }
                return 100 + static_cast<unsigned>(i);
            },
            &id);
        ASSERT_NE(h, nullptr);
        if (terminated) {
            ASSERT_TRUE(Eventually([&] { return posted.load(); }));
            EXPECT_TRUE(TerminateThread(h, 9));
        }
        EXPECT_EQ(Finish(h), terminated ? 9u : 100u + static_cast<unsigned>(i));
        EXPECT_EQ(firstRand.load(), kFirstRandOfSeedOne);
        EXPECT_TRUE(queueWasEmpty.load());
        EXPECT_FALSE(PostThreadMessage(id, WM_USER, 0, 0)) << "an ended thread's id takes no messages";
        for (DWORD earlier : ids) {
            EXPECT_NE(id, earlier);
        }
        ids.push_back(id);
    }
}

}  // namespace
