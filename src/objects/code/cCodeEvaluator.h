// The "run code" command's expression language: a line such as "my.hp = my.hp + 10" or
// "C3 = rand(1,6) * 2", evaluated at once for the character running the command.
//
// Words are separated by blanks; "my." (default), "tg." (the target), "pl." (the player) and
// "sys." choose whose status a word names; "C<n>" and "S<n>" are the common and stage variables;
// the operators are "*", "/", "%" (reduced first), "+", "-", then "="; parentheses group, and
// rand(a,b) draws from the game's generator. "+", "-" and "*" wrap around in 32 bits; "=" clamps
// into the range of what it assigns to.
//
// Errors end the evaluation and make RunCode fail; assignments made before stay made. The first
// failure of a text in a stage is shown (for the errors that have a message) and written to the
// report log; repeats go to the trace log only. Game thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/code/CODETOKEN.h"
#include "objects/code/ICodeChara.h"
#include "objects/code/ICodeContext.h"

class cCodeEvaluator {
public:
    // Evaluates for ch in ctx; both outlive the evaluator.
    cCodeEvaluator(ICodeContext& ctx, ICodeChara& ch) : m_ctx(ctx), m_ch(ch) {}

    // Evaluates a whole line: parentheses and calls first, then the flat expression. The value;
    // 0 after an error (see Failed).
    std::int32_t Evaluate(const std::string& text);
    // True once an error ended the evaluation.
    bool Failed() const { return m_bError; }

    // A text that may hold parentheses and calls; recursive.
    std::int32_t EvalParentheses(const std::string& text);
    // A text without parentheses: tokenised, then reduced level by level.
    std::int32_t EvalExpression(const std::string& text);

private:
    std::int32_t EvalParenthesesAt(const std::string& text);
    // Position of the parenthesis that closes the one at p; npos when the text ends first.
    static std::size_t MatchingParenthesis(const std::string& s, std::size_t p);
    // The call of "rand" whose name runs from w to the parenthesis at p: its arguments are
    // evaluated and the call is replaced in s by its value. False after an error.
    bool CallRand(std::string& s, std::size_t w, std::size_t p);
    bool Tokenise(const std::string& s, std::vector<CODETOKEN>& tokens);
    bool MakeToken(const std::string& word, int nObject, CODETOKEN& token);
    bool MakeVariable(const std::string& word, CODETOKEN& token);
    void MakeCharaStatus(int nStatus, ICodeChara* owner, CODETOKEN& token);
    void MakeSysStatus(int nStatus, CODETOKEN& token);
    // Reduces the operators level by level; result is the last value computed (or the last
    // token's, when there was no operator). False after an error.
    bool Reduce(const std::string& s, std::vector<CODETOKEN>& tokens, std::int32_t& result);
    bool Operate(const std::string& s, const CODETOKEN& left, int nOperator, const CODETOKEN& right,
                 std::int32_t& result);
    bool Assign(const CODETOKEN& left, std::int32_t value, std::int32_t& result);
    void AssignCharaStatus(ICodeChara& owner, int nStatus, std::int32_t value);

    // Sets the error flag and reports the failure: the first failure of this line in the stage
    // is written to the report log and, when bShow, message (Shift-JIS) is shown in the error box;
    // later failures go to the trace log only.
    void Fail(const std::string& message, bool bShow);

    ICodeContext& m_ctx;
    ICodeChara& m_ch;
    std::string m_strText;  // the line as given to Evaluate: the key of its reports
    bool m_bError = false;
    int m_nDepth = 0;  // nesting of EvalParentheses
};

// Evaluates text for ch: 1 when it was evaluated, 0 after an error. When ch's HP or SP changed,
// its gauge starts with the difference.
int RunCode(const std::string& text, ICodeChara& ch, ICodeContext& ctx);
