#include "platform/win/FileFaults.h"

#include <atomic>
#include <mutex>
#include <vector>

#include "platform/win/Files.h"
#include "platform/win/PathMapper.h"

namespace {

struct FailureList {
    std::mutex mutex;
    std::vector<std::string> upperCasePaths;  // absolute host paths, ASCII upper case
    std::atomic<bool> any{false};
};

FailureList& Failures()
{
    static FailureList list;
    return list;
}

std::string Key(const std::string& hostPath)
{
    const std::string absolute = AbsoluteHostPath(hostPath);
    std::string key;
    key.reserve(absolute.size());
    for (char c : absolute) {
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

}  // namespace

void AddFileFailureForTest(const char* szPath)
{
    FailureList& list = Failures();
    const std::string key = Key(HostPath(szPath));
    std::lock_guard lock(list.mutex);
    list.upperCasePaths.push_back(key);
    list.any = true;
}

void ClearFileFailuresForTest()
{
    FailureList& list = Failures();
    std::lock_guard lock(list.mutex);
    list.upperCasePaths.clear();
    list.any = false;
}

bool IsFileFailureForTest(const std::string& hostPath)
{
    FailureList& list = Failures();
    if (!list.any) {
        return false;
    }
    const std::string key = Key(hostPath);
    std::lock_guard lock(list.mutex);
    for (const std::string& failing : list.upperCasePaths) {
        if (failing == key) {
            return true;
        }
    }
    return false;
}
