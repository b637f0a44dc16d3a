// RecordLayout: what one record class registers for one data version, as places inside the
// record, shared by every record of the class so that no record needs tables of its own.
//
// A registration names members of the record itself, and which ones depends only on the class and
// the version (the descriptor rebasing of the assignment relies on the same). Loading a file builds
// a record for each entry and each element of each list, and each registers by its RegisterMembers;
// the first registration of a class at a version is kept as the class's layout, and the records
// after it match what they register against it as they go:
// - a record whose registration places exactly match a layout's first places keeps a pointer to
//   the layout and walks it;
// - it builds tables of its own only when its registration departs from the layout, or when
//   something asks to see the tables.
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
    bool operator==(const RecordLayout& other) const { return members == other.members && strings == other.strings; }

    // The offset of a descriptor that another record owns.
    static constexpr std::ptrdiff_t kNotPlaceable = PTRDIFF_MIN;
    // False when a descriptor has no offset (kNotPlaceable).
    bool Placeable() const;

    // The places that record registered last (its shared layout's or its own tables').
    static RecordLayout Of(const cDataRecord& record);

    // The first layout that a record of class type offered for nVersion (nullptr when none was
    // offered): the places a new registration of the class is matched against.
    static const RecordLayout* Hint(const std::type_info& type, int nVersion);
    // Offers what record, of class type, has just registered for nVersion by its own
    // RegisterMembers: kept as the class's layout when it is the first that names only places
    // inside the record.
    static void Offer(const std::type_info& type, int nVersion, const cDataRecord& record);
};
