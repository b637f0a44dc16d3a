#include "definitions/NameLists.h"

#include <array>
#include <initializer_list>

#include "core/TextHelpers.h"

namespace {

using Names = std::initializer_list<const char*>;

// "-" or a leading text, then the 26 letters from first.
cVector<std::string> LetterList(const char* szFirstName, char first)
{
    cVector<std::string> names;
    names.push_back(Sjis(szFirstName));
    for (char c = 0; c < 26; ++c) {
        names.push_back(std::string(1, static_cast<char>(first + c)));
    }
    return names;
}

cVector<std::string> List(Names utf8)
{
    cVector<std::string> names;
    for (const char* name : utf8) {
        names.push_back(Sjis(name));
    }
    return names;
}

cVector<std::string> CharaVariableNames()
{
    cVector<std::string> names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back(Sjis(std::to_string(i) + " キャラ変数-" + std::to_string(i)));
    }
    return names;
}

cVector<std::string> Build(int nList)
{
    switch (nList) {
    case NL_CONDITION_KIND:
        return List({"", "コモン変数条件", "ステージ変数条件", "キャラ変数条件", "ステータス条件", "ステータス条件2",
                     "ステータス条件3", "距離条件"});
    case NL_COMPARE:
        return List({"である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない"});
    case NL_SUBJECT: return List({"自分", "ターゲット", "システム"});
    case NL_DISTANCE_SUBJECT: return List({"主人公", "ターゲット", "システム"});
    case NL_STATE: return List({"左向き", "右向き", "ブロックに乗っている(ブロックキャラも含む)", "画面内にいる"});
    case NL_DISTANCE_MEASURE: return List({"横", "前", "後", "縦", "前Y", "後Y", "円"});
    case NL_DISTANCE_COMPARE: return List({"以内", "外"});
    case NL_LEFT_SOURCE: return List({"ステータス", "変数"});
    case NL_RIGHT_SOURCE: return List({"定数", "乱数", "ステータス", "変数"});
    case NL_VARIABLE_KIND: return List({"コモン変数", "ステージ変数"});
    case NL_CONDITION_MODE: return List({"全ての条件が真なら成立", "1つ以上の条件が真なら成立"});
    case NL_KEY_STATE: return List({"--", "押", "離"});
    case NL_KEY_MODE: return List({"全てのキーが真なら成立", "1つ以上のキーが真なら成立", "1つだけキーが真なら成立"});
    case NL_TRIGGER:
        return List({"常時",
                     "ダメージを受けた時",
                     "衝撃を受けた時",
                     "死亡した時",
                     "キャラに当たった時",
                     "ブロックキャラに当たった時",
                     "ブロックキャラに乗っている時",
                     "ショットに当たった時",
                     "アイテムに当たった時",
                     "ブロックに当たった時",
                     "自分の左右にブロックが当たった時",
                     "自分の左にブロックが当たった時",
                     "自分の右にブロックが当たった時",
                     "自分の上下にブロックが当たった時",
                     "自分の上にブロックが当たった時",
                     "自分の下にブロックが当たった時",
                     "主人公に乗られている時",
                     "キャラに乗られている時",
                     "ステージ開始前",
                     "なし（フローの操作コマンドで実行）"});
    case NL_FLOW_ID: return LetterList("-", 'A');
    case NL_FLOW_GROUP: return LetterList("-", 'a');
    case NL_CALCULATION: return List({"通常の計算", "最大値に対する％で指定", "現在値に対する％で指定"});
    case NL_CHECK_BOX: return List({"ON"});
    case NL_OPERATOR: return List({"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％"});
    case NL_CONDITIONAL: return List({"なら", "でないなら"});
    case NL_CHARA_VARIABLE: return CharaVariableNames();
    case NL_FACING_CHANGE:
        return List({"左を向く", "右を向く", "ターゲットがいる方を向く", "ターゲットがいる方の逆を向く",
                     "最後にブロックが当たった方を向く", "最後にブロックが当たった方の逆を向く"});
    case NL_JUMP_HEIGHT:
        return List({"高さがキーで調節できない", "高さがキーで調節できる(主人公のみ有効)",
                     "慣性移動速度に応じて高さを決定(主人公のみ有効)"});
    case NL_FLOW_OPERATION: return List({"開始", "終了", "一時停止", "再開", "削除", "永久停止"});
    case NL_FLOW_SELECTION: return List({"このフロー", "このフロー以外全て", "IDで指定"});
    case NL_FLOW_CHANGE_MODE: return List({"追加", "変更", "削除"});
    case NL_FLOW_CHANGE_ID: return LetterList("全て削除", 'A');
    case NL_ITEM_PALETTE: return List({"コモンパレット", "ステージパレット"});
    case NL_STAGE_CLEAR_MODE: return List({"次のステージへ", "番号で指定", "ワールドクリア"});
    case NL_STAGE_CLEAR_FACING: return List({"左向き", "右向き", "ステージクリア時の向きと同じ"});
    case NL_MESSAGE_POSITION:
        return List({"画面中央に表示", "自分の上に表示", "自分の下に表示", "自分の中心に表示", "主人公の上に表示",
                     "主人公の下に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定"});
    case NL_DISPLAY_DURATION: return List({"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定"});
    case NL_TARGET_WHOM: return List({"主人公", "自分", "最も近いキャラ", "キャラ(キャラIDで指定)"});
    case NL_TARGET_RANGE: return List({"全範囲（画面内のキャラ優先）", "全範囲", "画面内のみ"});
    case NL_PICTURE_POSITION:
        return List(
            {"画面中央に表示", "キャラの中心に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定"});
    case NL_ANIME_RUN: return List({"通常実行", "反転実行", "往復実行"});
    case NL_BACKGROUND_CHANGE: return List({"表示", "非表示", "反転(表示⇔非表示)"});
    case NL_CONTROLLER: return List({"プレイヤー", "コンピューター"});
    case NL_COLLISION_RANGE:
        return List({"キャラ対キャラの当たり判定範囲（推奨）", "キャラ対ショットの当たり判定範囲",
                     "ショット対キャラの当たり判定範囲", "32×32"});
    case NL_SIGHT_SHAPE:
        return List({"画面内全て", "キャラを中心とした円形", "キャラの前方に円形", "キャラを中心とした正方形",
                     "キャラの前方に正方形"});
    case NL_ACTIVE_AREA: return List({"画面内", "X座標のみ画面内", "Y座標のみ画面内", "全範囲"});
    case NL_PRESENCE_MODE:
        return List({"範囲かグループが真なら成立", "一度範囲かグループが真になると、以後無条件で成立",
                     "範囲とグループが偽なら成立"});
    case NL_SCALE: return List({"×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"});
    case NL_ONE: return List({"1"});
    case NL_OFF_ON: return List({"OFF", "ON"});
    case NL_MOVE_GOAL: return List({"方向で指定", "目標座標で指定"});
    case NL_WARP_GOAL: return List({"方向と距離で指定", "ターゲットからの方向と距離で指定", "目標座標で指定"});
    case NL_MOVE_COORD: return List({"配置位置からの相対座標", "相対座標", "絶対座標", "画面座標"});
    case NL_WARP_COORD: return List({"相対座標", "絶対座標", "画面座標"});
    case NL_MOVE_TIME: return List({"時間と速度を指定", "時間と距離を指定", "速度と距離を指定"});
    case NL_CIRCLE_TIME: return List({"時間を指定", "速度を指定"});
    case NL_DIRECTION:
        return List({"前", "後", "左", "右", "前Y", "後Y", "上", "下", "左上", "左下", "右上", "右下", "入力方向"});
    case NL_ROTATION:
        return List({"右回り", "左回り", "左向きなら右回り、右向きなら左回り", "左向きなら左回り、右向きなら右回り"});
    case NL_DISTANCE_UNIT: return List({"(hbl)で指定", "(dot)で指定"});
    case NL_SHOT_ORIGIN: return List({"ターゲット", "主人公", "自分"});
    case NL_SUMMON_PALETTE: return List({"コモンパレット", "ステージパレット"});
    case NL_BLOCK_SUMMON:
        return List({"ブロックを召喚", "ブロックを消す", "ブロックがなければ召喚、ブロックがあれば消す"});
    case NL_SUMMON_FACTION: return List({"パレットの設定に準ずる", "使用者と同じ", "番号で指定"});
    default: return {};
    }
}

std::array<cVector<std::string>, NL_COUNT> BuildAll()
{
    std::array<cVector<std::string>, NL_COUNT> lists;
    for (int i = 0; i < NL_COUNT; ++i) {
        lists[static_cast<std::size_t>(i)] = Build(i);
    }
    return lists;
}

}  // namespace

const cVector<std::string>& NameList(int nList)
{
    static const std::array<cVector<std::string>, NL_COUNT> lists = BuildAll();
    static const cVector<std::string> empty;
    if (nList < 0 || nList >= NL_COUNT) {
        return empty;
    }
    return lists[static_cast<std::size_t>(nList)];
}
