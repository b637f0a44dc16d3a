// The fixed name lists and tables of the definitions: sizes, names at the positions the stored
// numbers take, and the ranges that come with them.
#include <gtest/gtest.h>

#include "core/TextHelpers.h"
#include "definitions/InputDirection.h"
#include "definitions/NameLists.h"
#include "definitions/ShotKindTables.h"
#include "definitions/StatusVocabulary.h"

namespace {

struct ListCase {
    int list;
    std::size_t size;
    int index;
    const char* name;
};

TEST(NameListsTest, ListsHoldTheirNamesAtTheStoredNumbers)
{
    const ListCase cases[] = {
        {NL_CONDITION_KIND, 8, 0, ""},
        {NL_CONDITION_KIND, 8, 7, "距離条件"},
        {NL_COMPARE, 8, 6, "の倍数である"},
        {NL_SUBJECT, 3, 2, "システム"},
        {NL_DISTANCE_SUBJECT, 3, 0, "主人公"},
        {NL_STATE, 4, 2, "ブロックに乗っている(ブロックキャラも含む)"},
        {NL_DISTANCE_MEASURE, 7, 6, "円"},
        {NL_DISTANCE_COMPARE, 2, 1, "外"},
        {NL_RIGHT_SOURCE, 4, 1, "乱数"},
        {NL_CONDITION_MODE, 2, 1, "1つ以上の条件が真なら成立"},
        {NL_KEY_STATE, 3, 2, "離"},
        {NL_KEY_MODE, 3, 2, "1つだけキーが真なら成立"},
        {NL_TRIGGER, 20, 0, "常時"},
        {NL_TRIGGER, 20, 14, "自分の上にブロックが当たった時"},
        {NL_TRIGGER, 20, 19, "なし（フローの操作コマンドで実行）"},
        {NL_FLOW_ID, 27, 0, "-"},
        {NL_FLOW_ID, 27, 1, "A"},
        {NL_FLOW_ID, 27, 26, "Z"},
        {NL_FLOW_GROUP, 27, 26, "z"},
        {NL_CALCULATION, 3, 2, "現在値に対する％で指定"},
        {NL_OPERATOR, 7, 2, "－"},
        {NL_OPERATOR, 7, 5, "÷ X の余り"},
        {NL_CONDITIONAL, 2, 1, "でないなら"},
        {NL_CHARA_VARIABLE, 8, 7, "8 キャラ変数-8"},
        {NL_FACING_CHANGE, 6, 5, "最後にブロックが当たった方の逆を向く"},
        {NL_FLOW_OPERATION, 6, 5, "永久停止"},
        {NL_FLOW_CHANGE_ID, 27, 0, "全て削除"},
        {NL_FLOW_CHANGE_ID, 27, 26, "Z"},
        {NL_MESSAGE_POSITION, 9, 8, "ステージ座標で指定"},
        {NL_TARGET_RANGE, 3, 0, "全範囲（画面内のキャラ優先）"},
        {NL_BACKGROUND_CHANGE, 3, 2, "反転(表示⇔非表示)"},
        {NL_COLLISION_RANGE, 4, 3, "32×32"},
        {NL_SCALE, 9, 0, "×4"},
        {NL_SCALE, 9, 8, "×100"},
        {NL_MOVE_COORD, 4, 0, "配置位置からの相対座標"},
        {NL_WARP_COORD, 3, 0, "相対座標"},
        {NL_DIRECTION, 13, 12, "入力方向"},
        {NL_ROTATION, 4, 3, "左向きなら左回り、右向きなら右回り"},
        {NL_DISTANCE_UNIT, 2, 1, "(dot)で指定"},
        {NL_SHOT_ORIGIN, 3, 0, "ターゲット"},
        {NL_BLOCK_SUMMON, 3, 2, "ブロックがなければ召喚、ブロックがあれば消す"},
        {NL_SUMMON_FACTION, 3, 0, "パレットの設定に準ずる"},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "list " << c.list << ", entry " << c.index);
        const cVector<std::string>& names = NameList(c.list);
        ASSERT_EQ(names.size(), c.size);
        EXPECT_EQ(names[c.index], Sjis(c.name));
    }
    EXPECT_TRUE(NameList(NL_COUNT).empty());
    EXPECT_TRUE(NameList(-1).empty());
    for (int list = 0; list < NL_COUNT; ++list) {
        EXPECT_FALSE(NameList(list).empty()) << "list " << list;
    }
}

TEST(StatusVocabularyTest, StatusesCarryTheirRanges)
{
    const cVector<STATUSINFO>& chara = CharaStatusList();
    ASSERT_EQ(chara.size(), 15u);
    EXPECT_EQ(chara[0].strName, Sjis("キャラ変数"));
    EXPECT_EQ(chara[0].nMin, -999999);
    EXPECT_EQ(chara[1].strName, "HP");
    EXPECT_EQ(chara[1].nMin, 0);
    EXPECT_EQ(chara[1].nChangeMin, -999999);
    EXPECT_EQ(chara[6].nMax, 8);
    EXPECT_EQ(chara[7].nChangeMin, -121);
    EXPECT_EQ(chara[7].nMax, 119);
    EXPECT_EQ(chara[10].nMin, -20);
    EXPECT_EQ(chara[13].nMax, 200);
    EXPECT_EQ(chara[14].strName, Sjis("倒したら獲得するスコア"));

    const cVector<STATUSINFO>& system = SystemStatusList();
    ASSERT_EQ(system.size(), 5u);
    EXPECT_EQ(system[0].nMax, 999);
    EXPECT_EQ(system[1].nMin, -480);
    EXPECT_EQ(system[4].strName, Sjis("残り人数"));
    EXPECT_EQ(system[4].nChangeMin, -99);
}

TEST(StatusVocabularyTest, FlagsNameEveryValue)
{
    const cVector<FLAGINFO>& flags = FlagList();
    ASSERT_EQ(flags.size(), 7u);
    for (const FLAGINFO& flag : flags) {
        SCOPED_TRACE(flag.strName);
        EXPECT_EQ(static_cast<int>(flag.ValueNames.size()), flag.nMax - flag.nMin + 1);
        EXPECT_GE(flag.nDefault, flag.nMin);
        EXPECT_LE(flag.nDefault, flag.nMax);
    }
    EXPECT_EQ(flags[0].ValueNames[0], "ON");
    EXPECT_EQ(flags[3].ValueNames[3], Sjis("ON (ブロックに当たると即死)"));
    EXPECT_EQ(flags[5].nMin, 1);
    EXPECT_EQ(flags[5].nDefault, 1);
    EXPECT_EQ(flags[5].ValueNames[0], Sjis("しない"));
    EXPECT_EQ(flags[5].ValueNames[9], Sjis("×100"));
}

TEST(ShotKindTablesTest, KindsAndTheirParameters)
{
    const cVector<SHOTKINDINFO>& shots = ShotKindTable();
    ASSERT_EQ(shots.size(), 6u);
    EXPECT_EQ(shots[2].strName, Sjis("拡散"));
    EXPECT_EQ(shots[2].Param[0].nMax, 180);
    EXPECT_EQ(shots[2].Param[0].nDefault, 30);
    EXPECT_EQ(shots[3].Param[1].strName, Sjis("列の数"));
    EXPECT_EQ(shots[3].Param[1].nMin, 1);
    EXPECT_EQ(shots[4].Param[0].strName, "");
    EXPECT_EQ(shots[5].Param[0].nDefault, 6);

    const cVector<SHOTKINDINFO>& aims = AimKindTable();
    ASSERT_EQ(aims.size(), 10u);
    EXPECT_EQ(aims[0].Param[0].strName, "");
    EXPECT_EQ(aims[2].Param[1].strName, Sjis("対象勢力"));
    EXPECT_EQ(aims[2].Param[1].nMax, 7);
    EXPECT_EQ(aims[7].strName, Sjis("近いキャラへ誘導（対象死亡時、対象を変更）"));
    EXPECT_EQ(aims[7].Param[1].nMax, 999);
    EXPECT_EQ(aims[7].Param[1].nDefault, 999);
    EXPECT_EQ(aims[8].Param[2].nMax, 359);
    EXPECT_EQ(aims[9].Param[0].strName, Sjis("軌道変更(hbl)"));
}

TEST(InputDirectionTest, InputDirectionsBecomeDirectionCodes)
{
    struct Case {
        int input;
        int facing;
        int direction;
    };
    const Case cases[] = {
        {0, 1, 3}, {0, 0, 2}, {1, 1, 2},  {2, 0, 3},  {3, 0, 6}, {4, 1, 7}, {5, 0, 8},
        {5, 1, 8}, {6, 1, 9}, {7, 0, 10}, {8, 0, 11}, {9, 1, 3}, {9, 0, 2}, {-1, 0, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InputDirToDirection(c.input, c.facing), c.direction) << c.input << ", facing " << c.facing;
    }
}

}  // namespace
