// The expression language's view of the running stage: cCharaCodeView shows a character (a stage
// character or the player) as the evaluator reads and writes its statuses, and cStageCodeContext
// the variables, system statuses, targets and reactions of the running stage. Both are made for
// one run of a code line. Game thread only.
#pragma once

#include "objects/code/ICodeChara.h"
#include "objects/code/ICodeContext.h"

class cCharaBase;

class cCharaCodeView : public ICodeChara {
public:
    cCharaCodeView() = default;
    explicit cCharaCodeView(cCharaBase& chara) : m_pChara(&chara) {}

    cCharaBase& Chara() const { return *m_pChara; }
    void Bind(cCharaBase& chara) { m_pChara = &chara; }

    std::int32_t GetCodeStatus(int nStatus) const override;
    void SetCodeStatus(int nStatus, std::int32_t value) override;
    bool IsPlayerOperated() const override;
    void StartHpGauge(int delta) override;
    void StartSpGauge(int delta) override;
    void OnSightChanged() override;

private:
    cCharaBase* m_pChara = nullptr;  // bound before any status is read
};

class cStageCodeContext : public ICodeContext {
public:
    // running: the view of the character running the code, given back for "tg" and "pl" when
    // they name that same character.
    explicit cStageCodeContext(cCharaCodeView* running = nullptr) : m_pRunning(running) {}

    int VariableCount(int nKind) const override;
    std::int32_t GetVariable(int nKind, int n) const override;
    void SetVariable(int nKind, int n, std::int32_t value) override;
    // ch must be a cCharaCodeView.
    ICodeChara* Target(ICodeChara& ch) override;
    ICodeChara* Player() override;
    std::int32_t GetSystemStatus(int nStatus) const override;
    void SetSystemStatus(int nStatus, std::int32_t value) override;
    void OnAutoScrollChanged(int nAxis) override;
    void RequestDeathCheck() override;
    void ShowCodeError(const std::string& text) override;
    // The running stage's reports (a stage-less context keeps its own).
    cCodeErrorReports& CodeErrorReports() override;

private:
    cCharaCodeView* m_pRunning;
    cCharaCodeView m_Target;
    cCharaCodeView m_Player;
    cCodeErrorReports m_OwnReports;
};
