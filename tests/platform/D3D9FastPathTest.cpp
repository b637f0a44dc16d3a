// The software device's shortcuts against its general paths: an axis-aligned quad drawn as a
// strip (rectangle fill) against the same quad as two triangles (edge walk), and the span blend
// loops against the per-pixel blend of the pipeline. Pictures are compared pixel for pixel over
// clipping, keyed and translucent texels, stretches by non-integer factors, mirrored and wrapped
// texture coordinates, half-pixel offsets and every target format.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/D3D9BlendSpan.h"
#include "platform/d3d9/D3D9PixelPipeline.h"
#include "platform/d3d9/D3D9Rasterizer.h"

namespace {

constexpr UINT kTexW = 5;
constexpr UINT kTexH = 3;

// Texels: keyed (alpha 0 or 255 only) or with every kind of alpha.
std::vector<std::uint32_t> Texels(bool keyed)
{
    std::vector<std::uint32_t> t;
    for (UINT i = 0; i < kTexW * kTexH; ++i) {
        const std::uint32_t rgb = (i * 0x351A0Fu + 0x102030u) & 0xFFFFFFu;
        const std::uint32_t a = keyed ? (i % 3 == 0 ? 0u : 255u) : (i * 37u) & 0xFFu;
        t.push_back(a << 24 | rgb);
    }
    return t;
}

D3D9PixelBuffer Texture(D3DFORMAT format, bool keyed)
{
    D3D9PixelBuffer tex(kTexW, kTexH, format);
    const std::vector<std::uint32_t> texels = Texels(keyed);
    for (UINT y = 0; y < kTexH; ++y)
        for (UINT x = 0; x < kTexW; ++x)
            D3D9StoreValue(format, D3D9EncodeValue(format, texels[y * kTexW + x]), tex.At(x, y));
    return tex;
}

// A target with a different colour in every pixel (the fourth byte varied too, where stored).
D3D9PixelBuffer Target(D3DFORMAT format, UINT size)
{
    D3D9PixelBuffer target(size, size, format);
    for (UINT y = 0; y < size; ++y)
        for (UINT x = 0; x < size; ++x) {
            const std::uint32_t v = (x * 0x1F3Bu + y * 0x2C1Du) * 0x9E3779B1u;
            D3D9StoreValue(format, D3D9EncodeValue(format, v), target.At(x, y));
        }
    return target;
}

struct QuadCase {
    const char* name;
    float l, t, r, b;       // edges on the screen
    float uL, vT, uR, vB;   // texture coordinates at the edges
    std::uint32_t diffuse;  // the one vertex colour
    bool keyed;             // texels of alpha 0 or 255 only
    bool blend;             // SRCALPHA / INVSRCALPHA, else no blending
    DWORD colorOp;          // stage 0 colour and alpha operation (texture with diffuse)
};

const QuadCase kQuads[] = {
    // The engine's quads: whole pixels from x - 0.5, one texel per pixel.
    {"OneToOneKeyed", 1.5f, 2.5f, 6.5f, 5.5f, 0, 0, 1, 1, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
    {"OneToOneTranslucent", 1.5f, 2.5f, 6.5f, 5.5f, 0, 0, 1, 1, 0xFFFFFFFFu, false, true, D3DTOP_MODULATE},
    {"OneToOneUnblended", 1.5f, 2.5f, 6.5f, 5.5f, 0, 0, 1, 1, 0xFFFFFFFFu, false, false, D3DTOP_SELECTARG1},
    // Cut by every edge of the 16 x 16 target.
    {"ClippedAllRound", -7.5f, -3.5f, 20.5f, 18.5f, 0, 0, 1, 1, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
    {"ClippedLeftTop", -2.25f, -1.75f, 3.5f, 4.5f, 0, 0, 1, 1, 0xFFFFFFFFu, false, true, D3DTOP_MODULATE},
    // Stretches by factors that are not whole numbers, up and down.
    {"StretchUp", 0.5f, 0.5f, 13.0f, 8.25f, 0, 0, 1, 1, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
    {"StretchDown", 2.0f, 1.0f, 5.5f, 2.75f, 0, 0, 1, 1, 0xFFFFFFFFu, false, true, D3DTOP_MODULATE},
    // Mirrored, wrapped and offset texture coordinates.
    {"Mirrored", 3.5f, 3.5f, 11.5f, 9.5f, 1, 1, 0, 0, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
    {"Wrapped", 0.0f, 0.0f, 15.0f, 14.0f, -0.7f, -1.2f, 2.3f, 1.9f, 0xFFFFFFFFu, false, true, D3DTOP_MODULATE},
    {"HalfTexelOffset", 1.0f, 1.0f, 6.0f, 4.0f, 0.1f, 1.0f / 6, 1.1f, 7.0f / 6, 0xFFFFFFFFu, true, true,
     D3DTOP_MODULATE},
    // Pixel centres exactly on the edges, where the fill rule decides.
    {"EdgesOnCentres", 2.0f, 3.0f, 9.0f, 7.0f, 0, 0, 1, 1, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
    // A tinted, translucent vertex colour, and the colour alone.
    {"Tinted", 1.5f, 1.5f, 12.25f, 10.5f, 0, 0, 1, 1, 0xC080FF40u, true, true, D3DTOP_MODULATE},
    {"DiffuseOnly", 1.5f, 1.5f, 12.25f, 10.5f, 0, 0, 1, 1, 0x80FF8040u, true, true, D3DTOP_SELECTARG2},
    // Nothing inside the target.
    {"OffTarget", 17.0f, 2.0f, 25.0f, 9.0f, 0, 0, 1, 1, 0xFFFFFFFFu, true, true, D3DTOP_MODULATE},
};

struct TargetCase {
    D3DFORMAT target;
    D3DFORMAT texture;
};

const TargetCase kTargets[] = {
    {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8},
    {D3DFMT_A8R8G8B8, D3DFMT_A8R8G8B8},
    {D3DFMT_R5G6B5, D3DFMT_A1R5G5B5},
    {D3DFMT_A1R5G5B5, D3DFMT_A8R8G8B8},
};

class D3D9FastQuadTest : public ::testing::TestWithParam<std::tuple<QuadCase, TargetCase>> {};

// Draws the quad as `type` (a strip of 4 or a list of 6) and returns the target's raw pixels and
// the number of quads the rectangle fill took.
std::pair<std::vector<std::uint32_t>, UINT> Draw(const QuadCase& q, const TargetCase& f, D3DPRIMITIVETYPE type)
{
    D3D9PixelBuffer target = Target(f.target, 16);
    const D3D9PixelBuffer texture = Texture(f.texture, q.keyed);
    D3D9ShadeState shade;
    shade.colorOp = q.colorOp;
    shade.alphaOp = q.colorOp;
    shade.colorArg2 = shade.alphaArg2 = D3DTA_DIFFUSE;
    shade.blendEnable = q.blend;
    shade.srcBlend = D3DBLEND_SRCALPHA;
    shade.destBlend = D3DBLEND_INVSRCALPHA;
    const D3D9PixelPipeline pipeline(shade);
    D3D9RasterScratch scratch;
    D3D9Rasterizer rasterizer(target, &texture, pipeline, D3DCULL_NONE, scratch);
    const D3D9TLVertex lt{q.l, q.t, 0, 1, q.diffuse, q.uL, q.vT}, lb{q.l, q.b, 0, 1, q.diffuse, q.uL, q.vB},
        rt{q.r, q.t, 0, 1, q.diffuse, q.uR, q.vT}, rb{q.r, q.b, 0, 1, q.diffuse, q.uR, q.vB};
    if (type == D3DPT_TRIANGLESTRIP) {
        const D3D9TLVertex strip[4] = {lt, lb, rt, rb};
        rasterizer.Draw(type, strip, 4);
    } else {
        const D3D9TLVertex list[6] = {lt, lb, rt, lb, rb, rt};
        rasterizer.Draw(type, list, 6);
    }
    std::vector<std::uint32_t> pixels;
    for (UINT y = 0; y < 16; ++y)
        for (UINT x = 0; x < 16; ++x) pixels.push_back(target.ReadRaw(x, y));
    return {pixels, rasterizer.FastQuadCount()};
}

TEST_P(D3D9FastQuadTest, RectangleFillDrawsTheTrianglesPixels)
{
    const auto& [q, f] = GetParam();
    const auto [fast, fastQuads] = Draw(q, f, D3DPT_TRIANGLESTRIP);
    const auto [general, generalQuads] = Draw(q, f, D3DPT_TRIANGLELIST);
    EXPECT_EQ(1u, fastQuads);
    EXPECT_EQ(0u, generalQuads);
    for (std::size_t i = 0; i < fast.size(); ++i) ASSERT_EQ(general[i], fast[i]) << "pixel " << i % 16 << "," << i / 16;
}

std::string QuadName(const ::testing::TestParamInfo<std::tuple<QuadCase, TargetCase>>& info)
{
    const auto& [q, f] = info.param;
    return std::string(q.name) + "_" + D3D9FormatName(f.target) + "_" + D3D9FormatName(f.texture);
}

INSTANTIATE_TEST_SUITE_P(Cases, D3D9FastQuadTest,
                         ::testing::Combine(::testing::ValuesIn(kQuads), ::testing::ValuesIn(kTargets)), QuadName);

// The span loops against the pipeline's per-pixel store, for rows long enough for the sixteen-,
// eight- and four-pixel steps and their tails: texels all keyed, keyed next to translucent, all
// opaque, all clear, every alpha.
TEST(D3D9BlendSpanTest, SpansBlendAsThePipelineDoesPixelByPixel)
{
    D3D9ShadeState shade;
    shade.blendEnable = true;
    shade.srcBlend = D3DBLEND_SRCALPHA;
    shade.destBlend = D3DBLEND_INVSRCALPHA;
    const D3D9PixelPipeline pipeline(shade);
    auto alphas = [](int pattern, std::size_t i) -> std::uint32_t {
        switch (pattern) {
        case 0: return i % 3 == 0 ? 0 : 255;                          // keyed
        case 1: return i == 9 || i == 30 ? 0x80 : (i % 2 ? 255 : 0);  // keyed with translucent texels
        case 2: return 255;                                           // opaque
        case 3: return 0;                                             // clear
        default: return static_cast<std::uint32_t>(i * 29 % 256);
        }
    };
    for (int pattern = 0; pattern < 5; ++pattern)
        for (std::size_t n : {std::size_t{3}, std::size_t{8}, std::size_t{13}, std::size_t{21}, std::size_t{40}})
            for (bool setX : {false, true}) {
                std::vector<std::uint32_t> texels, below;
                for (std::size_t i = 0; i < n; ++i) {
                    texels.push_back(alphas(pattern, i) << 24 | static_cast<std::uint32_t>(i * 0x0B1D2Fu & 0xFFFFFF));
                    below.push_back(static_cast<std::uint32_t>((i + 7) * 0x9E3779B1u));
                }
                const D3DFORMAT format = setX ? D3DFMT_X8R8G8B8 : D3DFMT_A8R8G8B8;
                std::vector<std::uint32_t> expectTexels = below, expectFragments = below;
                for (std::size_t i = 0; i < n; ++i) {
                    // The texel loop writes the fourth byte under a clear texel too.
                    if (texels[i] >> 24 == 0)
                        expectTexels[i] = below[i] | (setX ? 0xFF000000u : 0);
                    else
                        pipeline.BlendStore(format, reinterpret_cast<BYTE*>(&expectTexels[i]), texels[i]);
                    pipeline.BlendStore(format, reinterpret_cast<BYTE*>(&expectFragments[i]), texels[i]);
                }
                std::vector<std::uint32_t> gotTexels = below, gotFragments = below;
                D3D9BlendTexelsOver32(reinterpret_cast<BYTE*>(gotTexels.data()),
                                      reinterpret_cast<const BYTE*>(texels.data()), n, setX);
                D3D9BlendFragmentsOver32(reinterpret_cast<BYTE*>(gotFragments.data()), texels.data(), n, setX);
                EXPECT_EQ(expectTexels, gotTexels) << "pattern " << pattern << " n " << n << " setX " << setX;
                EXPECT_EQ(expectFragments, gotFragments) << "pattern " << pattern << " n " << n << " setX " << setX;
            }
}

}  // namespace
