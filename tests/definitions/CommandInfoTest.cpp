#include "definitions/CommandInfo.h"

#include <gtest/gtest.h>

#include "core/TextHelpers.h"

namespace {

struct EntryCase {
    int kind;
    const char* name;
    int nParam;
};

TEST(CommandInfoTest, ActionTableNamesAndCounts)
{
    const cVector<CMDINFO>& table = CommandInfo();
    ASSERT_EQ(table.size(), 37u);
    const EntryCase cases[] = {
        {0, "", 0},
        {1, "ウエイト", 0},
        {9, "向き変更", 1},
        {10, "ジャンプ", 5},
        {16, "フローの操作", 3},
        {17, "ステージクリア", 9},
        {19, "メッセージ", 17},
        {21, "ターゲットの設定", 10},
        {22, "ステータスの操作", 18},
        {31, "ピクチャーの表示", 14},
        {32, "画面の色を変更", 8},
        {35, "BGMの再生", 2},
        {36, "コードの実行", 0},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(table[c.kind].strName, Sjis(c.name));
        EXPECT_EQ(table[c.kind].nParam, c.nParam);
    }
    int total = 0;
    for (const CMDINFO& entry : table) {
        total += entry.nParam;
    }
    EXPECT_EQ(total, 1 + 5 + 3 + 9 + 1 + 17 + 10 + 18 + 3 + 2 + 3 + 1 + 1 + 8 + 3 + 3 + 14 + 8 + 2 + 1 + 2);
}

TEST(CommandInfoTest, ItemTableRepeatsTheActionsFromStageClear)
{
    const cVector<CMDINFO>& items = ItemCommandInfo();
    const cVector<CMDINFO>& actions = CommandInfo();
    ASSERT_EQ(items.size(), 22u);
    EXPECT_EQ(items[0].strName, "");
    EXPECT_EQ(items[0].nParam, 0);
    EXPECT_EQ(items[1].strName, Sjis("フローの変更"));
    EXPECT_EQ(items[1].nParam, 2);
    for (int kind = 2; kind < 22; ++kind) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(items[kind].strName, actions[kind + 15].strName);
        EXPECT_EQ(items[kind].nParam, actions[kind + 15].nParam);
    }
    EXPECT_EQ(items[2].strName, Sjis("ステージクリア"));
    EXPECT_EQ(items[21].strName, Sjis("コードの実行"));
}

}  // namespace
