// The program's own file chooser: one folder's sub-folders and the files that match a filter, a
// name field, and the rules of an open or a save chooser. A driver (FileChooserDriver.h) feeds it
// the user's choices until it ends.
//
// The chooser reads folders through the path layer and never changes the current folder. Folders
// and results are absolute game paths ("Z:\...", Shift-JIS, '\' separators).
//
// Rules: entering a folder or typing a folder's name shows that folder; a typed name without an
// extension gets the default extension; an open chooser that requires an existing file refuses a
// missing one with a notice; a save chooser refuses a name in a missing folder and, for an
// existing file, asks whether to overwrite it (No keeps the chooser open).
//
// Main thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/win/Files.h"

struct FileChooserRequest {
    bool bSave = false;
    std::string initialFolder;          // game path, relative to the current folder or absolute; "" the current folder
    std::string title;                  // Shift-JIS
    std::string filterName;             // the filter's description, shown as it is
    std::vector<std::string> patterns;  // "*.rpl4_*": a file is listed when it matches one
    std::string defaultExt;             // without the dot; "" for none
    std::string proposedName;           // the name field's first text
    bool bFileMustExist = false;
    bool bOverwritePrompt = false;
};

enum class FileChooserNotice {
    None,
    FileNotFound,    // open: the named file does not exist
    FolderNotFound,  // the folder of the named file does not exist
    InvalidName      // a name with wildcards or nothing usable
};

class FileChooser {
public:
    explicit FileChooser(FileChooserRequest request);

    const FileChooserRequest& Request() const { return m_request; }
    // The folder shown, with a final '\'.
    const std::string& Folder() const { return m_folder; }
    // The same folder as its user knows it, for drawing: the host path ("/home/me/game/data/",
    // '/' separators and a final '/', no drive letter), still in Shift-JIS.
    std::string ShownFolder() const;
    // Its sub-folders, then the matching files, each group sorted without regard to case.
    const std::vector<FindEntry>& Entries() const { return m_entries; }
    const std::string& Name() const { return m_name; }
    FileChooserNotice Notice() const { return m_notice; }
    // Set while the overwrite question is open; the name it asks about.
    bool AskingOverwrite() const { return m_bAskingOverwrite; }

    // The user's actions; each clears the last notice.
    void TypeName(std::string sjis);
    // Double-click on an entry of the list: a folder is entered, a file is taken as the name and
    // accepted. False when no entry has that name.
    bool Activate(const std::string& name);
    // The parent folder (nothing at the root).
    void Up();
    // Accepts the name field.
    void Accept();
    void AnswerOverwrite(bool bYes);
    void Cancel();

    bool Ended() const { return m_bEnded; }
    bool Chosen() const { return m_bChosen; }
    // The chosen file's absolute game path.
    const std::string& Path() const { return m_path; }

private:
    void Show(const std::string& folder);
    void Choose(const std::string& path);

    FileChooserRequest m_request;
    std::string m_folder;
    std::vector<FindEntry> m_entries;
    std::string m_name;
    std::string m_pendingPath;
    FileChooserNotice m_notice = FileChooserNotice::None;
    bool m_bAskingOverwrite = false;
    bool m_bEnded = false;
    bool m_bChosen = false;
    std::string m_path;
};
