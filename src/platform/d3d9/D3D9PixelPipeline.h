// The per-pixel part of the fixed-function pipeline: texture stage 0 and alpha blending.
//
// Stage 0 combines the sampled texel, the vertex diffuse colour and the texture factor:
//   SELECTARG1 / SELECTARG2   the argument
//   MODULATE                  (a1 x a2 + 127) / 255
//   ADD                       min(a1 + a2, 255)
//   SUBTRACT                  max(a1 - a2, 0)
//   BLENDFACTORALPHA          (a1 x Af + a2 x (255 - Af) + 127) / 255, Af = alpha of TFACTOR
//   DISABLE                   colour: the stage is off and the fragment is the diffuse colour;
//                             alpha (colour on): the diffuse alpha
// Arguments: TEXTURE (opaque white when no texture is bound), DIFFUSE, TFACTOR; CURRENT is the
// diffuse colour at stage 0. Operations and arguments outside this set behave as DISABLE and
// DIFFUSE. Later stages are not evaluated (the game never enables them).
//
// Blending: out = (src x Fs + dst x Fd + 127) / 255 on every channel, alpha included, with the
// factors ZERO, ONE, SRCALPHA, INVSRCALPHA (others act as ONE for the source and ZERO for the
// destination); the sum is clamped to 255. The result is stored in the target's format as
// D3D9EncodeValue does (truncation to 5/6 bits, alpha bit set from 128).
#pragma once

#include <cstdint>

#include "platform/d3d9/D3D9PixelFormat.h"

// The state one draw uses, taken from the device.
struct D3D9ShadeState {
    DWORD colorOp = D3DTOP_MODULATE;
    DWORD colorArg1 = D3DTA_TEXTURE;
    DWORD colorArg2 = D3DTA_CURRENT;
    DWORD alphaOp = D3DTOP_SELECTARG1;
    DWORD alphaArg1 = D3DTA_TEXTURE;
    DWORD alphaArg2 = D3DTA_CURRENT;
    D3DCOLOR textureFactor = 0xFFFFFFFF;
    bool blendEnable = false;
    DWORD srcBlend = D3DBLEND_ONE;
    DWORD destBlend = D3DBLEND_ZERO;
};

class D3D9PixelPipeline {
public:
    explicit D3D9PixelPipeline(const D3D9ShadeState& state);

    // The fragment (0xAARRGGBB) for a texel and a diffuse colour.
    std::uint32_t Shade(std::uint32_t texel, std::uint32_t diffuse) const
    {
        if (colorOp_ == D3DTOP_DISABLE) return diffuse;
        const std::uint32_t rgb =
            Combine(colorOp_, Arg(colorArg1_, texel, diffuse), Arg(colorArg2_, texel, diffuse), diffuse, 0x00FFFFFFu);
        const std::uint32_t a =
            Combine(alphaOp_, Arg(alphaArg1_, texel, diffuse), Arg(alphaArg2_, texel, diffuse), diffuse, 0xFF000000u);
        return (a & 0xFF000000u) | (rgb & 0x00FFFFFFu);
    }

    // True when, for this constant diffuse colour, Shade(texel, diffuse) == texel for every texel
    // (the plain textured blit: MODULATE or SELECTARG1 of the texture with white).
    bool ShadeIsTexel(std::uint32_t diffuse) const;
    // True when stage 0 reads the texture at all.
    bool UsesTexture() const;
    // True when blending is on with SRCALPHA / INVSRCALPHA (see Lerp), false for other factors.
    bool BlendsSourceAlpha() const { return blend_ && srcAlphaBlend_; }
    // True when blending is off (the fragment is stored as it is).
    bool BlendsOff() const { return !blend_; }

    // Blends the fragment into the pixel at p of format F and stores the result.
    template <D3DFORMAT F>
    void BlendStore(BYTE* p, std::uint32_t frag) const
    {
        if (!blend_) {
            D3D9StoreValue(F, D3D9EncodeValue(F, frag), p);
            return;
        }
        if (srcAlphaBlend_) {
            const std::uint32_t a = frag >> 24;
            if (a == 0) return;  // out = dst exactly
            if (a == 255) {
                D3D9StoreValue(F, D3D9EncodeValue(F, frag), p);
                return;
            }
            const std::uint32_t dst = D3D9DecodePixel(F, p);
            D3D9StoreValue(F, D3D9EncodeValue(F, Lerp(frag, dst, a)), p);
            return;
        }
        const std::uint32_t dst = D3D9DecodePixel(F, p);
        D3D9StoreValue(F, D3D9EncodeValue(F, GeneralBlend(frag, dst)), p);
    }

    // The same for a format known only at run time.
    void BlendStore(D3DFORMAT format, BYTE* p, std::uint32_t frag) const;

    // (s x a + d x (255 - a) + 127) / 255 on all four channels, exact.
    static std::uint32_t Lerp(std::uint32_t s, std::uint32_t d, std::uint32_t a)
    {
        const std::uint32_t na = 255 - a;
        std::uint32_t rb = (s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * na + 0x007F007Fu;
        std::uint32_t ag = ((s >> 8) & 0x00FF00FFu) * a + ((d >> 8) & 0x00FF00FFu) * na + 0x007F007Fu;
        // Exact division of each 16-bit lane by 255 (lanes stay below 65535).
        rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
        ag = ((ag + 0x00010001u + ((ag >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
        return rb | (ag << 8);
    }

private:
    std::uint32_t Arg(DWORD arg, std::uint32_t texel, std::uint32_t diffuse) const
    {
        switch (arg & D3DTA_SELECTMASK) {
        case D3DTA_TEXTURE: return texel;
        case D3DTA_TFACTOR: return tfactor_;
        default: return diffuse;  // DIFFUSE, CURRENT (stage 0) and unsupported arguments
        }
    }

    // Applies op to the channels selected by mask (0x00FFFFFF colour, 0xFF000000 alpha).
    std::uint32_t Combine(DWORD op, std::uint32_t a1, std::uint32_t a2, std::uint32_t diffuse,
                          std::uint32_t mask) const;

    std::uint32_t GeneralBlend(std::uint32_t src, std::uint32_t dst) const;

    DWORD colorOp_, colorArg1_, colorArg2_;
    DWORD alphaOp_, alphaArg1_, alphaArg2_;
    std::uint32_t tfactor_;
    bool blend_;
    bool srcAlphaBlend_;
    DWORD srcBlend_, destBlend_;
};
