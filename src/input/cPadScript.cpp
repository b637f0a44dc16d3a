#include "input/cPadScript.h"

#include <cstdio>

#include "platform/win/Files.h"

namespace {

// One line without its line feed: "" is 0, else decimal digits of a value 0..kMaxMask, with an
// optional carriage return at the end. -1 when it is not.
int ParseLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return 0;
    }
    if (line.size() > 4) {
        return -1;
    }
    int value = 0;
    for (char c : line) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value <= cPadScript::kMaxMask ? value : -1;
}

}  // namespace

bool cPadScript::Parse(std::string_view text, int* lpBadLine)
{
    m_masks.clear();
    m_nNext = 0;
    int nLine = 0;
    while (!text.empty()) {
        ++nLine;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const int mask = ParseLine(line);
        if (mask < 0 || m_masks.size() >= kMaxFrames) {
            m_masks.clear();
            if (lpBadLine != nullptr) {
                *lpBadLine = nLine;
            }
            return false;
        }
        m_masks.push_back(mask);
    }
    return true;
}

bool cPadScript::Load(const char* szPath, int* lpBadLine)
{
    m_masks.clear();
    m_nNext = 0;
    FILE* fp = FOpen(szPath, "rb");
    if (fp == nullptr) {
        if (lpBadLine != nullptr) {
            *lpBadLine = 0;
        }
        return false;
    }
    // A line is at most "4095\r\n": a file longer than kMaxFrames such lines is refused unread.
    constexpr std::size_t kMaxBytes = kMaxFrames * 6;
    std::string text;
    char buffer[4096];
    std::size_t n = 0;
    bool bTooLong = false;
    while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) {
        if (text.size() + n > kMaxBytes) {
            bTooLong = true;
            break;
        }
        text.append(buffer, n);
    }
    std::fclose(fp);
    if (bTooLong) {
        if (lpBadLine != nullptr) {
            *lpBadLine = static_cast<int>(kMaxFrames) + 1;
        }
        return false;
    }
    return Parse(text, lpBadLine);
}

void cPadScript::SetMasks(std::vector<int> masks)
{
    for (int& mask : masks) {
        mask &= kMaxMask;
    }
    m_masks = std::move(masks);
    m_nNext = 0;
}

int cPadScript::Next()
{
    return m_nNext < m_masks.size() ? m_masks[m_nNext++] : 0;
}

void cPadScript::Apply(cInput& input, int mask)
{
    input.wDir = static_cast<SHORT>(mask & ((1 << kDirBits) - 1));
    input.wButton = static_cast<SHORT>((mask >> kDirBits) & 0xFF);
}

int cPadScript::MaskOf(SHORT wDir, SHORT wButton)
{
    return (wDir & ((1 << kDirBits) - 1)) | ((wButton & 0xFF) << kDirBits);
}
