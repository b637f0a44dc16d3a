#include "ReportLogMatcher.h"

#include <cctype>

namespace integration {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHex(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The lengths of the line's prefixes that the placeholder can take, longest first.
std::vector<std::size_t> Takes(std::string_view token, std::string_view line)
{
    std::vector<std::size_t> lengths;
    std::size_t n = 0;
    if (token == "{any}") {
        for (std::size_t i = line.size() + 1; i-- > 0;) lengths.push_back(i);
        return lengths;
    }
    if (token == "{int}") {
        if (n < line.size() && line[n] == '-') ++n;
        const std::size_t start = n;
        while (n < line.size() && IsDigit(line[n])) ++n;
        if (n > start) lengths.push_back(n);
        return lengths;
    }
    if (token == "{hex}") {
        while (n < line.size() && IsHex(line[n])) ++n;
        if (n > 0) lengths.push_back(n);
        return lengths;
    }
    // {num}
    while (n < line.size() && line[n] == ' ') ++n;
    const std::size_t start = n;
    while (n < line.size() && IsDigit(line[n])) ++n;
    if (n == start) return lengths;
    if (n + 1 < line.size() && line[n] == '.' && IsDigit(line[n + 1])) {
        ++n;
        while (n < line.size() && IsDigit(line[n])) ++n;
    }
    lengths.push_back(n);
    return lengths;
}

// The placeholder at the start of the pattern, or "".
std::string_view PlaceholderAt(std::string_view pattern)
{
    for (std::string_view token : {"{int}", "{num}", "{hex}", "{any}"}) {
        if (pattern.substr(0, token.size()) == token) return token;
    }
    return {};
}

bool MatchFrom(std::size_t li, std::size_t ei, const std::vector<std::string>& lines,
               const std::vector<ExpectedLine>& expected, std::size_t& deepest, std::size_t& deepestExpected)
{
    if (li > deepest || (li == deepest && ei > deepestExpected)) {
        deepest = li;
        deepestExpected = ei;
    }
    if (ei == expected.size()) return li == lines.size();
    const ExpectedLine& e = expected[ei];
    const bool matches = li < lines.size() && MatchLine(lines[li], e.pattern);
    switch (e.repeat) {
    case ExpectedLine::One: return matches && MatchFrom(li + 1, ei + 1, lines, expected, deepest, deepestExpected);
    case ExpectedLine::Optional:
        return (matches && MatchFrom(li + 1, ei + 1, lines, expected, deepest, deepestExpected)) ||
               MatchFrom(li, ei + 1, lines, expected, deepest, deepestExpected);
    case ExpectedLine::Any:
        return (matches && MatchFrom(li + 1, ei, lines, expected, deepest, deepestExpected)) ||
               MatchFrom(li, ei + 1, lines, expected, deepest, deepestExpected);
    }
    return false;
}

}  // namespace

bool MatchLine(std::string_view line, std::string_view pattern)
{
    if (pattern.empty()) return line.empty();
    const std::string_view token = PlaceholderAt(pattern);
    if (token.empty()) {
        return !line.empty() && line.front() == pattern.front() && MatchLine(line.substr(1), pattern.substr(1));
    }
    for (std::size_t length : Takes(token, line)) {
        if (MatchLine(line.substr(length), pattern.substr(token.size()))) return true;
    }
    return false;
}

std::vector<std::string> SplitCrLfLines(const std::string& text, std::string* problem)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            if (problem) *problem = "text after the last line end: \"" + text.substr(start) + "\"";
            return lines;
        }
        if (lf == start || text[lf - 1] != '\r') {
            if (problem) *problem = "line " + std::to_string(lines.size() + 1) + " ends without CR";
            return lines;
        }
        lines.push_back(text.substr(start, lf - 1 - start));
        start = lf + 1;
    }
    return lines;
}

std::string CompareLines(const std::vector<std::string>& lines, const std::vector<ExpectedLine>& expected)
{
    std::size_t deepest = 0;
    std::size_t deepestExpected = 0;
    if (MatchFrom(0, 0, lines, expected, deepest, deepestExpected)) return "";
    std::string message = "the log parts from the expected lines at line " + std::to_string(deepest + 1) + ": got \"";
    message += deepest < lines.size() ? lines[deepest] : std::string("(end of the log)");
    message += "\", expected \"";
    message += deepestExpected < expected.size() ? expected[deepestExpected].pattern : std::string("(end of the log)");
    message += "\"\nwhole log:\n";
    for (const std::string& line : lines) message += "  " + line + "\n";
    return message;
}

}  // namespace integration
