// Shots, items and deaths meeting in the play step: a shot against a character once per hit
// list, shots shooting each other down, the hero taking items (by touch, from a floor block, from
// a defeated character), the death effect and homing shots losing a dead target.
#include "StageFixture.h"

#include "definitions/PaletteRef.h"
#include "definitions/cEdStage.h"
#include "objects/MapCell.h"
#include "objects/StageObjects.h"
#include "objects/flow/CommandInstance.h"
#include "objects/item/cItem.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/cShot.h"
#include "project/DerivedTables.h"
#include "project/cSaveData.h"
#include "project/cSystemData.h"
#include "stage/PlayStateFile.h"

namespace stagetest {
namespace {

constexpr WPARAM kHit = 7;
constexpr WPARAM kCharaDead = 9;

// An item command that runs the expression text on the hero.
cEdCommand ItemCode(const char* szText)
{
    cEdCommand c;
    c.m_nKind = 21;
    c.m_bItemCommand = 1;
    c.m_strText = szText;
    return c;
}

class ContactsTest : public StageFixture {
protected:
    void TearDown() override
    {
        SaveData.nTotalScore = 0;
        StageFixture::TearDown();
    }

    // n flying enemies of the faction (2 unless given) in a row next to the hero (faction 1);
    // play running.
    bool EnterWithEnemies(int n, int faction = 2)
    {
        for (int i = 0; i < n; ++i) {
            testsupport::CharaDefSpec c;
            c.controller = 1;
            c.flying = 1;
            c.faction = static_cast<std::int8_t>(faction);
            c.x = static_cast<std::uint16_t>(4 + 2 * i);
            c.y = 5;
            c.placeValue = -1;
            StageSpecOf().placedCharas.push_back(c);
        }
        SetHeader("m_bReadyBanner", 0);
        if (!LoadAndEnter() || !harness->RunUntilState(STAGESTATE_PLAY, 3)) {
            return false;
        }
        RecordedSounds().clear();
        return CharaList.size() == static_cast<std::size_t>(n);
    }
    bool EnterWithEnemy() { return EnterWithEnemies(1); }

    static void PlaceShotBox(cCharaBase& chara, double left, double top)
    {
        chara.shotBox = BOXRECT{left, top, left + 15, top + 15};
        chara.active = 1;
        chara.inView = 1;
    }

    // A hero's shot of faction 0 whose attack box and hit box are the 8 x 8 square at (left, top).
    cShot& Shot(double left, double top, int power, int pierce, int faction = 0)
    {
        cEdShot def;
        def.m_bOwnerFaction = 0;
        def.m_nFaction = static_cast<std::int8_t>(faction);
        def.m_nPower = power;
        def.m_bPierce = static_cast<std::int8_t>(pierce);
        SHOTLAUNCH launch;
        cShot made;
        made.Init(Scene().m_nShotSerial++, Player[P1], SHOTCMD_SHOT, def, launch);
        cShot& shot = AddShotObject(Scene().m_ShotList, made);
        shot.attackLeft = shot.x = left;
        shot.attackTop = shot.y = top;
        shot.attackRight = shot.right = left + 7;
        shot.attackBottom = shot.bottom = top + 7;
        shot.inView = 1;
        shot.active = 1;
        return shot;
    }

    // A free item lying at (left, top), 16 x 16, present.
    static cItem& LayItem(int pickup, const cVector<cEdCommand>& commands, int source)
    {
        cEdItem def;
        def.m_nPickup = static_cast<std::int8_t>(pickup);
        def.m_Command = commands;
        cItem& item = ItemList.emplace_back();
        item.InitFromDef(source, def, 0);
        item.active = 1;
        return item;
    }
    static void MoveItem(cItem& item, double left, double top)
    {
        item.x = left;
        item.y = top;
        item.right = left + 15;
        item.bottom = top + 15;
    }
    static void PlaceItemBox(cPlayer& hero, double left, double top)
    {
        hero.itemBox = BOXRECT{left, top, left + 15, top + 15};
    }
};

struct SHOTHIT {
    const char* name;
    int power;
    int pierce;
    int enemyHp;
    int invincibleMode;
    int expectHpAfterOne;
    bool expectShotLeft;  // the shot is still flying after the first contact
    std::vector<WPARAM> expectSounds;
};

TEST_F(ContactsTest, AShotHitsACharacterOncePerHitList)
{
    const SHOTHIT cases[] = {
        {"plain shot is used up", 3, 0, 10, 0, 7, false, {kHit}},
        {"piercing shot flies on", 3, 1, 10, 0, 7, true, {kHit}},
        {"defeated with its bonus", 12, 0, 10, 0, 0, false, {kCharaDead}},
        {"no power, no impact, no item: flies on", 0, 0, 10, 0, 10, true, {}},
        {"invincibility mode 2 lets it pass", 3, 0, 10, 2, 10, true, {}},
    };
    for (const SHOTHIT& c : cases) {
        harness.reset();
        StageSpecOf().placedCharas.resize(1);
        ASSERT_TRUE(EnterWithEnemy()) << c.name;
        cChara& enemy = CharaList.front();
        enemy.hp = c.enemyHp;
        enemy.def.m_nMaxHp = 10;
        enemy.def.m_nDefence = 0;
        enemy.def.m_nScore = 250;
        enemy.def.m_nInvincible = static_cast<std::int8_t>(c.invincibleMode);
        SaveData.nTotalScore = 0;
        PlaceShotBox(enemy, 300, 100);
        PlaceShotBox(Player[P1], 0, 0);
        Shot(308, 108, c.power, c.pierce);

        EXPECT_EQ(Scene().CollideGroups(CharaList), 0) << c.name;
        EXPECT_EQ(enemy.hp, c.expectHpAfterOne) << c.name;
        EXPECT_EQ(enemy.dying, c.expectHpAfterOne == 0 ? 1 : 0) << c.name;
        EXPECT_EQ(SaveData.nTotalScore, c.expectHpAfterOne == 0 ? 250 : 0) << c.name << ": the bonus";
        EXPECT_EQ(RecordedSounds(), c.expectSounds) << c.name;
        EXPECT_EQ(Scene().m_ShotList.size(), c.expectShotLeft ? 1u : 0u) << c.name;
        EXPECT_EQ(Scene().m_ShotLayer[0].size(), c.expectShotLeft ? 1u : 0u) << c.name;

        // A second pass: a piercing shot has the enemy in its hit list and does not hurt again,
        // even with the enemy's invincibility over.
        enemy.invincibleTime = 0;
        Scene().CollideGroups(CharaList);
        EXPECT_EQ(enemy.hp, c.expectHpAfterOne) << c.name << ": hit once per hit list";
    }
}

TEST_F(ContactsTest, ANonPiercingShotHurtsEveryCharacterItOverlapsThenGoes)
{
    ASSERT_TRUE(EnterWithEnemies(2));
    for (cChara& enemy : CharaList) {
        enemy.hp = 10;
        enemy.def.m_nMaxHp = 10;
        enemy.def.m_nDefence = 1;
        PlaceShotBox(enemy, 300, 100);
    }
    Shot(300, 100, 4, 0);
    EXPECT_EQ(Scene().CollideGroups(CharaList), 0);
    for (const cChara& enemy : CharaList) {
        EXPECT_EQ(enemy.hp, 10 - (4 - 1)) << "the power less the defence";
    }
    EXPECT_TRUE(Scene().m_ShotList.empty());
}

struct CLASH {
    const char* name;
    int sDown, sStrength;
    int rDown, rStrength;
    bool expectS, expectR;  // still flying afterwards
};

TEST_F(ContactsTest, ShotsOfDifferentFactionsShootEachOtherDown)
{
    const CLASH cases[] = {
        {"neither can be shot down", 0, 0, 0, 0, true, true},
        {"the weaker of two goes", 1, 5, 1, 3, true, false},
        {"the stronger second survives", 1, 3, 1, 5, false, true},
        {"equal strengths both go", 1, 4, 1, 4, false, false},
        {"only the first can be shot down", 1, 9, 0, 0, false, true},
        {"only the second can be shot down", 0, 0, 1, 9, true, false},
    };
    ASSERT_TRUE(EnterWithEnemy());
    CharaList.front().active = 0;
    for (const CLASH& c : cases) {
        ClearShots();
        cShot& s = Shot(500, 500, 0, 0, 1);
        cShot& r = Shot(504, 504, 0, 0, 2);
        s.def.m_bClash = static_cast<std::int8_t>(c.sDown);
        s.def.m_nClashPower = static_cast<std::int8_t>(c.sStrength);
        r.def.m_bClash = static_cast<std::int8_t>(c.rDown);
        r.def.m_nClashPower = static_cast<std::int8_t>(c.rStrength);
        Scene().CollideGroups(CharaList);
        EXPECT_EQ(Scene().m_ShotLayer[1].size(), c.expectS ? 1u : 0u) << c.name;
        EXPECT_EQ(Scene().m_ShotLayer[2].size(), c.expectR ? 1u : 0u) << c.name;
        EXPECT_EQ(Scene().m_ShotList.size(), (c.expectS ? 1u : 0u) + (c.expectR ? 1u : 0u)) << c.name;
    }
}

TEST_F(ContactsTest, OffScreenShotsClashOnlyWhenTheStageCollidesEverywhere)
{
    // Two shots of equal strength that would shoot each other down.
    struct Case {
        const char* name;
        int contactFlag;  // 1: only objects in view take part
        int sInView;
        int rInView;
        bool expectClash;
    };
    const Case cases[] = {
        {"everywhere, both out of view", 0, 0, 0, true},
        {"on screen only, both in view", 1, 1, 1, true},
        {"on screen only, the first out of view", 1, 0, 1, false},
        {"on screen only, the second out of view", 1, 1, 0, false},
    };
    ASSERT_TRUE(EnterWithEnemy());
    CharaList.front().active = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearShots();
        Stage.m_nContactFlag = c.contactFlag;
        cShot& s = Shot(500, 500, 0, 0, 1);
        cShot& r = Shot(504, 504, 0, 0, 2);
        for (cShot* shot : {&s, &r}) {
            shot->def.m_bClash = 1;
            shot->def.m_nClashPower = 4;
        }
        s.inView = c.sInView;
        r.inView = c.rInView;
        Scene().CollideGroups(CharaList);
        EXPECT_EQ(Scene().m_ShotList.size(), c.expectClash ? 0u : 2u);
    }
    Stage.m_nContactFlag = 0;
}

TEST_F(ContactsTest, StackedDeathsOfOneSubStepComeFactionGroupByFactionGroup)
{
    // Two deadly shots of faction 2: the first over a character of faction 3, the second over the
    // hero (faction 1). All shots of a group meet one character group before the next, so the
    // hero's group comes first and the hero's death ends the walk before faction 3 is reached.
    ASSERT_TRUE(EnterWithEnemies(1, 3));
    cPlayer& hero = Player[P1];
    cChara& other = CharaList.front();
    hero.hp = 10;
    hero.invincibleTime = 0;
    other.hp = 3;
    other.def.m_nMaxHp = 3;
    PlaceShotBox(hero, 0, 0);
    PlaceShotBox(other, 300, 100);
    Shot(300, 100, 20, 0, 2);
    Shot(0, 0, 20, 0, 2);

    EXPECT_EQ(Scene().CollideGroups(CharaList), 2) << "the hero's death";
    EXPECT_EQ(hero.hp, 0);
    EXPECT_EQ(other.hp, 3) << "faction 3 is not reached";
    EXPECT_EQ(other.dying, 0);
}

TEST_F(ContactsTest, AShotShotDownLeavesBeforeTheNextGroup)
{
    // S (faction 1, strength 3) touches R1 (faction 2, strength 5) at one corner and R2
    // (faction 3, strength 1) at the other; R1 and R2 do not touch. R1 dooms S, which leaves after
    // group 2 and never reaches R2.
    ASSERT_TRUE(EnterWithEnemy());
    CharaList.front().active = 0;
    ClearShots();
    const struct {
        int faction;
        int strength;
        double at;  // left and top of the 8 x 8 box
    } shots[] = {{1, 3, 500}, {2, 5, 493}, {3, 1, 507}};
    for (const auto& made : shots) {
        cShot& shot = Shot(made.at, made.at, 0, 0, made.faction);
        shot.def.m_bClash = 1;
        shot.def.m_nClashPower = static_cast<std::int8_t>(made.strength);
    }
    Scene().CollideGroups(CharaList);
    EXPECT_EQ(Scene().m_ShotLayer[1].size(), 0u) << "S shot down by the stronger R1";
    EXPECT_EQ(Scene().m_ShotLayer[2].size(), 1u) << "R1 is stronger";
    EXPECT_EQ(Scene().m_ShotLayer[3].size(), 1u) << "R2 is never met";
}

struct PICKUP {
    const char* name;
    int mode;
    int expectTakes[4];  // stage variable 1 after each of: touch, stay, leave, touch again
    std::size_t expectLeft;
};

TEST_F(ContactsTest, TheHeroTakesItemsByTheirPickupMode)
{
    const PICKUP cases[] = {
        {"once, then gone", 0, {1, 1, 1, 1}, 0},
        {"again after leaving it", 1, {1, 1, 1, 2}, 1},
        {"never", 2, {0, 0, 0, 0}, 1},
    };
    ASSERT_TRUE(EnterWithEnemy());
    for (const PICKUP& c : cases) {
        ItemList.clear();
        Player[P1].itemContacts.clear();
        Scene().m_StageVar[1] = 0;
        cVector<cEdCommand> commands;
        commands.push_back(ItemCode("S1 = S1 + 1"));
        cItem& item = LayItem(c.mode, commands, 77);
        MoveItem(item, 400, 400);
        const double heroAt[4] = {405, 410, 100, 400};
        for (int step = 0; step < 4; ++step) {
            PlaceItemBox(Player[P1], heroAt[step], 400);
            EXPECT_EQ(Scene().CheckItemContacts(Player[P1]), 0) << c.name;
            EXPECT_EQ(Scene().m_StageVar[1], c.expectTakes[step]) << c.name << " step " << step;
        }
        EXPECT_EQ(ItemList.size(), c.expectLeft) << c.name;
    }
}

TEST_F(ContactsTest, ThePlayStepLetsTheHeroTakeAnItemUnderIt)
{
    ASSERT_TRUE(EnterWithEnemy());
    cVector<cEdCommand> commands;
    commands.push_back(ItemCode("S3 = S3 + 5"));
    cItem& item = LayItem(0, commands, 78);
    const cPlayer& hero = Player[P1];
    MoveItem(item, hero.itemBox.left, hero.itemBox.top);
    Scene().m_StageVar[3] = 0;
    harness->RunFrames(1);
    EXPECT_EQ(Scene().m_StageVar[3], 5);
    EXPECT_TRUE(ItemList.empty());
}

TEST_F(ContactsTest, PlacedItemsLieFreeUnlessACharacterHoldsThem)
{
    testsupport::ItemDefSpec held;
    held.x = 8;
    held.y = 5;
    testsupport::ItemDefSpec free = held;
    free.x = 9;
    StageSpecOf().placedItems = {held, free};
    testsupport::CharaDefSpec c;
    c.controller = 1;
    c.flying = 1;
    c.faction = 2;
    c.x = 4;
    c.y = 5;
    c.placeValue = 0;  // holds placed item 0
    StageSpecOf().placedCharas.push_back(c);
    SetHeader("m_bReadyBanner", 0);
    ASSERT_TRUE(LoadAndEnter());
    ASSERT_EQ(CharaList.size(), 1u);
    ASSERT_EQ(ItemList.size(), 1u);
    const cItem& lying = ItemList.front();
    EXPECT_EQ(lying.bHeld, 0);
    EXPECT_EQ(lying.leftCell, 10 + 9);
    EXPECT_EQ(CharaList.front().heldItem.bHeld, 1);
    EXPECT_EQ(CharaList.front().heldItem.active, 1);
    EXPECT_NE(lying.source, CharaList.front().heldItem.source);
}

TEST_F(ContactsTest, AFloorBlockGivesItsItemOncePerSixtyFramesOnTheSameBlock)
{
    ASSERT_TRUE(EnterWithEnemy());
    cEdItem* entry = GetPaletteItem(2, 1);
    ASSERT_NE(entry, nullptr);
    entry->m_Command.clear();
    entry->m_Command.push_back(ItemCode("S1 = S1 + 1"));
    cPlayer& hero = Player[P1];
    const int cellIndex = 0;
    MAPCELL* cell = MapCellByIndex(cellIndex);
    ASSERT_NE(cell, nullptr);
    cell->m_nHitKind = 1;
    cell->m_nPassFaction = 255;
    cell->m_Condition.clear();
    cell->m_nItemKind = 2;
    cell->m_nItemIndex = 1;
    hero.noGravity = 0;
    hero.onFoothold = 0;
    hero.airborne = 0;  // standing on the block
    hero.floorCell = cellIndex;
    hero.lastFloorCell = cellIndex;
    hero.prevFloorCell = cellIndex;
    hero.blockItemTimer = 0;
    Scene().m_StageVar[1] = 0;

    EXPECT_EQ(Scene().TakeFloorBlockItem(hero), 0);
    EXPECT_EQ(Scene().m_StageVar[1], 1);
    const int wait = 60 * Stage.m_nSubSteps;
    EXPECT_EQ(hero.blockItemTimer, wait - 1);
    for (int i = 1; i < wait; ++i) {
        Scene().TakeFloorBlockItem(hero);
    }
    EXPECT_EQ(Scene().m_StageVar[1], 1) << "not again while the wait lasts";
    Scene().TakeFloorBlockItem(hero);
    EXPECT_EQ(Scene().m_StageVar[1], 2) << "again once it is over";
}

TEST_F(ContactsTest, ADefeatedCharacterDropsItsItemToTheHeroAndStopsBeingAimedAt)
{
    ASSERT_TRUE(EnterWithEnemy());
    cChara& enemy = CharaList.front();
    cEdItem def;
    def.m_Command.push_back(ItemCode("S2 = 7"));
    enemy.heldItem.InitFromDef(90, def, 1);
    cShot& homing = Shot(0, 0, 0, 0, 0);
    homing.target = CharaRef(enemy.source);
    enemy.aimingShots.push_back(homing.source);
    Scene().m_StageVar[2] = 0;

    EXPECT_EQ(enemy.Die(), 0);
    EXPECT_EQ(Scene().m_StageVar[2], 7);
    EXPECT_TRUE(homing.target.IsNone());
    EXPECT_TRUE(enemy.aimingShots.empty());
    EXPECT_EQ(enemy.dying, 1);
}

TEST_F(ContactsTest, TheDeathEffectStartsAndAStandingRunEndsAfterItsTime)
{
    spec.database.charaEffects.resize(2);
    ASSERT_TRUE(EnterWithEnemy());
    cChara& enemy = CharaList.front();
    ASSERT_GE(CharaEffectWork.size(), 2u);
    enemy.def.m_nDeathEffect = 1;
    enemy.def.m_nDeathEffectValue = 0;
    EXPECT_EQ(enemy.Die(), 0);
    EXPECT_EQ(enemy.charaEffect.nNumber, 1);
    // A run whose start equals its end lasts its run time, then ends.
    enemy.charaEffect.nStart = 5;
    enemy.charaEffect.nEnd = 5;
    enemy.charaEffect.dValue = 5;
    enemy.charaEffect.dStep = 0.0;
    enemy.charaEffect.bLoop = 0;
    enemy.charaEffect.nMode = 0;
    enemy.charaEffect.nFrames = 0;
    const int frames = enemy.charaEffect.RunFrames();
    int ended = 0;
    int steps = 0;
    while (ended == 0 && steps < frames + 5) {
        ended = enemy.charaEffect.Step();
        ++steps;
    }
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(steps, frames + 1);
}

TEST_F(ContactsTest, TheItemSummonLaysTheStagePalettesItemWhereTheLaunchPuts)
{
    ASSERT_TRUE(EnterWithEnemy());
    cEdCommand command;
    command.m_nKind = 15;
    COMMANDINSTANCE inst;
    inst.command = &command;
    cEdShot def;
    def.m_nSummonPalette = 1;  // the stage palette
    def.m_nSummonIndex = 1;
    SHOTLAUNCH launch;
    launch.x = 32 * (10 + 6);
    launch.y = 32 * (10 + 3);
    const int nextNumber = Scene().m_nItemId;
    ItemList.clear();

    SpawnLaunchObject(nullptr, launch, Player[P1], inst, def);
    ASSERT_EQ(ItemList.size(), 1u);
    const cItem& item = ItemList.front();
    EXPECT_EQ(item.source, nextNumber);
    EXPECT_EQ(Scene().m_nItemId, nextNumber + 1);
    EXPECT_EQ(item.bHeld, 0);
    EXPECT_DOUBLE_EQ(item.x, launch.x);
    EXPECT_DOUBLE_EQ(item.y, launch.y);

    EXPECT_EQ(item.lifeLeft, kUnlimitedLife);
    EXPECT_NE(PlayStateJson(SCENE_STAGE).find("{\"kind\": \"item\", \"number\": " + std::to_string(nextNumber)),
              std::string::npos)
        << "the state file lists the item";

    def.m_nSummonIndex = 99;  // no such entry: nothing
    SpawnLaunchObject(nullptr, launch, Player[P1], inst, def);
    EXPECT_EQ(ItemList.size(), 1u);

    // With the time limit the item lives three tenths of a second, then leaves on its sub-step.
    def.m_nSummonIndex = 1;
    def.m_bLimitTime = 1;
    def.m_nLifeTime = 3;
    ItemList.clear();
    SpawnLaunchObject(nullptr, launch, Player[P1], inst, def);
    ASSERT_EQ(ItemList.size(), 1u);
    const std::int32_t life = 3 * 6 * SubStepCount();
    EXPECT_EQ(ItemList.front().lifeLeft, life);
    for (int count = 0; count <= life; ++count) {
        ASSERT_EQ(ItemList.size(), 1u) << "count " << count;
        Scene().CountDownLifetimes();
    }
    EXPECT_TRUE(ItemList.empty());
}

TEST_F(ContactsTest, TheStageEndAddsTheStagesTotalsToTheRun)
{
    ASSERT_TRUE(EnterWithEnemy());
    SaveData.nRunScore = 100;
    SaveData.nRunValue3 = 5;
    SaveData.nTotalScore = 40;
    Player[P1].hp = 7;
    Scene().EndStage();
    EXPECT_EQ(SaveData.nRunScore, 100 + 40);
    EXPECT_EQ(SaveData.nRunValue3, 5 + 7);
    SaveData.nRunScore = SaveData.nRunValue1 = SaveData.nRunValue2 = SaveData.nRunValue3 = SaveData.nRunValue4 = 0;
}

TEST_F(ContactsTest, ACharacterDeadAtTheStageStartIsDefeatedWithItsBonus)
{
    testsupport::CharaDefSpec c;
    c.controller = 1;
    c.flying = 1;
    c.faction = 2;
    c.x = 4;
    c.y = 5;
    c.placeValue = -1;
    c.maxHp = 0;
    c.score = 300;
    StageSpecOf().placedCharas.push_back(c);
    SetHeader("m_bReadyBanner", 0);
    ASSERT_TRUE(LoadAndEnter());
    EXPECT_TRUE(CharaList.empty());
    EXPECT_EQ(SaveData.nTotalScore, 300);
}

TEST_F(ContactsTest, TheHerosRunningEffectIsCarriedToTheNextStage)
{
    ASSERT_TRUE(EnterWithEnemy());
    const cSaveData savedSave = SaveData;
    const cVector<std::uint8_t> savedFlags = SystemData.CarryOverFlags;
    constexpr int kEffectGroup = 4;
    SystemData.CarryOverFlags.assign(25, 0);
    SystemData.CarryOverFlags[kEffectGroup] = 1;
    Stage.m_bHandOverHero = 1;
    harness->Flow().m_nGameMode = 5;  // no next stage to load
    cCharaEffectRun& effect = Player[P1].charaEffect;
    effect.nNumber = 1;
    effect.nMode = 2;
    effect.bLoop = 1;
    Scene().FinishStage();
    ASSERT_FALSE(SaveData.CarryChara.empty());
    const cEdChara& carried = SaveData.CarryChara[0].Chara;
    EXPECT_EQ(carried.m_nCharaEffect, 1);
    EXPECT_EQ(carried.m_nCharaEffectValue1, 2);
    EXPECT_EQ(carried.m_nCharaEffectValue2, 1);
    SaveData = savedSave;
    SystemData.CarryOverFlags = savedFlags;
}

TEST_F(ContactsTest, AHitShowsTheHitEffectOfTheShotOrTheBodyThatLanded)
{
    spec.database.effects.resize(2);
    spec.database.effects[1] = spec.database.effects[0];
    ASSERT_TRUE(EnterWithEnemy());
    cChara& enemy = CharaList.front();
    enemy.hp = 10;
    enemy.def.m_nMaxHp = 10;
    PlaceShotBox(enemy, 300, 100);
    Scene().m_EffectList.clear();

    Shot(300, 100, 1, 1);
    Scene().CollideGroups(CharaList);
    EXPECT_TRUE(Scene().m_EffectList.empty()) << "a shot without a hit effect shows none";
    ClearShots();

    enemy.invincibleTime = 0;
    cShot& shot = Shot(300, 100, 1, 1);
    shot.def.m_nHitEffect = 1;
    Scene().CollideGroups(CharaList);
    ASSERT_EQ(Scene().m_EffectList.size(), 1u);
    EXPECT_EQ(Scene().m_EffectList.back().number, 1);

    cPlayer& hero = Player[P1];
    hero.hp = 10;
    hero.def.m_nMaxHp = 10;
    hero.invincibleTime = 0;
    hero.bodyBox = enemy.bodyBox = BOXRECT{500, 500, 515, 515};
    hero.active = hero.inView = 1;
    enemy.def.m_nRamPower = 1;
    enemy.def.m_nEffect = 1;
    ClearShots();
    Scene().CollideGroups(CharaList);
    EXPECT_EQ(hero.hp, 9);
    EXPECT_EQ(Scene().m_EffectList.size(), 2u);
}

}  // namespace
}  // namespace stagetest
