// Who answers the file chooser (FileChooser.h): the host's driver on a screen, a scripted one in
// headless runs and tests.
//
// Main thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/win/FileChooser.h"

class FileChooserDriver {
public:
    virtual ~FileChooserDriver() = default;
    // Runs the chooser until it has ended; a driver that runs out of input cancels it.
    virtual void Run(FileChooser& chooser) = 0;
};

// Installs the driver used by RunFileChooser (nullptr: none). The caller keeps it alive.
void SetFileChooserDriver(FileChooserDriver* driver);

// Runs the chooser through the installed driver; without one it is cancelled. Then takes the
// keyboard back (TakeBackKeyboardAfterDialog). True when a file was chosen.
bool RunFileChooser(FileChooser& chooser);

struct FileChooserInput {
    enum class Kind { Type, Activate, Up, Accept, Yes, No, Cancel };
    Kind kind = Kind::Accept;
    std::string text;  // Shift-JIS: the name typed (Type) or the entry (Activate)

    static FileChooserInput Type(std::string sjis) { return {Kind::Type, std::move(sjis)}; }
    static FileChooserInput Activate(std::string sjis) { return {Kind::Activate, std::move(sjis)}; }
    static FileChooserInput Up() { return {Kind::Up, {}}; }
    static FileChooserInput Accept() { return {Kind::Accept, {}}; }
    static FileChooserInput Yes() { return {Kind::Yes, {}}; }
    static FileChooserInput No() { return {Kind::No, {}}; }
    static FileChooserInput Cancel() { return {Kind::Cancel, {}}; }
};

// What the chooser showed after each scripted step.
struct FileChooserView {
    std::string folder;
    std::vector<FindEntry> entries;
    std::string name;
    FileChooserNotice notice = FileChooserNotice::None;
    bool bAskingOverwrite = false;
};

class ScriptedFileChooserDriver : public FileChooserDriver {
public:
    // One script per chooser run, in order; a run without a script is cancelled.
    void AddScript(std::vector<FileChooserInput> inputs) { m_scripts.push_back(std::move(inputs)); }
    void Run(FileChooser& chooser) override;

    // The request of each run, and the view when it opened and after each step of the last run.
    const std::vector<FileChooserRequest>& Requests() const { return m_requests; }
    const std::vector<FileChooserView>& Views() const { return m_views; }

private:
    std::vector<std::vector<FileChooserInput>> m_scripts;
    std::size_t m_nextScript = 0;
    std::vector<FileChooserRequest> m_requests;
    std::vector<FileChooserView> m_views;
};
