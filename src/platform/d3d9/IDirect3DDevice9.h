// The software Direct3D 9 device: resources, the fixed-function states the game sets, render
// targets, scenes, clears, draws of pre-transformed vertices, presents to the host, and device
// loss with Reset.
//
// Thread safety: every call holds the device-wide lock, so the main thread may restore the device
// while the game thread waits. Device loss: SimulateDeviceLoss() makes Present and
// TestCooperativeLevel answer D3DERR_DEVICELOST (draws and clears then do nothing);
// MakeDeviceResettable() turns that into D3DERR_DEVICENOTRESET; Reset is refused with
// D3DERR_INVALIDCALL while any DEFAULT-pool object is still referenced by the game (textures,
// buffers, a back-buffer surface from GetBackBuffer, D3DX objects not put through OnLostDevice),
// and otherwise gives a fresh black back buffer and the initial pipeline state.
#pragma once

#include <memory>
#include <vector>

#include "platform/d3d9/D3D9CallLog.h"
#include "platform/d3d9/D3D9DeviceState.h"
#include "platform/d3d9/D3D9Rasterizer.h"
#include "platform/d3d9/IDirect3DSurface9.h"

class IDirect3DDevice9 final : public D3D9Object {
public:
    enum class LossState { Operational, Lost, NotReset };

    // Stand-in internal: made by IDirect3D9::CreateDevice with checked parameters.
    // Throws std::bad_alloc.
    IDirect3DDevice9(const D3DPRESENT_PARAMETERS& resolved, HWND hFocusWindow);

    // D3D_OK, D3DERR_DEVICELOST or D3DERR_DEVICENOTRESET (see the file comment).
    HRESULT TestCooperativeLevel();
    // Bytes of texture memory left in the budget.
    UINT GetAvailableTextureMem();
    HRESULT GetDeviceCaps(D3DCAPS9* pCaps);
    // See the file comment. The parameters are completed as in CreateDevice.
    HRESULT Reset(D3DPRESENT_PARAMETERS* pPresentationParameters);
    // Hands the back buffer to the host (0x00RRGGBB), then waits for the next vertical blank of
    // the virtual display unless the interval is IMMEDIATE. The rectangles and window must be null.
    // D3DERR_DEVICELOST while lost. The back buffer keeps its content (also with DISCARD).
    HRESULT Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride, const void* pDirtyRegion);
    HRESULT GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE Type, IDirect3DSurface9** ppBackBuffer);
    // D3D_OK when the back buffer was made lockable (D3DPRESENTFLAG_LOCKABLE_BACKBUFFER).
    HRESULT SetDialogBoxMode(BOOL bEnableDialogs);

    // Levels 0 or 1 (one level); RENDERTARGET only in the DEFAULT pool, DYNAMIC not in MANAGED;
    // the device's POW2/SQUAREONLY caps and maximum size are enforced. D3DERR_OUTOFVIDEOMEMORY
    // when a DEFAULT or MANAGED texture does not fit the texture memory left.
    HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                          IDirect3DTexture9** ppTexture, HANDLE* pSharedHandle);
    HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                               IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE* pSharedHandle);
    // Format D3DFMT_INDEX16 or D3DFMT_INDEX32.
    HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                              IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE* pSharedHandle);
    // SYSTEMMEM pool only.
    HRESULT CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                        IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle);
    // From a SYSTEMMEM surface to a DEFAULT-pool surface of the same format.
    HRESULT UpdateSurface(IDirect3DSurface9* pSourceSurface, const RECT* pSourceRect,
                          IDirect3DSurface9* pDestinationSurface, const POINT* pDestPoint);
    // From a render target to a SYSTEMMEM surface of the same size and format.
    HRESULT GetRenderTargetData(IDirect3DSurface9* pRenderTarget, IDirect3DSurface9* pDestSurface);

    // Index 0 only; the back buffer or the level of a RENDERTARGET texture. The viewport becomes
    // the whole target.
    HRESULT SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget);
    HRESULT GetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9** ppRenderTarget);

    // D3DERR_INVALIDCALL for a second BeginScene or an EndScene without a scene.
    HRESULT BeginScene();
    HRESULT EndScene();
    // Flags must be D3DCLEAR_TARGET (no depth buffer). Count 0 with null rects clears the whole
    // target; rectangles are clipped to it. The colour is A8R8G8B8, converted to the target format.
    HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z, DWORD Stencil);

    HRESULT SetRenderState(D3DRENDERSTATETYPE State, DWORD Value);
    HRESULT GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue);
    // SYSTEMMEM textures cannot be bound (D3DERR_INVALIDCALL); null unbinds.
    HRESULT SetTexture(DWORD Stage, IDirect3DTexture9* pTexture);
    HRESULT SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value);
    HRESULT GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue);
    HRESULT SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value);
    HRESULT GetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD* pValue);
    HRESULT SetFVF(DWORD FVF);
    HRESULT GetFVF(DWORD* pFVF);
    // Stream 0 only.
    HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData, UINT OffsetInBytes, UINT Stride);
    HRESULT SetIndices(IDirect3DIndexBuffer9* pIndexData);

    // Draws need an open scene, FVF 0x144 and a stride of at least 28 bytes; triangle lists,
    // strips and fans; every vertex and index read is checked against its buffer.
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount);
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, INT BaseVertexIndex, UINT MinVertexIndex,
                                 UINT NumVertices, UINT startIndex, UINT primCount);
    // The UP forms leave stream 0 (and the indices) unbound afterwards, as in Direct3D.
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount, const void* pVertexStreamZeroData,
                            UINT VertexStreamZeroStride);
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT MinVertexIndex, UINT NumVertices,
                                   UINT PrimitiveCount, const void* pIndexData, D3DFORMAT IndexDataFormat,
                                   const void* pVertexStreamZeroData, UINT VertexStreamZeroStride);

    // Stand-in hooks (tests, the D3DX objects, the host).
    void SimulateDeviceLoss();
    void MakeDeviceResettable();
    LossState DeviceLossState() const;
    unsigned PresentCount() const;
    D3D9CallLog& CallLog() { return callLog_; }
    bool InScene() const { return inScene_; }
    bool DialogBoxMode() const { return dialogBoxMode_; }
    const D3DPRESENT_PARAMETERS& PresentParameters() const { return pp_; }
    // The back buffer and the current render target, without adding a reference.
    IDirect3DSurface9* BackBufferSurface() const { return backBuffer_.Get(); }
    IDirect3DSurface9* CurrentRenderTarget() const { return renderTarget_.Get(); }
    const std::shared_ptr<D3D9DeviceCore>& Core() const { return core_; }
    // Copy of the pipeline state and its restoration (the D3DX sprite's save and restore).
    D3D9DeviceState SaveState() const;
    void RestoreState(const D3D9DeviceState& state);

    // Completes and checks present parameters (window size for 0 x 0, display format for
    // UNKNOWN). False when the device cannot be made with them.
    static bool ResolvePresentParameters(D3DPRESENT_PARAMETERS& pp, HWND hFocusWindow);

private:
    ~IDirect3DDevice9() override;

    HRESULT MakeBackBuffer();
    HRESULT CheckDrawState(D3DPRIMITIVETYPE type, UINT primitiveCount, UINT& vertexCount) const;
    // Draws already fetched vertices with the current state and logs the call.
    void Rasterize(D3DPRIMITIVETYPE type, const std::vector<D3D9TLVertex>& vertices, D3D9CallRecord record);
    void WaitForVerticalBlank() const;

    std::shared_ptr<D3D9DeviceCore> core_;
    D3DPRESENT_PARAMETERS pp_;
    HWND focusWindow_;
    LossState loss_ = LossState::Operational;
    D3D9InternalRef<IDirect3DSurface9> backBuffer_;
    D3D9InternalRef<IDirect3DSurface9> renderTarget_;
    D3D9DeviceState state_;
    bool inScene_ = false;
    bool dialogBoxMode_ = false;
    unsigned presentCount_ = 0;
    UINT refreshRate_;
    D3D9CallLog callLog_;
    std::vector<D3D9TLVertex> vertices_;
    D3D9RasterScratch rasterScratch_;
};

using LPDIRECT3DDEVICE9 = IDirect3DDevice9*;

// Objects still referenced when the last device was released (0 when none); the device also
// writes them to the standard error stream.
unsigned D3D9LeakedObjectsAtLastDeviceRelease();
