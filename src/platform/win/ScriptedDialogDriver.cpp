#include "platform/win/ScriptedDialogDriver.h"

std::string DialogSnapshot::Text(int id) const
{
    for (const auto& [itemId, text] : itemTexts) {
        if (itemId == id) {
            return text;
        }
    }
    return {};
}

DialogSnapshot ScriptedDialogDriver::Snapshot(const DialogRun& dialog)
{
    DialogSnapshot shot;
    shot.caption = dialog.Caption();
    for (const DlgItemTemplate& item : dialog.Template().items) {
        shot.itemTexts.emplace_back(item.id, dialog.GetDlgItemText(item.id));
        if (dialog.IsDlgButtonChecked(item.id) != 0) {
            shot.checked.push_back(item.id);
        }
    }
    shot.position = dialog.Position();
    shot.cursor = dialog.HasCursorPoint() ? dialog.CursorPoint() : POINT{};
    shot.focus = dialog.Focus();
    return shot;
}

void ScriptedDialogDriver::Run(DialogRun& dialog)
{
    m_shown.push_back(Snapshot(dialog));
    const std::vector<DialogInput> none;
    const std::vector<DialogInput>& script = m_nextScript < m_scripts.size() ? m_scripts[m_nextScript] : none;
    ++m_nextScript;
    DWORD clock = 0;
    for (const DialogInput& input : script) {
        if (dialog.Ended()) {
            break;
        }
        switch (input.kind) {
        case DialogInput::Kind::Key: dialog.KeyDown(input.value, false, clock); break;
        case DialogInput::Kind::ShiftKey: dialog.KeyDown(input.value, true, clock); break;
        case DialogInput::Kind::Text: dialog.TextInput(input.text, clock); break;
        case DialogInput::Kind::Wait: clock += static_cast<DWORD>(input.value); break;
        case DialogInput::Kind::Compose: dialog.TextEditing(input.text); break;
        case DialogInput::Kind::Click: dialog.Click(input.value); break;
        case DialogInput::Kind::Close: dialog.CloseRequest(); break;
        }
    }
    m_lastEnded = Snapshot(dialog);
    if (!dialog.Ended()) {
        dialog.CloseRequest();
    }
    if (!dialog.Ended()) {
        dialog.End(0);
    }
}
