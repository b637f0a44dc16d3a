// The pipeline state of a device: render, texture-stage and sampler states, and the bound
// textures, vertex stream 0, index buffer and vertex format. Copies hold their own internal
// references, so a copy can be kept (the D3DX sprite saves and restores the state with one).
#pragma once

#include <array>

#include "platform/d3d9/D3D9InternalRef.h"
#include "platform/d3d9/IDirect3DIndexBuffer9.h"
#include "platform/d3d9/IDirect3DTexture9.h"
#include "platform/d3d9/IDirect3DVertexBuffer9.h"

struct D3D9DeviceState {
    std::array<DWORD, D3D9_RENDER_STATE_COUNT> renderStates{};
    std::array<std::array<DWORD, D3D9_STAGE_STATE_COUNT>, D3D9_MAX_STAGES> stageStates{};
    std::array<std::array<DWORD, D3D9_SAMPLER_STATE_COUNT>, D3D9_MAX_STAGES> samplerStates{};
    std::array<D3D9InternalRef<IDirect3DTexture9>, D3D9_MAX_STAGES> textures;
    D3D9InternalRef<IDirect3DVertexBuffer9> streamSource;
    UINT streamOffset = 0;
    UINT streamStride = 0;
    D3D9InternalRef<IDirect3DIndexBuffer9> indices;
    DWORD fvf = 0;

    // Direct3D 9's initial state for a device without a depth buffer: no blending (ONE, ZERO),
    // culling CCW, texture factor white, stage 0 MODULATE(TEXTURE, CURRENT) / SELECTARG1(TEXTURE),
    // later stages DISABLE, samplers WRAP with POINT filtering, nothing bound.
    static D3D9DeviceState Defaults();
};
