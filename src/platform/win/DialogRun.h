// One running dialog: the state of its items (texts, check marks, focus, the edit's caret and
// selection, the input method's composition) and the rules by which the user's keys, clicks and
// typed text change it. A driver (DialogDriver.h) feeds it the user's input until it ends; the
// dialog's owner reads and writes items as the Windows dialog calls do and hears of commands.
//
// Key rules: Tab and Shift+Tab move the focus over the enabled items that take it (buttons, the
// checked radio button of a group, check boxes, edits); Enter presses the focused push button,
// else the default push button, but an Enter that belongs to the input method (while a
// composition is open, or as the first key at most kImeEnterMs after the text that ended one:
// input methods that pass their Enter on deliver it together with the text) is swallowed; Space
// presses the focused button, toggles the focused check box; the arrow keys move the check
// within a radio group; Esc does nothing. A close request goes to the close handler (ending the
// dialog with 0 when there is none).
//
// Edits hold Shift-JIS text, single line. Typed text arrives as UTF-8 and is refused whole when
// any character has no Shift-JIS form. Every change of an edit's text by the user replaces the
// selection, then sends EN_UPDATE so that the owner can check the new text (and put the old one
// back).
//
// Main thread only.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/DialogTemplate.h"
#include "platform/win/WinTypes.h"

constexpr WORD BN_CLICKED = 0;
constexpr WORD EN_UPDATE = 0x0400;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

class DialogRun {
public:
    // Command from an item: its id and the notification code (BN_CLICKED, EN_UPDATE).
    using CommandHandler = std::function<void(WORD id, WORD code)>;
    using CloseHandler = std::function<void()>;

    explicit DialogRun(const DlgTemplate& tpl);

    void SetCommandHandler(CommandHandler handler) { m_onCommand = std::move(handler); }
    void SetCloseHandler(CloseHandler handler) { m_onClose = std::move(handler); }

    // The owner's calls.
    const DlgTemplate& Template() const { return m_tpl; }
    bool HasItem(int id) const;
    // FALSE for an unknown id. Sends nothing.
    BOOL SetDlgItemText(int id, std::string_view sjis);
    std::string GetDlgItemText(int id) const;  // "" for an unknown id
    BOOL CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;  // 0 for an unknown id
    void SetCaption(std::string_view sjis) { m_caption = sjis; }
    const std::string& Caption() const { return m_caption; }
    // Focus on an item that takes it; FALSE otherwise.
    BOOL SetFocus(int id);
    int Focus() const;  // id of the focused item, 0 for none
    // Selection of an edit in bytes, start <= end; clamped to the text and to character starts.
    void SetEditSel(int id, int nStart, int nEnd);
    void GetEditSel(int id, int& nStart, int& nEnd) const;
    // Ends the run with the result; the driver stops feeding input.
    void End(int nResult);
    bool Ended() const { return m_bEnded; }
    int Result() const { return m_nResult; }
    // Top-left corner of the dialog's outer frame on the screen, set by the owner.
    void SetPosition(POINT pt) { m_position = pt; }
    POINT Position() const { return m_position; }
    // Where the mouse cursor is put when the dialog appears (screen pixels); none unless set.
    void SetCursorPoint(POINT pt)
    {
        m_cursor = pt;
        m_bCursorSet = true;
    }
    bool HasCursorPoint() const { return m_bCursorSet; }
    POINT CursorPoint() const { return m_cursor; }

    // Time after a composition's end within which an Enter still belongs to the input method.
    static constexpr DWORD kImeEnterMs = 100;

    // The user's input (from the driver). timeMs: when the event happened, in milliseconds of any
    // clock the driver keeps (only differences count).
    void KeyDown(int vk, bool bShift = false, DWORD timeMs = 0);
    // Committed text (UTF-8): ends any composition and goes into the focused edit.
    void TextInput(std::string_view utf8, DWORD timeMs = 0);
    // The input method's composition in progress (UTF-8); "" when it was abandoned.
    void TextEditing(std::string_view utf8);
    void Click(int id);
    void CloseRequest();

    // What a driver draws.
    const std::string& Composition() const { return m_composition; }  // UTF-8

private:
    struct Item {
        DlgItemTemplate tpl;
        std::string text;  // Shift-JIS
        int check = BST_UNCHECKED;
        int selStart = 0;  // edits: selection in bytes
        int selEnd = 0;
    };

    Item* Find(int id);
    const Item* Find(int id) const;
    bool TakesFocus(std::size_t index) const;
    void MoveFocus(bool bBack);
    void Press(Item& item);
    void MoveRadio(std::size_t index, int step);
    void EditKey(Item& edit, int vk);
    void ReplaceSelection(Item& edit, std::string_view sjis);
    void Command(WORD id, WORD code);
    Item* Focused();

    DlgTemplate m_tpl;
    std::vector<Item> m_items;
    std::string m_caption;
    std::size_t m_focus = 0;  // index into m_items, m_items.size() for none
    std::string m_composition;
    bool m_bCompositionJustEnded = false;
    DWORD m_compositionEndMs = 0;
    bool m_bEnded = false;
    int m_nResult = 0;
    POINT m_position{};
    POINT m_cursor{};
    bool m_bCursorSet = false;
    CommandHandler m_onCommand;
    CloseHandler m_onClose;
};
