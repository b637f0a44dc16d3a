// Files and folders through the path mapping: stdio, attributes, create/delete/rename, the
// current folder and free disk space.
#include "platform/win/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/win/FileFaults.h"
#include "platform/win/FileSync.h"
#include "platform/win/FolderListings.h"
#include "platform/win/TextModeFile.h"

namespace {

bool IsTooLong(const char* szPath)
{
    return strnlen(szPath, MAX_PATH) >= static_cast<std::size_t>(MAX_PATH);
}

// The host path for a file function; false for a null, empty or over-long path (Windows refuses
// paths of MAX_PATH bytes and more).
bool MapPath(const char* szPath, std::string& host)
{
    if (szPath == nullptr || *szPath == '\0' || IsTooLong(szPath)) {
        return false;
    }
    host = HostPath(szPath);
    return true;
}

// As MapPath, for functions that open, create or remove: false also for a path a test made fail.
bool MapPathToUse(const char* szPath, std::string& host)
{
    return MapPath(szPath, host) && !IsFileFailureForTest(host);
}

struct OpenMode {
    int flags = 0;
    const char* stdioMode = "r";  // the mode for fdopen/fopencookie, without 't' and 'b'
    bool text = true;
    bool append = false;
};

// "r", "w", "a", each with optional '+', and 't' (text, the default) or 'b' (binary).
bool ParseOpenMode(const char* szMode, OpenMode& mode)
{
    if (szMode == nullptr) {
        return false;
    }
    const bool update = std::strchr(szMode, '+') != nullptr;
    mode.text = std::strchr(szMode, 'b') == nullptr;
    switch (szMode[0]) {
    case 'r':
        mode.flags = update ? O_RDWR : O_RDONLY;
        mode.stdioMode = update ? "r+" : "r";
        return true;
    case 'w':
        mode.flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
        mode.stdioMode = update ? "w+" : "w";
        return true;
    case 'a':
        mode.flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        mode.stdioMode = update ? "a+" : "a";
        mode.append = true;
        return true;
    default: return false;
    }
}

BOOL ToBool(bool ok)
{
    return ok ? TRUE : FALSE;
}

// For a call that creates, renames or removes (result 0 on success): the kept folder listings no
// longer describe the folders. True when the call succeeded.
bool ForgetListingsAfter(int result)
{
    ForgetHostListings();
    return result == 0;
}

}  // namespace

FILE* FOpen(const char* szPath, const char* szMode)
{
    OpenMode mode;
    std::string host;
    if (!ParseOpenMode(szMode, mode) || !MapPathToUse(szPath, host)) {
        return nullptr;
    }
    // Opened without waiting, so that a FIFO or a device in place of a file cannot block; only
    // regular files are files here (Windows opens no folder as a file either).
    const int fd = ::open(host.c_str(), mode.flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        return nullptr;
    }
    if ((mode.flags & O_CREAT) != 0) {
        ForgetHostListings();  // the file may be new
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    if (mode.text) {
        return OpenTextModeFile(fd, mode.stdioMode, mode.append);
    }
    FILE* file = ::fdopen(fd, mode.stdioMode);
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

BOOL FlushFileToDisk(FILE* fp)
{
    if (fp == nullptr || std::fflush(fp) != 0) {
        return FALSE;
    }
    const int fd = ::fileno(fp);
    // A text-mode file of OpenTextModeFile has no descriptor of its own: fflush is all there is.
    return ToBool(fd < 0 || ::fsync(fd) == 0);
}

DWORD GetFileAttributesA(const char* szPath)
{
    std::string host;
    struct stat info {};
    if (!MapPath(szPath, host) || ::stat(host.c_str(), &info) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(info.st_mode)) {
        return FILE_ATTRIBUTE_DIRECTORY;
    }
    return (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL CreateDirectoryA(const char* szPath, void* /*lpSecurityAttributes*/)
{
    std::string host;
    return ToBool(MapPathToUse(szPath, host) && ForgetListingsAfter(::mkdir(host.c_str(), 0777)));
}

BOOL DeleteFileA(const char* szPath)
{
    std::string host;
    return ToBool(MapPathToUse(szPath, host) && ForgetListingsAfter(::unlink(host.c_str())));
}

BOOL RemoveDirectoryA(const char* szPath)
{
    std::string host;
    return ToBool(MapPathToUse(szPath, host) && ForgetListingsAfter(::rmdir(host.c_str())));
}

BOOL MoveFileReplaceA(const char* szFrom, const char* szTo)
{
    std::string hostFrom;
    std::string hostTo;
    return ToBool(MapPathToUse(szFrom, hostFrom) && MapPathToUse(szTo, hostTo) &&
                  ForgetListingsAfter(::rename(hostFrom.c_str(), hostTo.c_str())));
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, char* szBuffer)
{
    std::unique_ptr<char, decltype(&free)> cwd(::getcwd(nullptr, 0), &free);
    if (!cwd) {
        return 0;
    }
    const std::string game = GamePath(cwd.get());
    if (szBuffer == nullptr || game.size() >= nBufferLength) {
        return static_cast<DWORD>(game.size() + 1);
    }
    std::memcpy(szBuffer, game.c_str(), game.size() + 1);
    return static_cast<DWORD>(game.size());
}

BOOL SetCurrentDirectoryA(const char* szPath)
{
    std::string host;
    return ToBool(MapPath(szPath, host) && ::chdir(host.c_str()) == 0);
}

BOOL GetDiskFreeSpaceExA(const char* szDirectory, ULARGE_INTEGER* lpFreeBytesAvailable, ULARGE_INTEGER* lpTotalBytes,
                         ULARGE_INTEGER* lpTotalFreeBytes)
{
    std::string host = ".";
    if (szDirectory != nullptr && !MapPath(szDirectory, host)) {
        return FALSE;
    }
    struct statvfs info {};
    if (::statvfs(host.c_str(), &info) != 0) {
        return FALSE;
    }
    const ULONGLONG unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    if (lpFreeBytesAvailable != nullptr) {
        lpFreeBytesAvailable->QuadPart = static_cast<ULONGLONG>(info.f_bavail) * unit;
    }
    if (lpTotalBytes != nullptr) {
        lpTotalBytes->QuadPart = static_cast<ULONGLONG>(info.f_blocks) * unit;
    }
    if (lpTotalFreeBytes != nullptr) {
        lpTotalFreeBytes->QuadPart = static_cast<ULONGLONG>(info.f_bfree) * unit;
    }
    return TRUE;
}
