// cEdit: an edit bound to a string, with a limit of characters per line and of lines. With
// double-byte counting a double-byte Shift-JIS character counts as one character and a line feed
// does not count (CountChars); without it every byte counts.
//
// Every change of the text is checked (OnChange): a line longer than the limit is broken before
// its first character that does not fit; when that leaves more lines than allowed, the change is
// refused and the previous text and selection come back. A single-line edit of three characters
// thus refuses a fourth character, or a paste of more than three.
//
// Main thread only.
#pragma once

#include <string>
#include <string_view>

#include "app/cControl.h"

class cEdit : public cControl {
public:
    static constexpr int kDefaultSize = 4096;
    static constexpr int kDefaultCharsPerLine = 1024;
    static constexpr int kDefaultLines = 32;

    cEdit() : cControl(kEdit) {}

    // Binds the item to *pText (which must outlive the run): nSize is the string's size in bytes
    // with its terminator, in characters with double-byte counting (0: the default). The item
    // shows the string, cut to the limits.
    void Attach(cDialog& dialog, WORD nId, std::string* pText, int nSize = 0, int nCharsPerLine = 0, int nLines = 0,
                bool bDoubleByteCount = false);
    void ToControl() override;
    // The item's text into the string: at most nSize - 1 bytes, or 2 x nSize - 2 bytes with
    // double-byte counting, never splitting a double-byte character.
    void FromControl() override;
    void OnChange() override;

    // Characters of a Shift-JIS text: a double-byte character counts one, a line feed none.
    static int CountChars(std::string_view text);

private:
    int LineChars(std::string_view line) const;
    // Byte length of the longest start of line that holds at most nChars characters.
    std::size_t FittingBytes(std::string_view line, int nChars) const;
    void Check(bool bAttaching);

    std::string* m_pText = nullptr;
    int m_nSize = kDefaultSize;
    int m_nCharsPerLine = kDefaultCharsPerLine;
    int m_nLines = kDefaultLines;
    bool m_bDoubleByteCount = false;
    std::string m_prevText;
    int m_nPrevSelStart = 0;
    int m_nPrevSelEnd = 0;
    bool m_bBusy = false;
};
