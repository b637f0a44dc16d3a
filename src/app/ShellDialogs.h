// The dialogs the shell runs on the main thread for the game thread's requests: the file dialogs
// of the load and save requests and the ranking-name dialog. They are reached through this
// interface so that the program shows its own dialogs (cProgramDialogs) while tests answer them
// from a script. The start-up's drawing-mode dialog runs before any request, through the dialog
// driver (StartupDrawMode.h).
//
// Main thread.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

// Which file request a dialog serves.
enum class FileRequestKind { LoadStage, LoadReplay, SaveReplay };

// What a file dialog is asked for (Shift-JIS texts, game paths).
struct FILEDIALOGREQUEST {
    FileRequestKind kind = FileRequestKind::LoadStage;
    std::string title;
    std::string folder;    // initial folder
    std::string pattern;   // e.g. "*.stg4_*;*.rpl4_*"
    std::string proposed;  // proposed file name (save dialogs)
};

class cShellDialogs {
public:
    virtual ~cShellDialogs() = default;
    // A file dialog: true with the chosen game path, false when cancelled.
    virtual bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) = 0;
    virtual bool SaveFile(const FILEDIALOGREQUEST& request, std::string& path) = 0;
    // The ranking-name dialog; the name goes where the stage's ranking entry reads it.
    virtual void NameDialog() = 0;
};

// Scripted answers, in order of the dialogs asked for; with no answer left a file dialog is
// cancelled and the name dialog keeps the name. Every dialog asked for is recorded.
class cScriptedDialogs : public cShellDialogs {
public:
    struct Answer {
        bool bOk = false;
        std::string path;  // file dialogs
    };

    bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    bool SaveFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    void NameDialog() override;

    void Script(std::vector<Answer> answers) { m_answers.assign(answers.begin(), answers.end()); }
    // The requests of the file dialogs asked for, and how many dialogs of each kind ran.
    const std::vector<FILEDIALOGREQUEST>& FileRequests() const { return m_requests; }
    int NameDialogs() const { return m_nName; }

private:
    bool Take(Answer& answer);
    std::deque<Answer> m_answers;
    std::vector<FILEDIALOGREQUEST> m_requests;
    int m_nName = 0;
};

// The dialogs in use; the scripted ones until another is set.
cShellDialogs& ShellDialogs();
// Replaces them (nullptr goes back to fresh scripted dialogs).
void SetShellDialogs(std::unique_ptr<cShellDialogs> dialogs);
