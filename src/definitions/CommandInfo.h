// The two command tables: CommandInfo names the 36 action commands of character flows (entry 0 is
// the empty kind), ItemCommandInfo the 21 item commands run when the player takes an item. Each
// entry gives the command's name and its parameter count; a command's parameter vector always
// holds exactly that many values after its repair, so the running side may index every parameter
// below nParam. Both tables are built on first use and never change afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "core/cVector.h"

struct CMDINFO {
    std::string strName;      // Shift-JIS
    std::int32_t nParam = 0;  // parameters of the kind

    CMDINFO() = default;
    // szName in UTF-8 (converted to Shift-JIS here); null is the empty name.
    CMDINFO(const char* szName, std::int32_t nParamCount);
};

// Action kinds whose numbers the definitions test by name.
enum ACTIONKIND {
    CMD_CHARGE_MOVE = 5,    // "突撃移動"
    CMD_SHOT = 11,          // "ショット"
    CMD_SWORD = 12,         // "ソード"
    CMD_BLOCK_SUMMON = 13,  // "ブロック召喚"
    CMD_CHARA_SUMMON = 14,  // "キャラ召喚"
    CMD_ITEM_SUMMON = 15,   // "アイテム召喚"
    CMD_FLOW_CONTROL = 16,  // "フローの操作"
    CMD_STAGE_CLEAR = 17,   // "ステージクリア"
    CMD_MESSAGE = 19,       // "メッセージ"
    CMD_SET_TARGET = 21,    // "ターゲットの設定"
    CMD_STATUS = 22,        // "ステータスの操作"
    CMD_STATUS2 = 23,       // "ステータスの操作2"
    CMD_GET_ITEM = 24,      // "アイテムの取得"
    CMD_GRAPHIC = 25,       // "グラフィックの変更"
    CMD_ANIME_SET = 26,     // "基本アニメセットの変更"
    CMD_ANIME = 27,         // "アニメの実行"
    CMD_EFFECT = 28,        // "エフェクトの実行"
    CMD_CHARA_EFFECT = 29,  // "キャラエフェクトの実行"
    CMD_SCR_EFFECT = 30,    // "画面エフェクトの実行"
    CMD_PICTURE = 31,       // "ピクチャーの表示"
    CMD_SOUND = 34,         // "効果音の再生"
    CMD_BGM = 35,           // "BGMの再生"
};

// The item command "フローの変更"; item kinds from 2 up are the action kinds from 17 up.
constexpr int kItemCmdFlowChange = 1;
constexpr int kItemKindOffset = 15;

// The 37 entries of the action commands, by kind.
const cVector<CMDINFO>& CommandInfo();
// The 22 entries of the item commands, by kind: 0 empty, 1 "フローの変更" with 2 parameters, k from
// 2 to 21 the action command k + 15.
const cVector<CMDINFO>& ItemCommandInfo();
