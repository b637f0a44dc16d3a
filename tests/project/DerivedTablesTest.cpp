#include "project/DerivedTables.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ProjectTestSupport.h"

// Steps print as {frame, time, lock} in failure messages.
void PrintTo(const PATTERNSTEP& step, std::ostream* os)
{
    *os << "{" << step.nFrame << ", " << step.nTime << ", " << step.bLock << "}";
}

namespace {

using projecttest::ProjectTest;
using testsupport::DatabaseSpec;
using testsupport::ParamEffectSpec;

class DerivedTablesTest : public ProjectTest {
protected:
    // Writes database, loads it and builds the derived tables as the start-up does.
    void LoadAndBuild(const DatabaseSpec& database)
    {
        testsupport::WriteDatabaseFiles(folder.Root(), database);
        ASSERT_EQ(Database.Load(), 1);
        BuildDerivedTables();
    }

    static std::vector<PATTERNSTEP> Steps(const cVector<PATTERNSTEP>& pattern)
    {
        return std::vector<PATTERNSTEP>(pattern.begin(), pattern.end());
    }
};

using StepList = std::vector<PATTERNSTEP>;

ParamEffectSpec Effect(int kind, std::array<std::int32_t, 5> params)
{
    ParamEffectSpec spec;
    spec.kind = kind;
    spec.params = params;
    return spec;
}

// Entry 0 shows its frames without waiting, locked, and loops (-2); every other animation plays
// once (-4), unlocked up to the first frame that locks and locked from there on.
TEST_F(DerivedTablesTest, AnimationPatternsFromTheAnimeFrames)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.animes.resize(4);
    d.animes[0].frames = {{3, 3, 0}, {4, 2, 1}};
    d.animes[1].frames = {{5, 3, 0}, {6, 1, 1}, {7, 2, 0}};
    d.animes[2].frames.clear();
    d.animes[3].frames = {{8, INT32_MAX, 0}, {9, -1, 0}};
    LoadAndBuild(d);

    ASSERT_EQ(AnimePattern.size(), 4u);
    EXPECT_EQ(Steps(AnimePattern[0]), (StepList{{3, 0, 1}, {4, 0, 1}, {-2, 0, 1}}));
    EXPECT_EQ(Steps(AnimePattern[1]), (StepList{{5, 18, 0}, {6, 6, 1}, {7, 12, 1}, {-4, 0, 0}}));
    EXPECT_EQ(Steps(AnimePattern[2]), (StepList{{-4, 0, 0}}));
    // A stored time whose frame count does not fit stays at the largest one.
    EXPECT_EQ(Steps(AnimePattern[3]), (StepList{{8, INT32_MAX, 0}, {9, -6, 0}, {-4, 0, 0}}));
}

TEST_F(DerivedTablesTest, EffectPatternsFromTheEffectFrames)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.effects.resize(3);
    d.effects[0].frames = {{1, 3}};
    d.effects[1].frames = {{2, 3}, {3, 1}};
    LoadAndBuild(d);

    ASSERT_EQ(EffectPattern.size(), 3u);
    EXPECT_EQ(Steps(EffectPattern[0]), (StepList{{1, 0, 1}, {-2, 0, 1}}));
    EXPECT_EQ(Steps(EffectPattern[1]), (StepList{{2, 18, 0}, {3, 6, 0}, {-4, 0, 0}}));
    EXPECT_EQ(Steps(EffectPattern[2]), (StepList{{-4, 0, 0}}));
}

TEST_F(DerivedTablesTest, EntryZeroWithoutFramesOnlyLoops)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.effects[0].frames.clear();
    d.animes[0].frames.clear();
    LoadAndBuild(d);
    EXPECT_EQ(Steps(AnimePattern[0]), (StepList{{-2, 0, 1}}));
    EXPECT_EQ(Steps(EffectPattern[0]), (StepList{{-2, 0, 1}}));
}

TEST_F(DerivedTablesTest, EmptyTablesGiveEmptyPatternTables)
{
    Database.Anime.clear();
    Database.Effect.clear();
    AnimePattern.resize(3);
    BuildAnimePattern(AnimePattern);
    BuildEffectPattern(EffectPattern);
    EXPECT_TRUE(AnimePattern.empty());
    EXPECT_TRUE(EffectPattern.empty());
}

// The forward working values take their record from CharaEffect, the reversed ones from the
// reversed copy, whose start and end are exchanged; the table itself stays as read.
TEST_F(DerivedTablesTest, CharacterEffectWorkingValues)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.charaEffects = {
        Effect(5, {10, 0, 32, 2, 2}),  // entry 0: stored kind 5, forced to none
        Effect(1, {5, 0, 32, 0, 0}),   // burst 0 -> 32 in 5 tenths
        Effect(6, {10, 3, 7, 0, 0}),   // blink: counts time, nothing exchanged
        Effect(4, {0, 0, 32, 2, 2}),   // wave with run time 0
        Effect(17, {10, 1, 2, 0, 0}),  // unknown kind
    };
    LoadAndBuild(d);

    ASSERT_EQ(CharaEffectWork.size(), 5u);
    ASSERT_EQ(CharaEffectWorkRev.size(), 5u);
    ASSERT_EQ(Database.CharaEffectRev.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(CharaEffectWork[i].nNumber, i);
        EXPECT_EQ(CharaEffectWorkRev[i].nNumber, i);
        EXPECT_EQ(CharaEffectWork[i].lpRecord, &Database.CharaEffect[i]);
        EXPECT_EQ(CharaEffectWorkRev[i].lpRecord, &Database.CharaEffectRev[i]);
    }
    EXPECT_EQ(Database.CharaEffectRev[0].nKind, 0);
    EXPECT_EQ(CharaEffectWorkRev[0].lpRecord->nKind, 0);
    EXPECT_EQ(CharaEffectWork[0].dStep, 0.0);

    const CHARAEFFECTWORK& burst = CharaEffectWork[1];
    EXPECT_EQ(burst.nStart, 0);
    EXPECT_EQ(burst.nEnd, 32);
    EXPECT_EQ(burst.dValue, 0.0);
    EXPECT_DOUBLE_EQ(burst.dStep, 32.0 / 30.0);
    const CHARAEFFECTWORK& burstRev = CharaEffectWorkRev[1];
    EXPECT_EQ(burstRev.nStart, 32);
    EXPECT_EQ(burstRev.nEnd, 0);
    EXPECT_EQ(burstRev.dValue, 32.0);
    EXPECT_DOUBLE_EQ(burstRev.dStep, 32.0 / 30.0);
    EXPECT_EQ(Database.CharaEffect[1].nParam[1], 0);
    EXPECT_EQ(Database.CharaEffect[1].nParam[2], 32);
    EXPECT_EQ(Database.CharaEffectRev[1].nParam[1], 32);
    EXPECT_EQ(Database.CharaEffectRev[1].nParam[2], 0);

    for (const CHARAEFFECTWORK* blink : {&CharaEffectWork[2], &CharaEffectWorkRev[2]}) {
        EXPECT_EQ(blink->nStart, 0);
        EXPECT_EQ(blink->nEnd, 10);
        EXPECT_EQ(blink->dStep, 1.0 / 6.0);
        EXPECT_EQ(blink->bShown, 0);
    }
    EXPECT_EQ(Database.CharaEffectRev[2].nParam[1], 3);

    // A run time of 0 counts as one tenth instead of dividing by zero.
    EXPECT_DOUBLE_EQ(CharaEffectWork[3].dStep, 32.0 / 6.0);
    EXPECT_EQ(CharaEffectWorkRev[3].nStart, 32);

    EXPECT_EQ(CharaEffectWorkRev[4].nStart, 0);
    EXPECT_EQ(CharaEffectWorkRev[4].dStep, 0.0);
    EXPECT_EQ(Database.CharaEffectRev[4].nParam[1], 1);
}

TEST_F(DerivedTablesTest, ScreenEffectWorkingValues)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.scrEffects = {
        Effect(10, {10, 640, 0, 8, 0}),  // entry 0: forced to none
        Effect(1, {10, 0, 0, 640, 0}),   // move from (0, 0) to (640, 0)
        Effect(2, {10, 4, 4, 0, 0}),     // shake: nothing exchanged
        Effect(10, {10, 640, 0, 8, 0}),  // circle 640 -> 0
        Effect(6, {10, 0, 640, 4, 8}),   // wave
        Effect(8, {10, 10, 0, 0, 0}),    // blink: nothing exchanged
    };
    LoadAndBuild(d);

    ASSERT_EQ(ScrEffectWork.size(), 6u);
    ASSERT_EQ(ScrEffectWorkRev.size(), 6u);
    EXPECT_EQ(Database.ScrEffectRev[0].nKind, 0);
    EXPECT_EQ(ScrEffectWork[3].lpRecord, &Database.ScrEffect[3]);
    EXPECT_EQ(ScrEffectWorkRev[3].lpRecord, &Database.ScrEffectRev[3]);

    EXPECT_EQ(ScrEffectWork[1].dStep, 1.0 / 6.0);
    EXPECT_EQ(ScrEffectWork[1].nA, 0);
    EXPECT_EQ(ScrEffectWork[1].nB, 0);
    // Reversed, the start point (p2, p3) and the end point (p4, p5) are exchanged.
    EXPECT_EQ(ScrEffectWorkRev[1].nA, 640);
    EXPECT_EQ(ScrEffectWorkRev[1].nB, 0);
    const std::int32_t* move = Database.ScrEffectRev[1].nParam;
    EXPECT_EQ((std::vector<int>{move[1], move[2], move[3], move[4]}), (std::vector<int>{640, 0, 0, 0}));
    EXPECT_EQ(Database.ScrEffect[1].nParam[3], 640);

    EXPECT_EQ(Database.ScrEffectRev[2].nParam[1], 4);
    EXPECT_EQ(ScrEffectWorkRev[2].dStep, 1.0 / 6.0);

    EXPECT_EQ(ScrEffectWork[3].dValue, 640.0);
    EXPECT_DOUBLE_EQ(ScrEffectWork[3].dStep, 640.0 / 60.0);
    EXPECT_EQ(ScrEffectWorkRev[3].dValue, 0.0);
    EXPECT_EQ(Database.ScrEffectRev[3].nParam[2], 640);

    EXPECT_EQ(ScrEffectWorkRev[4].dValue, 640.0);
    EXPECT_DOUBLE_EQ(ScrEffectWorkRev[4].dStep, 640.0 / 60.0);

    EXPECT_EQ(ScrEffectWorkRev[5].dStep, 1.0 / 6.0);
    EXPECT_EQ(Database.ScrEffectRev[5].nParam[1], 10);
}

// Building again starts from a fresh copy: start and end are exchanged once, not twice.
TEST_F(DerivedTablesTest, RebuildingExchangesStartAndEndOnce)
{
    DatabaseSpec d = testsupport::MinimalDatabase();
    d.charaEffects = {Effect(0, {}), Effect(1, {5, 0, 32, 0, 0})};
    LoadAndBuild(d);
    BuildDerivedTables();
    EXPECT_EQ(Database.CharaEffectRev[1].nParam[1], 32);
    EXPECT_EQ(CharaEffectWorkRev[1].nStart, 32);
}

}  // namespace
