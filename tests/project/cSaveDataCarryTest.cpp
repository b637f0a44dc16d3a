// The hero's state carried between stages: each of the 25 carry groups is stored and restored
// only when the project settings switch it on, restored only once stored, and forgotten by the
// reset switches.
#include <gtest/gtest.h>

#include "definitions/cEdChara.h"
#include "definitions/cEdStage.h"

#include "SaveDataTestSupport.h"
#include "project/cSaveData.h"

namespace {

using projecttest::SaveDataTest;

class cSaveDataCarryTest : public SaveDataTest {
protected:
    void SetUp() override
    {
        SaveDataTest::SetUp();
        SwitchGroups({});
    }
    // Switches exactly the given carry groups on.
    static void SwitchGroups(std::initializer_list<int> groups)
    {
        SystemData.CarryOverFlags.assign(25, 0);
        for (int g : groups) {
            SystemData.CarryOverFlags[g] = 1;
        }
    }
    // Stores hero with the values outside the definition: HP 41, SP 42, effect 5 with values 6
    // and 7, time 88, lives 9, music 3.
    static void Store(const cEdChara& hero) { SaveData.StoreCharaStatus(0, hero, 41, 42, 5, 6, 7, 88, 9, 3); }
};

// A definition whose carried members all differ from a new one's.
cEdChara Played()
{
    cEdChara c;
    c.m_nGraphic = 12;
    c.m_nGraphicSheet = 4;
    c.m_nCell = 30;
    c.m_nAnimeSet = 2;
    c.m_nZ = 5;
    c.m_bTransparent = 1;
    c.m_nDirectionFix = 0;
    c.m_nFlying = 2;
    c.m_nInvincible = 1;
    c.m_nScale = 3;
    c.m_bScrollSync = 1;
    c.m_nViewShape = 4;
    c.m_nViewRange = 9;
    c.m_nMaxHp = 150;
    c.m_nMaxSp = 60;
    c.m_nRangeKind = 2;
    c.m_nRamPower = 25;
    c.m_nRamImpact = 6;
    c.m_nDefence = 17;
    c.m_nImpactResist = 8;
    c.m_nBrake = 40;
    c.m_Flow.resize(2);
    c.m_nScore = 999;  // not carried
    return c;
}

TEST_F(cSaveDataCarryTest, EveryGroupSwitchedOnIsCarried)
{
    SwitchGroups({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24});
    Store(Played());
    EXPECT_EQ(SaveData.bCarry, 1);
    EXPECT_EQ(SaveData.CarryFlag, cVector<std::int32_t>(25, 1));

    cEdChara hero;
    cEdStage stage;
    stage.m_nTimeLimit = 200;
    stage.m_nBgm = 0;
    SaveData.nLives = 1;
    SaveData.RestoreCharaStatus(0, hero, stage);
    EXPECT_EQ(hero.m_nGraphic, 12);
    EXPECT_EQ(hero.m_nGraphicSheet, 4);
    EXPECT_EQ(hero.m_nCell, 30);
    EXPECT_EQ(hero.m_nAnimeSet, 2);
    EXPECT_EQ(hero.m_nZ, 5);
    EXPECT_EQ(hero.m_bTransparent, 1);
    EXPECT_EQ(hero.m_nCharaEffect, 5);
    EXPECT_EQ(hero.m_nCharaEffectValue1, 6);
    EXPECT_EQ(hero.m_nCharaEffectValue2, 7);
    EXPECT_EQ(hero.m_nDirectionFix, 0);
    EXPECT_EQ(hero.m_nFlying, 2);
    EXPECT_EQ(hero.m_nInvincible, 1);
    EXPECT_EQ(hero.m_nScale, 3);
    EXPECT_EQ(hero.m_bScrollSync, 1);
    EXPECT_EQ(hero.m_nViewShape, 4);
    EXPECT_EQ(hero.m_nViewRange, 9);
    EXPECT_EQ(hero.m_nMaxHp, 150);
    EXPECT_EQ(hero.m_nMaxSp, 60);
    EXPECT_EQ(hero.m_nRangeKind, 2);
    EXPECT_EQ(hero.m_nRamPower, 25);
    EXPECT_EQ(hero.m_nRamImpact, 6);
    EXPECT_EQ(hero.m_nDefence, 17);
    EXPECT_EQ(hero.m_nImpactResist, 8);
    EXPECT_EQ(hero.m_nBrake, 40);
    EXPECT_EQ(hero.m_Flow.size(), 2u);
    EXPECT_EQ(hero.m_nScore, 0);
    EXPECT_EQ(stage.m_nTimeLimit, 88);
    EXPECT_EQ(stage.m_nBgm, 3);
    EXPECT_EQ(SaveData.nLives, 9);

    int hp = 0;
    int sp = 0;
    SaveData.GetCharaExtra(0, &hp, &sp);
    EXPECT_EQ(hp, 41);
    EXPECT_EQ(sp, 42);
}

TEST_F(cSaveDataCarryTest, GroupsSwitchedOffAreNeitherStoredNorRestored)
{
    SwitchGroups({13, 22});
    Store(Played());
    cVector<std::int32_t> flags(25, 0);
    flags[13] = 1;
    flags[22] = 1;
    EXPECT_EQ(SaveData.CarryFlag, flags);
    EXPECT_EQ(SaveData.CarryChara[0].Chara.m_nGraphic, 0);
    EXPECT_EQ(SaveData.CarryChara[0].nHp, 0);

    SwitchGroups({0, 11, 13, 22, 24});  // 0, 11 and 24 were not stored
    cEdChara hero;
    hero.m_nGraphic = 2;
    cEdStage stage;
    stage.m_nTimeLimit = 200;
    stage.m_nBgm = 6;
    SaveData.RestoreCharaStatus(0, hero, stage);
    EXPECT_EQ(hero.m_nMaxHp, 150);
    EXPECT_EQ(stage.m_nTimeLimit, 88);
    EXPECT_EQ(hero.m_nGraphic, 2);
    EXPECT_EQ(stage.m_nBgm, 6);
    EXPECT_EQ(hero.m_nBrake, 10);
    int hp = -1;
    SaveData.GetCharaExtra(0, &hp, nullptr);
    EXPECT_EQ(hp, -1);
}

TEST_F(cSaveDataCarryTest, AStoredGraphicZeroComesBackAsOne)
{
    SwitchGroups({0});
    cEdChara played;
    played.m_nGraphic = 0;
    played.m_nCell = 4;
    Store(played);
    cEdChara hero;
    hero.m_nGraphic = 9;
    cEdStage stage;
    stage.m_nTimeLimit = 0;
    stage.m_nBgm = 0;
    SaveData.RestoreCharaStatus(0, hero, stage);
    EXPECT_EQ(hero.m_nGraphic, 1);
    EXPECT_EQ(hero.m_nCell, 4);
}

TEST_F(cSaveDataCarryTest, NothingIsRestoredBeforeAStore)
{
    SwitchGroups({13, 11, 23});
    SaveData.CarryFlag.assign(25, 1);
    SaveData.CarryChara[0].Chara.m_nMaxHp = 500;
    SaveData.CarryChara[0].nHp = 7;
    SaveData.CarryChara[0].nLives = 8;
    SaveData.nLives = 3;
    cEdChara hero;
    cEdStage stage;
    stage.m_nTimeLimit = 0;
    stage.m_nBgm = 0;
    SaveData.RestoreCharaStatus(0, hero, stage);
    int hp = -1;
    SaveData.GetCharaExtra(0, &hp, nullptr);
    EXPECT_EQ(hero.m_nMaxHp, 10);
    EXPECT_EQ(hp, -1);
    EXPECT_EQ(SaveData.nLives, 3);
}

TEST_F(cSaveDataCarryTest, ResetSwitchesForgetTheirGroups)
{
    SaveData.CarryFlag.assign(25, 1);
    SystemData.ResetFlags.assign(25, 0);
    SystemData.ResetFlags[11] = 1;
    SystemData.ResetFlags[24] = 1;
    SaveData.ClearFlaggedValues();
    cVector<std::int32_t> flags(25, 1);
    flags[11] = 0;
    flags[24] = 0;
    EXPECT_EQ(SaveData.CarryFlag, flags);
}

// What was stored survives a story slot: the carry records and flags go through the file.
TEST_F(cSaveDataCarryTest, TheCarriedStateGoesThroughTheSlotFile)
{
    SwitchGroups({0, 12, 14, 23});
    cEdChara played = Played();
    played.m_nGraphicSheet = 1;  // a sheet-4 graphic would be checked against the loaded databases
    Store(played);
    ASSERT_EQ(SaveData.SaveSlot(4), 1);
    SaveData.Reset();
    ASSERT_EQ(SaveData.LoadSlot(4), 1);
    EXPECT_EQ(SaveData.bCarry, 1);
    cEdChara hero;
    cEdStage stage;
    stage.m_nTimeLimit = 0;
    stage.m_nBgm = 0;
    SaveData.RestoreCharaStatus(0, hero, stage);
    EXPECT_EQ(hero.m_nGraphic, 12);
    EXPECT_EQ(hero.m_nGraphicSheet, 1);
    EXPECT_EQ(hero.m_nMaxSp, 60);
    EXPECT_EQ(SaveData.nLives, 9);
    int sp = 0;
    SaveData.GetCharaExtra(0, nullptr, &sp);
    EXPECT_EQ(sp, 42);
}

}  // namespace
