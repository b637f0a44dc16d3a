#include "project/EffectParamTable.h"

#include <gtest/gtest.h>

#include "core/TextHelpers.h"

namespace {

TEST(EffectParamTableTest, TablesHoldFiveDescriptorsPerKind)
{
    ASSERT_EQ(CharaEffectParamTable().size(), 17u * 5u);
    ASSERT_EQ(ScrEffectParamTable().size(), 14u * 5u);
    // Kind 0 is "none": five empty descriptors.
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(CharaEffectParamTable()[p].strName, "");
        EXPECT_EQ(ScrEffectParamTable()[p].nDefault, 0);
    }
}

TEST(EffectParamTableTest, NumbersAreSixteenBitSigned)
{
    const PARAMDESC& startX = ScrEffectParamTable()[1 * 5 + 1];
    EXPECT_EQ(startX.strName, Sjis("開始座標X(dot)"));
    EXPECT_EQ(startX.nMin, -640);
    EXPECT_EQ(startX.nMax, 640);
    const PARAMDESC& shiftX = CharaEffectParamTable()[12 * 5 + 3];
    EXPECT_EQ(shiftX.strName, Sjis("ズレX(dot)"));
    EXPECT_EQ(shiftX.nMin, -16);
}

TEST(EffectParamTableTest, DefaultsReadByTheUpgradeOfOldFiles)
{
    EXPECT_EQ(CharaEffectParamDefault(4, 4), 2);
    EXPECT_EQ(CharaEffectParamDefault(5, 4), 2);
    EXPECT_EQ(CharaEffectParamDefault(10, 3), 2);
    EXPECT_EQ(ScrEffectParamDefault(6, 4), 8);
    EXPECT_EQ(ScrEffectParamDefault(7, 4), 10);
    EXPECT_EQ(ScrEffectParamDefault(10, 3), 8);
    EXPECT_EQ(CharaEffectParamDefault(17, 0), 0);
    EXPECT_EQ(ScrEffectParamDefault(-1, 0), 0);
}

TEST(EffectParamTableTest, SpeedNotesGiveBothBackEndsPerKind)
{
    ASSERT_EQ(CharaEffectSpeedNotes().size(), 17u);  // kinds 1..16 and the closing empty text
    ASSERT_EQ(ScrEffectSpeedNotes().size(), 14u);
    EXPECT_EQ(CharaEffectSpeedNotes()[0], Sjis("Direct3D有効時：\nDirect3D無効時："));
    EXPECT_EQ(CharaEffectSpeedNotes()[6],
              Sjis("Direct3D有効時：回転Aと回転Bは同じ\nDirect3D無効時：巨大キャラには実行速度重視"));
    EXPECT_EQ(CharaEffectSpeedNotes()[15],
              Sjis("Direct3D有効時：遅い\nDirect3D無効時：画面が16bit色以上でのみ有効。遅い"));
    EXPECT_EQ(CharaEffectSpeedNotes()[16], "");
    EXPECT_EQ(ScrEffectSpeedNotes()[8], Sjis("Direct3D有効時：\nDirect3D無効時：遅い"));
    EXPECT_EQ(ScrEffectSpeedNotes()[12], Sjis("Direct3D有効時：遅過ぎ\nDirect3D無効時：画面が16bit色以上だと遅過ぎ"));
    EXPECT_EQ(ScrEffectSpeedNotes()[13], "");
}

TEST(EffectParamTableTest, ShotTablesHoldThreeDescriptorsPerKind)
{
    const cVector<PARAMDESC>& launch = ShotLaunchParamTable();
    const cVector<PARAMDESC>& homing = ShotHomingParamTable();
    ASSERT_EQ(launch.size(), 6u * 3u);
    ASSERT_EQ(homing.size(), 10u * 3u);
    struct Row {
        const PARAMDESC& desc;
        const char* name;
        int min;
        int max;
        int def;
    };
    const Row rows[] = {
        {launch[2 * 3 + 0], "角度", 0, 180, 30},    {launch[3 * 3 + 1], "列の数", 1, 50, 1},
        {launch[5 * 3 + 0], "距離(hbl)", 0, 40, 6}, {launch[4 * 3 + 0], "", 0, 0, 0},  // "爆発" has no parameter
        {homing[2 * 3 + 1], "対象勢力", 0, 7, 0},   {homing[6 * 3 + 1], "誘導終了(hbl)", 0, 999, 999},
        {homing[8 * 3 + 2], "開始角度", 0, 359, 0}, {homing[0 * 3 + 0], "", 0, 0, 0},
        {homing[9 * 3 + 2], "", 0, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.desc.strName, Sjis(r.name));
        EXPECT_EQ(r.desc.nMin, r.min) << r.name;
        EXPECT_EQ(r.desc.nMax, r.max) << r.name;
        EXPECT_EQ(r.desc.nDefault, r.def) << r.name;
    }
}

}  // namespace
