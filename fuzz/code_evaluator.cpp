// fuzz-links: qb_objects
// Fuzz target: any line of the "run code" language is evaluated or refused without a read or
// write outside its text, without undefined arithmetic (the sanitizers watch) and without
// exhausting the stack; whatever it assigns stays within the ranges of the variables and
// statuses. The first input byte chooses whether the running character has a target; the rest
// is the line.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "objects/code/CodeStatus.h"
#include "objects/code/cCodeEvaluator.h"

namespace {

class Chara : public ICodeChara {
public:
    std::array<std::int32_t, CODE_CHARA_STATUS_COUNT> status{};
    Chara()
    {
        status[CODE_HP] = 50;
        status[CODE_MHP] = 100;
        status[CODE_SP] = 5;
        status[CODE_MSP] = 10;
    }
    std::int32_t GetCodeStatus(int n) const override { return status.at(static_cast<std::size_t>(n)); }
    void SetCodeStatus(int n, std::int32_t v) override { status.at(static_cast<std::size_t>(n)) = v; }
    bool IsPlayerOperated() const override { return true; }
    void StartHpGauge(int) override {}
    void StartSpGauge(int) override {}
    void OnSightChanged() override {}
};

class Context : public ICodeContext {
public:
    std::vector<std::int32_t> vars[2] = {std::vector<std::int32_t>(256), std::vector<std::int32_t>(255)};
    std::array<std::int32_t, CODE_SYS_STATUS_COUNT> sys{100, 0, 0, 0, 999999};
    Chara* lpTarget = nullptr;
    Chara player;
    cCodeErrorReports reports;

    int VariableCount(int kind) const override { return static_cast<int>(vars[kind & 1].size()); }
    std::int32_t GetVariable(int kind, int n) const override { return vars[kind & 1].at(static_cast<std::size_t>(n)); }
    void SetVariable(int kind, int n, std::int32_t v) override { vars[kind & 1].at(static_cast<std::size_t>(n)) = v; }
    ICodeChara* Target(ICodeChara&) override { return lpTarget; }
    ICodeChara* Player() override { return &player; }
    std::int32_t GetSystemStatus(int n) const override { return sys.at(static_cast<std::size_t>(n)); }
    void SetSystemStatus(int n, std::int32_t v) override { sys.at(static_cast<std::size_t>(n)) = v; }
    void OnAutoScrollChanged(int) override {}
    void RequestDeathCheck() override {}
    void ShowCodeError(const std::string&) override {}
    cCodeErrorReports& CodeErrorReports() override { return reports; }
};

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// Statuses other than HP and SP (whose range follows a maximum that may change in the same
// line) stay in their ranges.
void CheckChara(const Chara& c)
{
    for (int i = 0; i < CODE_CHARA_STATUS_COUNT; ++i) {
        if (i != CODE_HP && i != CODE_SP) {
            const CODESTATUSINFO& info = *CodeCharaStatusInfo(i);
            Check(c.status[static_cast<std::size_t>(i)] >= info.nMin &&
                  c.status[static_cast<std::size_t>(i)] <= info.nMax);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    Context ctx;
    Chara me;
    Chara target;
    ctx.lpTarget = (data[0] & 1) ? &target : nullptr;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    RunCode(text, me, ctx);
    for (const auto& list : ctx.vars) {
        for (std::int32_t v : list) {
            Check(v >= -999999 && v <= 999999);
        }
    }
    for (int i = 0; i < CODE_LIFE; ++i) {
        const CODESTATUSINFO& info = *CodeSysStatusInfo(i);
        Check(ctx.sys[static_cast<std::size_t>(i)] >= info.nMin && ctx.sys[static_cast<std::size_t>(i)] <= info.nMax);
    }
    Check(ctx.sys[CODE_LIFE] == 999999);
    CheckChara(me);
    CheckChara(target);
    CheckChara(ctx.player);
    return 0;
}
