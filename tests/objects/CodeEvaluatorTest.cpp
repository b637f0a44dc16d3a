#include "objects/code/cCodeEvaluator.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/TextHelpers.h"
#include "objects/code/CodeStatus.h"
#include "platform/win/Random.h"

namespace {

class FakeChara : public ICodeChara {
public:
    std::array<std::int32_t, CODE_CHARA_STATUS_COUNT> status{};
    bool bPlayer = false;
    std::vector<int> hpGauges;
    std::vector<int> spGauges;
    int nSightChanges = 0;

    std::int32_t GetCodeStatus(int n) const override { return status.at(static_cast<std::size_t>(n)); }
    void SetCodeStatus(int n, std::int32_t v) override { status.at(static_cast<std::size_t>(n)) = v; }
    bool IsPlayerOperated() const override { return bPlayer; }
    void StartHpGauge(int delta) override { hpGauges.push_back(delta); }
    void StartSpGauge(int delta) override { spGauges.push_back(delta); }
    void OnSightChanged() override { ++nSightChanges; }
};

class FakeContext : public ICodeContext {
public:
    std::vector<std::int32_t> common = std::vector<std::int32_t>(256, 0);
    std::vector<std::int32_t> stage = std::vector<std::int32_t>(255, 0);
    std::array<std::int32_t, CODE_SYS_STATUS_COUNT> sys{};
    FakeChara* lpTarget = nullptr;
    FakeChara* lpPlayer = nullptr;
    int nDeathChecks = 0;
    std::vector<int> scrollAxes;
    std::vector<std::string> boxes;
    cCodeErrorReports reports;

    std::vector<std::int32_t>& Vars(int kind) { return kind == CODEVAR_COMMON ? common : stage; }
    int VariableCount(int kind) const override
    {
        return static_cast<int>(kind == CODEVAR_COMMON ? common.size() : stage.size());
    }
    std::int32_t GetVariable(int kind, int n) const override
    {
        return (kind == CODEVAR_COMMON ? common : stage).at(static_cast<std::size_t>(n));
    }
    void SetVariable(int kind, int n, std::int32_t v) override { Vars(kind).at(static_cast<std::size_t>(n)) = v; }
    ICodeChara* Target(ICodeChara&) override { return lpTarget; }
    ICodeChara* Player() override { return lpPlayer; }
    std::int32_t GetSystemStatus(int n) const override { return sys.at(static_cast<std::size_t>(n)); }
    void SetSystemStatus(int n, std::int32_t v) override { sys.at(static_cast<std::size_t>(n)) = v; }
    void OnAutoScrollChanged(int axis) override { scrollAxes.push_back(axis); }
    void RequestDeathCheck() override { ++nDeathChecks; }
    void ShowCodeError(const std::string& text) override { boxes.push_back(text); }
    cCodeErrorReports& CodeErrorReports() override { return reports; }
};

// The running character, its target and the player, with a few statuses set so that clamping
// to the current maximum shows.
struct World {
    FakeChara me;
    FakeChara target;
    FakeChara player;
    FakeContext ctx;

    World()
    {
        for (FakeChara* c : {&me, &target, &player}) {
            c->status[CODE_HP] = 50;
            c->status[CODE_MHP] = 120;
            c->status[CODE_SP] = 20;
            c->status[CODE_MSP] = 40;
        }
        player.bPlayer = true;
        ctx.lpTarget = &target;
        ctx.lpPlayer = &player;
        ctx.sys = {300, 0, 0, 1000, 3};
    }

    // The storage a test names: "C<n>", "S<n>", "my.<status>", "tg.<status>", "pl.<status>",
    // or a system status name.
    std::int32_t& Slot(const std::string& name)
    {
        if (name[0] == 'C' || name[0] == 'S') {
            return ctx.Vars(name[0] == 'C' ? CODEVAR_COMMON : CODEVAR_STAGE).at(std::stoul(name.substr(1)));
        }
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos) {
            for (int i = 0; i < CODE_SYS_STATUS_COUNT; ++i) {
                if (name == CodeSysStatusInfo(i)->szName) {
                    return ctx.sys[static_cast<std::size_t>(i)];
                }
            }
            throw std::invalid_argument(name);
        }
        const std::string who = name.substr(0, dot);
        FakeChara& c = who == "my" ? me : who == "tg" ? target : player;
        for (int i = 0; i < CODE_CHARA_STATUS_COUNT; ++i) {
            if (name.substr(dot + 1) == CodeCharaStatusInfo(i)->szName) {
                return c.status[static_cast<std::size_t>(i)];
            }
        }
        throw std::invalid_argument(name);
    }
};

using Values = std::map<std::string, std::int32_t>;

struct Case {
    const char* text;
    Values before;
    std::int32_t expected;
    Values after;
    bool error;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class CodeTableTest : public ::testing::TestWithParam<Case> {};

TEST_P(CodeTableTest, ValueVariablesAndError)
{
    const Case& c = GetParam();
    World world;
    for (const auto& [name, value] : c.before) {
        world.Slot(name) = value;
    }
    cCodeEvaluator evaluator(world.ctx, world.me);
    const std::int32_t value = evaluator.Evaluate(c.text);
    EXPECT_EQ(evaluator.Failed(), c.error);
    if (!c.error) {
        EXPECT_EQ(value, c.expected);
    }
    // Everything named before or after holds the after value, or else its value before.
    Values expect = c.before;
    for (const auto& [name, v] : c.after) {
        expect[name] = v;
    }
    for (const auto& [name, v] : expect) {
        EXPECT_EQ(world.Slot(name), v) << name;
    }
}

constexpr std::int32_t kMin32 = INT32_MIN;
constexpr std::int32_t kMax32 = INT32_MAX;

INSTANTIATE_TEST_SUITE_P(Operators, CodeTableTest,
                         ::testing::Values(Case{"", {}, 0, {}, false}, Case{"42", {}, 42, {}, false},
                                           Case{"1 2 3", {}, 3, {}, false},  // no operator: the last token's value
                                           Case{"-5", {}, -5, {}, false}, Case{"abc", {}, 0, {}, false},
                                           Case{"2+3", {}, 2, {}, false},  // one word: operators need blanks
                                           Case{"10 - 4 - 3", {}, 3, {}, false}, Case{"7 / 2", {}, 3, {}, false},
                                           Case{"-7 / 2", {}, -3, {}, false}, Case{"-7 % 2", {}, -1, {}, false},
                                           Case{"7 % -2", {}, 1, {}, false}, Case{"2 * 3 % 4", {}, 2, {}, false},
                                           Case{"2 + 3 * 4 - 10 / 5", {}, 12, {}, false},
                                           Case{"C3 = 2 + 3 * 4", {}, 14, {{"C3", 14}}, false},
                                           Case{"C3 = (2 + 3) * 4", {}, 20, {{"C3", 20}}, false},
                                           Case{"5 - (0 - 3)", {}, 8, {}, false},
                                           Case{"((1 + 2) * (3 + (4)))", {}, 21, {}, false},
                                           Case{"S7 = C1 * 2", {{"C1", 21}}, 42, {{"S7", 42}}, false},
                                           Case{"S254 = 1", {}, 1, {{"S254", 1}}, false},
                                           Case{"C0 = C255 + 1", {{"C255", 9}}, 10, {{"C0", 10}}, false}));

INSTANTIATE_TEST_SUITE_P(Overflow, CodeTableTest,
                         ::testing::Values(Case{"2147483647 + 1", {}, kMin32, {}, false},  // + - * wrap in 32 bits
                                           Case{"0 - 2147483647 - 2", {}, kMax32, {}, false},
                                           Case{"65536 * 65536", {}, 0, {}, false},
                                           Case{"65536 * 65537", {}, 65536, {}, false},
                                           Case{"-2147483648 / -1", {}, kMin32, {}, false},
                                           Case{"-2147483648 % -1", {}, 0, {}, false},
                                           Case{"99999999999", {}, kMax32, {}, false},  // numbers saturate
                                           Case{"-99999999999", {}, kMin32, {}, false},
                                           Case{"C1 = 2147483647 + 1", {}, -999999, {{"C1", -999999}}, false},
                                           Case{"C1 = 2000000", {}, 999999, {{"C1", 999999}}, false}));

INSTANTIATE_TEST_SUITE_P(
    Statuses, CodeTableTest,
    ::testing::Values(
        Case{"my.v1 = my.v1 + 1", {{"my.v1", 5}}, 6, {{"my.v1", 6}}, false},
        Case{"v1 = v1 + 1", {{"my.v1", 5}}, 6, {{"my.v1", 6}}, false},
        Case{"tg.v8 = v8", {{"my.v8", 3}, {"tg.v8", 1}}, 3, {{"tg.v8", 3}}, false},  // back to "my"
        Case{"pl.power = tg.def * 2", {{"tg.def", 7}}, 14, {{"pl.power", 14}}, false},
        Case{"my.hp = 99999", {}, 120, {{"my.hp", 120}}, false},  // up to the current maximum
        Case{"my.hp = -5", {}, 0, {{"my.hp", 0}}, false}, Case{"sp = 1000", {}, 40, {{"my.sp", 40}}, false},
        Case{"my.mhp = 50", {{"my.hp", 0}, {"my.mhp", 100}}, 50, {{"my.mhp", 50}, {"my.hp", 1}}, false},
        Case{"my.mhp = 30", {}, 30, {{"my.mhp", 30}, {"my.hp", 30}}, false},
        Case{"my.msp = 0", {}, 1, {{"my.msp", 1}, {"my.sp", 1}}, false},
        Case{"cid = 100", {}, 99, {{"my.cid", 99}}, false}, Case{"z = 9", {}, 7, {{"my.z", 7}}, false},
        Case{"mark = 500", {}, 119, {{"my.mark", 119}}, false}, Case{"sight = 50", {}, 40, {{"my.sight", 40}}, false},
        Case{"imp = -30", {}, -20, {{"my.imp", -20}}, false}, Case{"def = -1", {}, 0, {{"my.def", 0}}, false},
        Case{"impd = 21", {}, 20, {{"my.impd", 20}}, false}, Case{"stop = 201", {}, 200, {{"my.stop", 200}}, false},
        Case{"getsc = -1000000", {}, -999999, {{"my.getsc", -999999}}, false},
        Case{"sys.hp + 4", {{"my.hp", 9}}, 4, {}, false},  // no owner: reads 0
        Case{"time = 5000", {}, 999, {{"time", 999}}, false}, Case{"scrlx = -999", {}, -480, {{"scrlx", -480}}, false},
        Case{"score = score + 100", {{"score", 50}}, 150, {{"score", 150}}, false},
        Case{"tg.life = 150", {}, 99, {{"life", 99}}, false},            // the object is ignored
        Case{"life", {{"life", 999999}}, 0, {}, false},                  // unlimited reads 0 ...
        Case{"life = 5", {{"life", 999999}}, 999999, {}, false},         // ... and stays unlimited
        Case{"C1 = 1 + foo.v1", {{"my.v1", 4}}, 5, {{"C1", 5}}, false},  // unknown object after a token
        Case{"foo(3) + 1", {}, 1, {}, false}));                          // unknown call reads 0

INSTANTIATE_TEST_SUITE_P(
    Errors, CodeTableTest,
    ::testing::Values(Case{"C1 = 1 / 0", {{"C1", 4}}, 0, {}, true}, Case{"5 % 0", {}, 0, {}, true},
                      Case{"(1 + 2", {}, 0, {}, true}, Case{"foo.v1 = 3", {{"my.v1", 2}}, 0, {}, true},
                      Case{"my.foo.v1 = 3", {{"my.v1", 2}}, 0, {}, true}, Case{"rand(1)", {}, 0, {}, true},
                      Case{"rand(1,2,3)", {}, 0, {}, true},
                      Case{"C1 = C2 = 5", {{"C1", 1}, {"C2", 7}}, 0, {{"C1", 7}}, true},  // the first "=" stays made
                      Case{"my.hp = 30 = 5", {}, 0, {{"my.hp", 30}}, true}, Case{"5 = 3", {}, 0, {}, true},
                      Case{"sys.hp = 1", {{"my.hp", 9}}, 0, {}, true}, Case{"C256 = 1", {}, 0, {}, true},
                      Case{"S255 = 1", {}, 0, {}, true}, Case{"S-1", {}, 0, {}, true},
                      Case{"C99999999999", {}, 0, {}, true}, Case{"= 5", {}, 0, {}, true},
                      Case{"C1 = 5 +", {{"C1", 3}}, 0, {}, true}));

TEST(CodeEvaluatorTest, NestingIsBounded)
{
    World world;
    auto nested = [](int depth) { return "C1 = " + std::string(depth, '(') + "7" + std::string(depth, ')'); };
    EXPECT_EQ(RunCode(nested(40), world.me, world.ctx), 1);
    EXPECT_EQ(world.ctx.common[1], 7);
    EXPECT_EQ(RunCode(nested(100000), world.me, world.ctx), 0);
    EXPECT_TRUE(world.ctx.boxes.empty());
}

TEST(CodeEvaluatorTest, TargetlessLineEndsSilently)
{
    World world;
    world.ctx.lpTarget = nullptr;
    world.me.status[CODE_V1] = 2;
    EXPECT_EQ(RunCode("v1 = 9 tg.hp = 0", world.me, world.ctx), 0);
    EXPECT_EQ(world.me.status[CODE_V1], 2);  // tokenising fails before any reduction
    EXPECT_TRUE(world.ctx.boxes.empty());
}

TEST(CodeEvaluatorTest, ErrorsShowTheirTextsOncePerStage)
{
    World world;
    struct Shown {
        const char* text;
        std::string box;
    };
    const Shown shown[] = {
        {"1 / 0", Sjis("0除算が行われました！(1 / 0)")},
        {"C1 = (4 % 0)", Sjis("0除算が行われました！(4 % 0)")},
        {"(1 + 2", Sjis("\")\"が見つかりません！")},
        {"rand(1)", Sjis("関数 rand の引数が不正です！")},
        {"abc.v1", Sjis("オブジェクト \"abc.\" が認識できません！")},
    };
    for (const Shown& s : shown) {
        world.ctx.boxes.clear();
        EXPECT_EQ(RunCode(s.text, world.me, world.ctx), 0) << s.text;
        EXPECT_EQ(RunCode(s.text, world.me, world.ctx), 0) << s.text;
        ASSERT_EQ(world.ctx.boxes.size(), 1u) << s.text;  // the second run only logs
        EXPECT_EQ(world.ctx.boxes[0], s.box);
    }
    // Silent errors show nothing; a new stage shows each text again.
    world.ctx.boxes.clear();
    EXPECT_EQ(RunCode("C999 = 1", world.me, world.ctx), 0);
    EXPECT_TRUE(world.ctx.boxes.empty());
    world.ctx.reports.Reset();
    EXPECT_EQ(RunCode("1 / 0", world.me, world.ctx), 0);
    EXPECT_EQ(world.ctx.boxes.size(), 1u);
}

TEST(CodeEvaluatorTest, AssignmentsReachTheStage)
{
    World world;
    EXPECT_EQ(RunCode("tg.hp = 0", world.me, world.ctx), 1);
    EXPECT_EQ(world.ctx.nDeathChecks, 1);
    EXPECT_EQ(RunCode("my.hp = 0", world.me, world.ctx), 1);
    EXPECT_EQ(RunCode("tg.hp = 5", world.me, world.ctx), 1);
    EXPECT_EQ(world.ctx.nDeathChecks, 1);  // only another character losing its last HP

    EXPECT_EQ(RunCode("scrly = 3 scrlx = 4", world.me, world.ctx), 1);
    EXPECT_EQ(world.ctx.scrollAxes, (std::vector<int>{1, 0}));

    EXPECT_EQ(RunCode("my.sight = 4 pl.sight = 6", world.me, world.ctx), 1);
    EXPECT_EQ(world.me.nSightChanges, 0);  // computer-operated: only the value
    EXPECT_EQ(world.player.nSightChanges, 1);
    EXPECT_EQ(world.player.status[CODE_SIGHT], 6);
}

TEST(CodeEvaluatorTest, GaugesShowTheChangeOfASuccessfulLine)
{
    World world;
    EXPECT_EQ(RunCode("my.hp = my.hp - 10 my.sp = 40", world.me, world.ctx), 1);
    EXPECT_EQ(world.me.hpGauges, (std::vector<int>{-10}));
    EXPECT_EQ(world.me.spGauges, (std::vector<int>{20}));
    EXPECT_EQ(RunCode("my.hp = 40", world.me, world.ctx), 1);  // unchanged: no gauge
    EXPECT_EQ(world.me.hpGauges.size(), 1u);
    EXPECT_EQ(RunCode("my.hp = 1 = 2", world.me, world.ctx), 0);  // failed: no gauge
    EXPECT_EQ(world.me.status[CODE_HP], 1);
    EXPECT_EQ(world.me.hpGauges.size(), 1u);
}

// The game's generator as the C runtime defines it.
struct Lcg {
    std::uint32_t state;
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

TEST(CodeEvaluatorTest, RandDrawsBetweenItsArgumentsInEitherOrder)
{
    World world;
    const std::uint32_t seeds[] = {1, 77, 123456};
    for (std::uint32_t seed : seeds) {
        Lcg lcg{seed};
        SRand(seed);
        cCodeEvaluator evaluator(world.ctx, world.me);
        EXPECT_EQ(evaluator.Evaluate("C3 = rand(1,6) * 2"), (1 + lcg.Next() % 6) * 2);
        EXPECT_EQ(world.ctx.common[3], evaluator.Evaluate("C3"));
        EXPECT_EQ(evaluator.Evaluate("rand(6, 1)"), 1 + lcg.Next() % 6);
        EXPECT_EQ(evaluator.Evaluate("rand( 10 , rand(2 , 2) )"), [&] {
            const int inner = 2 + lcg.Next() % 1;
            return inner + lcg.Next() % (10 - inner + 1);
        }());
        // The widest span does not overflow.
        EXPECT_EQ(evaluator.Evaluate("rand(2147483647, -2147483648)"), kMin32 + lcg.Next());
        EXPECT_FALSE(evaluator.Failed());
    }
}

}  // namespace
