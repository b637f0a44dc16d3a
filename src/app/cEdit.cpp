#include "app/cEdit.h"

#include <vector>

#include "platform/win/CodePage.h"
#include "platform/win/DialogRun.h"

namespace {

// Bytes of the character at text[pos]: 2 for a lead byte with a byte after it, else 1.
std::size_t CharBytes(std::string_view text, std::size_t pos)
{
    return IsDBCSLeadByte(static_cast<BYTE>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 2;
    }
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i > 0 ? "\r\n" : "") + lines[i];
    }
    return text;
}

}  // namespace

int cEdit::CountChars(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharBytes(text, i)) {
        count += text[i] == '\n' ? 0 : 1;
    }
    return count;
}

int cEdit::LineChars(std::string_view line) const
{
    return m_bDoubleByteCount ? CountChars(line) : static_cast<int>(line.size());
}

std::size_t cEdit::FittingBytes(std::string_view line, int nChars) const
{
    if (!m_bDoubleByteCount) {
        return std::min(line.size(), static_cast<std::size_t>(std::max(nChars, 0)));
    }
    std::size_t bytes = 0;
    for (int count = 0; bytes < line.size() && count < nChars; ++count) {
        bytes += CharBytes(line, bytes);
    }
    return bytes;
}

void cEdit::Attach(cDialog& dialog, WORD nId, std::string* pText, int nSize, int nCharsPerLine, int nLines,
                   bool bDoubleByteCount)
{
    AttachItem(dialog, nId);
    m_pText = pText;
    m_nSize = nSize > 0 ? nSize : kDefaultSize;
    m_nCharsPerLine = nCharsPerLine > 0 ? nCharsPerLine : kDefaultCharsPerLine;
    m_nLines = nLines > 0 ? nLines : kDefaultLines;
    m_bDoubleByteCount = bDoubleByteCount;
    m_prevText.clear();
    m_nPrevSelStart = m_nPrevSelEnd = 0;
    Items().SetDlgItemText(m_nId, *m_pText);
    Check(true);
}

void cEdit::ToControl()
{
    Items().SetDlgItemText(m_nId, *m_pText);
}

void cEdit::FromControl()
{
    const std::string text = Items().GetDlgItemText(m_nId);
    const std::size_t maxBytes = static_cast<std::size_t>(m_bDoubleByteCount ? 2 * m_nSize - 2 : m_nSize - 1);
    std::size_t bytes = 0;
    while (bytes < text.size() && bytes + CharBytes(text, bytes) <= maxBytes) {
        bytes += CharBytes(text, bytes);
    }
    *m_pText = text.substr(0, bytes);
}

void cEdit::OnChange()
{
    Check(false);
}

void cEdit::Check(bool bAttaching)
{
    if (m_bBusy) {
        return;
    }
    m_bBusy = true;
    DialogRun& items = Items();
    std::vector<std::string> lines = SplitLines(items.GetDlgItemText(m_nId));
    int nSelStart = 0;
    int nSelEnd = 0;
    items.GetEditSel(m_nId, nSelStart, nSelEnd);

    // Break each line that is too long before its first character that does not fit.
    std::size_t lineOffset = 0;
    for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) < m_nLines; ++i) {
        if (LineChars(lines[i]) > m_nCharsPerLine) {
            const std::size_t cut = FittingBytes(lines[i], m_nCharsPerLine);
            lines.insert(lines.begin() + static_cast<long>(i) + 1, lines[i].substr(cut));
            lines[i].resize(cut);
            const int breakAt = static_cast<int>(lineOffset + cut);
            nSelStart += nSelStart >= breakAt ? 2 : 0;
            nSelEnd += nSelEnd >= breakAt ? 2 : 0;
        }
        lineOffset += lines[i].size() + 2;
    }

    if (static_cast<int>(lines.size()) > m_nLines) {
        if (bAttaching) {
            lines.resize(static_cast<std::size_t>(m_nLines));
            lines.back().resize(FittingBytes(lines.back(), m_nCharsPerLine));
        } else {
            items.SetDlgItemText(m_nId, m_prevText);
            items.SetEditSel(m_nId, m_nPrevSelStart, m_nPrevSelEnd);
            m_bBusy = false;
            return;
        }
    }

    m_prevText = JoinLines(lines);
    items.SetDlgItemText(m_nId, m_prevText);
    if (!bAttaching) {
        items.SetEditSel(m_nId, nSelStart, nSelEnd);
    }
    items.GetEditSel(m_nId, m_nPrevSelStart, m_nPrevSelEnd);
    m_bBusy = false;
}
