// Collision between factions and the deaths it causes: body blows between the hero and the
// characters of other factions with their invincibility and outcomes, deaths during the walk
// over the faction lists, the death check after commands, and the hero's death ending the stage.
#include "StageFixture.h"

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/commands/FlowInsertion.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/StageShellFlags.h"
#include "stage/ranking/cRanking.h"

namespace stagetest {
namespace {

constexpr WPARAM kHit = 7;
constexpr WPARAM kHeroDead = 8;
constexpr WPARAM kCharaDead = 9;
constexpr WPARAM kClear = 14;

class GroupCollisionTest : public StageFixture {
protected:
    void TearDown() override
    {
        SystemData.bDefeatVariant = 0;
        SaveData.nTotalScore = 0;
        StageFixture::TearDown();
    }

    // Flying characters of the given factions placed in a row above the hero.
    bool EnterWith(const std::vector<int>& factions)
    {
        if (m_basePlaced.empty()) {
            m_basePlaced = StageSpecOf().placedCharas;
        }
        StageSpecOf().placedCharas = m_basePlaced;
        harness.reset();
        for (std::size_t i = 0; i < factions.size(); ++i) {
            testsupport::CharaDefSpec c;
            c.controller = 1;
            c.flying = 1;
            c.faction = static_cast<std::int8_t>(factions[i]);
            c.x = static_cast<std::uint16_t>(4 + 2 * i);
            c.y = 5;
            StageSpecOf().placedCharas.push_back(c);
        }
        SetHeader("m_bReadyBanner", 0);
        if (!LoadAndEnter() || !harness->RunUntilState(STAGESTATE_PLAY, 3)) {
            return false;
        }
        RecordedSounds().clear();
        return CharaList.size() == factions.size();
    }

    std::vector<testsupport::CharaDefSpec> m_basePlaced;  // the hero alone

    cChara& Chara(int n)
    {
        auto it = CharaList.begin();
        std::advance(it, n);
        return *it;
    }

    // The body box at (left, top), 16 x 16, present and in view: the collision reads only these.
    static void PlaceBody(cCharaBase& chara, double left, double top)
    {
        chara.bodyBox.left = left;
        chara.bodyBox.top = top;
        chara.bodyBox.right = left + 15;
        chara.bodyBox.bottom = top + 15;
        chara.active = 1;
        chara.inView = 1;
    }
};

struct CONTACT {
    const char* name;
    int enemyFaction;
    int enemyPower;
    int heroPower;
    int enemyHp;
    int heroInvincible;  // general invincibility sub-steps of the hero
    int enemyMode;       // the enemy's invincibility mode
    int gapX;            // left edge of the enemy's body box minus the hero's
    int expectHeroHp;
    int expectEnemyHp;
    int expectEnemyDying;
    int expectOutcome;
    std::vector<WPARAM> expectSounds;
};

TEST_F(GroupCollisionTest, BodyBlowsBetweenTheHeroAndAnotherFaction)
{
    const CONTACT cases[] = {
        {"same faction never touches", 1, 5, 5, 10, 0, 0, 0, 10, 10, 0, 0, {}},
        {"apart", 2, 5, 5, 10, 0, 0, 16, 10, 10, 0, 0, {}},
        {"touching edges count", 2, 3, 0, 10, 0, 0, 15, 7, 10, 0, 0, {kHit}},
        {"invincible hero", 2, 3, 0, 10, 4, 0, 0, 10, 10, 0, 0, {}},
        {"the hero defeats the enemy", 2, 0, 5, 3, 0, 0, 0, 10, 0, 1, 0, {kHit, kCharaDead}},
        {"the enemy kills the hero", 2, 20, 0, 10, 0, 0, 0, 0, 10, 0, 2, {kHit}},
        {"both blows land, the hero's death first", 2, 20, 20, 3, 0, 0, 0, 0, 0, 0, 2, {kHit}},
        {"invincibility mode 1 loses no HP", 2, 0, 5, 10, 0, 1, 0, 10, 10, 0, 0, {kHit}},
    };
    for (const CONTACT& c : cases) {
        ASSERT_TRUE(EnterWith({c.enemyFaction})) << c.name;
        cPlayer& hero = Player[P1];
        cChara& enemy = Chara(0);
        hero.hp = 10;
        hero.def.m_nMaxHp = 10;
        hero.def.m_nRamPower = c.heroPower;
        hero.invincibleTime = c.heroInvincible;
        enemy.hp = c.enemyHp;
        enemy.def.m_nMaxHp = 10;
        enemy.def.m_nRamPower = c.enemyPower;
        enemy.def.m_nInvincible = static_cast<std::int8_t>(c.enemyMode);
        enemy.def.m_nScore = 100;
        SaveData.nTotalScore = 0;
        PlaceBody(hero, 200, 200);
        PlaceBody(enemy, 200 + c.gapX, 200);

        EXPECT_EQ(Scene().CollideGroups(CharaList), c.expectOutcome) << c.name;
        EXPECT_EQ(hero.hp, c.expectHeroHp) << c.name;
        EXPECT_EQ(enemy.hp, c.expectEnemyHp) << c.name;
        EXPECT_EQ(enemy.dying, c.expectEnemyDying) << c.name;
        EXPECT_EQ(SaveData.nTotalScore, c.expectEnemyDying ? 100 : 0) << c.name << ": the bonus";
        EXPECT_EQ(RecordedSounds(), c.expectSounds) << c.name;
        EXPECT_EQ(CharaList.size(), 1u) << c.name << ": nothing is erased during the walk";
        if (c.expectHeroHp < 10 && c.expectHeroHp > 0) {
            EXPECT_TRUE(hero.IsInvincibleTo(CharaRef(enemy.source))) << c.name;
            EXPECT_FALSE(hero.IsInvincibleTo(CharaRef(enemy.source + 1))) << c.name;
            RecordedSounds().clear();
            EXPECT_EQ(Scene().CollideGroups(CharaList), 0);
            EXPECT_EQ(hero.hp, c.expectHeroHp) << c.name << ": no second blow from the same enemy";
        }
    }
}

TEST_F(GroupCollisionTest, OffScreenCharactersTouchOnlyWhenTheStageCollidesEverywhere)
{
    for (int contactFlag : {1, 0}) {
        ASSERT_TRUE(EnterWith({2}));
        Stage.m_nContactFlag = contactFlag;
        cPlayer& hero = Player[P1];
        cChara& enemy = Chara(0);
        hero.hp = 10;
        enemy.def.m_nRamPower = 4;
        PlaceBody(hero, 200, 200);
        PlaceBody(enemy, 200, 200);
        enemy.inView = 0;
        Scene().CollideGroups(CharaList);
        EXPECT_EQ(hero.hp, contactFlag ? 10 : 6) << contactFlag;
    }
    Stage.m_nContactFlag = 1;
}

TEST_F(GroupCollisionTest, CharactersKilledDuringTheWalkStayListedUntilItEnds)
{
    // Faction 2: an attacker; faction 3: two weak characters both touching it.
    ASSERT_TRUE(EnterWith({2, 3, 3}));
    cChara& attacker = Chara(0);
    cChara& first = Chara(1);
    cChara& second = Chara(2);
    cVector<cEdFlow> touchFlow(1);
    touchFlow[0].m_nTrigger = 4;
    touchFlow[0].m_Command.resize(1);
    touchFlow[0].m_Command[0].ResizeParam(20);
    InsertCharaFlows(attacker, touchFlow, attacker.facing, 0, -1);
    attacker.def.m_nRamPower = 5;
    for (cChara* weak : {&first, &second}) {
        weak->hp = 3;
        weak->def.m_nScore = 10;
    }
    PlaceBody(Player[P1], 0, 0);
    PlaceBody(attacker, 300, 300);
    PlaceBody(first, 305, 300);
    PlaceBody(second, 295, 300);
    SaveData.nTotalScore = 0;

    EXPECT_EQ(Scene().CollideGroups(CharaList), 0);
    EXPECT_EQ(first.dying, 1);
    EXPECT_EQ(second.dying, 1);
    EXPECT_EQ(SaveData.nTotalScore, 20);
    EXPECT_EQ(attacker.flows[0].running, 1) << "touch trigger";
    EXPECT_EQ(RecordedSounds(), (std::vector<WPARAM>{kHit, kCharaDead, kHit, kCharaDead}));
    EXPECT_EQ(Scene().m_CharaLayer[3].size(), 2u);
    // Dying characters take part no more.
    RecordedSounds().clear();
    EXPECT_EQ(Scene().CollideGroups(CharaList), 0);
    EXPECT_TRUE(RecordedSounds().empty());
    EXPECT_EQ(SaveData.nTotalScore, 20);
}

TEST_F(GroupCollisionTest, AfterADeathTheWalkGoesOnWithThePairsItHadNotReached)
{
    // Two members of faction 2, two of faction 3 and one of faction 4, all on one spot: every
    // two of different factions touch. Blows leave only the invincibility against the attacker,
    // so each character's list of attackers tells whom it met, in order. The first pair kills
    // p, which gathers the groups again in the middle of the walk.
    ASSERT_TRUE(EnterWith({2, 2, 3, 3, 4}));
    Stage.m_nCharaInv = 0;
    Stage.m_nCharaInvSame = 50;
    cChara& x = Chara(0);
    cChara& y = Chara(1);
    cChara& p = Chara(2);
    cChara& q = Chara(3);
    cChara& r = Chara(4);
    for (cChara* c : {&x, &y, &p, &q, &r}) {
        c->hp = 10;
        c->def.m_nMaxHp = 10;
        c->def.m_nRamPower = 1;
        PlaceBody(*c, 300, 300);
    }
    p.hp = 1;
    PlaceBody(Player[P1], 0, 0);

    EXPECT_EQ(Scene().CollideGroups(CharaList), 0);
    auto attackers = [](const cChara& c) {
        std::vector<std::int32_t> sources;
        for (const ATTACKERTIME& a : c.attackerInvincible) {
            sources.push_back(a.attacker.nSource);
        }
        return sources;
    };
    EXPECT_EQ(p.dying, 1);
    EXPECT_EQ(attackers(x), (std::vector<std::int32_t>{p.source, q.source, r.source}));
    EXPECT_EQ(attackers(y), (std::vector<std::int32_t>{q.source, r.source})) << "p died before y's turn";
    EXPECT_EQ(attackers(q), (std::vector<std::int32_t>{x.source, y.source, r.source}));
    EXPECT_EQ(attackers(r), (std::vector<std::int32_t>{x.source, y.source, q.source}));
    EXPECT_EQ(x.hp, 7);
    EXPECT_EQ(r.hp, 7);
}

TEST_F(GroupCollisionTest, TheDeathCheckErasesVanishedAndDefeatedCharacters)
{
    for (int keepDefeated : {0, 1}) {
        ASSERT_TRUE(EnterWith({2, 2, 2}));
        SystemData.bDefeatVariant = keepDefeated;
        Chara(0).vanished = 1;
        Chara(1).hp = 0;
        Chara(1).def.m_nScore = 30;
        const int survivor = Chara(2).source;
        SaveData.nTotalScore = 0;
        EXPECT_EQ(Scene().CheckDeaths(), 0) << keepDefeated;
        EXPECT_EQ(SaveData.nTotalScore, 30) << keepDefeated;
        if (keepDefeated) {
            ASSERT_EQ(CharaList.size(), 2u);
            EXPECT_EQ(Chara(0).dying, 1);
            EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{kCharaDead});
            RecordedSounds().clear();
            EXPECT_EQ(Scene().CheckDeaths(), 0);
            EXPECT_TRUE(RecordedSounds().empty()) << "a dying character is not defeated twice";
        } else {
            ASSERT_EQ(CharaList.size(), 1u);
            EXPECT_TRUE(RecordedSounds().empty());
        }
        EXPECT_EQ(CharaList.back().source, survivor);
        EXPECT_EQ(Scene().m_CharaLayer[2].size(), CharaList.size());
    }
}

TEST_F(GroupCollisionTest, TheHeroKilledByABodyBlowDiesInThePlayFrame)
{
    SetHeader("m_nSpeedLevel", 2);
    ASSERT_TRUE(EnterWith({2}));
    cPlayer& hero = Player[P1];
    cChara& enemy = Chara(0);
    enemy.def.m_nRamPower = 999;
    enemy.x = hero.x;
    enemy.y = hero.y;
    harness->RunFrames(1);
    EXPECT_EQ(hero.hp, 0);
    EXPECT_EQ(hero.dying, 1);
    EXPECT_EQ(RecordedSounds(), (std::vector<WPARAM>{kHit, kHeroDead}));
    EXPECT_EQ(Scene().m_nState, STAGESTATE_PLAY) << "the death animation decides what follows";
    EXPECT_EQ(Scene().m_nSubStepTotal % 2, 1) << "the frame ended in its first sub-step";
}

TEST_F(GroupCollisionTest, DefeatedAndVanishedCharactersLeaveInTheirOwnFlowRun)
{
    for (int keepDefeated : {0, 1}) {
        ASSERT_TRUE(EnterWith({2, 2}));
        SystemData.bDefeatVariant = keepDefeated;
        Chara(0).vanished = 1;
        Chara(1).hp = 0;  // its flow run reports the death
        Chara(1).def.m_nScore = 7;
        SaveData.nTotalScore = 0;
        harness->RunFrames(1);
        // A defeated one that dies goes when its death animation ends; without a death effect
        // that is the frame's own drawing.
        EXPECT_EQ(CharaList.size(), 0u) << keepDefeated;
        EXPECT_EQ(SaveData.nTotalScore, 7) << keepDefeated;
        EXPECT_EQ(RecordedSounds(), keepDefeated ? std::vector<WPARAM>{kCharaDead} : std::vector<WPARAM>{})
            << keepDefeated << ": no sound for the vanished one";
        EXPECT_EQ(Scene().m_CharaLayer[2].size(), CharaList.size());
    }
}

TEST_F(GroupCollisionTest, TheHerosDeathAfterAClearEndsTheStage)
{
    ASSERT_TRUE(EnterWith({2}));
    Scene().m_nResult = 1;
    EXPECT_EQ(Scene().KillChara(Player[P1], CharaList), 2) << "the outcome stays the hero's death";
    EXPECT_EQ(Scene().m_nState, STAGESTATE_CLEAR);
    EXPECT_EQ(Player[P1].dying, 0);
    EXPECT_EQ(RecordedSounds(), (std::vector<WPARAM>{kHeroDead, kClear}));
    EXPECT_EQ(Scene().m_RankReached, std::vector<int>(5, -1));

    // A character's death after the clear ends the stage as well.
    ASSERT_TRUE(EnterWith({2}));
    Scene().m_nResult = 1;
    EXPECT_EQ(Scene().KillChara(Chara(0), CharaList), 1);
    EXPECT_EQ(Scene().m_nState, STAGESTATE_CLEAR);
    EXPECT_EQ(Chara(0).dying, 0);
    EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{kClear});
}

TEST_F(GroupCollisionTest, TheStageEndFindsThePlacesOfTheEnabledRankings)
{
    const struct {
        const char* name;
        int direct;
        int ranking;
        int testPlay;
        std::vector<std::uint8_t> genres;
        std::vector<std::int32_t> stageTables;
        bool copied;
        std::vector<int> reached;
    } cases[] = {
        {"rankings off", 0, 0, 0, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, false, {-1, -1, -1, -1, -1}},
        {"enabled by both lists", 0, 1, 0, {1, 0, 1, 1, 0}, {1, 1, 1, 0, 1}, true, {0, -1, 0, -1, -1}},
        {"a direct play ranks without the switch", 1, 0, 0, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, true, {0, 0, 0, 0, 0}},
        {"a test play only keeps the values", 1, 1, 1, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, true, {-1, -1, -1, -1, -1}},
    };
    ASSERT_TRUE(EnterWith({}));
    const int savedRanking = SceneFlow().m_bRanking;
    const int savedKind = SceneFlow().m_nPlayKind;
    const cRankingRow savedRow = SystemData.RankingRows[0];
    Ranking.Reset();
    SaveData.nRunScore = 500;
    SaveData.nRunValue1 = 41;
    SaveData.nRunValue2 = 42;
    SaveData.nRunValue3 = 43;
    SaveData.nRunValue4 = 44;
    for (const auto& c : cases) {
        StageShell.bDirectPlay = c.direct;
        StageShell.bTestPlay = c.testPlay;
        SceneFlow().m_bRanking = c.ranking;
        SceneFlow().m_nPlayKind = 0;
        SystemData.RankingRows[0].GenreFlags.assign(c.genres.begin(), c.genres.end());
        Stage.m_Ranking.assign(c.stageTables.begin(), c.stageTables.end());
        Scene().m_RankValue = {-9, -9, -9, -9, -9};
        Scene().m_bNewRank = 1;
        // The stage adds nothing of its own to the run's totals.
        SaveData.nTotalScore = 0;
        Scene().m_bNoTimeLimit = 1;
        Scene().m_nPlayTime = 0;
        Player[P1].hp = 0;
        Player[P1].sp = 0;
        RecordedSounds().clear();
        Scene().EndStage();
        EXPECT_EQ(RecordedSounds(), std::vector<WPARAM>{kClear}) << c.name;
        EXPECT_EQ(Scene().m_RankReached, c.reached) << c.name;
        const std::vector<int> totals = {500, 41, 42, 43, 44};
        EXPECT_EQ(Scene().m_RankValue, c.copied ? totals : std::vector<int>(5, -9)) << c.name;
        EXPECT_EQ(Scene().m_bNewRank, c.reached != std::vector<int>(5, -1) ? 1 : 0) << c.name;
    }
    StageShell.Reset();
    SceneFlow().m_bRanking = savedRanking;
    SceneFlow().m_nPlayKind = savedKind;
    SystemData.RankingRows[0] = savedRow;
    Ranking.Reset();
    SaveData.nRunScore = SaveData.nRunValue1 = SaveData.nRunValue2 = SaveData.nRunValue3 = SaveData.nRunValue4 = 0;
}

}  // namespace
}  // namespace stagetest
