#include "project/EffectParamTable.h"

#include "core/TextHelpers.h"
#include "definitions/ShotKindTables.h"

namespace {

// One row of a table as written below: the parameter name in UTF-8 (null: no parameter).
struct ParamRow {
    const char* szName;
    std::int16_t nMin;
    std::int16_t nMax;
    std::int16_t nDefault;
};

constexpr ParamRow kNone = {nullptr, 0, 0, 0};
constexpr ParamRow kTime5 = {"実行時間(1/10s)", 1, 9999, 5};
constexpr ParamRow kTime10 = {"実行時間(1/10s)", 1, 9999, 10};

// Character effects, kinds 0..16, p1..p5.
constexpr ParamRow kCharaRows[kCharaEffectKinds][kEffectParamCount] = {
    {kNone, kNone, kNone, kNone, kNone},
    {kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, kNone, kNone},
    {kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone},
    {kTime5, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}, kNone},
    {kTime5, {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2}},
    {kTime5, {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2}},
    {kTime10, {"点滅間隔(1/60s)", 1, 9999, 2}, kNone, kNone, kNone},
    {kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone},
    {kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone},
    {kTime10, {"開始位置(dot)", 0, 9999, 0}, {"終了位置(dot)", 0, 9999, 256}, kNone, kNone},
    {kTime5, {"開始半径(dot)", 0, 32, 32}, {"終了半径(dot)", 0, 32, 0}, {"円の粗さ(dot)", 1, 4, 2}, kNone},
    {kTime10, {"開始幅(dot)", 0, 320, 32}, {"終了幅(dot)", 0, 320, 64}, kNone, kNone},
    {kTime10,
     {"開始距離", 0, 100, 100},
     {"終了距離", 0, 100, 5},
     {"ズレX(dot)", -16, 16, 0},
     {"ズレY(dot)", -16, 16, 0}},
    {kTime10, {"開始合成度", 1, 4, 1}, {"終了合成度", 1, 4, 1}, {"色", 16, 207, 16}, kNone},
    {kTime10, {"点滅間隔(1/60s)", 1, 9999, 9999}, kNone, kNone, kNone},
    {kTime10, {"開始強度", 1, 16, 1}, {"終了強度", 1, 16, 8}, kNone, kNone},
    {kTime10, {"開始強度", 1, 1, 1}, {"終了強度", 1, 4, 4}, kNone, kNone},
};

// Screen effects, kinds 0..13, p1..p5.
constexpr ParamRow kScrRows[kScrEffectKinds][kEffectParamCount] = {
    {kNone, kNone, kNone, kNone, kNone},
    {kTime10,
     {"開始座標X(dot)", -640, 640, 0},
     {"開始座標Y(dot)", -480, 480, 0},
     {"終了座標X(dot)", -640, 640, 640},
     {"終了座標Y(dot)", -480, 480, 0}},
    {kTime10, {"振動幅(dot)", 1, 640, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone},
    {kTime10, {"振動幅(dot)", 1, 480, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone},
    {kTime10, {"開始位置(dot)", 0, 640, 0}, {"終了位置(dot)", 0, 640, 640}, {"分割数", 2, 240, 15}, kNone},
    {kTime10, {"開始位置(dot)", 0, 480, 0}, {"終了位置(dot)", 0, 480, 480}, {"分割数", 2, 320, 20}, kNone},
    {kTime10,
     {"開始幅(dot)", 0, 640, 0},
     {"終了幅(dot)", 0, 640, 640},
     {"波の数", 2, 240, 4},
     {"波の粗さ(dot)", 1, 48, 8}},
    {kTime10,
     {"開始幅(dot)", 0, 480, 0},
     {"終了幅(dot)", 0, 480, 480},
     {"波の数", 2, 320, 4},
     {"波の粗さ(dot)", 1, 64, 10}},
    {kTime10, {"点滅間隔(1/60s)", 1, 9999, 10}, kNone, kNone, kNone},
    {kTime10, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone},
    {kTime10, {"開始半径(dot)", 0, 640, 640}, {"終了半径(dot)", 0, 640, 0}, {"円の粗さ(dot)", 1, 48, 8}, kNone},
    {kTime10, {"開始幅(dot)", 0, 6400, 640}, {"終了幅(dot)", 0, 6400, 1280}, kNone, kNone},
    {kTime10,
     {"開始距離", 0, 1500, 1500},
     {"終了距離", 0, 1500, 5},
     {"ズレX(dot)", -320, 320, 0},
     {"ズレY(dot)", -240, 240, 0}},
    {kTime10, {"開始強度", 1, 240, 1}, {"終了強度", 1, 240, 60}, kNone, kNone},
};

constexpr const char* kCharaKindNames[] = {
    "破裂", "分割（横）", "分割（縦）", "波（横）", "波（縦）", "点滅",     "回転A",  "回転B", "回転（奥）",
    "円",   "拡大",       "レンズ",     "色変化",   "半透明",   "モザイク", "ぼかし", "",
};

constexpr const char* kScrKindNames[] = {
    "移動", "振動（横）", "振動（縦）", "分割（横）", "分割（縦）", "波（横）", "波（縦）",
    "点滅", "回転",       "円",         "拡大",       "レンズ",     "モザイク", "",
};

// The speed notes: with Direct3D, a line feed, without it.
constexpr const char* kCharaSpeedNotes[] = {
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：速い\nDirect3D無効時：速い",
    "Direct3D有効時：回転Aと回転Bは同じ\nDirect3D無効時：巨大キャラには実行速度重視",
    "Direct3D有効時：回転Aと回転Bは同じ\nDirect3D無効時：やや遅い。巨大キャラには描画精度重視",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：遅過ぎ\nDirect3D無効時：遅い",
    "Direct3D有効時：\nDirect3D無効時：画面が8bit色→精度悪い、16bit色以上→やや遅い",
    "Direct3D有効時：\nDirect3D無効時：画面が8bit色→精度悪い、16bit色以上→遅過ぎ",
    "Direct3D有効時：遅い\nDirect3D無効時：画面が16bit色以上だと遅い",
    "Direct3D有効時：遅い\nDirect3D無効時：画面が16bit色以上でのみ有効。遅い",
    "",
};

constexpr const char* kScrSpeedNotes[] = {
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：\nDirect3D無効時：",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：速い\nDirect3D無効時：速い",
    "Direct3D有効時：\nDirect3D無効時：遅い",
    "Direct3D有効時：やや遅い\nDirect3D無効時：やや遅い",
    "Direct3D有効時：\nDirect3D無効時：やや遅い",
    "Direct3D有効時：遅過ぎ\nDirect3D無効時：遅過ぎ",
    "Direct3D有効時：遅過ぎ\nDirect3D無効時：画面が16bit色以上だと遅過ぎ",
    "",
};

template <int kKinds>
cVector<PARAMDESC> BuildTable(const ParamRow (&rows)[kKinds][kEffectParamCount])
{
    cVector<PARAMDESC> table;
    table.reserve(kKinds * kEffectParamCount);
    for (const auto& kind : rows) {
        for (const ParamRow& row : kind) {
            std::string name = row.szName != nullptr ? Sjis(row.szName) : std::string();
            table.emplace_back(name.c_str(), row.nMin, row.nMax, row.nDefault);
        }
    }
    return table;
}

template <std::size_t kCount>
cVector<std::string> BuildNames(const char* const (&names)[kCount])
{
    cVector<std::string> list;
    for (const char* name : names) {
        list.push_back(Sjis(name));
    }
    return list;
}

// The descriptors of a shot kind table, kind by kind.
cVector<PARAMDESC> FlattenShotKinds(const cVector<SHOTKINDINFO>& kinds)
{
    cVector<PARAMDESC> table;
    table.reserve(kinds.size() * kShotParamCount);
    for (const SHOTKINDINFO& kind : kinds) {
        for (const SHOTPARAMDESC& p : kind.Param) {
            table.emplace_back(p.strName.c_str(), p.nMin, p.nMax, p.nDefault);
        }
    }
    return table;
}

int DefaultOf(const ParamRow* rows, int nKinds, int nKind, int nParam)
{
    if (nKind < 0 || nKind >= nKinds || nParam < 0 || nParam >= kEffectParamCount) {
        return 0;
    }
    return rows[nKind * kEffectParamCount + nParam].nDefault;
}

}  // namespace

PARAMDESC::PARAMDESC(const char* szName, std::int16_t min, std::int16_t max, std::int32_t def)
    : strName(szName != nullptr ? szName : ""), nMin(min), nMax(max), nDefault(def)
{}

const cVector<PARAMDESC>& CharaEffectParamTable()
{
    static const cVector<PARAMDESC> table = BuildTable(kCharaRows);
    return table;
}

const cVector<PARAMDESC>& ScrEffectParamTable()
{
    static const cVector<PARAMDESC> table = BuildTable(kScrRows);
    return table;
}

const cVector<std::string>& CharaEffectKindNames()
{
    static const cVector<std::string> names = BuildNames(kCharaKindNames);
    return names;
}

const cVector<std::string>& ScrEffectKindNames()
{
    static const cVector<std::string> names = BuildNames(kScrKindNames);
    return names;
}

const cVector<std::string>& CharaEffectSpeedNotes()
{
    static const cVector<std::string> notes = BuildNames(kCharaSpeedNotes);
    return notes;
}

const cVector<std::string>& ScrEffectSpeedNotes()
{
    static const cVector<std::string> notes = BuildNames(kScrSpeedNotes);
    return notes;
}

const cVector<PARAMDESC>& ShotLaunchParamTable()
{
    static const cVector<PARAMDESC> table = FlattenShotKinds(ShotKindTable());
    return table;
}

const cVector<PARAMDESC>& ShotHomingParamTable()
{
    static const cVector<PARAMDESC> table = FlattenShotKinds(AimKindTable());
    return table;
}

// The defaults come straight from the rows: the upgrade of a loaded file needs no text
// conversion.
int CharaEffectParamDefault(int nKind, int nParam)
{
    return DefaultOf(&kCharaRows[0][0], kCharaEffectKinds, nKind, nParam);
}

int ScrEffectParamDefault(int nKind, int nParam)
{
    return DefaultOf(&kScrRows[0][0], kScrEffectKinds, nKind, nParam);
}
