#include "platform/win/FolderListings.h"

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/win/GamePathText.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// Every byte with ASCII letters upper-cased: names equal without regard to ASCII case, and also
// names equal without regard to the case of single-byte Shift-JIS characters, share this key.
std::string FoldKey(std::string_view name)
{
    std::string key(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return key;
}

// Folders whose listings are kept at most; beyond that every listing is forgotten.
constexpr std::size_t kMaxKeptFolders = 256;

struct KeptListings {
    std::mutex mutex;
    std::unordered_map<std::string, FolderListing> byFolder;  // by absolute host folder
};

KeptListings& Kept()
{
    static KeptListings* const kept = new KeptListings;  // never destroyed: used until exit
    return *kept;
}

}  // namespace

bool FolderListing::Read(const std::string& folder)
{
    DirHandle dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) {
        return false;
    }
    m_entries.clear();
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        m_entries.emplace_back(FoldKey(name), std::string(name));
    }
    std::sort(m_entries.begin(), m_entries.end());
    return true;
}

bool FolderListing::Find(const std::string& name, const std::string& rawName, std::string& found) const
{
    const auto range = [this](const std::string& key) {
        return std::equal_range(m_entries.begin(), m_entries.end(), std::pair<std::string, std::string>(key, {}),
                                [](const auto& a, const auto& b) { return a.first < b.first; });
    };
    // ASCII folding is safe on UTF-8 (its multi-byte parts are all >= 0x80) but not on
    // Shift-JIS, whose trail bytes include ASCII letters: a name that is its own raw form may
    // be Shift-JIS, and is compared character by character.
    const bool tryRaw = rawName != name;
    const auto [first, last] = range(FoldKey(name));
    for (auto it = first; it != last; ++it) {
        if (tryRaw || EqualsNoCaseSjis(it->second, name)) {
            found = it->second;
            return true;
        }
    }
    if (tryRaw) {
        const auto [rawFirst, rawLast] = range(FoldKey(rawName));
        for (auto it = rawFirst; it != rawLast; ++it) {
            if (EqualsNoCaseSjis(it->second, rawName)) {
                found = it->second;
                return true;
            }
        }
    }
    return false;
}

HostEntryLookup FindHostEntryKept(const std::string& folder, const std::string& absoluteFolder, const std::string& name,
                                  const std::string& rawName, std::string& found)
{
    KeptListings& kept = Kept();
    {
        std::lock_guard lock(kept.mutex);
        const auto it = kept.byFolder.find(absoluteFolder);
        if (it != kept.byFolder.end() && it->second.Find(name, rawName, found)) {
            return HostEntryLookup::KeptHit;
        }
    }
    // Not kept, or a name the kept listing lacks (it may have been created since): read afresh.
    FolderListing fresh;
    if (!fresh.Read(folder)) {
        std::lock_guard lock(kept.mutex);
        kept.byFolder.erase(absoluteFolder);
        return HostEntryLookup::FolderUnreadable;
    }
    const bool hit = fresh.Find(name, rawName, found);
    std::lock_guard lock(kept.mutex);
    if (kept.byFolder.size() >= kMaxKeptFolders) {
        kept.byFolder.clear();
    }
    kept.byFolder.insert_or_assign(absoluteFolder, std::move(fresh));
    return hit ? HostEntryLookup::FreshHit : HostEntryLookup::FreshMiss;
}

void ForgetHostListings()
{
    KeptListings& kept = Kept();
    std::lock_guard lock(kept.mutex);
    kept.byFolder.clear();
}
