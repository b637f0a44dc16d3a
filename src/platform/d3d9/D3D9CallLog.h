// The record of a device's drawing calls, for tests: draws with their texture and render target,
// clears, render-target changes and presents. Pointers identify objects only (they may have been
// released since). Off unless switched on (D3D9Settings::callLog or IDirect3DDevice9::CallLog()).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/d3d9/D3D9Types.h"

class IDirect3DSurface9;
class IDirect3DTexture9;

struct D3D9CallRecord {
    enum class Kind {
        Clear,
        DrawPrimitive,
        DrawIndexedPrimitive,
        DrawPrimitiveUP,
        DrawIndexedPrimitiveUP,
        SetRenderTarget,
        Present
    };
    Kind kind = Kind::Clear;
    const IDirect3DSurface9* target = nullptr;   // render target of the call (for SetRenderTarget: the new one)
    const IDirect3DTexture9* texture = nullptr;  // stage 0 texture of a draw
    D3DPRIMITIVETYPE primitiveType = D3DPT_TRIANGLESTRIP;
    UINT primitiveCount = 0;
    INT baseVertexIndex = 0;
    UINT startVertex = 0;  // DrawPrimitive
    UINT minIndex = 0;     // indexed draws
    UINT numVertices = 0;  // indexed draws
    UINT startIndex = 0;   // DrawIndexedPrimitive
    DWORD colorOp = 0;     // stage 0 operations of a draw
    DWORD alphaOp = 0;
    D3DCOLOR color = 0;          // Clear colour
    std::vector<D3DRECT> rects;  // Clear rectangles; empty = the whole target
};

class D3D9CallLog {
public:
    void Enable(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }
    void Add(D3D9CallRecord record)
    {
        if (enabled_) records_.push_back(std::move(record));
    }
    const std::vector<D3D9CallRecord>& Records() const { return records_; }
    void Clear() { records_.clear(); }
    std::size_t Count(D3D9CallRecord::Kind kind) const
    {
        std::size_t n = 0;
        for (const auto& r : records_)
            if (r.kind == kind) ++n;
        return n;
    }

private:
    bool enabled_ = false;
    std::vector<D3D9CallRecord> records_;
};
