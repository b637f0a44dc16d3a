#include "core/cDataRecord.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <typeinfo>

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

// Cuts text to at most maxBytes without splitting a double-byte character.
void CutAtCharBoundary(std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return;
    }
    std::size_t end = 0;
    while (end < maxBytes) {
        std::size_t step = IsDBCSChar(text.c_str() + end) ? 2 : 1;
        if (end + step > maxBytes) {
            break;
        }
        end += step;
    }
    text.resize(end);
}

// A file that holds more members than the record registers: reported as the checked access
// reports a bad index, and the record stops there instead of reading the surplus into the wrong
// member.
void ReportSurplus(std::size_t registered, std::size_t elementSize)
{
    ReportLog("err V[%d] ( %d , %d )", static_cast<int>(registered), static_cast<int>(registered),
              static_cast<int>(elementSize));
}

#ifndef NDEBUG
// Checked builds compare each use of a layout with what RegisterMembers gives, and keep the
// latter: a class that breaks the rule of RegisterMembers is reported, and registered by its own
// function from then on.
void CheckLayout(cDataRecord& record, const std::type_info& type, int nVersion, const RecordLayout& layout)
{
    record.RegisterMembers(nVersion);
    if (RecordLayout::Of(record) != layout) {
        RecordLayout::Refuse(type, nVersion);
        ReportLog("RegisterMembers of %s differs between records (version %d)", type.name(), nVersion);
        assert(!"RegisterMembers must depend only on the class and the version");
    }
}
#endif

// Room that a table gets at its first registration: enough for most records, where growing one
// descriptor at a time would allocate three times.
constexpr std::size_t kFirstTableCapacity = 4;

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

cDataRecord::cDataRecord(const cDataRecord&) {}

void cDataRecord::OnCopySource(int) const {}

void cDataRecord::RegisterMembers(int) {}

cDataRecord& cDataRecord::operator=(const cDataRecord& source)
{
    Register(nDataVersion);
    source.OnCopySource(nDataVersion);
    m_Member.resize(source.m_Member.size());
    for (std::size_t i = 0; i < m_Member.size(); ++i) {
        m_Member.data()[i].lpOwner = this;
        m_Member.data()[i] = source.m_Member.data()[i];
    }
    m_StrMember.resize(source.m_StrMember.size());
    for (std::size_t i = 0; i < m_StrMember.size(); ++i) {
        m_StrMember.data()[i].lpOwner = this;
        m_StrMember.data()[i] = source.m_StrMember.data()[i];
    }
    return *this;
}

void cDataRecord::ClearMemberList()
{
    m_Member.clear();
    m_StrMember.clear();
    if (m_Member.capacity() == 0 && m_StrMember.capacity() == 0) {
        // A new record: room for what its class registered last, so that the tables are
        // allocated once instead of growing descriptor by descriptor.
        const RecordLayout::TableSizes sizes = RecordLayout::LastSizes(typeid(*this));
        m_Member.reserve(sizes.members);
        m_StrMember.reserve(sizes.strings);
    }
}

void cDataRecord::AddMemberGrowing(void* p, int nCount, std::int8_t nSize)
{
    if (m_Member.capacity() == 0) {
        m_Member.reserve(kFirstTableCapacity);
    }
    m_Member.emplace_back(this, p, std::max(nCount, 0), nSize);
}

void cDataRecord::AddStrMember(std::string* p, int nCount)
{
    if (m_StrMember.capacity() == 0) {
        m_StrMember.reserve(kFirstTableCapacity);
    }
    for (int i = 0; i < nCount; ++i) {
        m_StrMember.emplace_back(this, p + i);
    }
}

void cDataRecord::Clear()
{
    Register(nDataVersion);
    for (const MEMBERINFO& member : m_Member) {
        if (ByteSize(member) > 0) {
            std::memset(member.lpData, 0, ByteSize(member));
        }
    }
    for (const STRMEMBERINFO& member : m_StrMember) {
        member.lpStr->clear();
    }
}

void cDataRecord::CopyMembers(cDataRecord& source)
{
    Register(nDataVersion);
    source.Register(nDataVersion);
    for (int i = 0; i < static_cast<int>(m_Member.size()); ++i) {
        const MEMBERINFO& from = source.m_Member[i];
        std::size_t bytes = std::min(ByteSize(m_Member[i]), ByteSize(from));
        if (bytes > 0) {
            std::memmove(m_Member[i].lpData, from.lpData, bytes);
        }
    }
    for (int i = 0; i < static_cast<int>(m_StrMember.size()); ++i) {
        const STRMEMBERINFO& from = source.m_StrMember[i];
        if (from.lpStr != nullptr) {
            *m_StrMember[i].lpStr = *from.lpStr;
        }
    }
}

void cDataRecord::RemoveCR()
{
    for (const STRMEMBERINFO& member : m_StrMember) {
        std::string& text = *member.lpStr;
        if (text.find('\r') != std::string::npos) {
            std::erase(text, '\r');
        }
    }
}

int cDataRecord::Load(FILE* fp)
{
    Register(nFileVersion);
    RecordReader reader(fp);
    int ok = LoadRawMembers(reader) && LoadStrings(reader);
    if (nDataVersion != nFileVersion) {
        Register(nDataVersion);
    }
    return ok;
}

void cDataRecord::Register(int nVersion)
{
    const std::type_info& type = typeid(*this);
    if (const RecordLayout* layout = RecordLayout::Find(type, nVersion)) {
        ApplyLayout(*layout);
#ifndef NDEBUG
        CheckLayout(*this, type, nVersion, *layout);
#endif
    } else {
        RegisterMembers(nVersion);
        RecordLayout::Offer(type, nVersion, *this);
    }
    RecordLayout::NoteSizes(type, {m_Member.size(), m_StrMember.size()});
}

void cDataRecord::ApplyLayout(const RecordLayout& layout)
{
    // Sized at once from the layout's descriptors, then pointed at this record.
    m_Member.resize(layout.members.size());
    MEMBERINFO* member = m_Member.data();
    for (const RecordLayout::Member& place : layout.members) {
        member->lpOwner = this;
        member->lpData = AtOffset(this, place.offset);
        member->nCount = place.nCount;
        member->nSize = place.nSize;
        ++member;
    }
    m_StrMember.resize(layout.strings.size());
    STRMEMBERINFO* str = m_StrMember.data();
    for (std::ptrdiff_t offset : layout.strings) {
        str->lpOwner = this;
        str->lpStr = static_cast<std::string*>(AtOffset(this, offset));
        ++str;
    }
}

int cDataRecord::LoadRawMembers(RecordReader& reader)
{
    std::int32_t n = 0;
    if (!reader.ReadInt32(n) || n < 0) {
        return 0;
    }
    if (static_cast<std::size_t>(n) > m_Member.size()) {
        ReportSurplus(m_Member.size(), sizeof(MEMBERINFO));
        return 0;
    }
    const MEMBERINFO* members = m_Member.data();
    // Member by member, up to the first that does not fit the bytes left.
    if (RecordImage* image = reader.Image()) {
        const char* at = image->Cursor();
        std::size_t left = image->Left();
        for (int i = 0; i < n; ++i) {
            const std::size_t bytes = ByteSize(members[i]);
            if (bytes > left) {
                image->Skip(image->Left() - left);
                return 0;
            }
            RecordReader::CopyBytes(members[i].lpData, at, bytes);
            at += bytes;
            left -= bytes;
        }
        image->Skip(image->Left() - left);
        return 1;
    }
    std::size_t left = static_cast<std::size_t>(reader.BytesLeft());
    for (int i = 0; i < n; ++i) {
        const std::size_t bytes = ByteSize(members[i]);
        if (bytes > left || !reader.Read(members[i].lpData, bytes)) {
            return 0;
        }
        left -= bytes;
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
    if (!reader.ReadInt32(s) || s < 0) {
        ok = 0;
    } else if (static_cast<std::size_t>(s) > m_StrMember.size()) {
        ReportSurplus(m_StrMember.size(), sizeof(STRMEMBERINFO));
        ok = 0;
    }
    for (int i = 0; ok && i < s; ++i) {
        std::int32_t length = 0;
        if (!reader.ReadInt32(length) || length < 1) {
            ok = 0;
            break;
        }
        std::string& text = *m_StrMember.data()[i].lpStr;
        if (length == 1) {
            text.clear();
        } else if (!reader.ReadText(text, static_cast<std::size_t>(length))) {
            ok = 0;
        }
    }
    if (bRemoveCR) {
        RemoveCR();
    }
    return ok;
}

int cDataRecord::Save(FILE* fp)
{
    Register(nDataVersion);
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(m_Member.size()));
    for (const MEMBERINFO& member : m_Member) {
        std::size_t bytes = ByteSize(member);
        if (bytes > 0) {
            ok = std::fwrite(member.lpData, 1, bytes, fp) == bytes && ok;
        }
    }
    return SaveStrings(fp) && ok;
}

int cDataRecord::SaveStrings(FILE* fp)
{
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(m_StrMember.size()));
    for (const STRMEMBERINFO& member : m_StrMember) {
        std::string& text = *member.lpStr;
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
    int saved = Save(fp);
    int closed = CloseDat(fp);
    return saved && closed ? 1 : 0;
}
