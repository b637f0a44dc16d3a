// A surface of the software device: the swap chain's back buffer, the single level of a texture,
// or an off-screen plain surface in system memory.
//
// A texture's level surface shares its texture's counts: AddRef/Release on it count on the
// texture, as the texture and its level live and die together.
#pragma once

#include <memory>

#include "platform/d3d9/D3D9PixelBuffer.h"
#include "platform/d3d9/D3D9Resource.h"

class IDirect3DTexture9;

class IDirect3DSurface9 final : public D3D9Resource {
public:
    enum class Kind { BackBuffer, TextureLevel, OffscreenPlain };

    // Stand-in internal: made by the device and by textures. Throws std::bad_alloc.
    IDirect3DSurface9(std::shared_ptr<D3D9DeviceCore> core, Kind kind, UINT width, UINT height, D3DFORMAT format,
                      DWORD usage, D3DPOOL pool, bool lockable, IDirect3DTexture9* container);

    ULONG AddRef() override;
    ULONG Release() override;
    void HoldInternal() override;
    void DropInternal() override;
    ULONG ExternalRefs() const override;
    bool IsAliveInDefaultPool() const override;

    // Whole surface when pRect is null; else the rectangle, which must lie inside and not be
    // empty. D3DERR_INVALIDCALL for a surface that is already locked, for DEFAULT-pool render
    // targets, and for a back buffer made without D3DPRESENTFLAG_LOCKABLE_BACKBUFFER.
    HRESULT LockRect(D3DLOCKED_RECT* pLockedRect, const RECT* pRect, DWORD Flags);
    // D3DERR_INVALIDCALL when not locked.
    HRESULT UnlockRect();
    HRESULT GetDesc(D3DSURFACE_DESC* pDesc);

    // Stand-in and test access: the pixels, read without touching the lock state.
    D3D9PixelBuffer& Pixels() { return *pixels_; }
    const D3D9PixelBuffer& Pixels() const { return *pixels_; }
    std::uint32_t ReadARGB(UINT x, UINT y) const { return pixels_->ReadARGB(x, y); }
    std::uint32_t ReadRaw(UINT x, UINT y) const { return pixels_->ReadRaw(x, y); }
    UINT Width() const { return pixels_->Width(); }
    UINT Height() const { return pixels_->Height(); }
    D3DFORMAT Format() const { return pixels_->Format(); }
    Kind SurfaceKind() const { return kind_; }
    DWORD Usage() const { return usage_; }
    // True for the back buffer and for the level of a RENDERTARGET texture.
    bool IsRenderTarget() const { return kind_ == Kind::BackBuffer || (usage_ & D3DUSAGE_RENDERTARGET) != 0; }
    bool IsLocked() const { return locked_; }
    // The texture this surface is the level of; null otherwise.
    IDirect3DTexture9* Container() const { return container_; }

private:
    Kind kind_;
    DWORD usage_;
    bool lockable_;
    bool locked_ = false;
    IDirect3DTexture9* container_;
    std::unique_ptr<D3D9PixelBuffer> pixels_;
};

using LPDIRECT3DSURFACE9 = IDirect3DSurface9*;
