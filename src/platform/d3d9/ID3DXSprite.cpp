#include "platform/d3d9/ID3DXSprite.h"

#include <algorithm>
#include <new>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr DWORD kSpriteFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

}  // namespace

HRESULT D3DXCreateSprite(IDirect3DDevice9* pDevice, ID3DXSprite** ppSprite)
{
    if (!pDevice || !ppSprite) return D3DERR_INVALIDCALL;
    *ppSprite = new (std::nothrow) ID3DXSprite(pDevice);
    return *ppSprite ? D3D_OK : D3DERR_OUTOFVIDEOMEMORY;
}

ID3DXSprite::ID3DXSprite(IDirect3DDevice9* device) : device_(device)
{
    device_->AddRef();
    device_->Core()->AddDefaultPoolHolder(+1);
}

ID3DXSprite::~ID3DXSprite()
{
    queue_.clear();
    saved_.reset();
    if (!lost_) device_->Core()->AddDefaultPoolHolder(-1);
    device_->Release();
}

HRESULT ID3DXSprite::Begin(DWORD Flags)
{
    Lock lock(device_->Core()->Mutex());
    if (begun_ || lost_) return D3DERR_INVALIDCALL;
    begun_ = true;
    flags_ = Flags;
    if (!(Flags & D3DXSPRITE_DONOTSAVESTATE)) saved_ = device_->SaveState();
    return D3D_OK;
}

HRESULT ID3DXSprite::Draw(IDirect3DTexture9* pTexture, const RECT* pSrcRect, const D3DXVECTOR3* pCenter,
                          const D3DXVECTOR3* pPosition, D3DCOLOR Color)
{
    Lock lock(device_->Core()->Mutex());
    if (!begun_ || !pTexture) return D3DERR_INVALIDCALL;
    const IDirect3DSurface9* level = pTexture->Level0();
    Item item{D3D9InternalRef<IDirect3DTexture9>(pTexture),
              pSrcRect ? *pSrcRect : RECT{0, 0, static_cast<LONG>(level->Width()), static_cast<LONG>(level->Height())},
              0.0f, 0.0f, Color};
    const D3DXVECTOR3 center = pCenter ? *pCenter : D3DXVECTOR3{};
    const D3DXVECTOR3 position = pPosition ? *pPosition : D3DXVECTOR3{};
    item.left = position.x - center.x;
    item.top = position.y - center.y;
    queue_.push_back(std::move(item));
    return D3D_OK;
}

void ID3DXSprite::ApplyDrawingState()
{
    IDirect3DDevice9& d = *device_;
    const bool blend = (flags_ & D3DXSPRITE_ALPHABLEND) != 0;
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, blend ? TRUE : FALSE);
    d.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    d.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    d.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    d.SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d.SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    d.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d.SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    d.SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d.SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    d.SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    d.SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    d.SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    d.SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    d.SetFVF(kSpriteFvf);
}

HRESULT ID3DXSprite::DrawItem(const Item& item)
{
    const IDirect3DSurface9* level = item.texture->Level0();
    const float tw = static_cast<float>(level->Width());
    const float th = static_cast<float>(level->Height());
    const float w = static_cast<float>(item.source.right - item.source.left);
    const float h = static_cast<float>(item.source.bottom - item.source.top);
    const float x0 = item.left - 0.5f;
    const float y0 = item.top - 0.5f;
    const float u0 = static_cast<float>(item.source.left) / tw;
    const float v0 = static_cast<float>(item.source.top) / th;
    const float u1 = static_cast<float>(item.source.right) / tw;
    const float v1 = static_cast<float>(item.source.bottom) / th;
    const D3D9TLVertex quad[4] = {
        {x0, y0, 0.0f, 1.0f, item.color, u0, v0},
        {x0, y0 + h, 0.0f, 1.0f, item.color, u0, v1},
        {x0 + w, y0, 0.0f, 1.0f, item.color, u1, v0},
        {x0 + w, y0 + h, 0.0f, 1.0f, item.color, u1, v1},
    };
    return device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(D3D9TLVertex));
}

HRESULT ID3DXSprite::Flush()
{
    Lock lock(device_->Core()->Mutex());
    if (!begun_) return D3DERR_INVALIDCALL;
    if (queue_.empty()) return D3D_OK;
    if (flags_ & D3DXSPRITE_SORT_TEXTURE) {
        // Group by texture, the textures in the order of their first Draw.
        std::vector<const IDirect3DTexture9*> order;
        for (const Item& item : queue_)
            if (std::find(order.begin(), order.end(), item.texture.Get()) == order.end())
                order.push_back(item.texture.Get());
        auto rank = [&](const Item& item) {
            return std::find(order.begin(), order.end(), item.texture.Get()) - order.begin();
        };
        std::stable_sort(queue_.begin(), queue_.end(), [&](const Item& a, const Item& b) { return rank(a) < rank(b); });
    }
    ApplyDrawingState();
    HRESULT result = D3D_OK;
    const IDirect3DTexture9* bound = nullptr;
    for (const Item& item : queue_) {
        if (item.texture.Get() != bound) {
            device_->SetTexture(0, item.texture.Get());
            bound = item.texture.Get();
        }
        const HRESULT hr = DrawItem(item);
        if (FAILED(hr)) result = hr;
    }
    queue_.clear();
    return result;
}

HRESULT ID3DXSprite::End()
{
    Lock lock(device_->Core()->Mutex());
    if (!begun_) return D3DERR_INVALIDCALL;
    const HRESULT hr = Flush();
    if (saved_) device_->RestoreState(*saved_);
    saved_.reset();
    begun_ = false;
    return hr;
}

HRESULT ID3DXSprite::OnLostDevice()
{
    Lock lock(device_->Core()->Mutex());
    if (begun_) {
        queue_.clear();
        if (saved_) device_->RestoreState(*saved_);
        saved_.reset();
        begun_ = false;
    }
    if (!lost_) {
        lost_ = true;
        device_->Core()->AddDefaultPoolHolder(-1);
    }
    return D3D_OK;
}

HRESULT ID3DXSprite::OnResetDevice()
{
    Lock lock(device_->Core()->Mutex());
    if (lost_) {
        lost_ = false;
        device_->Core()->AddDefaultPoolHolder(+1);
    }
    return D3D_OK;
}

HRESULT ID3DXSprite::GetDevice(IDirect3DDevice9** ppDevice)
{
    if (!ppDevice) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *ppDevice = device_;
    return D3D_OK;
}
