// The comparison codes, percentages, operations and random operands of conditions and of the
// status operation, with the edge values where 32-bit arithmetic would wrap.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "objects/flow/FlowOperands.h"
#include "platform/win/Random.h"

namespace {

struct COMPARECASE {
    std::int64_t nLeft;
    std::int64_t nRight;
    int nOp;
    int nExpected;
};

TEST(FlowOperandsTest, ComparisonCodes)
{
    const COMPARECASE cases[] = {
        {5, 5, 0, 1},
        {5, 6, 0, 0},
        {5, 6, 1, 1},
        {5, 5, 1, 0},
        {5, 5, 2, 1},
        {4, 5, 2, 0},
        {5, 5, 3, 1},
        {6, 5, 3, 0},
        {6, 5, 4, 1},
        {5, 5, 4, 0},
        {4, 5, 5, 1},
        {5, 5, 5, 0},
        {7, 0, 6, 1},
        {7, 0, 7, 0},
        {-9, 3, 6, 1},
        {-9, 3, 7, 0},
        {10, 3, 6, 0},
        {10, 3, 7, 1},
        {9, -3, 6, 1},
        {0, 5, 6, 1},
        {INT_MIN, 2, 6, 1},
        {INT_MIN, -1, 7, 0},
        {5, 5, 8, 0},
        {5, 5, -1, 0},
        {5, 5, 255, 0},
        // A narrow item compared with a value outside its width compares as the number it is.
        {44, 300, 0, 0},
        {100, 356, 2, 0},
    };
    for (const COMPARECASE& c : cases) {
        EXPECT_EQ(CompareByOp(c.nLeft, c.nRight, c.nOp), c.nExpected) << c.nLeft << " op " << c.nOp << " " << c.nRight;
    }
}

TEST(FlowOperandsTest, PercentRoundsHalfAwayFromZero)
{
    EXPECT_EQ(PercentOf(150, 33), 50);
    EXPECT_EQ(PercentOf(-150, 33), -50);
    EXPECT_EQ(PercentOf(101, 50), 51);
    EXPECT_EQ(PercentOf(0, 77), 0);
    EXPECT_EQ(PercentOf(999999, 999999), INT_MAX) << "no wrap: 9.99998e9 is past int32";
    EXPECT_EQ(PercentOf(999999, -999999), INT_MIN);
    EXPECT_EQ(PercentOf(300000, 1000), 3000000);
}

struct OPCASE {
    std::int32_t nTarget;
    std::int32_t nOperand;
    int nOperation;
    std::int32_t nMin;
    std::int32_t nMax;
    std::int32_t nExpected;
};

TEST(FlowOperandsTest, OperationsClampInsteadOfWrapping)
{
    const OPCASE cases[] = {
        {5, 9, 0, -999999, 999999, 9},
        {5, 9, 1, -999999, 999999, 14},
        {5, 9, 2, -999999, 999999, -4},
        {999999, INT_MAX, 1, -999999, 999999, 999999},
        {-999999, INT_MAX, 2, -999999, 999999, -999999},
        {100000, 100000, 3, -999999, 999999, 999999},
        {100000, -100000, 3, -999999, 999999, -999999},
        {-100000, -100000, 3, -999999, 999999, 999999},
        {65536, 65536, 3, -999999, 999999, 999999},  // wraps to 0 in 32 bits
        {65536, 65537, 3, -999999, 999999, 999999},
        {7, -3, 3, -999999, 999999, -21},
        {7, 2, 4, -999999, 999999, 3},
        {-7, 2, 4, -999999, 999999, -3},
        {7, 0, 4, -999999, 999999, 7},
        {-7, 3, 5, -999999, 999999, -1},
        {7, -3, 5, -999999, 999999, 1},
        {7, 0, 5, -999999, 999999, 7},
        {INT_MIN, -1, 4, INT_MIN, INT_MAX, INT_MAX},
        {INT_MIN, -1, 5, INT_MIN, INT_MAX, 0},
        {150, 33, 6, -999999, 999999, 50},
        {5, 9, 7, -999999, 999999, 5},
        {5, 9, 0, 0, 7, 7},
        {5, -9, 0, 0, 7, 0},
        {5000000, 0, 9, -999999, 999999, 999999},  // an unknown operation still clamps
    };
    for (const OPCASE& c : cases) {
        std::int32_t t = c.nTarget;
        ApplyOperation(t, c.nOperand, c.nOperation, c.nMin, c.nMax);
        EXPECT_EQ(t, c.nExpected) << c.nTarget << " op " << c.nOperation << " " << c.nOperand;
    }
}

TEST(FlowOperandsTest, NarrowOperationsClampInTheirRange)
{
    std::int8_t impact = 15;
    ApplyOperation(impact, 10, 1, -20, 20);
    EXPECT_EQ(impact, 20);
    std::int8_t id = 100;
    ApplyOperation(id, 200, 6, 0, 99);  // 200 % of 100 is 200, not a wrapped -56
    EXPECT_EQ(id, 99);
    std::int16_t brake = 150;
    ApplyOperation(brake, 1000, 3, 0, 200);
    EXPECT_EQ(brake, 200);
    std::int16_t icon = 50;
    ApplyOperation(icon, -1, 3, 0, 119);
    EXPECT_EQ(icon, 0);
}

TEST(FlowOperandsTest, ClampValueLimitsBothSides)
{
    std::int32_t v = 1000;
    EXPECT_EQ(ClampValue(v, 0, 999), 999);
    v = -5;
    EXPECT_EQ(ClampValue(v, 0, 999), 0);
    EXPECT_EQ(v, 0);
}

// The generator's next result after seed s: state = s x 214013 + 2531011, (state >> 16) & 0x7FFF.
int NextRand(unsigned& state)
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

TEST(FlowOperandsTest, RandomBoundsInEitherOrderAndAnyWidth)
{
    struct RANDCASE {
        std::int32_t a;
        std::int32_t b;
    } cases[] = {{3, 9}, {9, 3}, {5, 5}, {-10, -20}, {4, 3}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {-1, 0}};
    for (const RANDCASE& c : cases) {
        const unsigned kSeed = 1234;
        SRand(kSeed);
        unsigned state = kSeed;
        const std::int64_t lo = c.a < c.b ? c.a : c.b;
        const std::int64_t hi = c.a < c.b ? c.b : c.a;
        for (int n = 0; n < 20; ++n) {
            const std::int64_t expected = lo + NextRand(state) % (hi - lo + 1);
            EXPECT_EQ(RandomBetween(c.a, c.b), expected) << c.a << ".." << c.b;
        }
    }
}

}  // namespace
