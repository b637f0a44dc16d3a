// IDirectDrawPalette: 256 colours for 8-bit surfaces. Attached to the primary surface it gives
// the colours of the visible image (entry flags are kept but not used for display).
#pragma once

#include <array>

#include "platform/ddraw/DDrawTypes.h"

class IDirectDrawPalette {
public:
    ULONG AddRef();
    // Returns the remaining count; the palette is destroyed at 0.
    ULONG Release();
    // Copies dwNumEntries entries from lpEntries into the palette from dwStartingEntry on.
    // dwFlags must be 0. DDERR_INVALIDPARAMS when the range passes entry 255.
    HRESULT SetEntries(DWORD dwFlags, DWORD dwStartingEntry, DWORD dwNumEntries, const PALETTEENTRY* lpEntries);
    // Copies dwNumEntries entries starting at dwBase into lpEntries.
    HRESULT GetEntries(DWORD dwFlags, DWORD dwBase, DWORD dwNumEntries, PALETTEENTRY* lpEntries);

    // Internal (DirectDraw stand-in, lock held).
    IDirectDrawPalette(IDirectDraw7* owner, const PALETTEENTRY* entries);
    void AddRefLocked() { ++m_refCount; }
    ULONG ReleaseLocked();
    const std::array<PALETTEENTRY, 256>& Entries() const { return m_entries; }

private:
    ~IDirectDrawPalette();

    IDirectDraw7* m_owner;
    ULONG m_refCount = 1;
    std::array<PALETTEENTRY, 256> m_entries{};
};
