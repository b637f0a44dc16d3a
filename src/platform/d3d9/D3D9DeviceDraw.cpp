// The device's clears and draws: argument checks, vertex and index fetch, and the hand-over to
// the rasteriser. The rest of IDirect3DDevice9 is in IDirect3DDevice9.cpp.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/d3d9/D3D9Rasterizer.h"
#include "platform/d3d9/IDirect3DDevice9.h"

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr DWORD kGameFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr UINT kVertexBytes = sizeof(D3D9TLVertex);
// Bound on the vertices of one draw (the caller's UP data cannot be checked otherwise).
constexpr UINT kMaxDrawVertices = 1u << 20;

// Vertices used by primitiveCount primitives of type; 0 for types the device does not draw.
UINT VerticesFor(D3DPRIMITIVETYPE type, UINT primitiveCount)
{
    switch (type) {
    case D3DPT_TRIANGLELIST: return primitiveCount * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return primitiveCount + 2;
    default: return 0;
    }
}

D3D9TLVertex ReadVertex(const BYTE* p)
{
    D3D9TLVertex v;
    std::memcpy(&v, p, kVertexBytes);
    return v;
}

// Index k of an index array of the given format.
UINT ReadIndex(const BYTE* data, D3DFORMAT format, UINT k)
{
    if (format == D3DFMT_INDEX32) {
        std::uint32_t i;
        std::memcpy(&i, data + static_cast<std::size_t>(k) * 4, 4);
        return i;
    }
    std::uint16_t i;
    std::memcpy(&i, data + static_cast<std::size_t>(k) * 2, 2);
    return i;
}

void LogUnsupportedFvfOnce(DWORD fvf)
{
    static bool logged = false;
    if (!logged) {
        logged = true;
        std::fprintf(stderr, "d3d9: draw with vertex format 0x%X refused (only 0x144 is drawn)\n", fvf);
    }
}

}  // namespace

HRESULT IDirect3DDevice9::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float /*Z*/,
                                DWORD /*Stencil*/)
{
    Lock lock(core_->Mutex());
    if (Flags != D3DCLEAR_TARGET) return D3DERR_INVALIDCALL;
    if ((Count == 0) != (pRects == nullptr)) return D3DERR_INVALIDCALL;
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::Clear;
    record.target = renderTarget_.Get();
    record.color = Color;
    if (pRects && callLog_.Enabled()) record.rects.assign(pRects, pRects + Count);
    if (loss_ == LossState::Operational) {
        D3D9PixelBuffer& target = renderTarget_->Pixels();
        const std::uint32_t value = D3D9EncodeValue(target.Format(), Color);
        const LONG w = static_cast<LONG>(target.Width());
        const LONG h = static_cast<LONG>(target.Height());
        const D3DRECT whole{0, 0, w, h};
        for (DWORD i = 0; i < std::max<DWORD>(Count, 1); ++i) {
            const D3DRECT& r = pRects ? pRects[i] : whole;
            const LONG x1 = std::clamp(r.x1, 0, w), x2 = std::clamp(r.x2, 0, w);
            const LONG y1 = std::clamp(r.y1, 0, h), y2 = std::clamp(r.y2, 0, h);
            if (x1 < x2 && y1 < y2)
                target.FillRaw(static_cast<UINT>(x1), static_cast<UINT>(y1), static_cast<UINT>(x2),
                               static_cast<UINT>(y2), value);
        }
    }
    callLog_.Add(std::move(record));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::CheckDrawState(D3DPRIMITIVETYPE type, UINT primitiveCount, UINT& vertexCount) const
{
    if (!inScene_) return D3DERR_INVALIDCALL;
    if (state_.fvf != kGameFvf) {
        LogUnsupportedFvfOnce(state_.fvf);
        return D3DERR_INVALIDCALL;
    }
    vertexCount = VerticesFor(type, primitiveCount);
    if (primitiveCount == 0 || vertexCount == 0 || vertexCount > kMaxDrawVertices) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount)
{
    Lock lock(core_->Mutex());
    UINT count = 0;
    if (HRESULT hr = CheckDrawState(PrimitiveType, PrimitiveCount, count); FAILED(hr)) return hr;
    const IDirect3DVertexBuffer9* vb = state_.streamSource.Get();
    const UINT stride = state_.streamStride;
    if (!vb || stride < kVertexBytes || StartVertex >= vb->Length()) return D3DERR_INVALIDCALL;
    const ULONGLONG end =
        state_.streamOffset + (static_cast<ULONGLONG>(StartVertex) + count - 1) * stride + kVertexBytes;
    if (end > vb->Length()) return D3DERR_INVALIDCALL;
    vertices_.resize(count);
    const BYTE* base = vb->Data() + state_.streamOffset + static_cast<std::size_t>(StartVertex) * stride;
    for (UINT i = 0; i < count; ++i) vertices_[i] = ReadVertex(base + static_cast<std::size_t>(i) * stride);
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::DrawPrimitive;
    record.startVertex = StartVertex;
    Rasterize(PrimitiveType, vertices_, std::move(record));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, INT BaseVertexIndex, UINT MinVertexIndex,
                                               UINT NumVertices, UINT startIndex, UINT primCount)
{
    Lock lock(core_->Mutex());
    UINT count = 0;
    if (HRESULT hr = CheckDrawState(PrimitiveType, primCount, count); FAILED(hr)) return hr;
    const IDirect3DVertexBuffer9* vb = state_.streamSource.Get();
    const IDirect3DIndexBuffer9* ib = state_.indices.Get();
    const UINT stride = state_.streamStride;
    if (!vb || !ib || stride < kVertexBytes) return D3DERR_INVALIDCALL;
    const UINT indexBytes = ib->Format() == D3DFMT_INDEX32 ? 4 : 2;
    if ((static_cast<ULONGLONG>(startIndex) + count) * indexBytes > ib->Length()) return D3DERR_INVALIDCALL;
    vertices_.resize(count);
    for (UINT k = 0; k < count; ++k) {
        const LONGLONG vi =
            static_cast<LONGLONG>(BaseVertexIndex) + ReadIndex(ib->Data(), ib->Format(), startIndex + k);
        if (vi < 0 || vi >= static_cast<LONGLONG>(vb->Length())) return D3DERR_INVALIDCALL;
        const LONGLONG at = static_cast<LONGLONG>(state_.streamOffset) + vi * stride;
        if (at + kVertexBytes > static_cast<LONGLONG>(vb->Length())) return D3DERR_INVALIDCALL;
        vertices_[k] = ReadVertex(vb->Data() + at);
    }
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::DrawIndexedPrimitive;
    record.baseVertexIndex = BaseVertexIndex;
    record.minIndex = MinVertexIndex;
    record.numVertices = NumVertices;
    record.startIndex = startIndex;
    Rasterize(PrimitiveType, vertices_, std::move(record));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount,
                                          const void* pVertexStreamZeroData, UINT VertexStreamZeroStride)
{
    Lock lock(core_->Mutex());
    UINT count = 0;
    if (HRESULT hr = CheckDrawState(PrimitiveType, PrimitiveCount, count); FAILED(hr)) return hr;
    if (!pVertexStreamZeroData || VertexStreamZeroStride < kVertexBytes) return D3DERR_INVALIDCALL;
    const BYTE* base = static_cast<const BYTE*>(pVertexStreamZeroData);
    vertices_.resize(count);
    for (UINT i = 0; i < count; ++i)
        vertices_[i] = ReadVertex(base + static_cast<std::size_t>(i) * VertexStreamZeroStride);
    state_.streamSource.Reset();
    state_.streamOffset = 0;
    state_.streamStride = 0;
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::DrawPrimitiveUP;
    Rasterize(PrimitiveType, vertices_, std::move(record));
    return D3D_OK;
}

HRESULT IDirect3DDevice9::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT MinVertexIndex, UINT NumVertices,
                                                 UINT PrimitiveCount, const void* pIndexData, D3DFORMAT IndexDataFormat,
                                                 const void* pVertexStreamZeroData, UINT VertexStreamZeroStride)
{
    Lock lock(core_->Mutex());
    UINT count = 0;
    if (HRESULT hr = CheckDrawState(PrimitiveType, PrimitiveCount, count); FAILED(hr)) return hr;
    if (!pIndexData || !pVertexStreamZeroData || VertexStreamZeroStride < kVertexBytes) return D3DERR_INVALIDCALL;
    if (IndexDataFormat != D3DFMT_INDEX16 && IndexDataFormat != D3DFMT_INDEX32) return D3DERR_INVALIDCALL;
    const BYTE* indices = static_cast<const BYTE*>(pIndexData);
    const BYTE* base = static_cast<const BYTE*>(pVertexStreamZeroData);
    vertices_.resize(count);
    for (UINT k = 0; k < count; ++k) {
        const UINT vi = ReadIndex(indices, IndexDataFormat, k);
        // The vertex data's length is known only through MinVertexIndex and NumVertices.
        if (vi < MinVertexIndex || vi - MinVertexIndex >= NumVertices) return D3DERR_INVALIDCALL;
        vertices_[k] = ReadVertex(base + static_cast<std::size_t>(vi) * VertexStreamZeroStride);
    }
    state_.streamSource.Reset();
    state_.streamOffset = 0;
    state_.streamStride = 0;
    state_.indices.Reset();
    D3D9CallRecord record;
    record.kind = D3D9CallRecord::Kind::DrawIndexedPrimitiveUP;
    record.minIndex = MinVertexIndex;
    record.numVertices = NumVertices;
    Rasterize(PrimitiveType, vertices_, std::move(record));
    return D3D_OK;
}

void IDirect3DDevice9::Rasterize(D3DPRIMITIVETYPE type, const std::vector<D3D9TLVertex>& vertices,
                                 D3D9CallRecord record)
{
    const auto& stage = state_.stageStates[0];
    const auto& rs = state_.renderStates;
    IDirect3DTexture9* texture = state_.textures[0].Get();
    record.target = renderTarget_.Get();
    record.texture = texture;
    record.primitiveType = type;
    record.primitiveCount =
        type == D3DPT_TRIANGLELIST ? static_cast<UINT>(vertices.size() / 3) : static_cast<UINT>(vertices.size() - 2);
    record.colorOp = stage[D3DTSS_COLOROP];
    record.alphaOp = stage[D3DTSS_ALPHAOP];
    callLog_.Add(std::move(record));
    if (loss_ != LossState::Operational) return;

    D3D9ShadeState shade;
    shade.colorOp = stage[D3DTSS_COLOROP];
    shade.colorArg1 = stage[D3DTSS_COLORARG1];
    shade.colorArg2 = stage[D3DTSS_COLORARG2];
    shade.alphaOp = stage[D3DTSS_ALPHAOP];
    shade.alphaArg1 = stage[D3DTSS_ALPHAARG1];
    shade.alphaArg2 = stage[D3DTSS_ALPHAARG2];
    shade.textureFactor = rs[D3DRS_TEXTUREFACTOR];
    shade.blendEnable = rs[D3DRS_ALPHABLENDENABLE] != FALSE;
    shade.srcBlend = rs[D3DRS_SRCBLEND];
    shade.destBlend = rs[D3DRS_DESTBLEND];
    const D3D9PixelPipeline pipeline(shade);

    D3D9PixelBuffer& target = renderTarget_->Pixels();
    const D3D9PixelBuffer* texels = nullptr;
    std::optional<D3D9PixelBuffer> copy;
    if (texture && pipeline.UsesTexture()) {
        texels = &texture->Level0()->Pixels();
        // A texture drawn into itself is read as it was before the draw.
        if (texels == &target) texels = &copy.emplace(*texels);
    }
    D3D9Rasterizer rasterizer(target, texels, pipeline, rs[D3DRS_CULLMODE], rasterScratch_);
    rasterizer.Draw(type, vertices.data(), static_cast<UINT>(vertices.size()));
}
