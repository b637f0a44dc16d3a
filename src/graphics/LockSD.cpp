#include "graphics/LockSD.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"

BOOL DDLock(DDSURFACEDATA* lpSD, DDSURFACEDESC2* lpDesc, void** ppBits, int nBpp)
{
    if (lpDTCon) {
        static const std::string kText = Sjis("D3DではDDLockは未対応");
        ECLog(kText.c_str());
        return TRUE;
    }
    if (lpSD == nullptr || !lpSD->lpDDS || lpSD->lpDDS->lpDDSurface == nullptr || lpDesc == nullptr ||
        ppBits == nullptr)
        return FALSE;
    *lpDesc = DDSURFACEDESC2{};
    lpDesc->dwSize = sizeof(DDSURFACEDESC2);
    if (FAILED(lpSD->lpDDS->lpDDSurface->Lock(nullptr, lpDesc, DDLOCK_WAIT, nullptr))) return FALSE;
    *ppBits = (nBpp == 8 || nBpp == 16 || nBpp == 24 || nBpp == 32) ? lpDesc->lpSurface : nullptr;
    return TRUE;
}

cLockSD::cLockSD(DDSURFACEDATA* lpSD, int nBpp, LockAccess access, const RECT* lpArea)
    : m_nBpp(nBpp), m_nBytes(nBpp / 8), m_access(access), m_bArea(lpArea != nullptr)
{
    if (lpArea != nullptr) m_area = *lpArea;
    if (lpSD == nullptr || m_nBytes <= 0) return;
    if (lpDTCon) {
        DDRedirectShare(&lpSD);
        DDRedirectBackBuffer(&lpSD);
        m_lpSD = lpSD;
        LockDirect3D();
        return;
    }
    m_lpSD = lpSD;
    DDSURFACEDESC2 desc;
    void* bits = nullptr;
    if (!DDLock(lpSD, &desc, &bits, nBpp)) return;
    m_kind = Kind::DirectDraw;
    if (bits == nullptr) return;  // a depth without pixel access
    m_lpBits = bits;
    m_nPitch = desc.lPitch / m_nBytes;
}

cLockSD::~cLockSD()
{
    if (m_kind == Kind::DirectDraw) {
        m_lpSD->lpDDS->lpDDSurface->Unlock(nullptr);
    } else if (m_kind != Kind::None) {
        UnlockDirect3D();
    }
    m_kind = Kind::None;
    m_lpBits = nullptr;
}

void cLockSD::LockDirect3D()
{
    DTSURFACEDATA* dt = m_lpSD->lpDT.get();
    if (dt == nullptr) return;
    D3DLOCKED_RECT lock;
    const DWORD flags = m_access == LockAccess::ReadOnly ? D3DLOCK_READONLY : 0;
    if (!dt->bRenderTarget || m_lpSD == &BackBuffer) {
        if (dt->lpSurface == nullptr || FAILED(dt->lpSurface->LockRect(&lock, nullptr, flags))) {
            DebugErrorBoxF("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
            return;
        }
        m_kind = m_lpSD == &BackBuffer ? Kind::BackBuffer : Kind::Texture;
    } else {
        if (dt->lpSurface == nullptr || dt->lpSystemSurface == nullptr) return;
        if (lpDevice == nullptr || FAILED(lpDevice->GetRenderTargetData(dt->lpSurface, dt->lpSystemSurface)))
            ECLog("FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )");
        if (FAILED(dt->lpSystemSurface->LockRect(&lock, nullptr, flags))) {
            ECLog("FAILED( lpSD->lpDT->lpSystemSurface->LockRect(&lock, NULL, 0) )");
            return;
        }
        m_kind = Kind::SystemCopy;
    }
    m_lpBits = lock.pBits;
    m_nPitch = lock.Pitch / m_nBytes;
}

void cLockSD::UnlockDirect3D()
{
    DTSURFACEDATA* dt = m_lpSD->lpDT.get();
    if (dt == nullptr) return;
    switch (m_kind) {
    case Kind::BackBuffer:
        if (FAILED(dt->lpSurface->UnlockRect())) ECLog("Back :: D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
        break;
    case Kind::Texture:
        if (FAILED(dt->lpSurface->UnlockRect())) ECLog("D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
        break;
    case Kind::SystemCopy:
        if (FAILED(dt->lpSystemSurface->UnlockRect())) {
            ECLog("D3D_OK != m_lpSD->lpDT->lpSystemSurface->UnlockRect();");
            break;
        }
        if (m_access == LockAccess::ReadOnly) break;  // the copy still equals the texture
        WriteBack(dt);
        break;
    default: break;
    }
}

void cLockSD::WriteBack(DTSURFACEDATA* dt) const
{
    RECT part{0, 0, static_cast<LONG>(dt->LevelDesc.Width), static_cast<LONG>(dt->LevelDesc.Height)};
    if (m_bArea) {
        // Outside the written area the copy holds what was read back: the texture's own pixels.
        part.left = std::max(m_area.left, LONG{0});
        part.top = std::max(m_area.top, LONG{0});
        part.right = std::min({m_area.right, part.right, static_cast<LONG>(m_lpSD->nWidth)});
        part.bottom = std::min({m_area.bottom, part.bottom, static_cast<LONG>(m_lpSD->nHeight)});
        if (part.left >= part.right || part.top >= part.bottom) return;
    }
    const POINT at{part.left, part.top};
    if (lpDevice == nullptr || FAILED(lpDevice->UpdateSurface(dt->lpSystemSurface, m_bArea ? &part : nullptr,
                                                              dt->lpSurface, m_bArea ? &at : nullptr)))
        DebugErrorBoxF(
            "FAILED( lpDevice->UpdateSurface(m_lpSD->lpDT->lpSystemSurface, NULL, m_lpSD->lpDT->lpSurface, NULL)");
}

DWORD cLockSD::Read(int x, int y) const
{
    const BYTE* p = At(x, y);
    switch (m_nBytes) {
    case 1: return p[0];
    case 2: return static_cast<DWORD>(p[0] | (p[1] << 8));
    case 3: return static_cast<DWORD>(p[0] | (p[1] << 8) | (p[2] << 16));
    default: {
        DWORD v;
        std::memcpy(&v, p, sizeof(v));
        return v;
    }
    }
}

void cLockSD::Write(int x, int y, DWORD value) const
{
    BYTE* p = At(x, y);
    for (int i = 0; i < m_nBytes && i < 4; ++i) p[i] = static_cast<BYTE>(value >> (8 * i));
}
