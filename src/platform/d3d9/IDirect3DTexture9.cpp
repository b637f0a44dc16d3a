#include "platform/d3d9/IDirect3DTexture9.h"

namespace {

// DEFAULT-pool textures can be locked only when DYNAMIC; render targets never.
bool LevelIsLockable(DWORD usage, D3DPOOL pool)
{
    if (usage & D3DUSAGE_RENDERTARGET) return false;
    return pool != D3DPOOL_DEFAULT || (usage & D3DUSAGE_DYNAMIC) != 0;
}

}  // namespace

IDirect3DTexture9::IDirect3DTexture9(std::shared_ptr<D3D9DeviceCore> core, UINT width, UINT height, D3DFORMAT format,
                                     DWORD usage, D3DPOOL pool, ULONGLONG chargedBytes)
    : D3D9Resource(core, pool, true),
      level_(std::make_unique<IDirect3DSurface9>(core, IDirect3DSurface9::Kind::TextureLevel, width, height, format,
                                                 usage, pool, LevelIsLockable(usage, pool), this))
{
    SetChargedBytes(chargedBytes);
}

IDirect3DTexture9::~IDirect3DTexture9() = default;

HRESULT IDirect3DTexture9::GetSurfaceLevel(UINT Level, IDirect3DSurface9** ppSurfaceLevel)
{
    if (Level != 0 || !ppSurfaceLevel) return D3DERR_INVALIDCALL;
    AddRef();
    *ppSurfaceLevel = level_.get();
    return D3D_OK;
}

HRESULT IDirect3DTexture9::GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc)
{
    if (Level != 0) return D3DERR_INVALIDCALL;
    return level_->GetDesc(pDesc);
}

HRESULT IDirect3DTexture9::LockRect(UINT Level, D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags)
{
    if (Level != 0) return D3DERR_INVALIDCALL;
    return level_->LockRect(pLockedRect, pRect, Flags);
}

HRESULT IDirect3DTexture9::UnlockRect(UINT Level)
{
    if (Level != 0) return D3DERR_INVALIDCALL;
    return level_->UnlockRect();
}
