#include <gtest/gtest.h>

#include <vector>

#include "StandInFixture.h"
#include "platform/win/Time.h"

namespace {

class TimeTest : public StandInTest {
protected:
    void TearDown() override
    {
        UseVirtualClock(false);
        StandInTest::TearDown();
    }
};

TEST_F(TimeTest, TheVirtualClockWrapsAroundLikeTheThirtyTwoBitCounter)
{
    UseVirtualClock(true, 0xFFFFFFF0u);
    ASSERT_TRUE(IsVirtualClock());
    const DWORD start = timeGetTime();
    EXPECT_EQ(start, 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    LARGE_INTEGER before;
    ASSERT_TRUE(QueryPerformanceCounter(&before));

    Sleep(0x20);  // advances the clock instead of waiting
    EXPECT_EQ(timeGetTime(), 0x10u);
    EXPECT_EQ(static_cast<DWORD>(timeGetTime() - start), 0x20u) << "unsigned differences survive the wrap";
    AdvanceVirtualClock(5);
    EXPECT_EQ(GetTickCount(), 0x15u);

    LARGE_INTEGER after;
    LARGE_INTEGER frequency;
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 1000000);
    EXPECT_EQ(after.QuadPart - before.QuadPart, 37 * 1000) << "the counter does not wrap at 32 bits";
}

TEST_F(TimeTest, EverySleepingThreadAdvancesTheSharedVirtualClockByItsOwnAmount)
{
    UseVirtualClock(true, 1000);
    std::vector<HANDLE> threads;
    for (DWORD ms : {10u, 25u}) {
        threads.push_back(Start([ms]() -> unsigned {
            for (int i = 0; i < 4; ++i) {
                Sleep(ms);
            }
            return 0;
        }));
    }
    for (HANDLE h : threads) {
        EXPECT_EQ(Finish(h), 0u);
    }
    EXPECT_EQ(timeGetTime(), 1000u + 4 * 10 + 4 * 25);
}

TEST_F(TimeTest, TheRealClockMovesAtLeastAsFarAsASleep)
{
    ASSERT_FALSE(IsVirtualClock());
    const DWORD before = timeGetTime();
    LARGE_INTEGER c0;
    QueryPerformanceCounter(&c0);
    Sleep(2);
    LARGE_INTEGER c1;
    QueryPerformanceCounter(&c1);
    EXPECT_GE(timeGetTime() - before, 2u);
    EXPECT_GE(c1.QuadPart - c0.QuadPart, 2000);
}

TEST_F(TimeTest, TimerPeriodRequestsMustBeBalanced)
{
    const int balance = TimerPeriodBalance();
    EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOERROR);
    EXPECT_EQ(TimerPeriodBalance(), balance + 1);
    EXPECT_EQ(timeEndPeriod(1), TIMERR_NOERROR);
    EXPECT_EQ(TimerPeriodBalance(), balance);
    if (balance == 0) {
        EXPECT_EQ(timeEndPeriod(1), TIMERR_NOCANDO) << "an end without a begin is flagged";
    }
    EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
}

}  // namespace
