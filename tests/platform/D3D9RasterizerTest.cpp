// The software device's fixed-function pipeline, through the device: Direct3D 9's fill rule and
// pixel centres, stage 0 colour and alpha operations, the unbound texture, SRCALPHA/INVSRCALPHA
// blending into every target format, wrap sampling and rotated quads. Expected texels come from
// the operation formulas with the rounding of the stand-in ((x + 127) / 255, truncation to 5 or
// 6 bits, alpha bit from 128).
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "D3D9TestDevice.h"

namespace {

constexpr DWORD kBlack = 0xFF000000u;  // X8R8G8B8 black as stored (X bits set)
constexpr DWORD kWhite = 0xFFFFFFFFu;

// Draws an untextured rectangle with edges l, t, r, b in opaque white.
void DrawEdges(const D3D9TestDevice& d, float l, float t, float r, float b)
{
    const D3D9TLVertex quad[4] = {
        {l, t, 0, 1, kWhite, 0, 0}, {l, b, 0, 1, kWhite, 0, 0}, {r, t, 0, 1, kWhite, 0, 0}, {r, b, 0, 1, kWhite, 0, 0}};
    ASSERT_EQ(D3D_OK, d.DrawStrip(quad, 4));
}

// A fresh A8R8G8B8 render-target texture set as the target.
IDirect3DTexture9* MakeTarget(const D3D9TestDevice& d, UINT size, D3DFORMAT format = D3DFMT_A8R8G8B8)
{
    IDirect3DTexture9* rt = nullptr;
    EXPECT_EQ(D3D_OK, d->CreateTexture(size, size, 1, D3DUSAGE_RENDERTARGET, format, D3DPOOL_DEFAULT, &rt, nullptr));
    EXPECT_EQ(D3D_OK, d->SetRenderTarget(0, rt->Level0()));
    return rt;
}

using D3D9RasterizerTest = D3D9Test;

struct FillCase {
    int x, y, w, h;                    // the quad's pixels as the engine asks for them
    float offset;                      // added to every edge: -0.5 is the engine's offset
    int firstX, firstY, lastX, lastY;  // covered pixels (inclusive), clipped to the 8 x 8 target
};

class D3D9FillRuleTest : public D3D9Test, public ::testing::WithParamInterface<FillCase> {};

TEST_P(D3D9FillRuleTest, CoversExactlyThePixelsWhoseCentresAreInside)
{
    const FillCase& c = GetParam();
    D3D9TestDevice d(8, 8);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    ASSERT_EQ(D3D_OK, d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0));
    DrawEdges(d, c.x + c.offset, c.y + c.offset, c.x + c.w + c.offset, c.y + c.h + c.offset);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x) {
            const bool inside = static_cast<int>(x) >= c.firstX && static_cast<int>(x) <= c.lastX &&
                                static_cast<int>(y) >= c.firstY && static_cast<int>(y) <= c.lastY;
            EXPECT_EQ(inside ? kWhite : kBlack, d.BackBuffer()->ReadRaw(x, y)) << "pixel " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Quads, D3D9FillRuleTest,
    ::testing::Values(FillCase{2, 3, 3, 2, -0.5f, 2, 3, 4, 4},    // x .. x + w - 1
                      FillCase{0, 0, 1, 1, -0.5f, 0, 0, 0, 0},    // a single pixel
                      FillCase{-2, -1, 4, 3, -0.5f, 0, 0, 1, 1},  // clipped at the top-left
                      FillCase{6, 6, 5, 5, -0.5f, 6, 6, 7, 7},    // clipped at the bottom-right
                      FillCase{2, 3, 3, 2, 0.0f, 2, 3, 4, 4},     // centres on the left/top edges are in
                      FillCase{2, 3, 3, 2, 0.25f, 3, 4, 5, 5}));  // edges past the centres move a pixel

TEST_F(D3D9RasterizerTest, EmptyQuadDrawsNothing)
{
    D3D9TestDevice d(8, 8);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(D3D_OK, d.DrawQuad(3, 3, 0, 4, 0, 0, 0, 0, kWhite));
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x) EXPECT_EQ(kBlack, d.BackBuffer()->ReadRaw(x, y));
}

struct OpCase {
    const char* name;
    DWORD colorOp, colorArg1, colorArg2;
    DWORD alphaOp, alphaArg1, alphaArg2;
    std::uint32_t expected;
};

// Texel 0xC0804020, diffuse 0x80FF8040, texture factor 0x40102030, no blending.
class D3D9StageOpTest : public D3D9Test, public ::testing::WithParamInterface<OpCase> {};

TEST_P(D3D9StageOpTest, CombinesTexelDiffuseAndFactor)
{
    const OpCase& c = GetParam();
    D3D9TestDevice d;
    d.SetEngineStates();
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    d->SetRenderState(D3DRS_TEXTUREFACTOR, 0x40102030);
    IDirect3DTexture9* rt = MakeTarget(d, 4);
    IDirect3DTexture9* texel = d.MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0xC0804020u});
    d->SetTexture(0, texel);
    d->SetTextureStageState(0, D3DTSS_COLOROP, c.colorOp);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, c.colorArg1);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, c.colorArg2);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, c.alphaOp);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, c.alphaArg1);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, c.alphaArg2);
    ASSERT_EQ(D3D_OK, d.DrawQuad(1, 1, 2, 2, 0, 0, 1, 1, 0x80FF8040u));
    EXPECT_EQ(c.expected, rt->Level0()->ReadRaw(1, 1)) << c.name;
    EXPECT_EQ(c.expected, rt->Level0()->ReadRaw(2, 2)) << c.name;
    texel->Release();
    rt->Release();
}

constexpr DWORD T = D3DTA_TEXTURE, D = D3DTA_DIFFUSE, F = D3DTA_TFACTOR;

INSTANTIATE_TEST_SUITE_P(
    Operations, D3D9StageOpTest,
    ::testing::Values(
        OpCase{"select texture", D3DTOP_SELECTARG1, T, D, D3DTOP_SELECTARG1, T, D, 0xC0804020u},
        OpCase{"select diffuse", D3DTOP_SELECTARG2, T, D, D3DTOP_SELECTARG2, T, D, 0x80FF8040u},
        // (128*255+127)/255 = 128, (64*128+127)/255 = 32, (32*64+127)/255 = 8; alpha (192*128+127)/255 = 96
        OpCase{"modulate", D3DTOP_MODULATE, T, D, D3DTOP_MODULATE, T, D, 0x60802008u},
        // min(128+255, 255), 64+128, 32+64
        OpCase{"add", D3DTOP_ADD, T, D, D3DTOP_SELECTARG1, T, D, 0xC0FFC060u},
        // diffuse - texture: 255-128, 128-64, 64-32; alpha: diffuse
        OpCase{"subtract", D3DTOP_SUBTRACT, D, T, D3DTOP_SELECTARG1, D, T, 0x807F4020u},
        OpCase{"subtract clamps at 0", D3DTOP_SUBTRACT, T, D, D3DTOP_SELECTARG2, T, D, 0x80000000u},
        // Af = 64: (128*64 + 16*191 + 127)/255 = 44, (64*64 + 32*191 + 127)/255 = 40, (32*64 + 48*191 + 127)/255 = 44
        OpCase{"blend factor alpha", D3DTOP_BLENDFACTORALPHA, T, F, D3DTOP_SELECTARG1, T, F, 0xC02C282Cu},
        OpCase{"alpha disabled takes the diffuse alpha", D3DTOP_SELECTARG1, T, D, D3DTOP_DISABLE, T, D, 0x80804020u},
        OpCase{"texture factor", D3DTOP_SELECTARG1, F, D, D3DTOP_SELECTARG1, F, D, 0x40102030u},
        // (128*16+127)/255 = 8, (64*32+127)/255 = 8, (32*48+127)/255 = 6; alpha (192*64+127)/255 = 48
        OpCase{"modulate with the factor", D3DTOP_MODULATE, T, F, D3DTOP_MODULATE, T, F, 0x30080806u}));

TEST_F(D3D9RasterizerTest, ProductsAndBlendsRoundToNearest)
{
    D3D9TestDevice d;
    d.SetEngineStates();
    IDirect3DTexture9* rt = MakeTarget(d, 4);
    IDirect3DTexture9* texel = d.MakeTexture(1, 1, D3DFMT_A8R8G8B8, {0xC803C8FFu});
    d->SetTexture(0, texel);
    // Modulate: 200*200 -> 156.9 -> 157, 3*128 -> 1.51 -> 2, 255*77 -> 77.
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    d.SetOps(D3DTOP_MODULATE, D3DTOP_MODULATE);
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 1, 1, 0, 0, 1, 1, 0xC880C84Du));
    EXPECT_EQ(0x9D029D4Du, rt->Level0()->ReadRaw(0, 0));
    // Blend 0xC801FF00 over 0xFF00FF07: alpha (200*200 + 255*55 + 127)/255 = 212,
    // red (1*200 + 127)/255 = 1, blue (7*55 + 127)/255 = 2.
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF07u, 1.0f, 0);
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    ASSERT_EQ(D3D_OK, d.DrawQuad(1, 1, 1, 1, 0, 0, 1, 1, 0xC801FF00u));
    EXPECT_EQ(0xD401FF02u, rt->Level0()->ReadRaw(1, 1));
    texel->Release();
    rt->Release();
}

// Rows long enough for the four-pixel inner loop, copied 1:1 and stretched (texels repeated),
// against the blend formula channel by channel.
TEST_F(D3D9RasterizerTest, LongRowsBlendByTheFormulaOnEveryChannel)
{
    const std::vector<std::uint32_t> texels = {0x00FFFFFFu, 0x01FF00FFu, 0x7F8040C0u, 0x80FF0000u,
                                               0xC8010203u, 0xFE7F7F7Fu, 0xFF102030u, 0x40FFFFFFu};
    auto blend = [](std::uint32_t s, std::uint32_t d) {
        const std::uint32_t a = s >> 24;
        std::uint32_t out = 0;
        for (int shift : {0, 8, 16, 24})
            out |= (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255 << shift;
        return out;
    };
    for (bool backBuffer : {false, true}) {
        D3D9TestDevice d(16, 2);
        d.SetEngineStates();
        IDirect3DTexture9* rt = backBuffer ? nullptr : MakeTarget(d, 16);
        IDirect3DSurface9* target = rt ? rt->Level0() : d.BackBuffer();
        const std::uint32_t destination = 0x8040C0FFu;
        d->Clear(0, nullptr, D3DCLEAR_TARGET, destination, 1.0f, 0);
        IDirect3DTexture9* tex = d.MakeTexture(8, 1, D3DFMT_A8R8G8B8, texels);
        d->SetTexture(0, tex);
        d.SetOps(D3DTOP_MODULATE, D3DTOP_SELECTARG1);
        ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 8, 1, 0, 0, 1, 1, kWhite));   // one texel per pixel
        ASSERT_EQ(D3D_OK, d.DrawQuad(0, 1, 16, 1, 0, 0, 1, 1, kWhite));  // each texel twice
        const std::uint32_t x = backBuffer ? 0xFF000000u : 0;
        const std::uint32_t dst = destination | x;
        for (UINT i = 0; i < 8; ++i)
            EXPECT_EQ(blend(texels[i], dst) | x, target->ReadRaw(i, 0)) << backBuffer << " " << i;
        for (UINT i = 0; i < 16; ++i)
            EXPECT_EQ(blend(texels[i / 2], dst) | x, target->ReadRaw(i, 1)) << backBuffer << " " << i;
        tex->Release();
        if (rt) rt->Release();
    }
}

TEST_F(D3D9RasterizerTest, UnboundTextureReadsAsOpaqueWhite)
{
    D3D9TestDevice d;
    d.SetEngineStates();
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    IDirect3DTexture9* rt = MakeTarget(d, 4);
    d->SetTexture(0, nullptr);
    d.SetOps(D3DTOP_MODULATE, D3DTOP_MODULATE);
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 2, 2, 0, 0, 1, 1, 0x80FF8040u));
    EXPECT_EQ(0x80FF8040u, rt->Level0()->ReadRaw(0, 0));  // white x diffuse = diffuse
    d.SetOps(D3DTOP_SELECTARG1, D3DTOP_SELECTARG1);
    ASSERT_EQ(D3D_OK, d.DrawQuad(2, 2, 2, 2, 0, 0, 1, 1, 0x80FF8040u));
    EXPECT_EQ(0xFFFFFFFFu, rt->Level0()->ReadRaw(3, 3));
    rt->Release();
}

struct BlendCase {
    const char* name;
    D3DFORMAT format;
    bool backBuffer;         // the device's back buffer, else a render-target texture
    D3DCOLOR destination;    // cleared first
    D3DCOLOR source;         // the quad's diffuse colour
    std::uint32_t expected;  // raw stored value
};

class D3D9BlendTest : public D3D9Test, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(D3D9BlendTest, BlendsEveryChannelAndStoresInTheTargetFormat)
{
    const BlendCase& c = GetParam();
    D3D9TestDevice d(4, 4, c.backBuffer ? c.format : D3DFMT_X8R8G8B8);
    ASSERT_NE(nullptr, d.dev);
    d.SetEngineStates();
    IDirect3DTexture9* rt = c.backBuffer ? nullptr : MakeTarget(d, 4, c.format);
    IDirect3DSurface9* target = rt ? rt->Level0() : d.BackBuffer();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    ASSERT_EQ(D3D_OK, d->Clear(0, nullptr, D3DCLEAR_TARGET, c.destination, 1.0f, 0));
    ASSERT_EQ(D3D_OK, d.DrawQuad(1, 1, 2, 2, 0, 0, 0, 0, c.source));
    EXPECT_EQ(c.expected, target->ReadRaw(1, 1)) << c.name;
    if (rt) rt->Release();
}

// Half-transparent red over opaque blue: alpha (128*128 + 255*127 + 127)/255 = 191,
// red (255*128 + 127)/255 = 128, blue (255*127 + 127)/255 = 127.
// Over transparent black: alpha (128*128 + 127)/255 = 64 (below 128: alpha bit clear).
INSTANTIATE_TEST_SUITE_P(
    Formats, D3D9BlendTest,
    ::testing::Values(
        BlendCase{"A8R8G8B8 texture", D3DFMT_A8R8G8B8, false, 0xFF0000FFu, 0x80FF0000u, 0xBF80007Fu},
        BlendCase{"X8R8G8B8 back buffer", D3DFMT_X8R8G8B8, true, 0xFF0000FFu, 0x80FF0000u, 0xFF80007Fu},
        BlendCase{"R5G6B5 back buffer", D3DFMT_R5G6B5, true, 0xFF0000FFu, 0x80FF0000u, (16u << 11) | 15u},
        BlendCase{"A1R5G5B5 back buffer", D3DFMT_A1R5G5B5, true, 0xFF0000FFu, 0x80FF0000u, 0x8000u | (16u << 10) | 15u},
        BlendCase{"A1R5G5B5 texture", D3DFMT_A1R5G5B5, false, 0xFF0000FFu, 0x80FF0000u, 0x8000u | (16u << 10) | 15u},
        BlendCase{"A8R8G8B8 over transparent", D3DFMT_A8R8G8B8, false, 0x00000000u, 0x80FF0000u, 0x40800000u},
        BlendCase{"A1R5G5B5 over transparent", D3DFMT_A1R5G5B5, false, 0x00000000u, 0x80FF0000u, 16u << 10},
        BlendCase{"opaque source replaces", D3DFMT_R5G6B5, true, 0xFF0000FFu, 0xFF00FF00u, 63u << 5},
        BlendCase{"transparent source keeps", D3DFMT_R5G6B5, true, 0xFF0000FFu, 0x0000FF00u, 31u}));

TEST_F(D3D9RasterizerTest, WrapSamplingRepeatsTheTexture)
{
    D3D9TestDevice d(4, 4);
    d.SetEngineStates();
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    const std::vector<std::uint32_t> texels = {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u};
    IDirect3DTexture9* tex = d.MakeTexture(2, 2, D3DFMT_A8R8G8B8, texels);
    d->SetTexture(0, tex);
    d.SetOps(D3DTOP_SELECTARG1, D3DTOP_SELECTARG1);

    // u, v from 0 to 2 over 4 pixels: texel (x mod 2, y mod 2).
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 4, 4, 0, 0, 2, 2, kWhite));
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 4; ++x) EXPECT_EQ(texels[(y % 2) * 2 + x % 2], d.BackBuffer()->ReadRaw(x, y));

    // u from -1 to 1: centres at u = -0.75, -0.25, 0.25, 0.75 -> columns 0 1 0 1;
    // v from 0.5 to 2.5: centres at 0.75, 1.25, 1.75, 2.25 -> rows 1 0 1 0.
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 4, 4, -1, 0.5f, 1, 2.5f, kWhite));
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 4; ++x) EXPECT_EQ(texels[((y + 1) % 2) * 2 + x % 2], d.BackBuffer()->ReadRaw(x, y));
    tex->Release();
}

TEST_F(D3D9RasterizerTest, QuarterTurnMapsTexelsThroughTheGeneralRasteriser)
{
    D3D9TestDevice d(2, 2);
    d.SetEngineStates();
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    // A B / C D
    IDirect3DTexture9* tex = d.MakeTexture(2, 2, D3DFMT_A8R8G8B8, {0xFF00000Au, 0xFF00000Bu, 0xFF00000Cu, 0xFF00000Du});
    d->SetTexture(0, tex);
    d.SetOps(D3DTOP_SELECTARG1, D3DTOP_SELECTARG1);
    // The picture turned a quarter clockwise: its left column becomes the top row.
    const D3D9TLVertex quad[4] = {{-0.5f, -0.5f, 0, 1, kWhite, 0, 1},
                                  {-0.5f, 1.5f, 0, 1, kWhite, 1, 1},
                                  {1.5f, -0.5f, 0, 1, kWhite, 0, 0},
                                  {1.5f, 1.5f, 0, 1, kWhite, 1, 0}};
    ASSERT_EQ(D3D_OK, d.DrawStrip(quad, 4));
    EXPECT_EQ(0xFF00000Cu, d.BackBuffer()->ReadRaw(0, 0));
    EXPECT_EQ(0xFF00000Au, d.BackBuffer()->ReadRaw(1, 0));
    EXPECT_EQ(0xFF00000Du, d.BackBuffer()->ReadRaw(0, 1));
    EXPECT_EQ(0xFF00000Bu, d.BackBuffer()->ReadRaw(1, 1));
    tex->Release();
}

// A 7 x 3 picture of distinct texels turned by 0 to 3 quarters through the general rasteriser
// (a triangle list is never taken for a rectangle), from either texture format: every texel lands
// on its own pixel and nothing else is touched, on rows long and short.
struct TurnCase {
    int turns;       // clockwise quarter turns
    float uv[4][2];  // texture coordinates at the corners left-top, right-top, left-bottom, right-bottom
};

class D3D9QuarterTurnTest : public D3D9Test, public ::testing::WithParamInterface<D3DFORMAT> {};

TEST_P(D3D9QuarterTurnTest, EveryTexelLandsOnItsTurnedPixel)
{
    constexpr int W = 7, H = 3, ox = 2, oy = 3;
    const D3DFORMAT format = GetParam();
    auto expand = [](std::uint32_t c) { return (c << 3) | (c >> 2); };
    std::vector<std::uint32_t> raw, shown;  // texels as stored, and as the X8R8G8B8 target shows them
    for (std::uint32_t k = 0; k < W * H; ++k) {
        if (format == D3DFMT_A8R8G8B8) {
            raw.push_back(0xFF102030u + k * 0x030507u);
            shown.push_back(raw.back());
        } else {
            const std::uint32_t r = k, g = 31 - k, b = (k * 3) % 32;
            raw.push_back(0x8000u | r << 10 | g << 5 | b);
            shown.push_back(0xFF000000u | expand(r) << 16 | expand(g) << 8 | expand(b));
        }
    }
    const TurnCase cases[] = {{0, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
                              {1, {{0, 1}, {0, 0}, {1, 1}, {1, 0}}},
                              {2, {{1, 1}, {0, 1}, {1, 0}, {0, 0}}},
                              {3, {{1, 0}, {1, 1}, {0, 0}, {0, 1}}}};
    for (const TurnCase& c : cases) {
        SCOPED_TRACE(c.turns);
        D3D9TestDevice d(12, 12);
        d.SetEngineStates();
        IDirect3DTexture9* tex = d.MakeTexture(W, H, format, raw);
        d->SetTexture(0, tex);
        d.SetOps(D3DTOP_MODULATE, D3DTOP_MODULATE);
        ASSERT_EQ(D3D_OK, d->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0));
        const int dw = c.turns % 2 ? H : W, dh = c.turns % 2 ? W : H;
        const float l = ox - 0.5f, t = oy - 0.5f, r = ox + dw - 0.5f, b = oy + dh - 0.5f;
        const float xy[4][2] = {{l, t}, {r, t}, {l, b}, {r, b}};
        D3D9TLVertex corner[4];
        for (int k = 0; k < 4; ++k) corner[k] = {xy[k][0], xy[k][1], 0, 1, kWhite, c.uv[k][0], c.uv[k][1]};
        const D3D9TLVertex list[6] = {corner[0], corner[2], corner[1], corner[2], corner[3], corner[1]};
        d->BeginScene();
        ASSERT_EQ(D3D_OK, d->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, list, sizeof(D3D9TLVertex)));
        d->EndScene();
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const int i = x - ox, j = y - oy;
                std::uint32_t want = kBlack;
                if (i >= 0 && i < dw && j >= 0 && j < dh) {
                    const int col[4] = {i, j, W - 1 - i, W - 1 - j}, row[4] = {j, H - 1 - i, H - 1 - j, i};
                    want = shown[static_cast<size_t>(row[c.turns] * W + col[c.turns])];
                }
                EXPECT_EQ(want, d.BackBuffer()->ReadRaw(static_cast<UINT>(x), static_cast<UINT>(y))) << x << "," << y;
            }
        tex->Release();
    }
}

INSTANTIATE_TEST_SUITE_P(TextureFormats, D3D9QuarterTurnTest, ::testing::Values(D3DFMT_A8R8G8B8, D3DFMT_A1R5G5B5));

TEST_F(D3D9RasterizerTest, DiamondFollowsTheTopLeftRule)
{
    D3D9TestDevice d(8, 8);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    // Corners at (4,2), (2,4), (6,4), (4,6): centres on the two left edges are drawn, those on
    // the two right edges and on the shared horizontal diagonal's far end are not.
    const D3D9TLVertex diamond[4] = {
        {4, 2, 0, 1, kWhite, 0, 0}, {2, 4, 0, 1, kWhite, 0, 0}, {6, 4, 0, 1, kWhite, 0, 0}, {4, 6, 0, 1, kWhite, 0, 0}};
    ASSERT_EQ(D3D_OK, d.DrawStrip(diamond, 4));
    const std::set<std::pair<UINT, UINT>> covered = {{4, 4}, {3, 4}, {5, 4}, {4, 3}, {4, 5}, {2, 4}, {3, 3}, {3, 5}};
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 8; ++x)
            EXPECT_EQ(covered.count({x, y}) ? kWhite : kBlack, d.BackBuffer()->ReadRaw(x, y)) << x << "," << y;
}

TEST_F(D3D9RasterizerTest, RotatedQuadBlendsEveryPixelOnce)
{
    D3D9TestDevice d(32, 32);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    // A 20 x 20 square turned 30 degrees about (16, 16), half-transparent white over black.
    const double c = std::cos(3.14159265358979 / 6), s = std::sin(3.14159265358979 / 6);
    D3D9TLVertex quad[4];
    const double corners[4][2] = {{-10, -10}, {-10, 10}, {10, -10}, {10, 10}};
    for (int i = 0; i < 4; ++i) {
        quad[i] = {static_cast<float>(16 + corners[i][0] * c - corners[i][1] * s),
                   static_cast<float>(16 + corners[i][0] * s + corners[i][1] * c),
                   0,
                   1,
                   0x80FFFFFFu,
                   0,
                   0};
    }
    ASSERT_EQ(D3D_OK, d.DrawStrip(quad, 4));
    // Once: (255*128 + 127)/255 = 128; twice would give 192.
    int covered = 0;
    for (UINT y = 0; y < 32; ++y)
        for (UINT x = 0; x < 32; ++x) {
            const std::uint32_t p = d.BackBuffer()->ReadRaw(x, y);
            ASSERT_TRUE(p == kBlack || p == 0xFF808080u) << x << "," << y << " " << std::hex << p;
            covered += p != kBlack;
        }
    EXPECT_NEAR(400, covered, 20);
}

TEST_F(D3D9RasterizerTest, RectangleFillAndTrianglesGiveTheSamePixels)
{
    // The same stretched, wrapped quad as a 4-vertex strip (rectangle fill) and as a list of two
    // triangles (general rasteriser).
    auto draw = [](D3DPRIMITIVETYPE type) {
        D3D9TestDevice d(16, 16);
        d.SetEngineStates();
        IDirect3DTexture9* tex = d.MakeTexture(
            3, 2, D3DFMT_A8R8G8B8, {0x80FF0000u, 0xFF00FF00u, 0x400000FFu, 0xFFFFFFFFu, 0x00123456u, 0xC0808080u});
        d->SetTexture(0, tex);
        d.SetOps(D3DTOP_MODULATE, D3DTOP_MODULATE);
        d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF203040, 1.0f, 0);
        const float l = 1.5f, t = 2.25f, r = 14.0f, b = 13.5f;
        const D3D9TLVertex lt{l, t, 0, 1, 0xC0E0F0FFu, -0.4f, 0.3f}, lb{l, b, 0, 1, 0xC0E0F0FFu, -0.4f, 2.6f},
            rt{r, t, 0, 1, 0xC0E0F0FFu, 2.7f, 0.3f}, rb{r, b, 0, 1, 0xC0E0F0FFu, 2.7f, 2.6f};
        d->BeginScene();
        if (type == D3DPT_TRIANGLESTRIP) {
            const D3D9TLVertex strip[4] = {lt, lb, rt, rb};
            d->DrawPrimitiveUP(type, 2, strip, sizeof(D3D9TLVertex));
        } else {
            const D3D9TLVertex list[6] = {lt, lb, rt, lb, rb, rt};
            d->DrawPrimitiveUP(type, 2, list, sizeof(D3D9TLVertex));
        }
        d->EndScene();
        std::vector<std::uint32_t> pixels;
        for (UINT y = 0; y < 16; ++y)
            for (UINT x = 0; x < 16; ++x) pixels.push_back(d.BackBuffer()->ReadRaw(x, y));
        tex->Release();
        return pixels;
    };
    EXPECT_EQ(draw(D3DPT_TRIANGLESTRIP), draw(D3DPT_TRIANGLELIST));
}

TEST_F(D3D9RasterizerTest, CullingFollowsTheRenderState)
{
    D3D9TestDevice d(4, 4);
    d.SetEngineStates();
    d.SetOps(D3DTOP_SELECTARG2, D3DTOP_SELECTARG2);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    // The engine's strip order winds counter-clockwise on the screen: the default CCW culling
    // removes it, which is why the engine sets CULLMODE NONE.
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 4, 4, 0, 0, 0, 0, kWhite));
    EXPECT_EQ(kBlack, d.BackBuffer()->ReadRaw(1, 1));
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    ASSERT_EQ(D3D_OK, d.DrawQuad(0, 0, 4, 4, 0, 0, 0, 0, kWhite));
    EXPECT_EQ(kWhite, d.BackBuffer()->ReadRaw(1, 1));
}

}  // namespace
