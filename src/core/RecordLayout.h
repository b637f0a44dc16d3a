// RecordLayout: what one record class registers for one data version, as places inside the
// record, shared by every record of the class so that no record needs tables of its own.
//
// A registration names members of the record itself, and which ones depends only on the class and
// the version (the descriptor rebasing of the assignment relies on the same). Loading a file builds
// a record for each entry and each element of each list, so the base class registers through
// these layouts (cDataRecord::Register):
// - a record whose registration places exactly match a layout's first places keeps a pointer to
//   the layout and walks it; it builds tables of its own only when its registration departs from
//   the layout, or when something asks to see the tables;
// - once two different records of a class have registered exactly the same places for a version,
//   the layout is agreed, and later records of the class get it without running their
//   RegisterMembers at all; a class whose records register different places is always
//   registered by its own RegisterMembers.
//
// Layouts are immutable once made and live as long as the program. Thread-safe: layouts are shared
// by all threads, and each thread remembers the ones it used last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <typeinfo>
#include <vector>

class cDataRecord;

struct RecordLayout {
    // A raw member: nCount elements of nSize bytes at offset bytes from the record's base part.
    struct Member {
        std::ptrdiff_t offset = 0;
        std::int32_t nCount = 0;
        std::int8_t nSize = 0;
        bool operator==(const Member&) const = default;
        // Its bytes in the record (nCount >= 0).
        std::size_t Bytes() const { return static_cast<std::size_t>(nCount) * static_cast<std::size_t>(nSize); }
    };
    std::vector<Member> members;
    // String members: offsets of the strings from the record's base part.
    std::vector<std::ptrdiff_t> strings;

    // Derived from members by JoinRuns, and not compared: the members as blocks that lie back to
    // back both in the file and in the record, so that a whole raw part is copied block by block.
    struct Run {
        std::ptrdiff_t offset = 0;
        std::size_t bytes = 0;
    };
    std::vector<Run> runs;
    std::size_t rawBytes = 0;  // the bytes of all members
    void JoinRuns();

    // Two layouts are equal when they name the same places.
    bool operator==(const RecordLayout& other) const
    {
        return members == other.members && strings == other.strings;
    }

    // The offset of a descriptor that another record owns.
    static constexpr std::ptrdiff_t kNotPlaceable = PTRDIFF_MIN;
    // False when a descriptor has no offset (kNotPlaceable).
    bool Placeable() const;

    // The places that record registered last (its shared layout's or its own tables').
    static RecordLayout Of(const cDataRecord& record);

    // The layout of class type (the record's dynamic type) at nVersion, once two records of the
    // class agreed on it; nullptr until then, and for a class whose records disagree. The
    // result stays valid for the life of the program. Every record that loads asks: the answers
    // found agreed are remembered per thread, and asking again costs a comparison.
    static const RecordLayout* Find(const std::type_info& type, int nVersion)
    {
        const AgreedSlot& slot = agreed[AgreedSlotOf(type, nVersion)];
        if (slot.type == &type && slot.version == nVersion) [[likely]] {
            return slot.layout;
        }
        return FindAndRemember(type, nVersion);
    }
    // The first layout that a record of class type offered for nVersion, agreed or not (nullptr
    // when none was offered): the places a new registration of the class is matched against.
    static const RecordLayout* Hint(const std::type_info& type, int nVersion);
    // Offers what record, of class type, has just registered for nVersion by its own
    // RegisterMembers.
    static void Offer(const std::type_info& type, int nVersion, const cDataRecord& record);
    // Never uses a layout for class type at nVersion again (a check found that a record of the
    // class registered something else).
    static void Refuse(const std::type_info& type, int nVersion);

private:
    // This thread's agreed layouts, by a hash of class and version (only Refuse, in checked
    // builds, takes an agreement back).
    struct AgreedSlot {
        const std::type_info* type = nullptr;
        int version = 0;
        const RecordLayout* layout = nullptr;
    };
    static constexpr std::size_t kAgreedSlots = 64;
    static constinit thread_local AgreedSlot agreed[kAgreedSlots];

    static std::size_t AgreedSlotOf(const std::type_info& type, int nVersion)
    {
        const auto key = reinterpret_cast<std::uintptr_t>(&type) >> 4;
        return (key ^ (key >> 6) ^ static_cast<std::uintptr_t>(nVersion)) % kAgreedSlots;
    }
    static const RecordLayout* FindAndRemember(const std::type_info& type, int nVersion);
};
