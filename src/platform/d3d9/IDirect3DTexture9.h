// A texture of the software device: one level, in the DEFAULT (render targets, dynamic),
// MANAGED or SYSTEMMEM pool. DEFAULT- and MANAGED-pool textures are charged to the device's
// texture memory.
#pragma once

#include <memory>

#include "platform/d3d9/IDirect3DSurface9.h"

class IDirect3DTexture9 final : public D3D9Resource {
public:
    // Stand-in internal: made by IDirect3DDevice9::CreateTexture, which validates the arguments
    // and has charged `chargedBytes` of texture memory (refunded on destruction). Throws
    // std::bad_alloc.
    IDirect3DTexture9(std::shared_ptr<D3D9DeviceCore> core, UINT width, UINT height, D3DFORMAT format, DWORD usage,
                      D3DPOOL pool, ULONGLONG chargedBytes);
    ~IDirect3DTexture9() override;

    // Level 0 only; the surface is AddRef'd (its counts are the texture's).
    HRESULT GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel);
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc);
    HRESULT LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags);
    HRESULT UnlockRect(UINT Level);
    DWORD GetLevelCount() { return 1; }

    // Stand-in access: the level surface (no reference added).
    IDirect3DSurface9* Level0() { return level_.get(); }
    const IDirect3DSurface9* Level0() const { return level_.get(); }
    DWORD Usage() const { return level_->Usage(); }

private:
    std::unique_ptr<IDirect3DSurface9> level_;
};

using LPDIRECT3DTEXTURE9 = IDirect3DTexture9*;
