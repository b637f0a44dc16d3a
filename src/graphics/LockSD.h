// Pixel locks: every software access to a surface's pixels goes through cLockSD (a lock guard)
// or, under DirectDraw, DDLock. A lock is held only inside one drawing operation, on the thread
// that draws.
#pragma once

#include <cstddef>

#include "graphics/DDSurfaceData.h"

// DirectDraw: locks the whole surface (DDLOCK_WAIT) and returns the first pixel in *ppBits and
// the layout in *lpDesc. FALSE when the lock fails. Direct3D: a trace line and TRUE without
// locking (Direct3D code locks through cLockSD).
BOOL DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** ppBits, int nBpp);

// What the holder of a lock does with the pixels.
enum class LockAccess {
    ReadWrite,
    ReadOnly  // nothing is written: a render target's system copy is not written back
};

class cLockSD {
public:
    // Locks lpSD for a screen depth of nBpp. Under Direct3D the record is first redirected to the
    // surface it shares and, with the virtual back buffer on, from BackBuffer to VirBackBuffer; a
    // render target other than BackBuffer is read back into its system copy, which is locked.
    // After a failed lock Bits() is null and nothing must be written; under ReadOnly access
    // nothing may be written at all (writes to a render target's copy would be lost).
    // lpArea, when given, holds every pixel that will be written (in pixels of the picture, cut to
    // it here): only that part of a render target's copy is written back.
    cLockSD(DDSURFACEDATA* lpSD, int nBpp, LockAccess access = LockAccess::ReadWrite, const RECT* lpArea = nullptr);
    // Unlocks; a render target's system copy (or the part given as the written area) is written
    // back to the texture unless the lock was read-only.
    ~cLockSD();
    cLockSD(const cLockSD&) = delete;
    cLockSD& operator=(const cLockSD&) = delete;

    bool IsLocked() const { return m_lpBits != nullptr; }
    // The locked record after redirection.
    DDSURFACEDATA* Surface() const { return m_lpSD; }
    // First byte of the top row; null when not locked.
    BYTE* Bits() const { return static_cast<BYTE*>(m_lpBits); }
    // Pixels from one row to the next (the locked pitch in bytes / bytes per pixel).
    int Pitch() const { return m_nPitch; }
    int BitsPerPixel() const { return m_nBpp; }
    int BytesPerPixel() const { return m_nBytes; }
    // Pixel (x, y) as its raw value (1, 2 or 4 bytes). x and y must lie inside the picture.
    DWORD Read(int x, int y) const;
    void Write(int x, int y, DWORD value) const;

private:
    BYTE* At(int x, int y) const { return Bits() + (static_cast<std::ptrdiff_t>(y) * m_nPitch + x) * m_nBytes; }
    void LockDirect3D();
    void UnlockDirect3D();
    void WriteBack(DTSURFACEDATA* dt) const;

    DDSURFACEDATA* m_lpSD = nullptr;
    void* m_lpBits = nullptr;
    int m_nPitch = 0;
    int m_nBpp = 0;
    int m_nBytes = 0;
    LockAccess m_access;
    bool m_bArea = false;
    RECT m_area{};
    enum class Kind { None, DirectDraw, BackBuffer, Texture, SystemCopy } m_kind = Kind::None;
};
