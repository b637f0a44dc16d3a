#include <gtest/gtest.h>

#include <vector>

#include "objects/effect/cPatternAnime.h"

namespace {

PatternTable Table(std::vector<std::vector<PATTERNSTEP>> patterns)
{
    PatternTable table;
    for (const auto& steps : patterns) {
        table.push_back(cVector<PATTERNSTEP>(steps.begin(), steps.end()));
    }
    return table;
}

struct StepCase {
    const char* name;
    std::vector<std::vector<PATTERNSTEP>> patterns;
    int firstPattern;
    std::vector<int> expected;  // the results of consecutive steps
};

class PatternSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(PatternSteps, YieldTheCellsOfEachControlCode)
{
    const StepCase& c = GetParam();
    const PatternTable table = Table(c.patterns);
    cPatternAnime anime;
    anime.SetPatterns(&table);
    anime.SetPattern(c.firstPattern, 1);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(anime.Step(), c.expected[i]) << "step " << i + 1;
    }
}

std::vector<int> EndAfter21()
{
    std::vector<int> cells;
    for (int i = 1; i <= 22; ++i) {
        cells.push_back(i >= 21 ? kPatternEnd : (i / 7));
    }
    return cells;
}

INSTANTIATE_TEST_SUITE_P(
    ControlCodes, PatternSteps,
    ::testing::Values(
        StepCase{"hold", {{{5, 2, 0}, {kPatternHold, 0, 0}}}, 0, {5, 5, 5, 5, 5, 5}},
        StepCase{"loop", {{{0, 1, 0}, {1, 1, 0}, {kPatternLoop, 0, 0}}}, 0, {1, 0, 1, 0, 1}},
        StepCase{"jump",
                 {{{0, 2, 0}, {kPatternJump, 1, 0}}, {{7, 3, 0}, {8, 1, 0}, {kPatternLoop, 0, 0}}},
                 0,
                 {0, 7, 7, 7, 8, 7}},
        StepCase{"end and stays ended", {{{0, 7, 0}, {1, 7, 0}, {2, 7, 0}, {kPatternEnd, 0, 0}}}, 0, EndAfter21()},
        StepCase{"duration 0 advances every step", {{{3, 0, 0}, {4, 0, 0}, {kPatternLoop, 0, 0}}}, 0, {4, 3, 4, 3}},
        StepCase{"empty pattern shows cell 0", {{{kPatternLoop, 0, 1}}}, 0, {0, 0, 0}},
        StepCase{"empty hold stays at its first step", {{{kPatternHold, 0, 0}}}, 0, {0, 0, 0}},
        StepCase{
            "jump into an empty pattern", {{{4, 1, 0}, {kPatternJump, 1, 0}}, {{kPatternEnd, 0, 0}}}, 0, {0, 0, 0}},
        StepCase{"jump to a missing pattern holds", {{{6, 1, 0}, {kPatternJump, 9, 0}}}, 0, {6, 6, 6}},
        StepCase{"a pattern without a control step loops", {{{1, 1, 0}, {2, 1, 0}}}, 0, {2, 1, 2, 1}},
        StepCase{
            "second pattern", {{{0, 1, 0}, {kPatternLoop, 0, 0}}, {{9, 2, 0}, {kPatternHold, 0, 0}}}, 1, {9, 9, 9}}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return name;
    });

TEST(PatternAnime, NoPatternsStepToCellZeroWithoutChange)
{
    cPatternAnime anime;
    EXPECT_EQ(anime.Step(), 0);
    EXPECT_EQ(anime.GetFrame(), 0);
    EXPECT_EQ(anime.tick, 0);
}

TEST(PatternAnime, LockRefusesAnUnforcedChangeToAnotherPattern)
{
    const PatternTable table = Table({{{0, 5, 1}, {kPatternLoop, 0, 1}}, {{3, 5, 0}, {kPatternLoop, 0, 0}}});
    cPatternAnime anime;
    anime.SetPatterns(&table);
    anime.Step();
    EXPECT_EQ(anime.SetPattern(1, 0), 0);
    EXPECT_EQ(anime.ChangePattern(1, 0), 0);
    EXPECT_EQ(anime.pattern, 0);
    EXPECT_EQ(anime.tick, 1);
    // The same pattern is no change, so the lock does not matter and nothing restarts.
    EXPECT_EQ(anime.ChangePattern(0, 0), 1);
    EXPECT_EQ(anime.tick, 1);
    EXPECT_EQ(anime.SetPattern(1, 1), 1);
    EXPECT_EQ(anime.GetFrame(), 3);
    // Unlocked: an unforced change is taken, and SetPattern to the same pattern restarts it.
    anime.Step();
    EXPECT_EQ(anime.SetPattern(1, 0), 1);
    EXPECT_EQ(anime.tick, 0);
}

TEST(PatternAnime, SetPatternsCopiesUpToTheFirstControlStepAndNullKeepsThePatterns)
{
    const PatternTable table = Table({{{2, 1, 0}, {kPatternLoop, 0, 0}, {7, 1, 0}}});
    cPatternAnime anime;
    anime.SetPatterns(&table);
    ASSERT_EQ(anime.patterns.size(), 1u);
    EXPECT_EQ(anime.patterns[0].size(), 2u);
    anime.Step();
    anime.SetPatterns(nullptr);
    EXPECT_EQ(anime.patterns.size(), 1u);
    EXPECT_EQ(anime.GetFrame(), 2);
    anime.Clear();
    EXPECT_TRUE(anime.patterns.empty());
    EXPECT_EQ(anime.Step(), 0);
}

}  // namespace
