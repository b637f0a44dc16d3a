// Small helpers on the system's texts: standard strings of Shift-JIS bytes.
//
// Formatting is bounded: a formatted text is cut at the size of the working buffer instead of
// overrunning it. Nothing here keeps state, so every helper may be called from any thread.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

// Size of the working buffer of the formatting helpers: texts of at most 5119 bytes.
constexpr std::size_t kFormatBufferSize = 5120;

// printf-style formatting into out, cut at 5119 bytes (at a character boundary). The message builder of the checked
// containers and of most message texts; callable from any thread.
void FormatString(std::string& out, const char* szFormat, ...) __attribute__((format(printf, 2, 3)));

// vsnprintf into a std::string of at most nLimit - 1 bytes (nLimit >= 1): the bounded core of the
// formatting helpers and of the logs' line builders. A longer text is cut without splitting a
// double-byte character, so a cut text never ends in a lone lead byte.
std::string FormatBounded(std::size_t nLimit, const char* szFormat, va_list args) __attribute__((format(printf, 2, 0)));

// Cuts a Shift-JIS text to at most maxBytes without splitting a double-byte character.
void CutAtCharBoundary(std::string& text, std::size_t maxBytes);

// Number of decimal digits of the value's magnitude, 1 to 10 (0 has one; the sign is not counted).
int CountDigits(int nValue);

// Decimal text of nValue with at least nWidth digits (0 or a smaller width: the number's own
// digits; widths above 10 add leading zeros; at most 5118 digits). bKeepZeros 0 turns leading
// zeros into blanks (the last digit always stays); a negative value gets "-" in front of the
// blanks; bPlusSign puts "+" in front of values >= 0. Used by the screens' number displays.
void IntToStr(std::string& out, int nValue, int nWidth, int bKeepZeros, int bPlusSign);

// Cuts the string at its first NUL byte and returns the new length. Called after code wrote into
// the string's buffer as a NUL-terminated text.
int ResyncStr(std::string& str);

// The part of source (first cut at its first NUL) that starts at byte nStart and is nLength bytes
// long, clamped: a negative nStart shortens nLength by as much and starts at 0; a start beyond
// the end or a length of 0 gives ""; a negative length, or one that runs past the end, takes the
// rest of the source. Used by the expression evaluator on stage texts.
std::string MidStr(const std::string& source, int nStart, int nLength);

// 1 when p[0] is a Shift-JIS lead byte and p[1] a trail byte, else 0. p points into a
// NUL-terminated text; p[1] is read only when p[0] is a lead byte.
int IsDBCSChar(const char* p);

// Number of characters of a NUL-terminated Shift-JIS text: a double-byte character counts one,
// a line feed none. Used to lay out menus, results and message windows.
int CountChars(const char* szText);

// The Shift-JIS bytes of a UTF-8 text. The system's fixed Japanese texts are written in the
// source as UTF-8 and converted with this, once, into function-local statics:
//     static const std::string kCaption = Sjis("エラー");
std::string Sjis(std::string_view utf8);
