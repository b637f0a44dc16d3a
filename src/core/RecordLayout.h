// RecordLayout: what one record class registers for one data version, as places inside the
// record, so that the next record of the class can have the same tables without running its
// RegisterMembers again.
//
// A registration names members of the record itself, and which ones depends only on the class and
// the version (the descriptor rebasing of the assignment relies on the same). Loading a file builds
// a record, and so its tables, for each entry and each element of each list, so the base class
// registers through these layouts (cDataRecord::Register). A layout is used only once two
// different records of the class have registered exactly the same places; a class whose records
// register different places is always registered by its own RegisterMembers.
//
// Thread-safe: layouts are shared by all threads, and each thread remembers the ones it used last.
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
    };
    std::vector<Member> members;
    // String members: offsets of the strings from the record's base part.
    std::vector<std::ptrdiff_t> strings;

    bool operator==(const RecordLayout&) const = default;

    // The offset of a descriptor that another record owns.
    static constexpr std::ptrdiff_t kNotPlaceable = PTRDIFF_MIN;
    // False when a descriptor has no offset (kNotPlaceable).
    bool Placeable() const;

    // The layout of the tables of record (as its last registration left them).
    static RecordLayout Of(const cDataRecord& record);

    // The layout of class type (the record's dynamic type) at nVersion, once two records of the
    // class agreed on it; nullptr until then, and for a class whose records disagree. The
    // result stays valid for the life of the program.
    static const RecordLayout* Find(const std::type_info& type, int nVersion);
    // Offers what record, of class type, has just registered for nVersion by its own
    // RegisterMembers.
    static void Offer(const std::type_info& type, int nVersion, const cDataRecord& record);
    // Never uses a layout for class type at nVersion again (a check found that a record of the
    // class registered something else).
    static void Refuse(const std::type_info& type, int nVersion);

    // The table sizes that class type registered last on this thread, or that its records agreed
    // on (any version; 0 and 0 when unknown): the room a new record of the class gets at its first
    // registration.
    struct TableSizes {
        std::size_t members = 0;
        std::size_t strings = 0;
    };
    static TableSizes LastSizes(const std::type_info& type);
    static void NoteSizes(const std::type_info& type, TableSizes sizes);
};
