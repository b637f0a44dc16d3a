#include "core/cDataRecord.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <typeinfo>
#include <vector>

#include "core/CheckedAccess.h"
#include "core/FileReadScope.h"
#include "core/RecordImage.h"
#include "core/RecordLayout.h"
#include "core/RecordReader.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"

namespace {

// The same offset inside newOwner as source has inside sourceOwner.
void* Rebase(const void* newOwner, const void* sourceOwner, const void* source)
{
    auto offset = reinterpret_cast<std::uintptr_t>(source) - reinterpret_cast<std::uintptr_t>(sourceOwner);
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(newOwner) + offset);
}

// The place offset bytes from owner (an offset that RecordLayout took from a record of the class).
void* AtOffset(const void* owner, std::ptrdiff_t offset)
{
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(owner) + static_cast<std::uintptr_t>(offset));
}

std::size_t ByteSize(const MEMBERINFO& member)
{
    return static_cast<std::size_t>(member.nCount) * static_cast<std::size_t>(member.nSize);
}

// The element sizes that a bad index of the descriptor tables reports: those of a raw member's
// and of a string member's descriptor in the 32-bit layout the report lines have always carried.
constexpr std::size_t kReportedMemberSize = 16;
constexpr std::size_t kReportedStringSize = 8;

// The same offset from owner as from the record's base part (the offset a layout stores).
std::ptrdiff_t OffsetIn(const void* owner, const void* member)
{
    return static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(member) -
                                       reinterpret_cast<std::uintptr_t>(owner));
}

// The data version that the registration running on this thread is for: set by Register around
// RegisterMembers; a derived constructor registers for nDataVersion.
constexpr int kNoVersion = INT_MIN;
thread_local int registeringVersion = kNoVersion;

// Sets registeringVersion for one RegisterMembers call.
class RegisteringVersion {
public:
    explicit RegisteringVersion(int nVersion) : m_previous(registeringVersion) { registeringVersion = nVersion; }
    ~RegisteringVersion() { registeringVersion = m_previous; }
    RegisteringVersion(const RegisteringVersion&) = delete;
    RegisteringVersion& operator=(const RegisteringVersion&) = delete;

private:
    int m_previous;
};

}  // namespace

MEMBERINFO& MEMBERINFO::operator=(const MEMBERINFO& source)
{
    if (lpOwner == nullptr) {
        lpOwner = source.lpOwner;
    }
    lpData = Rebase(lpOwner, source.lpOwner, source.lpData);
    nCount = source.nCount;
    nSize = source.nSize;
    return *this;
}

STRMEMBERINFO& STRMEMBERINFO::operator=(const STRMEMBERINFO& source)
{
    if (lpOwner == nullptr) {
        lpOwner = source.lpOwner;
    }
    lpStr = static_cast<std::string*>(Rebase(lpOwner, source.lpOwner, source.lpStr));
    return *this;
}

void cDataRecord::OnCopySource(int) const
{}

void cDataRecord::RegisterMembers(int)
{}

cDataRecord& cDataRecord::operator=(const cDataRecord& source)
{
    Register(nDataVersion);
    source.OnCopySource(nDataVersion);
    if (this == &source) {
        return *this;
    }
    if (source.m_pLayout != nullptr) {
        // A layout holds offsets: the same layout names this record's members.
        UseLayout(source.m_pLayout, source.m_nLayoutMembers, source.m_nLayoutStrings);
        return *this;
    }
    m_pLayout = nullptr;
    Tables& tables = OwnTables();
    const std::size_t members = source.m_pTables ? source.m_pTables->members.size() : 0;
    const std::size_t strings = source.m_pTables ? source.m_pTables->strings.size() : 0;
    tables.members.resize(members);
    for (std::size_t i = 0; i < members; ++i) {
        tables.members.data()[i].lpOwner = this;
        tables.members.data()[i] = source.m_pTables->members.data()[i];
    }
    tables.strings.resize(strings);
    for (std::size_t i = 0; i < strings; ++i) {
        tables.strings.data()[i].lpOwner = this;
        tables.strings.data()[i] = source.m_pTables->strings.data()[i];
    }
    return *this;
}

void cDataRecord::ClearMemberList()
{
    if (m_pTables) {
        m_pTables->members.clear();
        m_pTables->strings.clear();
    }
    // Matched against the places the class registered before for this version: as long as they
    // agree, the record keeps only a pointer to them.
    const int nVersion = registeringVersion != kNoVersion ? registeringVersion : nDataVersion;
    UseLayout(RecordLayout::Hint(typeid(*this), nVersion), 0, 0);
}

void cDataRecord::AddMemberOffLayout(void* p, int nCount, std::int8_t nSize)
{
    if (m_pLayout != nullptr) {
        MakeOwnTables();
    }
    OwnTables().members.emplace_back(this, p, std::max(nCount, 0), nSize);
}

void cDataRecord::AddStrMember(std::string* p, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        if (m_pLayout != nullptr) {
            const std::vector<std::ptrdiff_t>& places = m_pLayout->strings;
            if (m_nLayoutStrings < places.size() && places[m_nLayoutStrings] == OffsetIn(this, p + i)) [[likely]] {
                ++m_nLayoutStrings;
                continue;
            }
            MakeOwnTables();
        }
        OwnTables().strings.emplace_back(this, p + i);
    }
}

void cDataRecord::MakeOwnTables()
{
    const RecordLayout* layout = m_pLayout;
    Tables& tables = OwnTables();
    tables.members.clear();
    tables.strings.clear();
    if (layout != nullptr) {
        tables.members.reserve(m_nLayoutMembers + 1);
        for (std::size_t i = 0; i < m_nLayoutMembers; ++i) {
            const RecordLayout::Member& place = layout->members[i];
            tables.members.emplace_back(this, AtOffset(this, place.offset), place.nCount, place.nSize);
        }
        tables.strings.reserve(m_nLayoutStrings + 1);
        for (std::size_t i = 0; i < m_nLayoutStrings; ++i) {
            tables.strings.emplace_back(this, static_cast<std::string*>(AtOffset(this, layout->strings[i])));
        }
    }
    UseLayout(nullptr, 0, 0);
}

cDataRecord::Tables& cDataRecord::OwnTables()
{
    if (!m_pTables) {
        m_pTables = std::make_unique<Tables>();
    }
    return *m_pTables;
}

const cVector<MEMBERINFO>& cDataRecord::MemberTable()
{
    if (m_pLayout != nullptr) {
        MakeOwnTables();
    }
    return OwnTables().members;
}

const cVector<STRMEMBERINFO>& cDataRecord::StrMemberTable()
{
    if (m_pLayout != nullptr) {
        MakeOwnTables();
    }
    return OwnTables().strings;
}

inline std::size_t cDataRecord::RawCount() const
{
    if (m_pLayout != nullptr) {
        return m_nLayoutMembers;
    }
    return m_pTables ? m_pTables->members.size() : 0;
}

inline cDataRecord::RawPlace cDataRecord::RawAt(std::size_t i) const
{
    if (m_pLayout != nullptr) {
        const RecordLayout::Member& place = m_pLayout->members[i];
        return {AtOffset(this, place.offset), place.Bytes()};
    }
    const MEMBERINFO& member = m_pTables->members.data()[i];
    return {member.lpData, ByteSize(member)};
}

inline std::size_t cDataRecord::StrCount() const
{
    if (m_pLayout != nullptr) {
        return m_nLayoutStrings;
    }
    return m_pTables ? m_pTables->strings.size() : 0;
}

inline std::string* cDataRecord::StrAt(std::size_t i) const
{
    if (m_pLayout != nullptr) {
        return static_cast<std::string*>(AtOffset(this, m_pLayout->strings[i]));
    }
    return m_pTables->strings.data()[i].lpStr;
}

void cDataRecord::Clear()
{
    Register(nDataVersion);
    for (std::size_t i = 0, n = RawCount(); i < n; ++i) {
        const RawPlace member = RawAt(i);
        if (member.bytes > 0) {
            std::memset(member.data, 0, member.bytes);
        }
    }
    for (std::size_t i = 0, n = StrCount(); i < n; ++i) {
        StrAt(i)->clear();
    }
}

void cDataRecord::CopyMembers(cDataRecord& source)
{
    Register(nDataVersion);
    source.Register(nDataVersion);
    // A source of another class may register fewer members: reported as a bad index of the
    // source's table, and nothing is copied into the members it lacks.
    const std::size_t members = RawCount();
    const std::size_t sourceMembers = source.RawCount();
    for (std::size_t i = 0; i < members; ++i) {
        if (i >= sourceMembers) {
            ReportBadIndex('V', static_cast<int>(i), sourceMembers, kReportedMemberSize);
            break;
        }
        const RawPlace to = RawAt(i);
        const RawPlace from = source.RawAt(i);
        const std::size_t bytes = std::min(to.bytes, from.bytes);
        if (bytes > 0) {
            std::memmove(to.data, from.data, bytes);
        }
    }
    const std::size_t strings = StrCount();
    const std::size_t sourceStrings = source.StrCount();
    for (std::size_t i = 0; i < strings; ++i) {
        if (i >= sourceStrings) {
            ReportBadIndex('V', static_cast<int>(i), sourceStrings, kReportedStringSize);
            break;
        }
        if (const std::string* from = source.StrAt(i)) {
            *StrAt(i) = *from;
        }
    }
}

void cDataRecord::RemoveCR()
{
    RemoveCRFrom(0);
}

void cDataRecord::RemoveCRFrom(std::size_t first)
{
    for (std::size_t i = first, n = StrCount(); i < n; ++i) {
        std::string& text = *StrAt(i);
        if (text.find('\r') != std::string::npos) {
            std::erase(text, '\r');
        }
    }
}

int cDataRecord::Load(FILE* fp)
{
    Register(nFileVersion);
    RecordReader reader(fp);
    RecordImage* image = reader.Image();
    int ok = (image != nullptr && LoadBaseInPlace(*image)) || (LoadRawMembers(reader) && LoadStrings(reader));
    if (nDataVersion != nFileVersion) {
        Register(nDataVersion);
    }
    return ok;
}

void cDataRecord::Register(int nVersion)
{
    {
        RegisteringVersion version(nVersion);
        RegisterMembers(nVersion);
    }
    RecordLayout::Offer(typeid(*this), nVersion, *this);
}

bool cDataRecord::LoadBaseInPlace(RecordImage& image)
{
    const RecordLayout* layout = m_pLayout;
    if (layout == nullptr || m_nLayoutMembers != layout->members.size()) {
        return false;
    }
    // First the counts and lengths are checked, nothing yet changed.
    const char* const start = image.Cursor();
    const std::size_t size = image.Left();
    if (size < 2 * sizeof(std::int32_t) + layout->rawBytes) {
        return false;
    }
    std::int32_t n = 0;
    std::memcpy(&n, start, sizeof(n));
    if (static_cast<std::size_t>(n) != m_nLayoutMembers) {
        return false;
    }
    std::size_t position = sizeof(n) + layout->rawBytes;
    std::int32_t s = 0;
    std::memcpy(&s, start + position, sizeof(s));
    position += sizeof(s);
    if (s < 0 || static_cast<std::size_t>(s) > m_nLayoutStrings) {
        return false;
    }
    const std::size_t stringsAt = position;
    for (std::int32_t i = 0; i < s; ++i) {
        std::int32_t length = 0;
        if (size - position < sizeof(length)) {
            return false;
        }
        std::memcpy(&length, start + position, sizeof(length));
        position += sizeof(length);
        if (length < 1 || (length > 1 && static_cast<std::size_t>(length) > size - position)) {
            return false;
        }
        position += length > 1 ? static_cast<std::size_t>(length) : 0;
    }
    // Then the whole part is taken.
    const char* at = start + sizeof(n);
    for (const RecordLayout::Run& run : layout->runs) {
        RecordReader::CopyBlock(AtOffset(this, run.offset), at, run.bytes);
        at += run.bytes;
    }
    const bool dropCR = bRemoveCR != 0;
    at = start + stringsAt;
    for (std::int32_t i = 0; i < s; ++i) {
        std::int32_t length = 0;
        std::memcpy(&length, at, sizeof(length));
        at += sizeof(length);
        std::string& text = *StrAt(static_cast<std::size_t>(i));
        if (length == 1) {
            text.clear();
            continue;
        }
        RecordReader::AssignText(text, at, static_cast<std::size_t>(length), dropCR);
        at += length;
    }
    image.Skip(position);
    if (dropCR && static_cast<std::size_t>(s) < m_nLayoutStrings) {
        RemoveCRFrom(static_cast<std::size_t>(s));
    }
    return true;
}

int cDataRecord::LoadRawMembers(RecordReader& reader)
{
    std::int32_t n = 0;
    if (!reader.ReadInt32(n) || n < 0) {
        return 0;
    }
    const std::size_t registered = RawCount();
    const std::size_t known = std::min(static_cast<std::size_t>(n), registered);
    const std::size_t surplus = static_cast<std::size_t>(n) - known;
    // A surplus member takes the first member's bytes in the file. A count that the file cannot
    // hold is refused before anything is read, as every count beyond the end of the file.
    const std::size_t surplusBytes = registered > 0 ? RawAt(0).bytes : 0;
    const auto left = static_cast<std::size_t>(reader.BytesLeft());
    if (surplus > 0 && surplus > left / std::max<std::size_t>(surplusBytes, 1)) {
        return 0;
    }
    if (!LoadKnownMembers(reader, known)) {
        return 0;
    }
    return SkipSurplusMembers(reader, registered, surplus, surplusBytes);
}

int cDataRecord::LoadKnownMembers(RecordReader& reader, std::size_t n)
{
    if (RecordImage* image = reader.Image()) {
        const char* at = image->Cursor();
        std::size_t left = image->Left();
        // The common case: every member of the class's layout, and the bytes for all of them.
        if (m_pLayout != nullptr && n == m_pLayout->members.size() && m_pLayout->rawBytes <= left) {
            for (const RecordLayout::Run& run : m_pLayout->runs) {
                RecordReader::CopyBlock(AtOffset(this, run.offset), at, run.bytes);
                at += run.bytes;
            }
            image->Skip(m_pLayout->rawBytes);
            return 1;
        }
        // Member by member, up to the first that does not fit the bytes left.
        for (std::size_t i = 0; i < n; ++i) {
            const RawPlace member = RawAt(i);
            if (member.bytes > left) {
                image->Skip(image->Left() - left);
                return 0;
            }
            RecordReader::CopyBytes(member.data, at, member.bytes);
            at += member.bytes;
            left -= member.bytes;
        }
        image->Skip(image->Left() - left);
        return 1;
    }
    std::size_t left = static_cast<std::size_t>(reader.BytesLeft());
    for (std::size_t i = 0; i < n; ++i) {
        const RawPlace member = RawAt(i);
        if (member.bytes > left || !reader.Read(member.data, member.bytes)) {
            return 0;
        }
        left -= member.bytes;
    }
    return 1;
}

int cDataRecord::SkipSurplusMembers(RecordReader& reader, std::size_t registered, std::size_t surplus,
                                    std::size_t bytes)
{
    // Each surplus member is reported as a bad index of the member table (which also asks the
    // program to close); its bytes are passed over, so that the first member keeps what it read
    // and the fields after it are read where they are.
    std::vector<char> scratch(bytes);
    for (std::size_t i = 0; i < surplus; ++i) {
        ReportBadIndex('V', static_cast<int>(registered + i), registered, kReportedMemberSize);
        // Inside a FileReadScope the file counts as damaged: its reading stops.
        if (FileReadScope::Active() || !reader.Read(scratch.data(), bytes)) {
            return 0;
        }
    }
    return 1;
}

int cDataRecord::LoadStrings(FILE* fp)
{
    RecordReader reader(fp);
    return LoadStrings(reader);
}

int cDataRecord::LoadStrings(RecordReader& reader)
{
    int ok = 1;
    std::int32_t s = 0;
    const std::size_t registered = StrCount();
    if (!reader.ReadInt32(s) || s < 0) {
        ok = 0;
    }
    const bool dropCR = bRemoveCR != 0;
    RecordImage* image = reader.Image();
    // The strings before this one are read and have their carriage returns removed already.
    std::size_t clean = 0;
    for (int i = 0; ok && i < s; ++i) {
        const bool isSurplus = static_cast<std::size_t>(i) >= registered;
        if (isSurplus) {
            // A surplus string: reported as a bad index of the string table (which also asks the
            // program to close) and passed over, so that no string member takes its text.
            ReportBadIndex('V', i, registered, kReportedStringSize);
            if (FileReadScope::Active()) {
                ok = 0;
                break;
            }
        }
        std::int32_t length = 0;
        if (!reader.ReadInt32(length) || length < 1) {
            ok = 0;
            break;
        }
        if (isSurplus) {
            std::string passedOver;
            if (length > 1 && !reader.ReadText(passedOver, static_cast<std::size_t>(length))) {
                ok = 0;
                break;
            }
            continue;
        }
        std::string& text = *StrAt(static_cast<std::size_t>(i));
        if (length == 1) {
            text.clear();
        } else if (image != nullptr) {
            const char* at = image->Take(static_cast<std::size_t>(length));
            if (at == nullptr) {
                ok = 0;
                break;
            }
            RecordReader::AssignText(text, at, static_cast<std::size_t>(length), dropCR);
        } else if (!reader.ReadText(text, static_cast<std::size_t>(length))) {
            ok = 0;
            break;
        } else if (dropCR && text.find('\r') != std::string::npos) {
            std::erase(text, '\r');
        }
        clean = static_cast<std::size_t>(i) + 1;
    }
    if (dropCR && clean < StrCount()) {
        RemoveCRFrom(clean);
    }
    return ok;
}

int cDataRecord::Save(FILE* fp)
{
    Register(nDataVersion);
    const std::size_t members = RawCount();
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(members));
    for (std::size_t i = 0; i < members; ++i) {
        const RawPlace member = RawAt(i);
        if (member.bytes > 0) {
            ok = std::fwrite(member.data, 1, member.bytes, fp) == member.bytes && ok;
        }
    }
    return SaveStrings(fp) && ok;
}

int cDataRecord::SaveStrings(FILE* fp)
{
    const std::size_t strings = StrCount();
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(strings));
    for (std::size_t i = 0; i < strings; ++i) {
        std::string& text = *StrAt(i);
        ResyncStr(text);
        CutAtCharBoundary(text, kMaxSavedStringBytes);
        std::int32_t length = static_cast<std::int32_t>(text.size()) + 1;
        ok = WriteInt32(fp, length) && ok;
        if (length != 1) {
            ok = std::fwrite(text.c_str(), 1, text.size() + 1, fp) == text.size() + 1 && ok;
        }
    }
    return ok ? 1 : 0;
}

int cDataRecord::LoadFile(const char* szPath)
{
    FILE* fp = OpenDatLoad(szPath);
    if (fp == nullptr) {
        return 0;
    }
    int ok = Load(fp);
    CloseDat(fp);
    return ok;
}

int cDataRecord::SaveFile(const char* szPath)
{
    FILE* fp = OpenDatSave(szPath);
    if (fp == nullptr) {
        return 0;
    }
    // A record that refused part of its save wrote an incomplete file even when every write
    // succeeded: the old file stays.
    if (!Save(fp)) {
        AbandonDat(fp);
        return 0;
    }
    return CloseDat(fp);
}
