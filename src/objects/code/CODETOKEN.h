// CODETOKEN: one token of a flat expression of the "run code" language: a constant, a variable,
// a character status, a system status or an operator. Tokens are values; a variable or status
// token names its storage, which an assignment writes through the evaluator's context.
#pragma once

#include <cstdint>

class ICodeChara;

// Token kinds.
enum CODETOKENKIND {
    CODETOKEN_CONSTANT = 0,
    CODETOKEN_VARIABLE = 1,
    CODETOKEN_CHARA_STATUS = 2,
    CODETOKEN_SYS_STATUS = 3,
    CODETOKEN_OPERATOR = 4,
};

// Operators, by index; the precedence level of each (reduced 0 first) is kOperatorLevel.
enum CODEOPERATOR {
    CODEOP_ASSIGN = 0,  // "=", level 2
    CODEOP_ADD,         // "+", level 1
    CODEOP_SUB,         // "-", level 1
    CODEOP_MUL,         // "*", level 0
    CODEOP_DIV,         // "/", level 0
    CODEOP_MOD,         // "%", level 0
    CODEOP_COUNT
};

struct CODETOKEN {
    std::int32_t nKind = CODETOKEN_CONSTANT;  // CODETOKENKIND
    std::int32_t nValue = 0;                  // the value read when the token was made
    // Storage: for a variable its kind (CODEVARKIND) in nVarKind and number in nVarIndex; for a
    // status the index fields below and, for a character status, the owner. A constant or
    // operator has none, and so has a character status without owner (object "sys").
    std::int32_t nVarKind = -1;
    std::int32_t nVarIndex = -1;
    std::int32_t nWidth = 4;      // storage width: 0 8-bit, 2 16-bit, 4 32-bit
    std::int32_t nOperator = -1;  // CODEOPERATOR, operators only
    std::int32_t nMin = -999999;  // assignment range
    std::int32_t nMax = 999999;
    std::int32_t nCharaStatus = -1;  // CODECHARASTATUS
    std::int32_t nSysStatus = -1;    // CODESYSSTATUS
    ICodeChara* lpOwner = nullptr;   // the character of a character status

    CODETOKEN() = default;
    // A token of the kind with the value; a constant has width 4, range -999999..999999 and no
    // owner.
    CODETOKEN(std::int32_t value, CODETOKENKIND kind) : nKind(kind), nValue(value) {}

    // True when an assignment can write through the token.
    bool HasStorage() const
    {
        switch (nKind) {
        case CODETOKEN_VARIABLE:
        case CODETOKEN_SYS_STATUS: return true;
        case CODETOKEN_CHARA_STATUS: return lpOwner != nullptr;
        default: return false;
        }
    }
};
