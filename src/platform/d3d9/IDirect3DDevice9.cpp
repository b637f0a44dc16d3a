// The device's life, resources, states, render targets, present and reset. Clears and draws are
// in D3D9DeviceDraw.cpp.
#include "platform/d3d9/IDirect3DDevice9.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <new>

#include "platform/d3d9/D3D9Config.h"
#include "platform/d3d9/IDirect3D9.h"
#include "platform/hostapi/Host.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"
#include "platform/win/Time.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

std::atomic<unsigned> g_leakedAtLastRelease{0};

constexpr UINT kMaxBackBufferSide = 4096;
constexpr UINT kMaxPlainSurfaceSide = 16384;
constexpr UINT kMaxBufferBytes = 64u * 1024 * 1024;

bool IsPow2(UINT v)
{
    return v != 0 && (v & (v - 1)) == 0;
}

bool IsBackBufferFormat(D3DFORMAT f)
{
    return f == D3DFMT_X8R8G8B8 || f == D3DFMT_A8R8G8B8 || f == D3DFMT_R5G6B5 || f == D3DFMT_A1R5G5B5 ||
           f == D3DFMT_X1R5G5B5;
}

// One row of a back buffer as 0x00RRGGBB.
template <D3DFORMAT F>
void ComposeRow(const BYTE* row, UINT w, std::uint32_t* out)
{
    for (UINT x = 0; x < w; ++x)
        out[x] = D3D9DecodePixel(F, row + static_cast<std::size_t>(x) * D3D9BytesPerPixel(F)) & 0x00FFFFFFu;
}

template <D3DFORMAT F>
void ComposeRows(const D3D9PixelBuffer& bb, std::uint32_t* out)
{
    const UINT w = bb.Width();
    for (UINT y = 0; y < bb.Height(); ++y, out += w) ComposeRow<F>(bb.Row(y), w, out);
}

// The back buffer as the host's frame (0x00RRGGBB, rows Width() apart), in one pass with the
// format chosen once rather than per pixel.
void ComposeFrame(const D3D9PixelBuffer& bb, std::uint32_t* out)
{
    switch (bb.Format()) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8: ComposeRows<D3DFMT_A8R8G8B8>(bb, out); break;
    case D3DFMT_R5G6B5: ComposeRows<D3DFMT_R5G6B5>(bb, out); break;
    case D3DFMT_A1R5G5B5:
    case D3DFMT_X1R5G5B5: ComposeRows<D3DFMT_X1R5G5B5>(bb, out); break;
    default: std::fill_n(out, static_cast<std::size_t>(bb.Width()) * bb.Height(), 0u); break;
    }
}

bool IsPool(D3DPOOL pool)
{
    return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM;
}

// The window's client size, or 640 x 480 when the window is unknown or has no area.
void ClientSize(HWND hWnd, UINT& width, UINT& height)
{
    RECT rc{};
    if (hWnd && GetClientRect(hWnd, &rc) && rc.right > rc.left && rc.bottom > rc.top) {
        width = static_cast<UINT>(rc.right - rc.left);
        height = static_cast<UINT>(rc.bottom - rc.top);
        return;
    }
    width = 640;
    height = 480;
}

}  // namespace

unsigned D3D9LeakedObjectsAtLastDeviceRelease()
{
    return g_leakedAtLastRelease.load();
}

bool IDirect3DDevice9::ResolvePresentParameters(D3DPRESENT_PARAMETERS& pp, HWND hFocusWindow)
{
    if (pp.BackBufferCount > 1 || pp.MultiSampleType != D3DMULTISAMPLE_NONE || pp.EnableAutoDepthStencil) return false;
    if (pp.SwapEffect != D3DSWAPEFFECT_DISCARD && pp.SwapEffect != D3DSWAPEFFECT_FLIP &&
        pp.SwapEffect != D3DSWAPEFFECT_COPY)
        return false;
    if (pp.PresentationInterval != D3DPRESENT_INTERVAL_DEFAULT && pp.PresentationInterval != D3DPRESENT_INTERVAL_ONE &&
        pp.PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE)
        return false;
    const D3DDISPLAYMODE display = D3D9AdapterDisplayMode();
    pp.BackBufferCount = 1;
    if (pp.Windowed) {
        if (pp.FullScreen_RefreshRateInHz != 0) return false;
        if (pp.BackBufferWidth == 0 || pp.BackBufferHeight == 0)
            ClientSize(pp.hDeviceWindow ? pp.hDeviceWindow : hFocusWindow, pp.BackBufferWidth, pp.BackBufferHeight);
        if (pp.BackBufferFormat == D3DFMT_UNKNOWN) pp.BackBufferFormat = display.Format;
    } else {
        if (pp.BackBufferWidth == 0 || pp.BackBufferHeight == 0 || pp.BackBufferFormat == D3DFMT_UNKNOWN) return false;
        if (pp.FullScreen_RefreshRateInHz != 0 && pp.FullScreen_RefreshRateInHz != display.RefreshRate) return false;
    }
    return IsBackBufferFormat(pp.BackBufferFormat) && pp.BackBufferWidth <= kMaxBackBufferSide &&
           pp.BackBufferHeight <= kMaxBackBufferSide;
}

IDirect3DDevice9::IDirect3DDevice9(const D3DPRESENT_PARAMETERS& resolved, HWND hFocusWindow)
    : core_(std::make_shared<D3D9DeviceCore>(D3D9Config().textureMemoryBytes, D3D9Config().caps)), pp_(resolved),
      focusWindow_(hFocusWindow), state_(D3D9DeviceState::Defaults()),
      refreshRate_(D3D9AdapterDisplayMode().RefreshRate)
{
    callLog_.Enable(D3D9Config().callLog);
    if (FAILED(MakeBackBuffer())) throw std::bad_alloc();
}

IDirect3DDevice9::~IDirect3DDevice9()
{
    state_ = D3D9DeviceState{};
    renderTarget_.Reset();
    backBuffer_.Reset();
    const std::size_t leaked = core_->LiveResourceCount();
    g_leakedAtLastRelease = static_cast<unsigned>(leaked);
    if (leaked != 0) std::fprintf(stderr, "d3d9: device released while %zu objects are still referenced\n", leaked);
}

HRESULT IDirect3DDevice9::MakeBackBuffer()
{
    const bool lockable = (pp_.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER) != 0;
    IDirect3DSurface9* surface = nullptr;
    try {
        surface =
            new IDirect3DSurface9(core_, IDirect3DSurface9::Kind::BackBuffer, pp_.BackBufferWidth, pp_.BackBufferHeight,
                                  pp_.BackBufferFormat, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, lockable, nullptr);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    // The swap chain owns it: an internal hold only, so the game's count starts at 0.
    backBuffer_.Reset(surface);
    surface->Release();
    renderTarget_.Reset(surface);
    return D3D_OK;
}

HRESULT IDirect3DDevice9::TestCooperativeLevel()
{
    Lock lock(core_->Mutex());
    switch (loss_) {
    case LossState::Operational: return D3D_OK;
    case LossState::Lost: return D3DERR_DEVICELOST;
    default: return D3DERR_DEVICENOTRESET;
    }
}

UINT IDirect3DDevice9::GetAvailableTextureMem()
{
    const ULONGLONG left = core_->AvailableTextureMemory();
    return left > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<UINT>(left);
}

HRESULT IDirect3DDevice9::GetDeviceCaps(D3DCAPS9* pCaps)
{
    if (!pCaps) return D3DERR_INVALIDCALL;
    *pCaps = core_->Caps();
    return D3D_OK;
}

HRESULT IDirect3DDevice9::Reset(D3DPRESENT_PARAMETERS* pPresentationParameters)
{
    Lock lock(core_->Mutex());
    if (!pPresentationParameters) return D3DERR_INVALIDCALL;
    if (loss_ == LossState::Lost) return D3DERR_DEVICELOST;
    const std::size_t alive = core_->AliveDefaultPoolObjects();
    if (alive != 0) {
        std::fprintf(stderr, "d3d9: Reset refused: %zu DEFAULT-pool objects are still referenced\n", alive);
        loss_ = LossState::NotReset;
        return D3DERR_INVALIDCALL;
    }
    D3DPRESENT_PARAMETERS pp = *pPresentationParameters;
    if (!ResolvePresentParameters(pp, focusWindow_)) {
        loss_ = LossState::NotReset;
        return D3DERR_INVALIDCALL;
    }
    const D3DPRESENT_PARAMETERS previous = pp_;
    pp_ = pp;
    state_ = D3D9DeviceState::Defaults();
    renderTarget_.Reset();
    backBuffer_.Reset();
    if (FAILED(MakeBackBuffer())) {
        pp_ = previous;
        loss_ = LossState::NotReset;
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    inScene_ = false;
    dialogBoxMode_ = false;
    loss_ = LossState::Operational;
    *pPresentationParameters = pp;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::Present(const RECT* pSourceRect, const RECT* pDestRect, HWND hDestWindowOverride,
                                  const void* pDirtyRegion)
{
    if (pSourceRect || pDestRect || hDestWindowOverride || pDirtyRegion) return D3DERR_INVALIDCALL;
    UINT interval = D3DPRESENT_INTERVAL_DEFAULT;
    {
        Lock lock(core_->Mutex());
        interval = pp_.PresentationInterval;
        if (loss_ != LossState::Operational) return D3DERR_DEVICELOST;
        const D3D9PixelBuffer& bb = backBuffer_->Pixels();
        GetHost().WriteFrame(static_cast<int>(bb.Width()), static_cast<int>(bb.Height()),
                             [&bb](std::uint32_t* out) { ComposeFrame(bb, out); });
        ++presentCount_;
        D3D9CallRecord record;
        record.kind = D3D9CallRecord::Kind::Present;
        record.target = backBuffer_.Get();
        callLog_.Add(std::move(record));
    }
    if (interval != D3DPRESENT_INTERVAL_IMMEDIATE) WaitForVerticalBlank();
    ThreadSafePoint();
    return D3D_OK;
}

void IDirect3DDevice9::WaitForVerticalBlank() const
{
    if (!FramePaceKept()) {
        return;
    }
    const double period = 1000.0 / (refreshRate_ ? refreshRate_ : 60);
    const double now = timeGetTime();
    const double next = (std::floor(now / period) + 1) * period;
    Sleep(static_cast<DWORD>(std::ceil(next - now)));
}

HRESULT IDirect3DDevice9::GetBackBuffer(UINT iSwapChain, UINT iBackBuffer, D3DBACKBUFFER_TYPE Type,
                                        IDirect3DSurface9** ppBackBuffer)
{
    Lock lock(core_->Mutex());
    if (!ppBackBuffer) return D3DERR_INVALIDCALL;
    *ppBackBuffer = nullptr;
    if (iSwapChain != 0 || iBackBuffer != 0 || Type != D3DBACKBUFFER_TYPE_MONO || !backBuffer_)
        return D3DERR_INVALIDCALL;
    backBuffer_->AddRef();
    *ppBackBuffer = backBuffer_.Get();
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetDialogBoxMode(BOOL bEnableDialogs)
{
    Lock lock(core_->Mutex());
    if ((pp_.Flags & D3DPRESENTFLAG_LOCKABLE_BACKBUFFER) == 0) return D3DERR_INVALIDCALL;
    dialogBoxMode_ = bEnableDialogs != FALSE;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage, D3DFORMAT Format,
                                        D3DPOOL Pool, IDirect3DTexture9** ppTexture, HANDLE* pSharedHandle)
{
    if (!ppTexture || pSharedHandle) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    const D3DCAPS9& caps = core_->Caps();
    if (Width == 0 || Height == 0 || Width > caps.MaxTextureWidth || Height > caps.MaxTextureHeight)
        return D3DERR_INVALIDCALL;
    if ((caps.TextureCaps & D3DPTEXTURECAPS_POW2) && (!IsPow2(Width) || !IsPow2(Height))) return D3DERR_INVALIDCALL;
    if ((caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) && Width != Height) return D3DERR_INVALIDCALL;
    if (Levels > 1 || !D3D9IsColorFormat(Format) || !IsPool(Pool)) return D3DERR_INVALIDCALL;
    if (Usage & ~(D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC)) return D3DERR_INVALIDCALL;
    if ((Usage & D3DUSAGE_RENDERTARGET) && Pool != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;
    if ((Usage & D3DUSAGE_DYNAMIC) && Pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;

    Lock lock(core_->Mutex());
    const bool charged = Pool == D3DPOOL_DEFAULT || Pool == D3DPOOL_MANAGED;
    const ULONGLONG bytes = charged ? D3D9PixelBuffer::BytesFor(Width, Height, Format) : 0;
    if (charged && !core_->ChargeTextureMemory(bytes)) return D3DERR_OUTOFVIDEOMEMORY;
    try {
        *ppTexture = new IDirect3DTexture9(core_, Width, Height, Format, Usage, Pool, bytes);
    } catch (const std::bad_alloc&) {
        core_->RefundTextureMemory(bytes);
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

HRESULT IDirect3DDevice9::CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                             IDirect3DVertexBuffer9** ppVertexBuffer, HANDLE* pSharedHandle)
{
    if (!ppVertexBuffer || pSharedHandle) return D3DERR_INVALIDCALL;
    *ppVertexBuffer = nullptr;
    if (Length == 0 || !IsPool(Pool)) return D3DERR_INVALIDCALL;
    if (Length > kMaxBufferBytes || D3D9Config().failCreateVertexBuffer) return D3DERR_OUTOFVIDEOMEMORY;
    try {
        *ppVertexBuffer = new IDirect3DVertexBuffer9(core_, Length, Usage, FVF, Pool);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

HRESULT IDirect3DDevice9::CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                            IDirect3DIndexBuffer9** ppIndexBuffer, HANDLE* pSharedHandle)
{
    if (!ppIndexBuffer || pSharedHandle) return D3DERR_INVALIDCALL;
    *ppIndexBuffer = nullptr;
    if (Length == 0 || !IsPool(Pool) || (Format != D3DFMT_INDEX16 && Format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    if (Length > kMaxBufferBytes || D3D9Config().failCreateIndexBuffer) return D3DERR_OUTOFVIDEOMEMORY;
    try {
        *ppIndexBuffer = new IDirect3DIndexBuffer9(core_, Length, Usage, Format, Pool);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

HRESULT IDirect3DDevice9::CreateOffscreenPlainSurface(UINT Width, UINT Height, D3DFORMAT Format, D3DPOOL Pool,
                                                      IDirect3DSurface9** ppSurface, HANDLE* pSharedHandle)
{
    if (!ppSurface || pSharedHandle) return D3DERR_INVALIDCALL;
    *ppSurface = nullptr;
    if (Width == 0 || Height == 0 || Width > kMaxPlainSurfaceSide || Height > kMaxPlainSurfaceSide)
        return D3DERR_INVALIDCALL;
    if (Pool != D3DPOOL_SYSTEMMEM || !D3D9IsColorFormat(Format)) return D3DERR_INVALIDCALL;
    try {
        *ppSurface = new IDirect3DSurface9(core_, IDirect3DSurface9::Kind::OffscreenPlain, Width, Height, Format, 0,
                                           Pool, true, nullptr);
    } catch (const std::bad_alloc&) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

HRESULT IDirect3DDevice9::UpdateSurface(IDirect3DSurface9* pSourceSurface, const RECT* pSourceRect,
                                        IDirect3DSurface9* pDestinationSurface, const POINT* pDestPoint)
{
    Lock lock(core_->Mutex());
    if (!pSourceSurface || !pDestinationSurface) return D3DERR_INVALIDCALL;
    IDirect3DSurface9& src = *pSourceSurface;
    IDirect3DSurface9& dst = *pDestinationSurface;
    if (src.Pool() != D3DPOOL_SYSTEMMEM || dst.Pool() != D3DPOOL_DEFAULT || src.Format() != dst.Format())
        return D3DERR_INVALIDCALL;
    if (src.IsLocked() || dst.IsLocked()) return D3DERR_INVALIDCALL;
    RECT r{0, 0, static_cast<LONG>(src.Width()), static_cast<LONG>(src.Height())};
    if (pSourceRect) r = *pSourceRect;
    if (r.left < 0 || r.top < 0 || r.left >= r.right || r.top >= r.bottom || static_cast<UINT>(r.right) > src.Width() ||
        static_cast<UINT>(r.bottom) > src.Height())
        return D3DERR_INVALIDCALL;
    const LONG dx = pDestPoint ? pDestPoint->x : 0;
    const LONG dy = pDestPoint ? pDestPoint->y : 0;
    const LONG w = r.right - r.left;
    const LONG h = r.bottom - r.top;
    if (dx < 0 || dy < 0 || static_cast<ULONGLONG>(dx) + w > dst.Width() ||
        static_cast<ULONGLONG>(dy) + h > dst.Height())
        return D3DERR_INVALIDCALL;
    if (loss_ != LossState::Operational) return D3D_OK;
    dst.Pixels().CopyBlock(src.Pixels(), static_cast<UINT>(r.left), static_cast<UINT>(r.top), static_cast<UINT>(w),
                           static_cast<UINT>(h), static_cast<UINT>(dx), static_cast<UINT>(dy));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetRenderTargetData(IDirect3DSurface9* pRenderTarget, IDirect3DSurface9* pDestSurface)
{
    Lock lock(core_->Mutex());
    if (!pRenderTarget || !pDestSurface || !pRenderTarget->IsRenderTarget()) return D3DERR_INVALIDCALL;
    if (pDestSurface->Pool() != D3DPOOL_SYSTEMMEM || pDestSurface->IsLocked()) return D3DERR_INVALIDCALL;
    if (pRenderTarget->Width() != pDestSurface->Width() || pRenderTarget->Height() != pDestSurface->Height() ||
        pRenderTarget->Format() != pDestSurface->Format())
        return D3DERR_INVALIDCALL;
    if (loss_ != LossState::Operational) return D3DERR_DEVICELOST;
    pDestSurface->Pixels().CopyPixelsFrom(pRenderTarget->Pixels());
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget)
{
    Lock lock(core_->Mutex());
    if (RenderTargetIndex != 0 || !pRenderTarget || !pRenderTarget->IsRenderTarget()) return D3DERR_INVALIDCALL;
    renderTarget_.Reset(pRenderTarget);
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::SetRenderTarget;
    record.target = pRenderTarget;
    callLog_.Add(std::move(record));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9** ppRenderTarget)
{
    Lock lock(core_->Mutex());
    if (RenderTargetIndex != 0 || !ppRenderTarget || !renderTarget_) return D3DERR_INVALIDCALL;
    renderTarget_->AddRef();
    *ppRenderTarget = renderTarget_.Get();
    return D3D_OK;
}

HRESULT IDirect3DDevice9::BeginScene()
{
    Lock lock(core_->Mutex());
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::EndScene()
{
    Lock lock(core_->Mutex());
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetRenderState(D3DRENDERSTATETYPE State, DWORD Value)
{
    Lock lock(core_->Mutex());
    if (State >= D3D9_RENDER_STATE_COUNT) return D3DERR_INVALIDCALL;
    state_.renderStates[State] = Value;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetRenderState(D3DRENDERSTATETYPE State, DWORD* pValue)
{
    Lock lock(core_->Mutex());
    if (State >= D3D9_RENDER_STATE_COUNT || !pValue) return D3DERR_INVALIDCALL;
    *pValue = state_.renderStates[State];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetTexture(DWORD Stage, IDirect3DTexture9* pTexture)
{
    Lock lock(core_->Mutex());
    if (Stage >= D3D9_MAX_STAGES) return D3DERR_INVALIDCALL;
    if (pTexture && pTexture->Pool() == D3DPOOL_SYSTEMMEM) return D3DERR_INVALIDCALL;
    state_.textures[Stage].Reset(pTexture);
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD Value)
{
    Lock lock(core_->Mutex());
    if (Stage >= D3D9_MAX_STAGES || Type >= D3D9_STAGE_STATE_COUNT) return D3DERR_INVALIDCALL;
    state_.stageStates[Stage][Type] = Value;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetTextureStageState(DWORD Stage, D3DTEXTURESTAGESTATETYPE Type, DWORD* pValue)
{
    Lock lock(core_->Mutex());
    if (Stage >= D3D9_MAX_STAGES || Type >= D3D9_STAGE_STATE_COUNT || !pValue) return D3DERR_INVALIDCALL;
    *pValue = state_.stageStates[Stage][Type];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD Value)
{
    Lock lock(core_->Mutex());
    if (Sampler >= D3D9_MAX_STAGES || Type >= D3D9_SAMPLER_STATE_COUNT) return D3DERR_INVALIDCALL;
    state_.samplerStates[Sampler][Type] = Value;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetSamplerState(DWORD Sampler, D3DSAMPLERSTATETYPE Type, DWORD* pValue)
{
    Lock lock(core_->Mutex());
    if (Sampler >= D3D9_MAX_STAGES || Type >= D3D9_SAMPLER_STATE_COUNT || !pValue) return D3DERR_INVALIDCALL;
    *pValue = state_.samplerStates[Sampler][Type];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetFVF(DWORD FVF)
{
    Lock lock(core_->Mutex());
    state_.fvf = FVF;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::GetFVF(DWORD* pFVF)
{
    Lock lock(core_->Mutex());
    if (!pFVF) return D3DERR_INVALIDCALL;
    *pFVF = state_.fvf;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData, UINT OffsetInBytes,
                                          UINT Stride)
{
    Lock lock(core_->Mutex());
    if (StreamNumber != 0) return D3DERR_INVALIDCALL;
    state_.streamSource.Reset(pStreamData);
    state_.streamOffset = OffsetInBytes;
    state_.streamStride = Stride;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetIndices(IDirect3DIndexBuffer9* pIndexData)
{
    Lock lock(core_->Mutex());
    state_.indices.Reset(pIndexData);
    return D3D_OK;
}

void IDirect3DDevice9::SimulateDeviceLoss()
{
    Lock lock(core_->Mutex());
    loss_ = LossState::Lost;
}

void IDirect3DDevice9::MakeDeviceResettable()
{
    Lock lock(core_->Mutex());
    if (loss_ == LossState::Lost) loss_ = LossState::NotReset;
}

IDirect3DDevice9::LossState IDirect3DDevice9::DeviceLossState() const
{
    Lock lock(core_->Mutex());
    return loss_;
}

unsigned IDirect3DDevice9::PresentCount() const
{
    Lock lock(core_->Mutex());
    return presentCount_;
}

D3D9DeviceState IDirect3DDevice9::SaveState() const
{
    Lock lock(core_->Mutex());
    return state_;
}

void IDirect3DDevice9::RestoreState(const D3D9DeviceState& state)
{
    Lock lock(core_->Mutex());
    state_ = state;
}
