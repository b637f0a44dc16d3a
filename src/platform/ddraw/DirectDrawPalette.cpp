#include "platform/ddraw/DirectDrawPalette.h"

#include <algorithm>

#include "platform/ddraw/DDrawGlobal.h"
#include "platform/ddraw/DirectDraw.h"

IDirectDrawPalette::IDirectDrawPalette(IDirectDraw7* owner, const PALETTEENTRY* entries) : m_owner(owner)
{
    std::copy_n(entries, m_entries.size(), m_entries.begin());
    m_owner->AddRefLocked();
    ++DDraw().liveObjects;
}

IDirectDrawPalette::~IDirectDrawPalette()
{
    --DDraw().liveObjects;
    m_owner->ReleaseLocked();
}

ULONG IDirectDrawPalette::AddRef()
{
    DDrawLock lock(DDraw().mutex);
    return ++m_refCount;
}

ULONG IDirectDrawPalette::Release()
{
    DDrawLock lock(DDraw().mutex);
    return ReleaseLocked();
}

ULONG IDirectDrawPalette::ReleaseLocked()
{
    const ULONG left = --m_refCount;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDrawPalette::SetEntries(DWORD dwFlags, DWORD dwStartingEntry, DWORD dwNumEntries,
                                       const PALETTEENTRY* lpEntries)
{
    if (dwFlags != 0 || lpEntries == nullptr || dwStartingEntry > 256 || dwNumEntries > 256 - dwStartingEntry)
        return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    std::copy_n(lpEntries, dwNumEntries, m_entries.begin() + dwStartingEntry);
    return DD_OK;
}

HRESULT IDirectDrawPalette::GetEntries(DWORD dwFlags, DWORD dwBase, DWORD dwNumEntries, PALETTEENTRY* lpEntries)
{
    if (dwFlags != 0 || lpEntries == nullptr || dwBase > 256 || dwNumEntries > 256 - dwBase) return DDERR_INVALIDPARAMS;
    DDrawLock lock(DDraw().mutex);
    std::copy_n(m_entries.begin() + dwBase, dwNumEntries, lpEntries);
    return DD_OK;
}
