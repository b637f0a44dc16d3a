#include "objects/code/cCodeEvaluator.h"

#include <algorithm>
#include <limits>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "objects/code/CodeStatus.h"
#include "platform/win/Random.h"

namespace {

// Nesting of parentheses and calls beyond this ends the evaluation: a stage text must not be
// able to exhaust the stack.
constexpr int kMaxNesting = 64;

constexpr const char* kOperatorTexts[CODEOP_COUNT] = {"=", "+", "-", "*", "/", "%"};
constexpr int kOperatorLevel[CODEOP_COUNT] = {2, 1, 1, 0, 0, 0};
constexpr int kLevelCount = 3;

// The object prefixes: the running character, its target, the player, none.
enum { OBJECT_MY = 0, OBJECT_TG, OBJECT_PL, OBJECT_SYS, OBJECT_COUNT };
constexpr const char* kObjectNames[OBJECT_COUNT] = {"my", "tg", "pl", "sys"};

constexpr const char* kFunctionRand = "rand";

int FindOperator(const std::string& word)
{
    for (int i = 0; i < CODEOP_COUNT; ++i) {
        if (word == kOperatorTexts[i]) {
            return i;
        }
    }
    return -1;
}

int FindObject(const std::string& word)
{
    for (int i = 0; i < OBJECT_COUNT; ++i) {
        if (word == kObjectNames[i]) {
            return i;
        }
    }
    return -1;
}

int FindCharaStatus(const std::string& word)
{
    for (int i = 0; i < CODE_CHARA_STATUS_COUNT; ++i) {
        if (word == CodeCharaStatusInfo(i)->szName) {
            return i;
        }
    }
    return -1;
}

int FindSysStatus(const std::string& word)
{
    for (int i = 0; i < CODE_SYS_STATUS_COUNT; ++i) {
        if (word == CodeSysStatusInfo(i)->szName) {
            return i;
        }
    }
    return -1;
}

// The number at the start of text as atoi reads it (blanks, a sign, digits), saturated at the
// int32 limits instead of overflowing.
std::int32_t ParseNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The value clamped as an assignment does: below min gives min, above max gives max.
std::int32_t ClampInto(std::int32_t value, std::int32_t min, std::int32_t max)
{
    if (value < min) {
        return min;
    }
    return value > max ? max : value;
}

// Two's complement wrap of a 64-bit result into 32 bits.
std::int32_t Wrap32(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

std::string Format(const char* szUtf8Format, const std::string& argument)
{
    std::string text;
    FormatString(text, Sjis(szUtf8Format).c_str(), argument.c_str());
    return text;
}

}  // namespace

std::int32_t cCodeEvaluator::Evaluate(const std::string& text)
{
    m_strText = text;
    m_bError = false;
    m_nDepth = 0;
    std::int32_t value = EvalParentheses(text);
    return m_bError ? 0 : value;
}

std::int32_t cCodeEvaluator::EvalParentheses(const std::string& text)
{
    if (m_nDepth >= kMaxNesting) {
        Fail("parentheses nested too deeply", false);
        return 0;
    }
    ++m_nDepth;
    std::int32_t value = EvalParenthesesAt(text);
    --m_nDepth;
    return value;
}

std::int32_t cCodeEvaluator::EvalParenthesesAt(const std::string& text)
{
    std::string s = text;
    std::size_t p = 0;  // scan position
    std::size_t w = 0;  // start of the current word: after the last blank
    while (!m_bError) {
        if (p >= s.size()) {
            return EvalExpression(s);
        }
        if (s[p] == ' ') {
            w = ++p;
            continue;
        }
        if (s[p] != '(') {
            ++p;
            continue;
        }
        std::size_t q = MatchingParenthesis(s, p);
        if (q == std::string::npos) {
            Fail(Sjis("\")\"が見つかりません！"), true);
            return 0;
        }
        if (p == w) {
            // A parenthesis that opens a word: its value is pasted back in its place.
            std::int32_t inner = EvalParentheses(s.substr(p + 1, q - p - 1));
            if (m_bError) {
                return 0;
            }
            s = s.substr(0, w) + std::to_string(inner) + s.substr(q + 1);
            p = w;
            continue;
        }
        if (s.compare(w, p - w, kFunctionRand) != 0) {
            ++p;  // an unknown function: its name and arguments stay and later read as 0
            continue;
        }
        if (!CallRand(s, w, p)) {
            return 0;
        }
        p = w;
    }
    return 0;
}

std::size_t cCodeEvaluator::MatchingParenthesis(const std::string& s, std::size_t p)
{
    int depth = 0;
    for (std::size_t i = p + 1; i < s.size(); ++i) {
        if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')') {
            if (depth == 0) {
                return i;
            }
            --depth;
        }
    }
    return std::string::npos;
}

bool cCodeEvaluator::CallRand(std::string& s, std::size_t w, std::size_t p)
{
    const std::string name = s.substr(w, p - w);
    std::vector<std::int32_t> args;
    std::string arg;
    int depth = 0;
    std::size_t end = std::string::npos;
    for (std::size_t i = p + 1; i < s.size() && end == std::string::npos; ++i) {
        const char c = s[i];
        if (depth == 0 && (c == ',' || c == ')')) {
            if (!arg.empty()) {
                std::int32_t value = EvalParentheses(arg);
                if (m_bError) {
                    return false;
                }
                args.push_back(value);
            }
            arg.clear();
            end = c == ')' ? i : end;
            continue;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        arg += c;
    }
    if (end == std::string::npos) {
        Fail(Format("関数 %s で\")\"が見つかりません！", name), true);
        return false;
    }
    if (args.size() != 2) {
        Fail(Format("関数 %s の引数が不正です！", name), true);
        return false;
    }
    // A span of up to 2^32 values: computed in 64 bits.
    const std::int64_t lo = std::min(args[0], args[1]);
    const std::int64_t hi = std::max(args[0], args[1]);
    const std::int64_t value = lo + Rand() % (hi - lo + 1);
    s = s.substr(0, w) + std::to_string(value) + s.substr(end + 1);
    return true;
}

std::int32_t cCodeEvaluator::EvalExpression(const std::string& text)
{
    std::vector<CODETOKEN> tokens;
    std::int32_t result = 0;
    if (!Tokenise(text, tokens) || !Reduce(text, tokens, result)) {
        return 0;
    }
    return result;
}

bool cCodeEvaluator::Tokenise(const std::string& s, std::vector<CODETOKEN>& tokens)
{
    int object = OBJECT_MY;
    bool tokenSinceObject = false;  // a token completed since the start or the last object name
    std::string word;
    auto finishWord = [&]() {
        if (word.empty()) {
            return true;
        }
        CODETOKEN token;
        if (!MakeToken(word, object, token)) {
            return false;
        }
        tokens.push_back(token);
        object = OBJECT_MY;
        tokenSinceObject = true;
        word.clear();
        return true;
    };
    for (char c : s) {
        if (c == ' ') {
            if (!finishWord()) {
                return false;
            }
        } else if (c == '.') {
            const int found = FindObject(word);
            if (found >= 0) {
                object = found;
                tokenSinceObject = false;
            } else if (!tokenSinceObject) {
                Fail(Format("オブジェクト \"%s.\" が認識できません！", word), true);
                return false;
            }
            word.clear();  // an unknown name after a token is dropped; the object stays
        } else {
            word += c;
        }
    }
    return finishWord();
}

bool cCodeEvaluator::MakeToken(const std::string& word, int nObject, CODETOKEN& token)
{
    const int op = FindOperator(word);
    if (op >= 0) {
        token = CODETOKEN(0, CODETOKEN_OPERATOR);
        token.nOperator = op;
        return true;
    }
    ICodeChara* owner = nullptr;
    if (nObject == OBJECT_MY) {
        owner = &m_ch;
    } else if (nObject != OBJECT_SYS) {
        owner = nObject == OBJECT_TG ? m_ctx.Target(m_ch) : m_ctx.Player();
        if (owner == nullptr) {
            Fail(nObject == OBJECT_TG ? "no target" : "no player", false);
            return false;
        }
    }
    if (word[0] == 'C' || word[0] == 'S') {
        return MakeVariable(word, token);
    }
    if (const int status = FindCharaStatus(word); status >= 0) {
        MakeCharaStatus(status, owner, token);
        return true;
    }
    if (const int status = FindSysStatus(word); status >= 0) {
        MakeSysStatus(status, token);
        return true;
    }
    token = CODETOKEN(ParseNumber(word), CODETOKEN_CONSTANT);
    return true;
}

bool cCodeEvaluator::MakeVariable(const std::string& word, CODETOKEN& token)
{
    const int kind = word[0] == 'C' ? CODEVAR_COMMON : CODEVAR_STAGE;
    const std::int32_t n = ParseNumber(word.substr(1));
    if (n < 0 || n >= m_ctx.VariableCount(kind)) {
        Fail("variable number out of range: " + word, false);
        return false;
    }
    token = CODETOKEN(m_ctx.GetVariable(kind, n), CODETOKEN_VARIABLE);
    token.nVarKind = kind;
    token.nVarIndex = n;
    return true;
}

void cCodeEvaluator::MakeCharaStatus(int nStatus, ICodeChara* owner, CODETOKEN& token)
{
    const CODESTATUSINFO& info = *CodeCharaStatusInfo(nStatus);
    token = CODETOKEN(owner != nullptr ? owner->GetCodeStatus(nStatus) : 0, CODETOKEN_CHARA_STATUS);
    token.nCharaStatus = nStatus;
    token.nWidth = info.nWidth;
    token.nMin = info.nMin;
    token.nMax = info.nMax;
    token.lpOwner = owner;
    if (owner != nullptr && nStatus == CODE_HP) {
        token.nMax = owner->GetCodeStatus(CODE_MHP);
    } else if (owner != nullptr && nStatus == CODE_SP) {
        token.nMax = owner->GetCodeStatus(CODE_MSP);
    }
}

void cCodeEvaluator::MakeSysStatus(int nStatus, CODETOKEN& token)
{
    const CODESTATUSINFO& info = *CodeSysStatusInfo(nStatus);
    token = CODETOKEN(m_ctx.GetSystemStatus(nStatus), CODETOKEN_SYS_STATUS);
    token.nSysStatus = nStatus;
    token.nWidth = info.nWidth;
    token.nMin = info.nMin;
    token.nMax = info.nMax;
    if (nStatus == CODE_LIFE && token.nValue == kCodeUnlimitedLives) {
        // Unlimited lives read 0, and an assignment keeps them unlimited.
        token.nValue = 0;
        token.nMin = token.nMax = kCodeUnlimitedLives;
    }
}

bool cCodeEvaluator::Reduce(const std::string& s, std::vector<CODETOKEN>& tokens, std::int32_t& result)
{
    bool reduced = false;
    for (int level = 0; level < kLevelCount; ++level) {
        for (;;) {
            auto it = std::find_if(tokens.begin(), tokens.end(), [level](const CODETOKEN& t) {
                return t.nKind == CODETOKEN_OPERATOR && kOperatorLevel[t.nOperator] == level;
            });
            if (it == tokens.end()) {
                break;
            }
            const std::size_t i = static_cast<std::size_t>(it - tokens.begin());
            if (i == 0 || i + 1 >= tokens.size()) {
                Fail(std::string("operator without operand: ") + kOperatorTexts[it->nOperator], false);
                return false;
            }
            std::int32_t h = 0;
            if (!Operate(s, tokens[i - 1], tokens[i].nOperator, tokens[i + 1], h)) {
                return false;
            }
            tokens[i - 1] = CODETOKEN(h, CODETOKEN_CONSTANT);
            tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i),
                         tokens.begin() + static_cast<std::ptrdiff_t>(i + 2));
            result = h;
            reduced = true;
        }
    }
    if (!reduced) {
        result = tokens.empty() ? 0 : tokens.back().nValue;
    }
    return true;
}

bool cCodeEvaluator::Operate(const std::string& s, const CODETOKEN& left, int nOperator, const CODETOKEN& right,
                             std::int32_t& result)
{
    const auto l = static_cast<std::uint32_t>(left.nValue);
    const auto r = static_cast<std::uint32_t>(right.nValue);
    switch (nOperator) {
    case CODEOP_ASSIGN: return Assign(left, right.nValue, result);
    case CODEOP_ADD: result = static_cast<std::int32_t>(l + r); return true;
    case CODEOP_SUB: result = static_cast<std::int32_t>(l - r); return true;
    case CODEOP_MUL: result = static_cast<std::int32_t>(l * r); return true;
    case CODEOP_DIV:
    case CODEOP_MOD:
        if (right.nValue == 0) {
            Fail(Format("0除算が行われました！(%s)", s), true);
            return false;
        }
        // In 64 bits: the one quotient that leaves 32 bits (the lowest value by -1) wraps.
        result = nOperator == CODEOP_DIV ? Wrap32(std::int64_t{left.nValue} / right.nValue)
                                         : Wrap32(std::int64_t{left.nValue} % right.nValue);
        return true;
    default: Fail(Sjis("演算子のエラー（未定義？）"), false); return false;
    }
}

bool cCodeEvaluator::Assign(const CODETOKEN& left, std::int32_t value, std::int32_t& result)
{
    if (!left.HasStorage()) {
        Fail("assignment to a value without storage", false);
        return false;
    }
    const std::int32_t h = ClampInto(value, left.nMin, left.nMax);
    switch (left.nKind) {
    case CODETOKEN_VARIABLE: m_ctx.SetVariable(left.nVarKind, left.nVarIndex, h); break;
    case CODETOKEN_CHARA_STATUS: AssignCharaStatus(*left.lpOwner, left.nCharaStatus, h); break;
    default:
        m_ctx.SetSystemStatus(left.nSysStatus, h);
        if (left.nSysStatus == CODE_SCRLX || left.nSysStatus == CODE_SCRLY) {
            m_ctx.OnAutoScrollChanged(left.nSysStatus == CODE_SCRLX ? 0 : 1);
        }
        break;
    }
    result = h;
    return true;
}

void cCodeEvaluator::AssignCharaStatus(ICodeChara& owner, int nStatus, std::int32_t value)
{
    owner.SetCodeStatus(nStatus, value);
    switch (nStatus) {
    case CODE_HP:
        if (&owner != &m_ch && owner.GetCodeStatus(CODE_HP) < 1) {
            m_ctx.RequestDeathCheck();
        }
        break;
    case CODE_MHP:
    case CODE_MSP: {
        // The current value is brought into [1, the new maximum]: a maximum set on a character
        // with 0 HP gives it 1.
        const int current = nStatus == CODE_MHP ? CODE_HP : CODE_SP;
        const std::int32_t before = owner.GetCodeStatus(current);
        const std::int32_t after = std::clamp<std::int32_t>(before, 1, std::max<std::int32_t>(value, 1));
        if (after != before) {
            owner.SetCodeStatus(current, after);
        }
        break;
    }
    case CODE_SIGHT:
        if (owner.IsPlayerOperated()) {
            owner.OnSightChanged();
        }
        break;
    default: break;
    }
}

void cCodeEvaluator::Fail(const std::string& message, bool bShow)
{
    m_bError = true;
    if (m_ctx.CodeErrorReports().NoteFirst(m_strText)) {
        ReportLog("Code error : %s : %s", message.c_str(), m_strText.c_str());
        if (bShow) {
            m_ctx.ShowCodeError(message);
        }
    } else {
        ECLogF("Code error : %s : %s", message.c_str(), m_strText.c_str());
    }
}

int RunCode(const std::string& text, ICodeChara& ch, ICodeContext& ctx)
{
    const std::int64_t hp = ch.GetCodeStatus(CODE_HP);
    const std::int64_t sp = ch.GetCodeStatus(CODE_SP);
    cCodeEvaluator evaluator(ctx, ch);
    evaluator.Evaluate(text);
    if (evaluator.Failed()) {
        return 0;
    }
    auto delta = [](std::int64_t after, std::int64_t before) {
        return static_cast<int>(
            std::clamp<std::int64_t>(after - before, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    };
    if (const std::int64_t now = ch.GetCodeStatus(CODE_HP); now != hp) {
        ch.StartHpGauge(delta(now, hp));
    }
    if (const std::int64_t now = ch.GetCodeStatus(CODE_SP); now != sp) {
        ch.StartSpGauge(delta(now, sp));
    }
    return 1;
}
