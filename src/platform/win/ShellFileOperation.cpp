// SHFileOperationA: recursive folder copy and delete, without prompts or progress.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/FileFaults.h"
#include "platform/win/Files.h"
#include "platform/win/FolderListings.h"
#include "platform/win/PathMapper.h"

namespace {

// Results other than 0, Windows error numbers.
constexpr int kErrorFileNotFound = 2;
constexpr int kErrorAccessDenied = 5;
constexpr int kErrorInvalidParameter = 87;
constexpr int kErrorAlreadyExists = 183;

// Bound the recursion: a link that points back up the tree would otherwise copy for ever, and a
// very deep tree would exhaust the stack.
constexpr int kMaxDepth = 64;
constexpr int kMaxDeleteDepth = 256;

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

std::vector<std::string> ListFolder(const std::string& folder, bool& ok)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    ok = dir != nullptr;
    while (ok) {
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            break;
        }
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    return names;
}

std::string Join(const std::string& folder, const std::string& name)
{
    return (!folder.empty() && folder.back() == '/') ? folder + name : folder + "/" + name;
}

bool CopyFileContents(const std::string& from, const std::string& to, mode_t mode)
{
    if (IsFileFailureForTest(from) || IsFileFailureForTest(to)) {
        return false;
    }
    Fd in{::open(from.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) {
        return false;
    }
    Fd out{::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777)};
    if (out.fd < 0) {
        return false;
    }
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out.fd, buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                return false;
            }
            done += put;
        }
    }
    const int fd = out.fd;
    out.fd = -1;
    return ::close(fd) == 0;
}

bool CopyFolder(const std::string& from, const std::string& to, int depth);

// Copies what the folder `from` holds into the existing folder `to`. Entries that are neither
// files nor folders (pipes, devices) are left out.
bool CopyFolderContents(const std::string& from, const std::string& to, int depth)
{
    bool ok = false;
    const std::vector<std::string> names = ListFolder(from, ok);
    for (const std::string& name : names) {
        if (!ok) {
            break;
        }
        const std::string source = Join(from, name);
        const std::string target = Join(to, name);
        struct stat info {};
        if (::stat(source.c_str(), &info) != 0) {
            ok = false;
        } else if (S_ISDIR(info.st_mode)) {
            ok = CopyFolder(source, target, depth + 1);
        } else if (S_ISREG(info.st_mode)) {
            ok = CopyFileContents(source, target, info.st_mode);
        }
    }
    return ok;
}

// Copies the folder `from` as the new folder `to`.
bool CopyFolder(const std::string& from, const std::string& to, int depth)
{
    if (depth > kMaxDepth || IsFileFailureForTest(to) || ::mkdir(to.c_str(), 0777) != 0) {
        return false;
    }
    return CopyFolderContents(from, to, depth);
}

// Removes a file, a link (not what it points to) or a folder with everything in it.
bool DeleteTree(const std::string& path, int depth)
{
    struct stat info {};
    if (depth > kMaxDeleteDepth || IsFileFailureForTest(path) || ::lstat(path.c_str(), &info) != 0) {
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        return ::unlink(path.c_str()) == 0;
    }
    bool ok = false;
    const std::vector<std::string> names = ListFolder(path, ok);
    for (const std::string& name : names) {
        ok = DeleteTree(Join(path, name), depth + 1) && ok;
    }
    return ok && ::rmdir(path.c_str()) == 0;
}

std::string RealPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&free)> real(::realpath(path.c_str(), nullptr), &free);
    return real ? std::string(real.get()) : std::string();
}

// True when `to` would lie inside (or be) the folder `from`: such a copy never ends.
bool IsInside(const std::string& from, const std::string& to)
{
    const std::string source = RealPath(from);
    const std::string target = AbsoluteHostPath(to);
    const std::size_t slash = target.rfind('/');
    const std::string parent = RealPath(slash == 0 ? "/" : target.substr(0, slash));
    if (source.empty() || parent.empty()) {
        return false;
    }
    const std::string resolved = Join(parent, target.substr(slash + 1));
    return resolved == source || resolved.compare(0, source.size() + 1, source + "/") == 0;
}

int Copy(const std::string& from, const std::string& to)
{
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0) {
        return kErrorFileNotFound;
    }
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        return kErrorAlreadyExists;
    }
    if (S_ISREG(info.st_mode)) {
        if (CopyFileContents(from, to, info.st_mode)) {
            return 0;
        }
        ::unlink(to.c_str());  // only reached after this call created it (O_EXCL)
        return kErrorAccessDenied;
    }
    if (!S_ISDIR(info.st_mode) || IsInside(from, to)) {
        return kErrorInvalidParameter;
    }
    if (IsFileFailureForTest(to) || ::mkdir(to.c_str(), 0777) != 0) {
        return kErrorAccessDenied;
    }
    if (CopyFolderContents(from, to, 0)) {
        return 0;
    }
    DeleteTree(to, 0);  // this copy made the folder: everything under it is its own
    return kErrorAccessDenied;
}

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCTA* lpFileOp)
{
    if (lpFileOp == nullptr || lpFileOp->pFrom == nullptr || *lpFileOp->pFrom == '\0' ||
        strnlen(lpFileOp->pFrom, MAX_PATH) >= MAX_PATH) {
        return kErrorInvalidParameter;
    }
    lpFileOp->fAnyOperationsAborted = FALSE;
    const std::string from = HostPath(lpFileOp->pFrom);
    switch (lpFileOp->wFunc) {
    case FO_COPY: {
        if (lpFileOp->pTo == nullptr || *lpFileOp->pTo == '\0' || strnlen(lpFileOp->pTo, MAX_PATH) >= MAX_PATH) {
            return kErrorInvalidParameter;
        }
        const int result = Copy(from, HostPath(lpFileOp->pTo));
        ForgetHostListings();  // even a failed copy may have made and removed things
        return result;
    }
    case FO_DELETE: {
        struct stat info {};
        if (::lstat(from.c_str(), &info) != 0) {
            return kErrorFileNotFound;
        }
        const bool deleted = DeleteTree(from, 0);
        ForgetHostListings();
        return deleted ? 0 : kErrorAccessDenied;
    }
    default: return kErrorInvalidParameter;  // moving and renaming are not provided
    }
}
