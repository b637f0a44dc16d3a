#include "definitions/ShotKindTables.h"

#include "core/TextHelpers.h"

namespace {

struct ParamRow {
    const char* szName;  // null: no such parameter
    std::int16_t nMin;
    std::int16_t nMax;
    std::int16_t nDefault;
};

struct KindRow {
    const char* szName;
    ParamRow param[3];
};

constexpr ParamRow kNone = {nullptr, 0, 0, 0};
constexpr ParamRow kSpacing = {"間隔(hbl)", 0, 40, 0};
constexpr ParamRow kCourse = {"軌道変更(hbl)", 0, 40, 0};
constexpr ParamRow kFaction = {"対象勢力", 0, 7, 0};
constexpr ParamRow kHomingStart = {"誘導開始(hbl)", 0, 40, 0};
constexpr ParamRow kHomingEnd = {"誘導終了(hbl)", 0, 999, 999};

constexpr KindRow kShotKinds[] = {
    {"直進A", {kSpacing, kNone, kNone}},
    {"直進B", {kSpacing, kNone, kNone}},
    {"拡散", {{"角度", 0, 180, 30}, kNone, kNone}},
    {"落雷", {kSpacing, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0}}},
    {"爆発", {kNone, kNone, kNone}},
    {"包囲", {{"距離(hbl)", 0, 40, 6}, kNone, kNone}},
};

constexpr KindRow kAimKinds[] = {
    {"直進", {kNone, kNone, kNone}},
    {"主人公を狙う", {kCourse, kNone, kNone}},
    {"近いキャラを狙う", {kCourse, kFaction, kNone}},
    {"ターゲットを狙う", {kCourse, kNone, kNone}},
    {"主人公へ誘導", {kHomingStart, kHomingEnd, kNone}},
    {"近いキャラへ誘導（対象死亡時、誘導を無効化）", {kHomingStart, kHomingEnd, kFaction}},
    {"ターゲットへ誘導", {kHomingStart, kHomingEnd, kNone}},
    {"近いキャラへ誘導（対象死亡時、対象を変更）", {kHomingStart, kHomingEnd, kFaction}},
    {"ウェーブ", {{"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0}}},
    {"落下", {kCourse, kNone, kNone}},
};

template <std::size_t N>
cVector<SHOTKINDINFO> Build(const KindRow (&rows)[N])
{
    cVector<SHOTKINDINFO> table;
    for (const KindRow& row : rows) {
        SHOTKINDINFO kind;
        kind.strName = Sjis(row.szName);
        for (int i = 0; i < 3; ++i) {
            const ParamRow& p = row.param[i];
            kind.Param[i] = {p.szName != nullptr ? Sjis(p.szName) : std::string(), p.nMin, p.nMax, p.nDefault};
        }
        table.push_back(kind);
    }
    return table;
}

}  // namespace

const cVector<SHOTKINDINFO>& ShotKindTable()
{
    static const cVector<SHOTKINDINFO> table = Build(kShotKinds);
    return table;
}

const cVector<SHOTKINDINFO>& AimKindTable()
{
    static const cVector<SHOTKINDINFO> table = Build(kAimKinds);
    return table;
}
