#include "platform/win/DynamicLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

namespace {

std::mutex g_BlockedLock;
std::set<std::string> g_Blocked;

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// "Vox.dll" -> "libvox.so"; names without ".dll" only get the case folded.
std::string SharedObjectName(const char* szLibFileName)
{
    std::string name = LowerCase(szLibFileName);
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0)
        return "lib" + name.substr(0, name.size() - 4) + ".so";
    return name;
}

bool IsBlocked(const char* szLibFileName)
{
    std::lock_guard<std::mutex> lock(g_BlockedLock);
    return g_Blocked.count(SharedObjectName(szLibFileName)) != 0;
}

void* OpenFirstFound(const std::string& soName)
{
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    for (int level = 0; !ec && level <= 3 && !folder.empty(); ++level) {
        const std::filesystem::path candidate = folder / soName;
        std::error_code missing;
        if (std::filesystem::is_regular_file(candidate, missing)) {
            if (void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) return handle;
        }
        if (folder == folder.parent_path()) break;
        folder = folder.parent_path();
    }
    return dlopen(soName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

}  // namespace

HMODULE LoadLibraryA(const char* szLibFileName)
{
    if (szLibFileName == nullptr || *szLibFileName == '\0' || IsBlocked(szLibFileName)) return nullptr;
    return static_cast<HMODULE>(OpenFirstFound(SharedObjectName(szLibFileName)));
}

FARPROC GetProcAddress(HMODULE hModule, const char* szProcName)
{
    if (hModule == nullptr || szProcName == nullptr) return nullptr;
    return reinterpret_cast<FARPROC>(dlsym(hModule, szProcName));
}

BOOL FreeLibrary(HMODULE hModule)
{
    if (hModule == nullptr) return FALSE;
    return dlclose(hModule) == 0 ? TRUE : FALSE;
}

void BlockLibraryForTests(const char* szLibFileName, bool bBlock)
{
    std::lock_guard<std::mutex> lock(g_BlockedLock);
    const std::string name = SharedObjectName(szLibFileName);
    if (bBlock)
        g_Blocked.insert(name);
    else
        g_Blocked.erase(name);
}
