// The headless dialog driver: answers each dialog from a script of user inputs, and keeps what
// each dialog showed when it opened (caption and item texts) for tests to read.
//
// Main thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/win/DialogDriver.h"

struct DialogInput {
    enum class Kind { Key, ShiftKey, Text, Compose, Click, Close, Wait };
    Kind kind = Kind::Key;
    int value = 0;     // the virtual key (Key, ShiftKey), the item id (Click) or milliseconds (Wait)
    std::string text;  // UTF-8 (Text, Compose)

    static DialogInput Key(int vk) { return {Kind::Key, vk, {}}; }
    static DialogInput ShiftKey(int vk) { return {Kind::ShiftKey, vk, {}}; }
    static DialogInput Text(std::string utf8) { return {Kind::Text, 0, std::move(utf8)}; }
    static DialogInput Compose(std::string utf8) { return {Kind::Compose, 0, std::move(utf8)}; }
    static DialogInput Click(int id) { return {Kind::Click, id, {}}; }
    static DialogInput Close() { return {Kind::Close, 0, {}}; }
    // Moves the script's clock on (the inputs before it all happen at one time).
    static DialogInput Wait(int ms) { return {Kind::Wait, ms, {}}; }
};

// What a dialog showed when its run began.
struct DialogSnapshot {
    std::string caption;
    std::vector<std::pair<int, std::string>> itemTexts;  // (id, Shift-JIS text) in template order
    std::vector<int> checked;                            // ids of the checked buttons, in template order
    POINT position{};
    POINT cursor{};  // where the cursor was put (0, 0 when nowhere)
    int focus = 0;

    // The text of the item with that id ("" when there is none).
    std::string Text(int id) const;
};

class ScriptedDialogDriver : public DialogDriver {
public:
    // One script per dialog, taken in the order the dialogs run; a dialog without a script of its
    // own gets an empty one (and closes).
    void AddScript(std::vector<DialogInput> inputs) { m_scripts.push_back(std::move(inputs)); }
    void Run(DialogRun& dialog) override;

    const std::vector<DialogSnapshot>& Shown() const { return m_shown; }
    // The last dialog as its script left it.
    const DialogSnapshot& LastEnded() const { return m_lastEnded; }

private:
    static DialogSnapshot Snapshot(const DialogRun& dialog);

    std::vector<std::vector<DialogInput>> m_scripts;
    std::size_t m_nextScript = 0;
    std::vector<DialogSnapshot> m_shown;
    DialogSnapshot m_lastEnded;
};
