// Files, folders and paths as the game sees them.
//
// Paths are Windows style: Shift-JIS bytes, '\' separators, no regard to case. The mapping to a
// host path decodes Shift-JIS first (a trail byte can be 0x5C), then turns '\' into '/', then
// finds each component in its folder without regard to case (when two entries differ only in
// case, the one that sorts first byte-wise wins). A component that does not exist keeps the
// spelling given, so that new files can be created.
//
// Absolute paths are written "Z:\" followed by the host path with '\' separators (the host path
// "/home/me/game" is "Z:\home\me\game"), so that full and relative paths round-trip through the
// game's path helpers. Every other drive letter also stands for the host root.
// A relative path is taken from the current folder, which is the game folder.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

// Maps a game path to the host path (UTF-8, '/' separators). Never fails; see the file comment.
// Folder listings are kept between calls (FolderListings.h); a path built from a kept listing is
// checked to exist, and mapped again from fresh listings when it does not.
std::string HostPath(const char* szPath);
// The game's form of a host path: "Z:\..." for absolute paths, Shift-JIS, '\' separators.
std::string GamePath(const std::string& hostPath);

// C stdio through the path mapping. Modes: "rb", "wb", "ab" (binary, nothing translated),
// "rt"/"r" (text: CR LF read as "\n"), "wt"/"w" (text: "\n" written as CR LF), "rt+"/"r+"
// (update, fails when the file is missing), "at"/"a" (append). Returns nullptr on failure.
// The result is closed with fclose as usual.
FILE* FOpen(const char* szPath, const char* szMode);

DWORD GetFileAttributesA(const char* szPath);
// Creates one folder; fails when it exists or the parent is missing.
BOOL CreateDirectoryA(const char* szPath, void* lpSecurityAttributes);
BOOL DeleteFileA(const char* szPath);
BOOL RemoveDirectoryA(const char* szPath);
// Renames, replacing an existing target (the safe-save rename).
BOOL MoveFileReplaceA(const char* szFrom, const char* szTo);
// Length written without the NUL; when the buffer is too small, the size needed with the NUL.
DWORD GetCurrentDirectoryA(DWORD nBufferLength, char* szBuffer);
BOOL SetCurrentDirectoryA(const char* szPath);
// Makes szFileName absolute against the current folder, folding "." and ".."; *lpFilePart points
// at the last component in the buffer when not null. Return value as GetCurrentDirectoryA.
DWORD GetFullPathNameA(const char* szFileName, DWORD nBufferLength, char* szBuffer, char** lpFilePart);
// Relative path from szFrom to szTo (MAX_PATH buffer); FALSE when they have no common root.
// dwAttrFrom/dwAttrTo say whether each is a folder (FILE_ATTRIBUTE_DIRECTORY) or a file (0).
BOOL PathRelativePathToA(char* szPath, const char* szFrom, DWORD dwAttrFrom, const char* szTo, DWORD dwAttrTo);

// Shell folder operations, as SHFileOperationA does them without prompts.
constexpr UINT FO_MOVE = 0x0001;
constexpr UINT FO_COPY = 0x0002;
constexpr UINT FO_DELETE = 0x0003;
constexpr UINT FO_RENAME = 0x0004;
struct SHFILEOPSTRUCTA {
    HWND hwnd = nullptr;
    UINT wFunc = 0;
    const char* pFrom = nullptr;  // double-NUL terminated list; the first entry is used
    const char* pTo = nullptr;    // double-NUL terminated list; the first entry is used
    WORD fFlags = 0;              // accepted and ignored (no prompts, no progress)
    BOOL fAnyOperationsAborted = FALSE;
};
// FO_COPY copies a file, or a folder recursively, as pTo (which must not exist and must not lie
// inside the folder copied); FO_DELETE removes a file or folder recursively (links are removed,
// not followed). 0 on success, a Windows error number otherwise; FO_MOVE and FO_RENAME are not
// provided. A failed copy removes what it created and nothing else.
int SHFileOperationA(SHFILEOPSTRUCTA* lpFileOp);

// Free bytes on the volume of szDirectory (statvfs); any pointer may be null.
BOOL GetDiskFreeSpaceExA(const char* szDirectory, ULARGE_INTEGER* lpFreeBytesAvailable, ULARGE_INTEGER* lpTotalBytes,
                         ULARGE_INTEGER* lpTotalFreeBytes);

// Host file names, as a list of entries (not "." or ".."): for file dialogs and numbered files.
// szPattern is a folder path plus a last component with '*' and '?' (matched without case).
// Returns the matching names (Shift-JIS) and whether each is a folder.
struct FindEntry {
    std::string name;
    bool bDirectory = false;
};
// "*.*" matches every name, with or without a dot. The list is sorted without regard to case.
// Host names that the game could not reach (not expressible in Shift-JIS) are left out. false when
// the folder cannot be read; true with an empty list when nothing matches.
bool FindFiles(const char* szPattern, std::vector<FindEntry>& out);

// Test hooks. AddFileFailureForTest makes every function here refuse the file or folder szPath
// (a game path, taken from the current folder at the time of the call), as the host refuses an
// unreadable file or an uncreatable folder: FOpen, CreateDirectoryA, DeleteFileA,
// RemoveDirectoryA, MoveFileReplaceA and each step of SHFileOperationA fail on it.
// ClearFileFailuresForTest removes them all.
void AddFileFailureForTest(const char* szPath);
void ClearFileFailuresForTest();
