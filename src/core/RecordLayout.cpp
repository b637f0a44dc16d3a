#include "core/RecordLayout.h"

#include <atomic>
#include <memory>
#include <typeindex>

#include "core/cDataRecord.h"
#include "platform/win/ThreadLock.h"

namespace {

std::ptrdiff_t OffsetIn(const void* owner, const void* member)
{
    return static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(member) -
                                       reinterpret_cast<std::uintptr_t>(owner));
}

struct LayoutEntry {
    LayoutEntry(const std::type_info& t, int v) : type(t), version(v) {}

    std::type_index type;
    int version;
    std::atomic<bool> unplaceable{false};                 // a record offered a registration with outside members
    RecordLayout layout;                                  // the first placeable layout offered; fixed once published
    std::atomic<const RecordLayout*> published{nullptr};  // &layout once it is set
};

// Every layout seen (one per record class and version in use). Never destroyed, so that records
// that register while the program ends still find their entries.
struct Layouts {
    ThreadLock mutex;
    std::vector<std::unique_ptr<LayoutEntry>> entries;
};
Layouts& AllLayouts()
{
    static Layouts* const all = new Layouts;
    return *all;
}

// The entries this thread used, by a hash of class and version; a slot holds the last one asked
// for there. Entries live as long as the program, so a slot needs no lock.
struct RecentEntry {
    const std::type_info* type = nullptr;
    int version = 0;
    LayoutEntry* entry = nullptr;
};
constexpr std::size_t kRecentSlots = 64;
thread_local RecentEntry recent[kRecentSlots];

std::size_t RecentSlot(const std::type_info& type, int nVersion)
{
    const auto key = reinterpret_cast<std::uintptr_t>(&type) >> 4;
    return (key ^ (key >> 6) ^ static_cast<std::uintptr_t>(nVersion)) % kRecentSlots;
}

// The entry of type at nVersion, made when missing.
LayoutEntry& EntryOf(const std::type_info& type, int nVersion)
{
    RecentEntry& slot = recent[RecentSlot(type, nVersion)];
    if (slot.type == &type && slot.version == nVersion) [[likely]] {
        return *slot.entry;
    }
    LayoutEntry* found = nullptr;
    {
        Layouts& all = AllLayouts();
        ThreadLockHolder lock(all.mutex);
        const std::type_index key(type);
        for (const auto& entry : all.entries) {
            if (entry->version == nVersion && entry->type == key) {
                found = entry.get();
                break;
            }
        }
        if (found == nullptr) {
            all.entries.push_back(std::make_unique<LayoutEntry>(type, nVersion));
            found = all.entries.back().get();
        }
    }
    slot = {&type, nVersion, found};
    return *found;
}

}  // namespace

RecordLayout RecordLayout::Of(const cDataRecord& record)
{
    RecordLayout layout;
    if (const RecordLayout* shared = record.m_pLayout) {
        layout.members.assign(shared->members.begin(), shared->members.begin() + record.m_nLayoutMembers);
        layout.strings.assign(shared->strings.begin(), shared->strings.begin() + record.m_nLayoutStrings);
        return layout;
    }
    if (!record.m_pTables) {
        return layout;
    }
    layout.members.reserve(record.m_pTables->members.size());
    for (const MEMBERINFO& member : record.m_pTables->members) {
        // A descriptor owned by another record cannot be placed by an offset from this one.
        const std::ptrdiff_t offset = member.lpOwner == &record ? OffsetIn(&record, member.lpData) : kNotPlaceable;
        layout.members.push_back({offset, member.nCount, member.nSize});
    }
    layout.strings.reserve(record.m_pTables->strings.size());
    for (const STRMEMBERINFO& member : record.m_pTables->strings) {
        layout.strings.push_back(member.lpOwner == &record ? OffsetIn(&record, member.lpStr) : kNotPlaceable);
    }
    return layout;
}

void RecordLayout::JoinRuns()
{
    runs.clear();
    rawBytes = 0;
    for (const Member& member : members) {
        const std::size_t bytes = member.Bytes();
        if (bytes == 0) {
            continue;
        }
        if (!runs.empty() && runs.back().offset + static_cast<std::ptrdiff_t>(runs.back().bytes) == member.offset) {
            runs.back().bytes += bytes;
        } else {
            runs.push_back({member.offset, bytes});
        }
        rawBytes += bytes;
    }
}

bool RecordLayout::Placeable() const
{
    for (const Member& member : members) {
        if (member.offset == kNotPlaceable) {
            return false;
        }
    }
    for (std::ptrdiff_t offset : strings) {
        if (offset == kNotPlaceable) {
            return false;
        }
    }
    return true;
}

const RecordLayout* RecordLayout::Hint(const std::type_info& type, int nVersion)
{
    return EntryOf(type, nVersion).published.load(std::memory_order_acquire);
}

void RecordLayout::Offer(const std::type_info& type, int nVersion, const cDataRecord& record)
{
    LayoutEntry& entry = EntryOf(type, nVersion);
    // The common case: the class has its layout already.
    if (entry.published.load(std::memory_order_acquire) != nullptr || entry.unplaceable.load(std::memory_order_acquire))
        [[likely]] {
        return;
    }
    RecordLayout offered = Of(record);
    ThreadLockHolder lock(AllLayouts().mutex);
    if (entry.published.load(std::memory_order_relaxed) != nullptr) {
        return;
    }
    if (!offered.Placeable()) {
        // A class that registers members outside its records is registered by tables of each
        // record's own.
        entry.unplaceable.store(true, std::memory_order_release);
        return;
    }
    entry.layout = std::move(offered);
    entry.layout.JoinRuns();
    entry.published.store(&entry.layout, std::memory_order_release);
}
