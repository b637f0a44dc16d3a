#include "platform/d3d9/IDirect3DSurface9.h"

#include "platform/d3d9/IDirect3DTexture9.h"

IDirect3DSurface9::IDirect3DSurface9(std::shared_ptr<D3D9DeviceCore> core, Kind kind, UINT width, UINT height,
                                     D3DFORMAT format, DWORD usage, D3DPOOL pool, bool lockable,
                                     IDirect3DTexture9* container)
    : D3D9Resource(std::move(core), pool, container == nullptr), kind_(kind), usage_(usage), lockable_(lockable),
      container_(container), pixels_(std::make_unique<D3D9PixelBuffer>(width, height, format))
{}

ULONG IDirect3DSurface9::AddRef()
{
    return container_ ? container_->AddRef() : D3D9Resource::AddRef();
}

ULONG IDirect3DSurface9::Release()
{
    return container_ ? container_->Release() : D3D9Resource::Release();
}

void IDirect3DSurface9::HoldInternal()
{
    if (container_)
        container_->HoldInternal();
    else
        D3D9Resource::HoldInternal();
}

void IDirect3DSurface9::DropInternal()
{
    if (container_)
        container_->DropInternal();
    else
        D3D9Resource::DropInternal();
}

ULONG IDirect3DSurface9::ExternalRefs() const
{
    return container_ ? container_->ExternalRefs() : D3D9Resource::ExternalRefs();
}

bool IDirect3DSurface9::IsAliveInDefaultPool() const
{
    return container_ ? container_->IsAliveInDefaultPool() : D3D9Resource::IsAliveInDefaultPool();
}

HRESULT IDirect3DSurface9::LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD /*Flags*/)
{
    std::lock_guard<std::recursive_mutex> lock(Core()->Mutex());
    if (!pLockedRect || locked_ || !lockable_) return D3DERR_INVALIDCALL;
    UINT x = 0;
    UINT y = 0;
    if (pRect) {
        if (pRect->left < 0 || pRect->top < 0 || pRect->left >= pRect->right || pRect->top >= pRect->bottom ||
            static_cast<UINT>(pRect->right) > Width() || static_cast<UINT>(pRect->bottom) > Height())
            return D3DERR_INVALIDCALL;
        x = static_cast<UINT>(pRect->left);
        y = static_cast<UINT>(pRect->top);
    }
    pLockedRect->Pitch = static_cast<INT>(pixels_->Pitch());
    pLockedRect->pBits = pixels_->At(x, y);
    locked_ = true;
    return D3D_OK;
}

HRESULT IDirect3DSurface9::UnlockRect()
{
    std::lock_guard<std::recursive_mutex> lock(Core()->Mutex());
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    return D3D_OK;
}

HRESULT IDirect3DSurface9::GetDesc(D3DSURFACE_DESC* pDesc)
{
    if (!pDesc) return D3DERR_INVALIDCALL;
    pDesc->Format = Format();
    pDesc->Type = D3DRTYPE_SURFACE;
    pDesc->Usage = usage_;
    pDesc->Pool = Pool();
    pDesc->MultiSampleType = D3DMULTISAMPLE_NONE;
    pDesc->MultiSampleQuality = 0;
    pDesc->Width = Width();
    pDesc->Height = Height();
    return D3D_OK;
}
