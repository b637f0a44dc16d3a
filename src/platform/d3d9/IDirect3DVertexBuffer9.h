// A vertex buffer of the software device (the game's buffers hold FVF 0x144 vertices).
#pragma once

#include "platform/d3d9/D3D9Buffer.h"

class IDirect3DVertexBuffer9 final : public D3D9Buffer {
public:
    // Stand-in internal: made by IDirect3DDevice9::CreateVertexBuffer. Throws std::bad_alloc.
    IDirect3DVertexBuffer9(std::shared_ptr<D3D9DeviceCore> core, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
        : D3D9Buffer(std::move(core), length, usage, pool), fvf_(fvf)
    {}

    DWORD FVF() const { return fvf_; }

private:
    DWORD fvf_;
};

using LPDIRECT3DVERTEXBUFFER9 = IDirect3DVertexBuffer9*;
