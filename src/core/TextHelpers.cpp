#include "core/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win/CodePage.h"

std::string FormatBounded(std::size_t nLimit, const char* szFormat, va_list args)
{
    if (nLimit == 0) {
        return {};
    }
    // One byte more than kept, so that a cut can tell a lead byte whose trail byte it loses.
    std::vector<char> buffer(nLimit + 1);
    int n = std::vsnprintf(buffer.data(), buffer.size(), szFormat, args);
    if (n < 0) {
        return {};
    }
    std::string text(buffer.data(), std::min(static_cast<std::size_t>(n), nLimit));
    CutAtCharBoundary(text, nLimit - 1);
    return text;
}

void CutAtCharBoundary(std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return;
    }
    std::size_t end = 0;
    while (end < maxBytes) {
        const std::size_t step = IsDBCSChar(text.c_str() + end) ? 2 : 1;
        if (end + step > maxBytes) {
            break;
        }
        end += step;
    }
    text.resize(end);
}

void FormatString(std::string& out, const char* szFormat, ...)
{
    va_list args;
    va_start(args, szFormat);
    out = FormatBounded(kFormatBufferSize, szFormat, args);
    va_end(args);
}

int CountDigits(int nValue)
{
    // Work on the magnitude as 64 bits so that the most negative int has one too.
    std::int64_t magnitude = nValue < 0 ? -static_cast<std::int64_t>(nValue) : nValue;
    int digits = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

void IntToStr(std::string& out, int nValue, int nWidth, int bKeepZeros, int bPlusSign)
{
    // The text goes through the 5120-byte formatting buffer: room for a sign and 5118 digits.
    constexpr int kMaxDigits = static_cast<int>(kFormatBufferSize) - 2;
    int digits = CountDigits(nValue);
    int width = nWidth < digits ? digits : nWidth;
    if (width > kMaxDigits) {
        width = kMaxDigits;
    }
    bool negative = nValue < 0;
    std::int64_t magnitude = negative ? -static_cast<std::int64_t>(nValue) : nValue;

    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (!bKeepZeros) {
        for (std::size_t i = 0; i + 1 < text.size() && text[i] == '0'; ++i) {
            text[i] = ' ';
        }
    }
    if (negative) {
        text.insert(text.begin(), '-');
    } else if (bPlusSign) {
        text.insert(text.begin(), '+');
    }
    out = std::move(text);
}

int ResyncStr(std::string& str)
{
    std::size_t nul = str.find('\0');
    if (nul != std::string::npos) {
        str.resize(nul);
    }
    return static_cast<int>(str.size());
}

std::string MidStr(const std::string& source, int nStart, int nLength)
{
    std::string_view text(source.c_str());  // cut at the first NUL
    std::int64_t start = nStart;
    std::int64_t length = nLength;
    if (start < 0) {
        length += start;
        start = 0;
    } else if (start > static_cast<std::int64_t>(text.size())) {
        return {};
    }
    if (length == 0) {
        return {};
    }
    std::int64_t rest = static_cast<std::int64_t>(text.size()) - start;
    if (length < 0 || length > rest) {
        length = rest;
    }
    return std::string(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

int IsDBCSChar(const char* p)
{
    if (!IsDBCSLeadByte(static_cast<BYTE>(p[0]))) {
        return 0;
    }
    return IsDBCSTrailByte(static_cast<BYTE>(p[1])) ? 1 : 0;
}

int CountChars(const char* szText)
{
    int count = 0;
    for (const char* p = szText; *p != '\0';) {
        if (IsDBCSChar(p)) {
            p += 2;
            ++count;
        } else {
            if (*p != '\n') {
                ++count;
            }
            ++p;
        }
    }
    return count;
}

std::string Sjis(std::string_view utf8)
{
    std::string sjis;
    Utf8ToCp932(utf8, sjis);
    return sjis;
}
