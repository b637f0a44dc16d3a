// An index buffer of the software device: 16-bit (INDEX16) or 32-bit (INDEX32) indices.
#pragma once

#include "platform/d3d9/D3D9Buffer.h"

class IDirect3DIndexBuffer9 final : public D3D9Buffer {
public:
    // Stand-in internal: made by IDirect3DDevice9::CreateIndexBuffer. Throws std::bad_alloc.
    IDirect3DIndexBuffer9(std::shared_ptr<D3D9DeviceCore> core, UINT length, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool)
        : D3D9Buffer(std::move(core), length, usage, pool), format_(format)
    {}

    D3DFORMAT Format() const { return format_; }

private:
    D3DFORMAT format_;
};

using LPDIRECT3DINDEXBUFFER9 = IDirect3DIndexBuffer9*;
