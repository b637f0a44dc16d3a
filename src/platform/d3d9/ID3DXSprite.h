// The D3DX sprite: queues textured rectangles between Begin and End and draws them into the
// device's current render target, inside the caller's scene.
//
// Begin saves the device's pipeline state (unless D3DXSPRITE_DONOTSAVESTATE) and End puts it
// back. For drawing the sprite sets: culling off, stage 0 MODULATE(TEXTURE, DIFFUSE) for colour
// and alpha, later stages off, point sampling with wrap, FVF 0x144, and with
// D3DXSPRITE_ALPHABLEND blending SRCALPHA / INVSRCALPHA (else no blending). A sprite drawn at
// position (x, y) with a w x h source rectangle covers exactly the pixels x .. x + w - 1,
// y .. y + h - 1 with one texel each (the quad's edges sit half a pixel outside the centres).
// D3DXSPRITE_SORT_TEXTURE draws the queue grouped by texture, the textures in the order of their
// first Draw and each group in Draw order; without it the queue is drawn in Draw order.
//
// The sprite counts as a DEFAULT-pool object for the device's Reset rule from creation until
// OnLostDevice and again from OnResetDevice on; Begin is refused between the two.
#pragma once

#include <optional>
#include <vector>

#include "platform/d3d9/D3D9DeviceState.h"
#include "platform/d3d9/IDirect3DDevice9.h"

struct D3DXVECTOR3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

constexpr DWORD D3DXSPRITE_DONOTSAVESTATE = 0x00000001;
constexpr DWORD D3DXSPRITE_ALPHABLEND = 0x00000010;
constexpr DWORD D3DXSPRITE_SORT_TEXTURE = 0x00000020;

class ID3DXSprite final : public D3D9Object {
public:
    // Stand-in internal: made by D3DXCreateSprite; holds a reference on the device.
    explicit ID3DXSprite(IDirect3DDevice9* device);

    // D3DERR_INVALIDCALL when already begun or after OnLostDevice.
    HRESULT Begin(DWORD Flags);
    // Queues pTexture's rectangle pSrcRect (null: the whole texture) with its corner pCenter
    // (null: 0, 0) at pPosition (null: 0, 0), coloured by Color. Needs Begin.
    HRESULT Draw(IDirect3DTexture9* pTexture, const RECT* pSrcRect, const D3DXVECTOR3* pCenter,
                 const D3DXVECTOR3* pPosition, D3DCOLOR Color);
    // Draws the queue now; the device's draw result when it fails (no scene open).
    HRESULT Flush();
    // Flush, then the saved state back.
    HRESULT End();
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();
    // AddRef'd device.
    HRESULT GetDevice(IDirect3DDevice9** ppDevice);

private:
    struct Item {
        D3D9InternalRef<IDirect3DTexture9> texture;
        RECT source;
        float left;
        float top;
        D3DCOLOR color;
    };

    ~ID3DXSprite() override;
    void ApplyDrawingState();
    HRESULT DrawItem(const Item& item);

    IDirect3DDevice9* device_;
    bool begun_ = false;
    bool lost_ = false;
    DWORD flags_ = 0;
    std::optional<D3D9DeviceState> saved_;
    std::vector<Item> queue_;
};

using LPD3DXSPRITE = ID3DXSprite*;

HRESULT D3DXCreateSprite(IDirect3DDevice9* pDevice, ID3DXSprite** ppSprite);
