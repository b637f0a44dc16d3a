// Line-by-line comparison of the report log with the expected one. The log is Shift-JIS text with
// CR LF line ends; the expected lines are Shift-JIS patterns in which the machine-dependent parts
// are placeholders:
//   {int}  an optional minus sign and one or more digits
//   {num}  optional blanks, digits, optionally a '.' and more digits
//   {hex}  one or more hexadecimal digits
//   {any}  any text, also none
// Everything else is compared byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace integration {

struct ExpectedLine {
    enum Repeat { One, Optional, Any };  // exactly once, at most once, any number of times
    std::string pattern;
    Repeat repeat = One;
};

// True when the whole line matches the pattern.
bool MatchLine(std::string_view line, std::string_view pattern);

// Splits the log into lines at CR LF. A line end without its CR, or text after the last CR LF,
// is reported in *problem (and the lines found so far are returned).
std::vector<std::string> SplitCrLfLines(const std::string& text, std::string* problem);

// "" when the lines match the expected ones in order, else a description of the first place
// where they part, with both sides.
std::string CompareLines(const std::vector<std::string>& lines, const std::vector<ExpectedLine>& expected);

}  // namespace integration
