#include "platform/win/DialogRun.h"

#include <algorithm>

#include "platform/win/CodePage.h"
#include "platform/win/Keyboard.h"

namespace {

// Byte offsets where the characters of a Shift-JIS text start, with the text's end last.
std::vector<int> CharStarts(const std::string& text)
{
    std::vector<int> starts;
    std::size_t i = 0;
    while (i < text.size()) {
        starts.push_back(static_cast<int>(i));
        const bool bDouble = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
        i += bDouble ? 2 : 1;
    }
    starts.push_back(static_cast<int>(text.size()));
    return starts;
}

// The character start at or before pos.
int SnapToChar(const std::string& text, int pos)
{
    const std::vector<int> starts = CharStarts(text);
    int snapped = 0;
    for (const int s : starts) {
        if (s <= pos) {
            snapped = s;
        }
    }
    return snapped;
}

// The neighbouring character start of pos, one step back or forward (pos itself at either end).
int StepChar(const std::string& text, int pos, int step)
{
    const std::vector<int> starts = CharStarts(text);
    const auto it = std::find(starts.begin(), starts.end(), pos);
    if (it == starts.end()) {
        return SnapToChar(text, pos);
    }
    if (step < 0) {
        return it == starts.begin() ? pos : *(it - 1);
    }
    return it + 1 == starts.end() ? pos : *(it + 1);
}

bool IsButton(DlgItemKind kind)
{
    return kind == DlgItemKind::PushButton || kind == DlgItemKind::DefPushButton;
}

}  // namespace

DialogRun::DialogRun(const DlgTemplate& tpl) : m_tpl(tpl)
{
    for (const DlgItemTemplate& t : m_tpl.items) {
        Item item;
        item.tpl = t;
        item.text = t.text;
        m_items.push_back(item);
    }
    m_focus = m_items.size();
    MoveFocus(false);
}

DialogRun::Item* DialogRun::Find(int id)
{
    for (Item& item : m_items) {
        if (item.tpl.id == id) {
            return &item;
        }
    }
    return nullptr;
}

const DialogRun::Item* DialogRun::Find(int id) const
{
    return const_cast<DialogRun*>(this)->Find(id);
}

bool DialogRun::HasItem(int id) const
{
    return Find(id) != nullptr;
}

BOOL DialogRun::SetDlgItemText(int id, std::string_view sjis)
{
    Item* item = Find(id);
    if (item == nullptr) {
        return FALSE;
    }
    item->text = sjis;
    item->selStart = std::min(item->selStart, static_cast<int>(item->text.size()));
    item->selEnd = std::min(item->selEnd, static_cast<int>(item->text.size()));
    item->selStart = SnapToChar(item->text, item->selStart);
    item->selEnd = SnapToChar(item->text, item->selEnd);
    return TRUE;
}

std::string DialogRun::GetDlgItemText(int id) const
{
    const Item* item = Find(id);
    return item != nullptr ? item->text : std::string();
}

BOOL DialogRun::CheckDlgButton(int id, int check)
{
    Item* item = Find(id);
    if (item == nullptr) {
        return FALSE;
    }
    item->check = check != 0 ? BST_CHECKED : BST_UNCHECKED;
    return TRUE;
}

int DialogRun::IsDlgButtonChecked(int id) const
{
    const Item* item = Find(id);
    return item != nullptr ? item->check : BST_UNCHECKED;
}

bool DialogRun::TakesFocus(std::size_t index) const
{
    const Item& item = m_items[index];
    switch (item.tpl.kind) {
    case DlgItemKind::PushButton:
    case DlgItemKind::DefPushButton:
    case DlgItemKind::CheckBox:
    case DlgItemKind::Edit: return true;
    case DlgItemKind::RadioButton: {
        // The checked button of its group, or the group's first when none is checked.
        std::size_t first = index;
        while (first > 0 && m_items[first - 1].tpl.kind == DlgItemKind::RadioButton) {
            --first;
        }
        bool bAnyChecked = false;
        for (std::size_t i = first; i < m_items.size() && m_items[i].tpl.kind == DlgItemKind::RadioButton; ++i) {
            bAnyChecked = bAnyChecked || m_items[i].check != BST_UNCHECKED;
        }
        return bAnyChecked ? item.check != BST_UNCHECKED : index == first;
    }
    default: return false;
    }
}

BOOL DialogRun::SetFocus(int id)
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].tpl.id == id && m_items[i].tpl.kind != DlgItemKind::Static &&
            m_items[i].tpl.kind != DlgItemKind::Picture && m_items[i].tpl.kind != DlgItemKind::GroupBox) {
            m_focus = i;
            return TRUE;
        }
    }
    return FALSE;
}

int DialogRun::Focus() const
{
    return m_focus < m_items.size() ? m_items[m_focus].tpl.id : 0;
}

DialogRun::Item* DialogRun::Focused()
{
    return m_focus < m_items.size() ? &m_items[m_focus] : nullptr;
}

void DialogRun::SetEditSel(int id, int nStart, int nEnd)
{
    Item* item = Find(id);
    if (item == nullptr) {
        return;
    }
    const int size = static_cast<int>(item->text.size());
    if (nStart < 0 || nStart > size) {
        nStart = size;
    }
    if (nEnd < 0 || nEnd > size) {
        nEnd = size;
    }
    item->selStart = SnapToChar(item->text, std::min(nStart, nEnd));
    item->selEnd = SnapToChar(item->text, std::max(nStart, nEnd));
}

void DialogRun::GetEditSel(int id, int& nStart, int& nEnd) const
{
    const Item* item = Find(id);
    nStart = item != nullptr ? item->selStart : 0;
    nEnd = item != nullptr ? item->selEnd : 0;
}

void DialogRun::End(int nResult)
{
    m_nResult = nResult;
    m_bEnded = true;
}

void DialogRun::MoveFocus(bool bBack)
{
    const std::size_t n = m_items.size();
    if (n == 0) {
        return;
    }
    std::size_t i = m_focus < n ? m_focus : (bBack ? 0 : n - 1);
    for (std::size_t step = 0; step < n; ++step) {
        i = bBack ? (i + n - 1) % n : (i + 1) % n;
        if (TakesFocus(i)) {
            m_focus = i;
            return;
        }
    }
}

void DialogRun::Command(WORD id, WORD code)
{
    if (m_onCommand) {
        m_onCommand(id, code);
    }
}

void DialogRun::Press(Item& item)
{
    switch (item.tpl.kind) {
    case DlgItemKind::CheckBox: item.check = item.check != BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case DlgItemKind::RadioButton:
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (&m_items[i] == &item) {
                MoveRadio(i, 0);
            }
        }
        break;
    case DlgItemKind::PushButton:
    case DlgItemKind::DefPushButton: break;
    default: return;
    }
    Command(item.tpl.id, BN_CLICKED);
}

// Checks the radio button step places from index within its group (0: index itself), unchecks the
// rest of the group and focuses it. The group does not wrap.
void DialogRun::MoveRadio(std::size_t index, int step)
{
    std::size_t first = index;
    while (first > 0 && m_items[first - 1].tpl.kind == DlgItemKind::RadioButton) {
        --first;
    }
    std::size_t last = index;
    while (last + 1 < m_items.size() && m_items[last + 1].tpl.kind == DlgItemKind::RadioButton) {
        ++last;
    }
    const long target = std::clamp(static_cast<long>(index) + step, static_cast<long>(first), static_cast<long>(last));
    for (std::size_t i = first; i <= last; ++i) {
        m_items[i].check = static_cast<long>(i) == target ? BST_CHECKED : BST_UNCHECKED;
    }
    m_focus = static_cast<std::size_t>(target);
}

void DialogRun::KeyDown(int vk, bool bShift, DWORD timeMs)
{
    const bool bJustEnded = m_bCompositionJustEnded && timeMs - m_compositionEndMs <= kImeEnterMs;
    const bool bImeEnter = vk == VK_RETURN && (!m_composition.empty() || bJustEnded);
    m_bCompositionJustEnded = false;
    if (bImeEnter || m_bEnded) {
        return;
    }
    if (!m_composition.empty()) {
        return;  // keys go to the input method while it composes
    }
    Item* focused = Focused();
    switch (vk) {
    case VK_TAB: MoveFocus(bShift); return;
    case VK_RETURN:
        if (focused != nullptr && IsButton(focused->tpl.kind)) {
            Press(*focused);
            return;
        }
        for (Item& item : m_items) {
            if (item.tpl.kind == DlgItemKind::DefPushButton) {
                Press(item);
                return;
            }
        }
        return;
    case VK_ESCAPE: return;
    default: break;
    }
    if (focused == nullptr) {
        return;
    }
    if (focused->tpl.kind == DlgItemKind::Edit) {
        EditKey(*focused, vk);
    } else if (vk == VK_SPACE && focused->tpl.kind != DlgItemKind::RadioButton) {
        Press(*focused);
    } else if (focused->tpl.kind == DlgItemKind::RadioButton &&
               (vk == VK_LEFT || vk == VK_UP || vk == VK_RIGHT || vk == VK_DOWN)) {
        const int step = vk == VK_LEFT || vk == VK_UP ? -1 : 1;
        MoveRadio(m_focus, step);
        Command(Focused()->tpl.id, BN_CLICKED);
    }
}

void DialogRun::EditKey(Item& edit, int vk)
{
    const int size = static_cast<int>(edit.text.size());
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT: {
        const int step = vk == VK_LEFT ? -1 : 1;
        const int from = edit.selStart == edit.selEnd ? edit.selStart : (step < 0 ? edit.selStart : edit.selEnd);
        const int to = edit.selStart == edit.selEnd ? StepChar(edit.text, from, step) : from;
        edit.selStart = edit.selEnd = to;
        return;
    }
    case VK_HOME: edit.selStart = edit.selEnd = 0; return;
    case VK_END: edit.selStart = edit.selEnd = size; return;
    case VK_BACK:
    case VK_DELETE:
        if (edit.selStart == edit.selEnd) {
            const int other = StepChar(edit.text, edit.selStart, vk == VK_BACK ? -1 : 1);
            edit.selStart = std::min(other, edit.selEnd);
            edit.selEnd = std::max(other, edit.selEnd);
        }
        if (edit.selStart != edit.selEnd) {
            ReplaceSelection(edit, "");
        }
        return;
    default: return;
    }
}

void DialogRun::ReplaceSelection(Item& edit, std::string_view sjis)
{
    edit.text.replace(static_cast<std::size_t>(edit.selStart), static_cast<std::size_t>(edit.selEnd - edit.selStart),
                      sjis);
    edit.selStart += static_cast<int>(sjis.size());
    edit.selEnd = edit.selStart;
    Command(edit.tpl.id, EN_UPDATE);
}

void DialogRun::TextInput(std::string_view utf8, DWORD timeMs)
{
    m_bCompositionJustEnded = !m_composition.empty();
    m_compositionEndMs = timeMs;
    m_composition.clear();
    Item* focused = Focused();
    if (m_bEnded || focused == nullptr || focused->tpl.kind != DlgItemKind::Edit || utf8.empty()) {
        return;
    }
    std::string sjis;
    if (!Utf8ToCp932(utf8, sjis)) {
        return;  // a character the game's text cannot hold: refused whole
    }
    // A single-line edit takes no control characters (a pasted line break, a tab).
    for (const char c : sjis) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return;
        }
    }
    ReplaceSelection(*focused, sjis);
}

void DialogRun::TextEditing(std::string_view utf8)
{
    m_composition = utf8;
    m_bCompositionJustEnded = false;
}

void DialogRun::Click(int id)
{
    m_bCompositionJustEnded = false;
    if (m_bEnded) {
        return;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        Item& item = m_items[i];
        if (item.tpl.id != id) {
            continue;
        }
        if (SetFocus(id)) {
            m_focus = i;
        }
        Press(item);
        return;
    }
}

void DialogRun::CloseRequest()
{
    if (m_bEnded) {
        return;
    }
    if (m_onClose) {
        m_onClose();
    } else {
        End(0);
    }
}
