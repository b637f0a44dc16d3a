#include "definitions/StatusVocabulary.h"

#include <initializer_list>

#include "core/TextHelpers.h"

namespace {

constexpr int kMax = 999999;

struct StatusRow {
    const char* szName;
    int nMin;
    int nMax;
    int nChangeMin;
    int nChangeMax;
};

constexpr StatusRow kCharaStatus[] = {
    {"キャラ変数", -kMax, kMax, -kMax, kMax},
    {"HP", 0, kMax, -kMax, kMax},
    {"SP", 0, kMax, -kMax, kMax},
    {"最大HP", 0, kMax, -kMax, kMax},
    {"最大SP", 0, kMax, -kMax, kMax},
    {"キャラID", 0, 99, -99, 99},
    {"Z座標", 0, 8, -8, 8},
    {"マーク番号", 0, 119, -121, 119},
    {"視界範囲(hbl)", 0, 40, -40, 40},
    {"体当たりの威力", -kMax, kMax, -kMax, kMax},
    {"体当たりの衝撃", -20, 20, -20, 20},
    {"防御力", 0, kMax, -kMax, kMax},
    {"衝撃耐性", 0, 20, -20, 20},
    {"止まりやすさ", 0, 200, -200, 200},
    {"倒したら獲得するスコア", -kMax, kMax, -kMax, kMax},
};

constexpr StatusRow kSystemStatus[] = {
    {"時間", 0, 999, -999, 999},
    {"横スクロール速度", -480, 480, -480, 480},
    {"縦スクロール速度", -480, 480, -480, 480},
    {"スコア", 0, kMax, -kMax, kMax},
    {"残り人数", 0, 99, -99, 99},
};

template <std::size_t N>
cVector<STATUSINFO> BuildStatus(const StatusRow (&rows)[N])
{
    cVector<STATUSINFO> list;
    for (const StatusRow& row : rows) {
        list.push_back({Sjis(row.szName), row.nMin, row.nMax, row.nChangeMin, row.nChangeMax});
    }
    return list;
}

FLAGINFO Flag(const char* szName, int nMin, int nMax, int nDefault, std::initializer_list<const char*> values)
{
    FLAGINFO flag{Sjis(szName), nMin, nMax, nDefault, {}};
    for (const char* value : values) {
        flag.ValueNames.push_back(Sjis(value));
    }
    return flag;
}

cVector<FLAGINFO> BuildFlags()
{
    cVector<FLAGINFO> list;
    list.push_back(Flag("消滅", 0, 0, 0, {"ON"}));
    list.push_back(Flag("透明", 0, 1, 0, {"OFF", "ON"}));
    list.push_back(Flag("向き固定", 0, 1, 0, {"OFF", "ON"}));
    list.push_back(Flag("飛行", 0, 3, 0,
                        {"OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)"}));
    list.push_back(Flag("無敵", 0, 2, 0, {"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)"}));
    list.push_back(Flag("巨大化", 1, 10, 1, {"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"}));
    list.push_back(Flag("オートスクロールとシンクロ", 0, 1, 0, {"OFF", "ON"}));
    return list;
}

}  // namespace

const cVector<STATUSINFO>& CharaStatusList()
{
    static const cVector<STATUSINFO> list = BuildStatus(kCharaStatus);
    return list;
}

const cVector<STATUSINFO>& SystemStatusList()
{
    static const cVector<STATUSINFO> list = BuildStatus(kSystemStatus);
    return list;
}

const cVector<FLAGINFO>& FlagList()
{
    static const cVector<FLAGINFO> list = BuildFlags();
    return list;
}
