// Damage by a body blow, the general and per-attacker invincibility, the death with its bonus
// and unlinking, the stage result's priority, the extra animations' choice, the graphic cell and
// the gauge and dying countdowns.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ObjectsTestSupport.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/FlowInsertion.h"
#include "objects/flow/FlowRuntime.h"
#include "project/CharaEffectWork.h"
#include "project/cSaveData.h"

namespace {

using objectstest::ObjectsTest;

// A flow of the trigger with one command that does nothing.
cEdFlow TriggerFlow(int nTrigger)
{
    cEdFlow flow;
    flow.m_nTrigger = static_cast<std::int8_t>(nTrigger);
    cEdCommand command;
    command.m_nKind = 0;
    command.ResizeParam(20);
    flow.m_Command.push_back(command);
    return flow;
}

class CharaDamageTest : public ObjectsTest {
protected:
    // A stage character with flows of triggers 1, 2, 3 and 4 (positions 0..3).
    cChara& AddChara(int nSource)
    {
        cEdChara d;
        d.m_nFlying = 1;
        CharaList.emplace_back();
        cChara& chara = CharaList.back();
        chara.InitFromTemplate(nSource, d, nullptr, 400, 400, 0);
        cVector<cEdFlow> flows;
        for (int trigger = 1; trigger <= 4; ++trigger) {
            flows.push_back(TriggerFlow(trigger));
        }
        InsertCharaFlows(chara, flows, chara.facing, 0, -1);
        return chara;
    }
    // Started in this frame (a flow of one immediate command may already have run to its end).
    static bool Started(const cCharaBase& chara, int nTrigger)
    {
        return chara.flows[nTrigger - 1].startedThisFrame != 0;
    }
};

struct DAMAGECASE {
    const char* name;
    int power;
    int impact;
    int defence;
    int invincibleMode;
    int hp;
    int expectHp;
    int expectDied;
};

TEST_F(CharaDamageTest, BodyBlowsLoseHpAfterDefenceHealWhenNegativeAndFireTheirTriggers)
{
    const DAMAGECASE cases[] = {
        {"defence above attack", 5, 0, 9, 0, 10, 10, 0},
        {"attack less defence", 7, 0, 2, 0, 10, 5, 0},
        {"negative attack heals, defence ignored", -5, 0, 9, 0, 3, 8, 0},
        {"a heal stops at the maximum", -5, 0, 0, 0, 8, 10, 0},
        {"lethal", 12, 3, 2, 0, 10, 0, 1},
        {"invincibility mode 1 loses nothing", 7, 3, 0, 1, 10, 10, 0},
        {"impact alone", 0, 3, 0, 0, 10, 10, 0},
        {"attack beyond the limit", 2000000000, 0, -2000000000, 0, 10, 0, 1},
    };
    for (const DAMAGECASE& c : cases) {
        ResetStageObjects();
        cChara& defender = AddChara(1);
        cChara& attacker = AddChara(2);
        defender.def.m_nMaxHp = 10;
        defender.hp = c.hp;
        defender.def.m_nDefence = c.defence;
        defender.def.m_nInvincible = static_cast<std::int8_t>(c.invincibleMode);
        attacker.def.m_nRamPower = c.power;
        attacker.def.m_nRamImpact = static_cast<std::int8_t>(c.impact);
        attacker.vx = 2.0;  // the blow pushes to the right
        EXPECT_EQ(defender.DamageByChara(attacker), c.expectDied) << c.name;
        EXPECT_EQ(defender.hp, c.expectHp) << c.name;
        EXPECT_EQ(Started(defender, TRIGGER_DAMAGED), c.power != 0) << c.name;
        EXPECT_EQ(Started(defender, TRIGGER_IMPACT), c.impact != 0) << c.name;
        EXPECT_EQ(defender.knockX > 0.0, c.impact != 0) << c.name << ": knocked back";
        EXPECT_FALSE(Started(attacker, TRIGGER_DAMAGED)) << c.name;
    }
}

struct INVINCASE {
    int value2;
    int updates;
    bool general;
    bool againstA;
};

TEST_F(CharaDamageTest, InvincibilityLastsTheStageTimesInSubStepsPerAttacker)
{
    SetSpeed(4, 0.5);  // b = 4
    Stage.m_nHeroInv = 2;
    Stage.m_nHeroInvSame = 5;
    Stage.m_nCharaInv = 1;
    Stage.m_nCharaInvSame = 3;
    const int b = 4;
    const INVINCASE cases[] = {
        {0, 0, true, true},       {0, 2 * b - 1, true, true}, {0, 2 * b, false, true}, {0, 5 * b - 1, false, true},
        {0, 5 * b, false, false}, {1, 1 * b - 1, true, true}, {1, 1 * b, false, true}, {1, 3 * b, false, false},
    };
    const OBJECTREF a = CharaRef(7);
    const OBJECTREF other = CharaRef(8);
    for (const INVINCASE& c : cases) {
        cChara chara;
        chara.value2 = c.value2;
        chara.AddAttackerInvincible(a);
        for (int i = 0; i < c.updates; ++i) {
            chara.UpdateInvincible();
        }
        EXPECT_EQ(chara.IsInvincible(), c.general) << c.value2 << " after " << c.updates;
        EXPECT_EQ(chara.IsInvincibleTo(a), c.againstA) << c.value2 << " after " << c.updates;
        EXPECT_EQ(chara.IsInvincibleTo(other), c.general) << "another attacker, " << c.updates;
        EXPECT_EQ(chara.attackerInvincible.size(), c.againstA ? 1u : 0u) << "a spent entry leaves";
    }
}

TEST_F(CharaDamageTest, DeathAddsTheBonusClearsEveryLinkAndStartsDying)
{
    struct {
        int totalBefore;
        int score;
        int totalAfter;
    } bonuses[] = {{999990, 50, 999999}, {30, -100, 0}, {100, 25, 125}};
    for (const auto& bonus : bonuses) {
        ResetStageObjects();
        cPlayer& hero = Player[P1];
        hero.source = 0;
        cChara& dead = AddChara(1);
        cChara& follower = AddChara(2);
        follower.target = CharaRef(dead.source);
        dead.targetedBy.push_back(follower.source);
        dead.aimingShots.push_back(5);
        ASSERT_EQ(dead.target, CharaRef(0));
        ASSERT_EQ(hero.targetedBy.Count(dead.source), 1);
        dead.def.m_nScore = bonus.score;
        SaveData.nTotalScore = bonus.totalBefore;

        EXPECT_EQ(dead.Die(), 0);
        EXPECT_EQ(SaveData.nTotalScore, bonus.totalAfter);
        EXPECT_TRUE(Started(dead, TRIGGER_DEATH));
        EXPECT_EQ(dead.dying, 1);
        EXPECT_TRUE(follower.target.IsNone());
        EXPECT_TRUE(dead.target.IsNone());
        EXPECT_TRUE(dead.targetedBy.empty());
        EXPECT_TRUE(dead.aimingShots.empty());
        EXPECT_EQ(hero.targetedBy.Count(dead.source), 0);
        EXPECT_EQ(hero.targetedBy.Count(follower.source), 1) << "the others stay known to the hero";
    }
    SaveData.nTotalScore = 0;
}

TEST_F(CharaDamageTest, DeathStartsItsOwnEffectInPlaceOfTheRunningOne)
{
    const cVector<CHARAEFFECTWORK> savedWork = CharaEffectWork;
    const cVector<CHARAEFFECTWORK> savedRev = CharaEffectWorkRev;
    CharaEffectWork.resize(3);
    CharaEffectWorkRev.resize(3);
    struct {
        int running;      // effect running before the death (0 none)
        int deathEffect;  // the definition's death effect
        int expectNumber;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {1, 2, 2}, {0, 2, 2}};
    for (const auto& c : cases) {
        ResetStageObjects();
        Player[P1].source = 0;
        cChara& dead = AddChara(1);
        dead.charaEffect.nNumber = static_cast<std::int16_t>(c.running);
        dead.def.m_nDeathEffect = static_cast<std::int16_t>(c.deathEffect);
        EXPECT_EQ(dead.Die(), 0);
        EXPECT_EQ(dead.charaEffect.nNumber, c.expectNumber) << c.running << " " << c.deathEffect;
        if (c.deathEffect == 0) {
            EXPECT_EQ(dead.DrawDying(nullptr, 0, 60), 1) << "no death effect: it goes at its first dying draw";
        }
    }
    CharaEffectWork = savedWork;
    CharaEffectWorkRev = savedRev;
}

TEST_F(CharaDamageTest, DeathAfterTheStageWasClearedKeepsTheLinksAndDoesNotStartDying)
{
    cChara& dead = AddChara(1);
    dead.def.m_nScore = 40;
    SaveData.nTotalScore = 0;
    field.m_nResult = 1;
    EXPECT_EQ(dead.Die(), 1);
    EXPECT_EQ(SaveData.nTotalScore, 40) << "the bonus counts before the check";
    EXPECT_EQ(dead.dying, 0);
    EXPECT_EQ(dead.target, CharaRef(Player[P1].source));
    field.m_nResult = 2;
    EXPECT_EQ(dead.Die(), 0) << "a pending death of the player does not stop this one";
    EXPECT_EQ(dead.dying, 1);
    SaveData.nTotalScore = 0;
}

TEST_F(CharaDamageTest, StageResultsAreNeverLowered)
{
    // (pending, asked, afterwards): a clear outranks a death of the player, either outranks none.
    const int cases[][3] = {{0, 1, 1}, {0, 2, 2}, {2, 1, 1}, {1, 2, 1}, {1, 0, 1}, {2, 0, 2}, {0, 3, 0}, {0, -1, 0}};
    for (const auto& c : cases) {
        field.m_nResult = c[0];
        field.RequestResult(c[1]);
        EXPECT_EQ(field.m_nResult, c[2]) << c[0] << " then " << c[1];
    }
}

// One extra animation showing frame nFrame until its pattern ends after nTicks steps.
EXTRAANIME Extra(int nFrame, int priority, int remaining, int stopped = 0, int nTicks = 1000, int key = 0)
{
    PatternTable table(1);
    table[0].push_back(PATTERNSTEP{nFrame, nTicks, 0});
    table[0].push_back(PATTERNSTEP{kPatternEnd, 0, 0});
    EXTRAANIME e;
    e.anime.SetPatterns(&table);
    e.priority = priority;
    e.remaining = remaining;
    e.stopped = stopped;
    e.key = key;
    return e;
}

TEST_F(CharaDamageTest, TheExtraAnimationShownFollowsPriorityAndTimeLeft)
{
    struct CASE {
        const char* name;
        std::vector<EXTRAANIME> list;
        int expect;
    };
    const int kMain = 7;
    const CASE cases[] = {
        {"none: the main pattern", {}, kMain},
        {"an ordinary one", {Extra(1, 0, 5)}, 1},
        {"the first ordinary one", {Extra(1, 0, 5), Extra(2, 0, 5)}, 1},
        {"a priority one over an ordinary one", {Extra(1, 0, 5), Extra(2, 1, 5)}, 2},
        {"the least time left", {Extra(1, 1, 5), Extra(2, 1, 3)}, 2},
        {"the least time left, first", {Extra(1, 1, 3), Extra(2, 1, 5)}, 1},
        {"ordinary ones after a priority one", {Extra(1, 1, 5), Extra(2, 0, 1)}, 1},
        {"settled by an overdue one, then a less overdue one",
         {Extra(1, 1, 0), Extra(2, 1, -2), Extra(3, 0, -1), Extra(4, 1, -5)},
         3},
        {"stopped ones are passed over", {Extra(1, 1, 1, 1), Extra(2, 0, 9)}, 2},
    };
    for (const CASE& c : cases) {
        cChara chara;
        PatternTable mainTable(1);
        mainTable[0].push_back(PATTERNSTEP{kMain, 1000, 0});
        mainTable[0].push_back(PATTERNSTEP{kPatternLoop, 0, 0});
        chara.anime.SetPatterns(&mainTable);
        chara.extraAnimes.assign(c.list.begin(), c.list.end());
        EXPECT_EQ(chara.UpdateAnimeList(1), c.expect) << c.name;
    }
}

TEST_F(CharaDamageTest, ExtraAnimationsCountDownEndAndStopByKey)
{
    cChara chara;
    chara.extraAnimes.push_back(Extra(1, 1, 3, 0, 2, 10));  // ends on its second step
    chara.extraAnimes.push_back(Extra(2, 1, 4, 0, 1000, 11));
    EXPECT_EQ(chara.UpdateAnimeList(0), 1);
    EXPECT_EQ(chara.extraAnimes.front().remaining, 2);
    EXPECT_EQ(chara.UpdateAnimeList(0), 2) << "the first ended and left";
    ASSERT_EQ(chara.extraAnimes.size(), 1u);
    EXPECT_EQ(chara.extraAnimes.front().remaining, 2);
    EXPECT_EQ(chara.UpdateAnimeList(1), 2);
    EXPECT_EQ(chara.extraAnimes.front().remaining, 2) << "paused: nothing counts";

    // Ending by key: an entry with time (or extra time) left only stops; one without leaves.
    chara.extraAnimes.clear();
    chara.extraAnimes.push_back(Extra(1, 1, 0, 0, 1000, 5));
    chara.extraAnimes.back().extra = 1;
    chara.extraAnimes.push_back(Extra(2, 1, 0, 0, 1000, 5));
    chara.extraAnimes.push_back(Extra(3, 1, 9, 0, 1000, 6));
    chara.EndAnimeByKey(5);
    ASSERT_EQ(chara.extraAnimes.size(), 2u);
    EXPECT_EQ(chara.extraAnimes.front().stopped, 1);
    EXPECT_EQ(chara.UpdateAnimeList(0), 3);
    EXPECT_EQ(chara.extraAnimes.front().remaining, 0) << "a stopped entry does not count down";
    chara.ResumeAnimeByKey(5);
    EXPECT_EQ(chara.extraAnimes.front().stopped, 0);
    chara.RemoveAnimeByKey(6);
    ASSERT_EQ(chara.extraAnimes.size(), 1u);
    EXPECT_EQ(chara.extraAnimes.front().key, 5);
}

TEST_F(CharaDamageTest, TheGraphicCellAddsTheOffsetsThatApply)
{
    Database.AnimeSet[0].nCellOffsetA = 4;   // invincible
    Database.AnimeSet[0].nCellOffsetB = 8;   // block character
    Database.AnimeSet[0].nCellOffsetC = 12;  // flying
    const struct {
        int cell;
        int flying;
        int fullCell;
        int invincible;
        int animeSet;
        int expect;
    } cases[] = {
        {3, 0, 0, 0, 0, 3}, {3, 2, 0, 0, 0, 15},     {3, 0, 1, 0, 0, 11},
        {3, 0, 0, 2, 0, 7}, {1, 1, 1, 1, 0, 1 + 24}, {3, 1, 1, 1, 999, 3},  // a set outside the table adds nothing
    };
    for (const auto& c : cases) {
        cChara chara;
        chara.def.m_nCell = static_cast<std::int16_t>(c.cell);
        chara.def.m_nFlying = static_cast<std::int8_t>(c.flying);
        chara.def.m_bFullCell = static_cast<std::int8_t>(c.fullCell);
        chara.def.m_nInvincible = static_cast<std::int8_t>(c.invincible);
        chara.def.m_nInvincibleColor = 3;
        chara.def.m_nAnimeSet = static_cast<std::int16_t>(c.animeSet);
        int colourOp = -1;
        EXPECT_EQ(chara.GetGraphicCell(colourOp), c.expect);
        EXPECT_EQ(colourOp, 0) << "no colour pair without Direct3D";
    }
}

TEST_F(CharaDamageTest, TheGaugeCountsDownAndItsChangeVanishesForTheLast60Frames)
{
    cChara chara;
    chara.def.m_nMaxHp = 10;
    chara.hp = 10;
    chara.ChangeHP(-5, 0, 1);
    const double shrinking = -5 * 50.0 / 10;
    const double step = shrinking / 60.0;
    ASSERT_EQ(chara.hpGauge.framesLeft, 120);
    ASSERT_EQ(chara.hpGauge.barLength, 25);
    chara.DrawHpGauge(nullptr);
    EXPECT_EQ(chara.hpGauge.framesLeft, 119);
    EXPECT_DOUBLE_EQ(chara.hpGauge.shrinking, shrinking - step);
    for (int i = 1; i < 61; ++i) {
        chara.DrawHpGauge(nullptr);
    }
    EXPECT_EQ(chara.hpGauge.framesLeft, 59);
    EXPECT_EQ(chara.hpGauge.shrinking, 0.0);
    for (int i = 0; i < 70; ++i) {
        chara.DrawHpGauge(nullptr);
    }
    EXPECT_EQ(chara.hpGauge.framesLeft, 0) << "no longer counted once it is hidden";
    chara.spGauge.framesLeft = 30;
    chara.dying = 1;
    chara.DrawSpGauge(nullptr);
    EXPECT_EQ(chara.spGauge.framesLeft, 30) << "a dying character shows no gauge";
}

TEST_F(CharaDamageTest, DyingEndsAtOnceForTheComputerAndAfterASecondOfDrawnFramesForThePlayer)
{
    const int fps = 30;
    cChara enemy;
    enemy.value2 = 1;
    enemy.dying = 1;
    EXPECT_EQ(enemy.DrawDying(nullptr, 0, fps), 1);

    cPlayer hero;
    hero.value2 = 0;
    hero.dying = 1;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(hero.DrawDying(nullptr, 1, fps), 0) << "paused frames do not count";
    }
    for (int i = 1; i <= fps; ++i) {
        EXPECT_EQ(hero.DrawDying(nullptr, 0, fps), 0) << i;
    }
    EXPECT_EQ(hero.DrawDying(nullptr, 0, fps), 1) << "the frame after a second";
}

}  // namespace

namespace {

TEST_F(CharaDamageTest, AFlowsScheduledAnimationJoinsTheExtraAnimations)
{
    const PatternTable saved = AnimePattern;
    AnimePattern.clear();
    AnimePattern.resize(2);
    AnimePattern[1].push_back(PATTERNSTEP{4, 6, 0});
    AnimePattern[1].push_back(PATTERNSTEP{5, 6, 1});
    AnimePattern[1].push_back(PATTERNSTEP{6, 6, 1});
    AnimePattern[1].push_back(PATTERNSTEP{kPatternEnd, 0, 0});
    cChara chara;
    cCharaFlowOwner owner(chara);
    FLOWANIMESTART start;
    start.nAnime = 1;
    start.nValue1 = 5;
    start.nValue2 = 3;
    start.nFlag = 1;
    start.nTickOffset = 2;
    owner.StartFlowAnimation(start, 9);
    start.nFlag = 0;
    owner.StartFlowAnimation(start, 10);
    start.nAnime = 2;  // outside the table: nothing
    owner.StartFlowAnimation(start, 11);
    ASSERT_EQ(chara.extraAnimes.size(), 2u);
    const EXTRAANIME& first = chara.extraAnimes.front();
    EXPECT_EQ(first.priority, 1);
    EXPECT_EQ(first.remaining, 5);
    EXPECT_EQ(first.extra, 3);
    EXPECT_EQ(first.key, 9);
    EXPECT_EQ(first.stopped, 0);
    EXPECT_EQ(first.anime.tick, 2);
    // The first locked step lasts the second value - 1 longer; only with the flag.
    EXPECT_EQ(first.anime.patterns[0][0].nTime, 6);
    EXPECT_EQ(first.anime.patterns[0][1].nTime, 6 + 3 - 1);
    EXPECT_EQ(first.anime.patterns[0][2].nTime, 6);
    EXPECT_EQ(chara.extraAnimes.back().anime.patterns[0][1].nTime, 6);
    owner.RemoveFlowAnimations(9);
    ASSERT_EQ(chara.extraAnimes.size(), 1u);
    EXPECT_EQ(chara.extraAnimes.front().key, 10);
    owner.RemoveFlowAnimations(-1);
    EXPECT_TRUE(chara.extraAnimes.empty());
    AnimePattern = saved;
}

}  // namespace
