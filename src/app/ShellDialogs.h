// The dialogs the shell runs on the main thread: the start-up's drawing-mode dialog, the file
// dialogs of the load and save requests, and the ranking-name dialog. They are reached through
// this interface so that the program runs with scripted answers until the dialogs themselves
// are drawn, and so that tests can answer them.
//
// Main thread.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/cBootData.h"

// What a file dialog is asked for (Shift-JIS texts, game paths).
struct FILEDIALOGREQUEST {
    std::string title;
    std::string folder;    // initial folder
    std::string pattern;   // e.g. "*.stg4_*;*.rpl4_*"
    std::string proposed;  // proposed file name (save dialogs)
};

class cShellDialogs {
public:
    virtual ~cShellDialogs() = default;
    // The drawing-mode dialog: true with boot's mode and flag as chosen, false when the user
    // stopped the start-up.
    virtual bool BootDialog(cBootData& boot) = 0;
    // A file dialog: true with the chosen game path, false when cancelled.
    virtual bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) = 0;
    virtual bool SaveFile(const FILEDIALOGREQUEST& request, std::string& path) = 0;
    // The ranking-name dialog; the name goes where the stage's ranking entry reads it.
    virtual void NameDialog() = 0;
};

// Scripted answers, in order of the dialogs asked for; with no answer left a file dialog is
// cancelled, the drawing-mode dialog starts with the mode stored in Boot.dat and the name dialog
// keeps the name. Every dialog asked for is recorded.
class cScriptedDialogs : public cShellDialogs {
public:
    struct Answer {
        bool bOk = false;
        std::string path;   // file dialogs
        int nDrawMode = 1;  // drawing-mode dialog
    };

    bool BootDialog(cBootData& boot) override;
    bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    bool SaveFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    void NameDialog() override;

    void Script(std::vector<Answer> answers) { m_answers.assign(answers.begin(), answers.end()); }
    // The requests of the file dialogs asked for, and how many dialogs of each kind ran.
    const std::vector<FILEDIALOGREQUEST>& FileRequests() const { return m_requests; }
    int BootDialogs() const { return m_nBoot; }
    int NameDialogs() const { return m_nName; }

private:
    bool Take(Answer& answer);
    std::deque<Answer> m_answers;
    std::vector<FILEDIALOGREQUEST> m_requests;
    int m_nBoot = 0;
    int m_nName = 0;
};

// The dialogs in use; the scripted ones until another is set.
cShellDialogs& ShellDialogs();
// Replaces them (nullptr goes back to fresh scripted dialogs).
void SetShellDialogs(std::unique_ptr<cShellDialogs> dialogs);
