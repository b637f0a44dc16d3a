#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/win/Random.h"

namespace {

// The first values of the classic generator for seed 1.
const std::vector<int> kSeedOne = {41, 18467, 6334, 26500, 19169};

std::vector<int> Draw(std::size_t n)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(Rand());
    }
    return out;
}

TEST(RandomTest, SeedOneGivesTheClassicSequence)
{
    SRand(1);
    EXPECT_EQ(Draw(kSeedOne.size()), kSeedOne);
    SRand(1);
    EXPECT_EQ(Draw(kSeedOne.size()), kSeedOne) << "seeding again restarts the sequence";
}

TEST(RandomTest, EachThreadStartsWithSeedOneAndKeepsItsOwnState)
{
    SRand(12345);
    Rand();
    std::vector<int> other;
    std::thread t([&] { other = Draw(kSeedOne.size()); });
    t.join();
    EXPECT_EQ(other, kSeedOne);
}

TEST(RandomTest, ValuesStayWithinFifteenBits)
{
    SRand(0xFFFFFFFFu);
    for (int v : Draw(1000)) {
        ASSERT_GE(v, 0);
        ASSERT_LE(v, GAME_RAND_MAX);
    }
}

}  // namespace
