// ICodeContext: what the expression evaluator needs of the running stage: the common and stage
// variables, the target of a character, the player, the system statuses and the stage's
// reactions to a few assignments. The stage play implements it; tests give a fake. Game thread
// only.
#pragma once

#include <cstdint>
#include <string>

#include "objects/code/ICodeChara.h"
#include "objects/code/cCodeErrorReports.h"

// The variable prefixes of the language.
enum CODEVARKIND {
    CODEVAR_COMMON = 0,  // "C": the common variables of the save data
    CODEVAR_STAGE = 1,   // "S": the stage variables of the stage-play screen
};

class ICodeContext {
public:
    virtual ~ICodeContext() = default;

    // Number of variables of a kind (CODEVARKIND); numbers 0 .. count - 1 exist.
    virtual int VariableCount(int nKind) const = 0;
    // Variable n of a kind, 0 <= n < VariableCount(nKind).
    virtual std::int32_t GetVariable(int nKind, int n) const = 0;
    virtual void SetVariable(int nKind, int n, std::int32_t value) = 0;

    // The target of ch, or nullptr when it has none.
    virtual ICodeChara* Target(ICodeChara& ch) = 0;
    // The player (the hero, player object 0); nullptr when there is none.
    virtual ICodeChara* Player() = 0;

    // The stored value of system status nStatus (CODESYSSTATUS); lives read 999999 while
    // unlimited.
    virtual std::int32_t GetSystemStatus(int nStatus) const = 0;
    // Stores value (already clamped) into system status nStatus.
    virtual void SetSystemStatus(int nStatus, std::int32_t value) = 0;
    // "scrlx" (nAxis 0) or "scrly" (nAxis 1) was assigned: the camera's auto-scroll of that axis
    // is set again from the stage's on/off setting and the new speed.
    virtual void OnAutoScrollChanged(int nAxis) = 0;
    // A character other than the one running the code may have lost its last HP: the stage
    // checks for deaths in its next step.
    virtual void RequestDeathCheck() = 0;

    // Shows an error text (Shift-JIS) in the error box (caption "エラー").
    virtual void ShowCodeError(const std::string& text) = 0;
    // The texts already reported during this stage.
    virtual cCodeErrorReports& CodeErrorReports() = 0;
};
