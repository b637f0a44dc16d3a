// One run of a batch: many quads drawn with the same states from one vertex buffer and one index
// buffer of 16-bit indices (Direct3D). Used by the sprite batch and the box batch on the thread
// that draws.
#pragma once

#include <vector>

#include "platform/d3d9/D3D9.h"

// Quads per run: four 16-bit indices each, so the last index of a run is at most 65535. Longer
// runs are split.
constexpr int kMaxQuadsPerRun = 16384;

class cQuadRun {
public:
    cQuadRun() = default;
    // Releases the buffers.
    ~cQuadRun();
    cQuadRun(const cQuadRun&) = delete;
    cQuadRun& operator=(const cQuadRun&) = delete;

    // Makes the vertex buffer (4 vertices per quad, write-only, managed) holding the vertices and
    // the index buffer holding 0, 1, 2, ..., 4n - 1. 1 <= quads <= kMaxQuadsPerRun. FALSE (with
    // "CreateVertexBuffer Err" in the report log when that buffer failed) when either cannot be made.
    BOOL Create(const std::vector<D3D9TLVertex>& vertices);
    // With the render target, texture and stage states already set: binds the buffers and draws
    // quad k as DrawIndexedPrimitive(TRIANGLESTRIP, 0, 4k, 4, 4k, 2). FALSE when a draw failed.
    BOOL Draw();

private:
    void Release();

    IDirect3DVertexBuffer9* m_lpVertexBuffer = nullptr;
    IDirect3DIndexBuffer9* m_lpIndexBuffer = nullptr;
    UINT m_nQuads = 0;
};
