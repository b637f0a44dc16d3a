// cDataRecord: the base class of every persistent record (settings, databases, world map,
// palettes, stages, saves, options, rankings, replays).
//
// A record does not write itself field by field: its RegisterMembers (version) lists, in file
// order, the members that a file of that version holds (raw members, string members); the base
// class reads and writes whatever was registered. A member that a class gained at version T is
// registered only for versions >= T, so one class reads every older layout of its file. Every
// operation that walks the members registers the record first.
//
// What a record registered is normally not stored in the record: records of one class share the
// places the class registered first (see RecordLayout.h), and a record whose registration matches
// them keeps only a pointer to them. Descriptor tables of its own (MEMBERINFO, STRMEMBERINFO)
// exist only for a record whose registration departs from them, and on request (MemberTable,
// StrMemberTable).
//
// One record in a file: int32 n, then the n raw members' bytes; int32 s, then each string as
// int32 L (its length + 1) and, unless L is 1, its L bytes including the NUL; then the class's
// own lists (see RecordList.h), read by its Load after the base part.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>

#include "core/RecordFile.h"
#include "core/RecordLayout.h"
#include "core/cVector.h"

class cDataRecord;
class RecordImage;
class RecordReader;

// One raw member: nCount consecutive elements of nSize bytes (1, 2, 4 or 8) at lpData, inside the
// record lpOwner.
struct MEMBERINFO {
    cDataRecord* lpOwner = nullptr;
    void* lpData = nullptr;
    std::int32_t nCount = 0;
    std::int8_t nSize = 0;

    MEMBERINFO() = default;
    MEMBERINFO(cDataRecord* owner, void* data, std::int32_t count, std::int8_t size)
        : lpOwner(owner), lpData(data), nCount(count), nSize(size)
    {}
    MEMBERINFO(const MEMBERINFO&) = default;
    // Keeps this descriptor's owner and points it at the same offset inside it as the source
    // has inside its own owner: a table assigned from another record of the same class names the
    // target's members. A descriptor without owner takes the source's as it is.
    MEMBERINFO& operator=(const MEMBERINFO& source);
};

// One string member: the standard string at lpStr inside the record lpOwner.
struct STRMEMBERINFO {
    cDataRecord* lpOwner = nullptr;
    std::string* lpStr = nullptr;

    STRMEMBERINFO() = default;
    STRMEMBERINFO(cDataRecord* owner, std::string* str) : lpOwner(owner), lpStr(str) {}
    STRMEMBERINFO(const STRMEMBERINFO&) = default;
    // Rebases like MEMBERINFO's assignment.
    STRMEMBERINFO& operator=(const STRMEMBERINFO& source);
};

// Texts are saved with at most this many bytes (the format's limit); longer ones are cut at a
// character boundary.
constexpr std::size_t kMaxSavedStringBytes = 5119;

class cDataRecord {
public:
    // Nothing registered; a derived constructor registers its members for nDataVersion and sets
    // its defaults.
    cDataRecord() = default;
    // The copy starts with nothing registered: its first member-walking operation registers it,
    // so it never walks the source's members.
    cDataRecord(const cDataRecord&) {}
    virtual ~cDataRecord() = default;

    // Called by the assignment on its source record with nDataVersion; empty in every record.
    virtual void OnCopySource(int nVersion) const;
    // Registers the members for the data version nVersion. Every override begins with
    // ClearMemberList and then adds the members in file order. What it registers must depend
    // only on the class and nVersion, and name members of this record: the assignment rebases
    // the registration by offset.
    virtual void RegisterMembers(int nVersion);
    // Reads the record from a file opened by OpenDatLoad, laid out for nFileVersion; then
    // registers for nDataVersion again. The base version reads the raw members and the strings;
    // a class with lists calls it first, then reads its lists. 1, or 0 when the data do not fit
    // the record (a count or length beyond the end of the file, a negative count, a string length
    // below 1): reading stops there, and the members not yet read keep their values. Members
    // beyond those this version registers (a file written by a newer version) are each reported
    // as a bad index, which asks the program to close, and passed over; the load goes on. Inside
    // a FileReadScope (a user's file, a stage) the bad index is counted there instead and the load
    // stops with 0.
    virtual int Load(FILE* fp);
    // Writes the record for nDataVersion in the same order. 1, or 0 when a write failed.
    virtual int Save(FILE* fp);

    // Registers this record, lets the source know (OnCopySource), and takes the source's
    // registration as it stands, rebased onto this record; copies no member values. A derived
    // assignment runs this first and then copies its own members and lists.
    cDataRecord& operator=(const cDataRecord& source);

    // Registration, called by RegisterMembers. The typed forms check the element width.
    void ClearMemberList();
    template <class T>
    void AddDwordMember(T* p, int nCount)
    {
        AddRaw<T, 4>(p, nCount);
    }
    template <class T>
    void AddWordMember(T* p, int nCount)
    {
        AddRaw<T, 2>(p, nCount);
    }
    template <class T>
    void AddByteMember(T* p, int nCount)
    {
        AddRaw<T, 1>(p, nCount);
    }
    template <class T>
    void AddQwordMember(T* p, int nCount)
    {
        AddRaw<T, 8>(p, nCount);
    }
    // Registers nCount consecutive strings starting at p (the system passes 1).
    void AddStrMember(std::string* p, int nCount);

    // Registers for nDataVersion, zeroes every raw member and empties every string member.
    // Lists of derived classes are not touched.
    void Clear();
    // Registers both records for nDataVersion and copies every raw member's bytes and every
    // string from the source, a record of the same class. Lists are not touched.
    void CopyMembers(cDataRecord& source);
    // Removes every carriage return from the string members as last registered; the database
    // loader calls it for each loaded entry.
    void RemoveCR();

    // The string half of the base part, used by the base Load and Save.
    int LoadStrings(FILE* fp);
    int SaveStrings(FILE* fp);

    // OpenDatLoad, the virtual Load, CloseDat: 1, or 0 when the file cannot be opened or does not
    // fit the record (the record then keeps what was not yet read).
    int LoadFile(const char* szPath);
    // OpenDatSave, the virtual Save, CloseDat: 1, or 0 when the file cannot be written or Save
    // reports a failure (an old file of that name is then kept).
    int SaveFile(const char* szPath);

    // Registers for nVersion: runs RegisterMembers, matching what it adds against the places the
    // class registered first. Every member-walking operation calls it.
    void Register(int nVersion);

    // The descriptor tables of the last registration, every descriptor owned by this record. A
    // record that walks its class's shared layout builds them here, and keeps them until it
    // registers again. For tests and checks; the references stay valid until the next
    // registration.
    const cVector<MEMBERINFO>& MemberTable();
    const cVector<STRMEMBERINFO>& StrMemberTable();

private:
    friend struct RecordLayout;

    // Tables of a record's own, for registrations that depart from the class's layout.
    struct Tables {
        cVector<MEMBERINFO> members;
        cVector<STRMEMBERINFO> strings;
    };
    // One raw member as it lies in this record.
    struct RawPlace {
        void* data;
        std::size_t bytes;
    };

    template <class T, int kSize>
    void AddRaw(T* p, int nCount)
    {
        static_assert(sizeof(T) == kSize, "member width does not match the Add function");
        static_assert(std::is_trivially_copyable_v<T>, "raw members are copied as bytes");
        AddMember(p, nCount, static_cast<std::int8_t>(kSize));
    }
    // Registration runs for every record built: the common case, a member that is the next
    // place of the layout being matched, is inline.
    void AddMember(void* p, int nCount, std::int8_t nSize)
    {
        if (m_pLayout != nullptr && m_nLayoutMembers < m_pLayout->members.size()) {
            const RecordLayout::Member& next = m_pLayout->members[m_nLayoutMembers];
            const auto offset = static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(p) -
                                                            reinterpret_cast<std::uintptr_t>(this));
            if (next.offset == offset && next.nCount == (nCount > 0 ? nCount : 0) && next.nSize == nSize) [[likely]] {
                ++m_nLayoutMembers;
                return;
            }
        }
        AddMemberOffLayout(p, nCount, nSize);
    }
    // A member that is not the next place of the layout: the record gets tables of its own.
    void AddMemberOffLayout(void* p, int nCount, std::int8_t nSize);
    // From now on the registration is the first nMembers and nStrings places of layout.
    void UseLayout(const RecordLayout* layout, std::size_t nMembers, std::size_t nStrings)
    {
        m_pLayout = layout;
        m_nLayoutMembers = static_cast<std::uint32_t>(nMembers);
        m_nLayoutStrings = static_cast<std::uint32_t>(nStrings);
    }
    // Turns a registration on a layout into tables of this record's own, as it stands.
    void MakeOwnTables();
    Tables& OwnTables();

    // The registration as it stands, whichever form it has (inline in the .cpp, the only user).
    std::size_t RawCount() const;
    RawPlace RawAt(std::size_t i) const;
    std::size_t StrCount() const;
    std::string* StrAt(std::size_t i) const;

    // Reads the base part from a file held in memory in one go when it is the common case: the
    // record walks its class's whole layout, the file holds every raw member of it, and every
    // count and length fits. False, with nothing read or changed, in any other case (the caller
    // then reads member by member, which handles every malformed file).
    bool LoadBaseInPlace(RecordImage& image);
    // RemoveCR for the string members from index first on.
    void RemoveCRFrom(std::size_t first);
    int LoadRawMembers(RecordReader& reader);
    // The first n raw members (n at most those registered): 1, or 0 when the file ends first.
    int LoadKnownMembers(RecordReader& reader, std::size_t n);
    // Reports and passes over surplus members of bytes each, after the registered ones: 1, or 0
    // when the file ends first.
    int SkipSurplusMembers(RecordReader& reader, std::size_t registered, std::size_t surplus, std::size_t bytes);
    int LoadStrings(RecordReader& reader);

    // Non-null: the registration is the first m_nLayoutMembers raw members and m_nLayoutStrings
    // strings of this shared layout (and m_pTables, if any, holds nothing that counts). Null: it
    // is m_pTables (nothing when that is null).
    const RecordLayout* m_pLayout = nullptr;
    std::uint32_t m_nLayoutMembers = 0;
    std::uint32_t m_nLayoutStrings = 0;
    std::unique_ptr<Tables> m_pTables;
};
