#include "platform/win/FileChooser.h"

#include <algorithm>

#include "platform/win/GamePathText.h"

namespace {

// Offset just behind the last separator of a game path ('\' or '/', never a trail byte), 0 when
// it has none.
std::size_t NameStart(const std::string& path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i += SjisCharLength(path, i)) {
        if (IsGamePathSeparator(path[i])) {
            start = i + 1;
        }
    }
    return start;
}

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(buffer), buffer, nullptr);
    return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || !IsGamePathSeparator(folder.back())) {
        folder += '\\';
    }
    return folder;
}

bool IsAbsolute(const std::string& name)
{
    return (name.size() >= 2 && name[1] == ':') || (!name.empty() && IsGamePathSeparator(name[0]));
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool NameLess(const FindEntry& a, const FindEntry& b)
{
    return UpperCaseSjis(a.name) < UpperCaseSjis(b.name);
}

}  // namespace

FileChooser::FileChooser(FileChooserRequest request) : m_request(std::move(request))
{
    m_name = m_request.proposedName;
    const std::string start = FullPath(m_request.initialFolder.empty() ? "." : m_request.initialFolder);
    Show(IsFolder(start) ? start : FullPath("."));
}

std::string FileChooser::ShownFolder() const
{
    const GamePathParts parts = SplitGamePath(m_folder);
    std::string shown = parts.root == GamePathParts::Root::None ? "" : "/";
    for (const GamePathComponent& component : parts.components) {
        shown.append(component.text);
        shown += '/';
    }
    return shown;
}

void FileChooser::Show(const std::string& folder)
{
    m_folder = WithSeparator(folder);
    m_entries.clear();
    std::vector<FindEntry> found;
    if (FindFiles((m_folder + "*").c_str(), found)) {
        for (const FindEntry& entry : found) {
            if (entry.bDirectory) {
                m_entries.push_back(entry);
            }
        }
    }
    std::vector<FindEntry> files;
    for (const std::string& pattern : m_request.patterns) {
        found.clear();
        if (!FindFiles((m_folder + pattern).c_str(), found)) {
            continue;
        }
        for (const FindEntry& entry : found) {
            const bool bListed =
                std::any_of(files.begin(), files.end(), [&](const FindEntry& f) { return f.name == entry.name; });
            if (!entry.bDirectory && !bListed) {
                files.push_back(entry);
            }
        }
    }
    std::sort(files.begin(), files.end(), NameLess);
    m_entries.insert(m_entries.end(), files.begin(), files.end());
}

void FileChooser::TypeName(std::string sjis)
{
    m_notice = FileChooserNotice::None;
    m_name = std::move(sjis);
}

bool FileChooser::Activate(const std::string& name)
{
    m_notice = FileChooserNotice::None;
    for (const FindEntry& entry : m_entries) {
        if (entry.name != name) {
            continue;
        }
        if (entry.bDirectory) {
            Show(m_folder + entry.name);
        } else {
            m_name = entry.name;
            Accept();
        }
        return true;
    }
    return false;
}

void FileChooser::Up()
{
    m_notice = FileChooserNotice::None;
    const std::string parent = FullPath(m_folder + "..");
    if (!parent.empty() && IsFolder(parent)) {
        Show(parent);
    }
}

void FileChooser::Accept()
{
    m_notice = FileChooserNotice::None;
    if (m_bEnded || m_bAskingOverwrite) {
        return;
    }
    if (m_name.empty() || m_name.find_first_of("*?\"<>|") != std::string::npos) {
        m_notice = FileChooserNotice::InvalidName;
        return;
    }
    std::string path = FullPath(IsAbsolute(m_name) ? m_name : m_folder + m_name);
    const std::size_t nameStart = NameStart(path);
    if (path.empty() || nameStart >= path.size()) {
        if (!path.empty() && IsFolder(path)) {
            Show(path);
            m_name.clear();
        } else {
            m_notice = FileChooserNotice::InvalidName;
        }
        return;
    }
    if (IsFolder(path)) {
        Show(path);
        m_name.clear();
        return;
    }
    if (!IsFolder(path.substr(0, nameStart))) {
        m_notice = FileChooserNotice::FolderNotFound;
        return;
    }
    if (!m_request.defaultExt.empty() && path.find('.', nameStart) == std::string::npos) {
        path += "." + m_request.defaultExt;
    }
    const bool bExists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!m_request.bSave && m_request.bFileMustExist && !bExists) {
        m_notice = FileChooserNotice::FileNotFound;
        return;
    }
    if (m_request.bSave && bExists && m_request.bOverwritePrompt) {
        m_pendingPath = path;
        m_bAskingOverwrite = true;
        return;
    }
    Choose(path);
}

void FileChooser::AnswerOverwrite(bool bYes)
{
    if (!m_bAskingOverwrite) {
        return;
    }
    m_bAskingOverwrite = false;
    if (bYes) {
        Choose(m_pendingPath);
    }
    m_pendingPath.clear();
}

void FileChooser::Cancel()
{
    m_bAskingOverwrite = false;
    m_bEnded = true;
    m_bChosen = false;
}

void FileChooser::Choose(const std::string& path)
{
    m_path = path;
    m_bEnded = true;
    m_bChosen = true;
}
