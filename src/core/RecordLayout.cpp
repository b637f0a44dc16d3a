#include "core/RecordLayout.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <typeindex>

#include "core/cDataRecord.h"

namespace {

std::ptrdiff_t OffsetIn(const void* owner, const void* member)
{
    return static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(member) -
                                       reinterpret_cast<std::uintptr_t>(owner));
}

enum class LayoutState {
    Candidate,  // at most one record offered it; waiting for a second one to agree
    Agreed,     // two records agreed: used for every record of the class
    Refused,    // records disagreed: never used without registering
};

struct LayoutEntry {
    LayoutEntry(const std::type_info& t, int v) : type(t), version(v) {}

    std::type_index type;
    int version;
    std::atomic<LayoutState> state{LayoutState::Candidate};
    const void* candidateOwner = nullptr;  // the record that offered the first layout
    RecordLayout layout;                   // the first layout offered; fixed once published
    std::atomic<const RecordLayout*> published{nullptr};  // &layout once it is set
};

// Every layout seen (one per record class and version in use). Never destroyed, so that records
// that register while the program ends still find their entries.
struct Layouts {
    std::mutex mutex;
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
        std::lock_guard lock(all.mutex);
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

constinit thread_local RecordLayout::AgreedSlot RecordLayout::agreed[RecordLayout::kAgreedSlots]{};

const RecordLayout* RecordLayout::FindAndRemember(const std::type_info& type, int nVersion)
{
    const LayoutEntry& entry = EntryOf(type, nVersion);
    if (entry.state.load(std::memory_order_acquire) != LayoutState::Agreed) {
        return nullptr;
    }
    agreed[AgreedSlotOf(type, nVersion)] = {&type, nVersion, &entry.layout};
    return &entry.layout;
}

const RecordLayout* RecordLayout::Hint(const std::type_info& type, int nVersion)
{
    return EntryOf(type, nVersion).published.load(std::memory_order_acquire);
}

void RecordLayout::Offer(const std::type_info& type, int nVersion, const cDataRecord& record)
{
    LayoutEntry& entry = EntryOf(type, nVersion);
    if (entry.state.load(std::memory_order_acquire) != LayoutState::Candidate) {
        return;
    }
    RecordLayout offered = Of(record);
    std::lock_guard lock(AllLayouts().mutex);
    if (entry.state.load(std::memory_order_relaxed) != LayoutState::Candidate || entry.candidateOwner == &record) {
        return;
    }
    if (!offered.Placeable()) {
        entry.state.store(LayoutState::Refused, std::memory_order_release);
        return;
    }
    if (entry.published.load(std::memory_order_relaxed) == nullptr) {
        entry.layout = std::move(offered);
        entry.layout.JoinRuns();
        entry.candidateOwner = &record;
        entry.published.store(&entry.layout, std::memory_order_release);
        return;
    }
    entry.state.store(offered == entry.layout ? LayoutState::Agreed : LayoutState::Refused, std::memory_order_release);
}

void RecordLayout::Refuse(const std::type_info& type, int nVersion)
{
    EntryOf(type, nVersion).state.store(LayoutState::Refused, std::memory_order_release);
    // Other threads may still remember the layout as agreed: a checked build registers every
    // record that gets it once more and keeps what RegisterMembers gives (cDataRecord::Register).
    AgreedSlot& slot = agreed[AgreedSlotOf(type, nVersion)];
    if (slot.type == &type && slot.version == nVersion) {
        slot = {};
    }
}
