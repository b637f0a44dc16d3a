// What the ranking entry at a stage end needs of the application shell, which lives above the
// stage: the user's registration option, the fixed name, and the name dialog. The shell sets
// lpRankingShell to its implementation for as long as it exists; with none set, the entry uses
// the name kept in the save data without asking. Game thread.
#pragma once

#include <string>

class IRankingShell {
public:
    virtual ~IRankingShell() = default;
    // The registration option: 0 manual with the name entered, 1 manual with the fixed name,
    // 2 automatic with the name entered, 3 automatic with the fixed name.
    virtual int RegistrationMode() const = 0;
    // The option's fixed name (Shift-JIS, at most 3 characters).
    virtual std::string FixedName() const = 0;
    // Shows the name dialog proposing name and waits for the user. 1 with name replaced by the
    // name entered; 0 when the dialog could not be shown or was cancelled, name unchanged. Never
    // waits for ever: a closed main window answers 0.
    virtual int AskName(std::string& name) = 0;
};

// The shell's implementation; null while none exists.
extern IRankingShell* lpRankingShell;
