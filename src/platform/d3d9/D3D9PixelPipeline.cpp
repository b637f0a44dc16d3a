#include "platform/d3d9/D3D9PixelPipeline.h"

#include <algorithm>

namespace {

std::uint32_t Channel(std::uint32_t v, int shift)
{
    return (v >> shift) & 0xFF;
}

// One channel of a stage operation; a1, a2 and af are 0..255.
std::uint32_t CombineChannel(DWORD op, std::uint32_t a1, std::uint32_t a2, std::uint32_t af)
{
    switch (op) {
    case D3DTOP_SELECTARG1: return a1;
    case D3DTOP_SELECTARG2: return a2;
    case D3DTOP_MODULATE: return (a1 * a2 + 127) / 255;
    case D3DTOP_ADD: return std::min<std::uint32_t>(a1 + a2, 255);
    case D3DTOP_SUBTRACT: return a1 > a2 ? a1 - a2 : 0;
    case D3DTOP_BLENDFACTORALPHA: return (a1 * af + a2 * (255 - af) + 127) / 255;
    default: return 0;
    }
}

bool IsSupportedOp(DWORD op)
{
    switch (op) {
    case D3DTOP_SELECTARG1:
    case D3DTOP_SELECTARG2:
    case D3DTOP_MODULATE:
    case D3DTOP_ADD:
    case D3DTOP_SUBTRACT:
    case D3DTOP_BLENDFACTORALPHA: return true;
    default: return false;
    }
}

// The blend factor for one fragment; src alpha as.
std::uint32_t Factor(DWORD blend, std::uint32_t as, bool isSource)
{
    switch (blend) {
    case D3DBLEND_ZERO: return 0;
    case D3DBLEND_ONE: return 255;
    case D3DBLEND_SRCALPHA: return as;
    case D3DBLEND_INVSRCALPHA: return 255 - as;
    default: return isSource ? 255 : 0;
    }
}

}  // namespace

D3D9PixelPipeline::D3D9PixelPipeline(const D3D9ShadeState& state)
    : colorOp_(state.colorOp), colorArg1_(state.colorArg1), colorArg2_(state.colorArg2), alphaOp_(state.alphaOp),
      alphaArg1_(state.alphaArg1), alphaArg2_(state.alphaArg2), tfactor_(state.textureFactor),
      blend_(state.blendEnable),
      srcAlphaBlend_(state.srcBlend == D3DBLEND_SRCALPHA && state.destBlend == D3DBLEND_INVSRCALPHA),
      srcBlend_(state.srcBlend), destBlend_(state.destBlend)
{}

std::uint32_t D3D9PixelPipeline::Combine(DWORD op, std::uint32_t a1, std::uint32_t a2, std::uint32_t diffuse,
                                         std::uint32_t mask) const
{
    if (!IsSupportedOp(op)) return diffuse & mask;  // DISABLE and unsupported operations
    const std::uint32_t af = tfactor_ >> 24;
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16, 24}) {
        if (((mask >> shift) & 0xFF) == 0) continue;
        out |= CombineChannel(op, Channel(a1, shift), Channel(a2, shift), af) << shift;
    }
    return out;
}

bool D3D9PixelPipeline::ShadeIsTexel(std::uint32_t diffuse) const
{
    auto isTexture = [](DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; };
    auto isWhiteArg = [&](DWORD arg, std::uint32_t mask) {
        const DWORD sel = arg & D3DTA_SELECTMASK;
        const std::uint32_t v = sel == D3DTA_TFACTOR ? tfactor_ : (sel == D3DTA_TEXTURE ? 0 : diffuse);
        return sel != D3DTA_TEXTURE && (v & mask) == mask;
    };
    auto passes = [&](DWORD op, DWORD a1, DWORD a2, std::uint32_t mask) {
        if (op == D3DTOP_SELECTARG1) return isTexture(a1);
        if (op == D3DTOP_SELECTARG2) return isTexture(a2);
        if (op == D3DTOP_MODULATE)
            return (isTexture(a1) && isWhiteArg(a2, mask)) || (isTexture(a2) && isWhiteArg(a1, mask));
        return false;
    };
    return passes(colorOp_, colorArg1_, colorArg2_, 0x00FFFFFFu) &&
           passes(alphaOp_, alphaArg1_, alphaArg2_, 0xFF000000u);
}

bool D3D9PixelPipeline::UsesTexture() const
{
    auto reads = [](DWORD op, DWORD a1, DWORD a2) {
        if (!IsSupportedOp(op)) return false;
        const bool t1 = (a1 & D3DTA_SELECTMASK) == D3DTA_TEXTURE;
        const bool t2 = (a2 & D3DTA_SELECTMASK) == D3DTA_TEXTURE;
        if (op == D3DTOP_SELECTARG1) return t1;
        if (op == D3DTOP_SELECTARG2) return t2;
        return t1 || t2;
    };
    return reads(colorOp_, colorArg1_, colorArg2_) || reads(alphaOp_, alphaArg1_, alphaArg2_);
}

std::uint32_t D3D9PixelPipeline::GeneralBlend(std::uint32_t src, std::uint32_t dst) const
{
    const std::uint32_t as = src >> 24;
    const std::uint32_t fs = Factor(srcBlend_, as, true);
    const std::uint32_t fd = Factor(destBlend_, as, false);
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16, 24}) {
        const std::uint32_t v = (Channel(src, shift) * fs + Channel(dst, shift) * fd + 127) / 255;
        out |= std::min<std::uint32_t>(v, 255) << shift;
    }
    return out;
}

void D3D9PixelPipeline::BlendStore(D3DFORMAT format, BYTE* p, std::uint32_t frag) const
{
    switch (format) {
    case D3DFMT_A8R8G8B8: BlendStore<D3DFMT_A8R8G8B8>(p, frag); break;
    case D3DFMT_X8R8G8B8: BlendStore<D3DFMT_X8R8G8B8>(p, frag); break;
    case D3DFMT_R5G6B5: BlendStore<D3DFMT_R5G6B5>(p, frag); break;
    case D3DFMT_A1R5G5B5: BlendStore<D3DFMT_A1R5G5B5>(p, frag); break;
    case D3DFMT_X1R5G5B5: BlendStore<D3DFMT_X1R5G5B5>(p, frag); break;
    default: break;
    }
}
