#include "definitions/CommandInfo.h"

#include "core/TextHelpers.h"

namespace {

struct CommandRow {
    const char* szName;
    std::int32_t nParam;
};

constexpr CommandRow kActionCommands[] = {
    {nullptr, 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 3},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 17},
    {"ワープ", 0},
    {"ターゲットの設定", 10},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 14},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
};

cVector<CMDINFO> BuildActionTable()
{
    cVector<CMDINFO> table;
    for (const CommandRow& row : kActionCommands) {
        table.emplace_back(row.szName, row.nParam);
    }
    return table;
}

cVector<CMDINFO> BuildItemTable()
{
    cVector<CMDINFO> table;
    table.emplace_back(nullptr, 0);
    table.emplace_back("フローの変更", 2);
    const cVector<CMDINFO>& actions = CommandInfo();
    for (int kind = CMD_STAGE_CLEAR; kind < static_cast<int>(actions.size()); ++kind) {
        table.push_back(actions[kind]);
    }
    return table;
}

}  // namespace

CMDINFO::CMDINFO(const char* szName, std::int32_t nParamCount)
    : strName(szName != nullptr ? Sjis(szName) : std::string()), nParam(nParamCount)
{}

const cVector<CMDINFO>& CommandInfo()
{
    static const cVector<CMDINFO> table = BuildActionTable();
    return table;
}

const cVector<CMDINFO>& ItemCommandInfo()
{
    static const cVector<CMDINFO> table = BuildItemTable();
    return table;
}
