// The blend state of the blits: the diffuse colour and the texture stage colour and alpha
// operations (Direct3D), DDBltColorOp and DDStretchBltColorOp, and DirectDraw ignoring them.
#include "graphics/BlendState.h"
#include "DrawTestSupport.h"
#include "graphics/Blit.h"

namespace gfxtest {
namespace {

// One picture pixel blitted onto a blue render target with a blend state. Expected values are
// A8R8G8B8 with the stand-in's rounding ((x + 127) / 255 on each product or blend).
struct BlendCase {
    const char* name;
    DWORD dwColorOp;
    DWORD dwAlphaOp;
    D3DCOLOR dwDiffuse;
    char texel;
    DWORD expected;
};

const BlendCase kBlendCases[] = {
    {"defaults", D3DTOP_MODULATE, D3DTOP_SELECTARG1, 0xFFFFFFFF, 'R', 0xFFFF0000},
    {"modulated by a grey diffuse", D3DTOP_MODULATE, D3DTOP_SELECTARG1, 0xFF808080, 'R', 0xFF800000},
    {"the diffuse colour alone", D3DTOP_SELECTARG2, D3DTOP_SELECTARG1, 0xFF00FF00, 'R', 0xFF00FF00},
    {"added", D3DTOP_ADD, D3DTOP_SELECTARG1, 0xFF0000FF, 'R', 0xFFFF00FF},
    {"subtracted", D3DTOP_SUBTRACT, D3DTOP_SELECTARG1, 0xFF400000, 'W', 0xFFBFFFFF},
    // alpha 255 x 128 -> 128, blended over blue: red 128, blue 127, alpha 191
    {"half transparent", D3DTOP_MODULATE, D3DTOP_MODULATE, 0x80FFFFFF, 'R', 0xBF80007F},
};

// The same colour in the configuration's texture format (channels truncated to 5 bits, the alpha
// bit from 128). The texels used are 0 or 255 per channel, so 16 bits see the same products.
DWORD InTextureFormat(DWORD argb, int nBpp)
{
    if (nBpp == 32) return argb;
    const DWORD a = (argb >> 24) >= 128 ? 1 : 0;
    return a << 15 | ((argb >> 19) & 31) << 10 | ((argb >> 11) & 31) << 5 | ((argb >> 3) & 31);
}

using BlendStateTest = DrawTest;

TEST_P(BlendStateTest, ColourAndAlphaOperationsAndTheDiffuseColourApplyToTheNextBlits)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(1, 1, 'B');
    for (const BlendCase& t : kBlendCases) {
        SCOPED_TRACE(t.name);
        Paint(canvas, 'B');
        DDSURFACEDATA* source = Picture({std::string(1, t.texel)});
        DDSetDiffuse(t.dwDiffuse);
        DDSetColorOp(t.dwColorOp);
        DDSetAlphaOp(t.dwAlphaOp);
        DDBlt(canvas, 0, 0, 1, 1, source, 0, 0, 1);
        DDResetDiffuse();
        DDResetColorOp();
        DDResetAlphaOp();
        EXPECT_EQ(Pixel(canvas, 0, 0), InTextureFormat(t.expected, C().nBpp));
    }
}

TEST_P(BlendStateTest, ColorOpBlitsUseTheirBlendStateOnceAndResetIt)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(2, 2, 'B');
    DDSURFACEDATA* source = Picture({"RR", "RR"});
    const BLENDSTATE grey{0xFF808080, D3DTOP_MODULATE};
    EXPECT_TRUE(DDBltColorOp(canvas, 0, 0, 1, 1, source, 0, 0, 1, &grey));
    const BLENDSTATE green{0xFF00FF00, D3DTOP_SELECTARG2};
    EXPECT_TRUE(DDStretchBltColorOp(canvas, 1, 0, 1, 2, source, 0, 0, 2, 2, 1, &green));
    EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);
    EXPECT_EQ(lpDTCon->dwColorOp, static_cast<DWORD>(D3DTOP_MODULATE));
    DDBlt(canvas, 0, 1, 1, 1, source, 0, 0, 1);  // after the reset: plain red

    EXPECT_EQ(Pixel(canvas, 0, 0), InTextureFormat(0xFF800000, C().nBpp));
    EXPECT_EQ(Pixel(canvas, 1, 0), InTextureFormat(0xFF00FF00, C().nBpp));
    EXPECT_EQ(Pixel(canvas, 1, 1), InTextureFormat(0xFF00FF00, C().nBpp));
    EXPECT_EQ(Pixel(canvas, 0, 1), Raw('R'));
}

INSTANTIATE_TEST_SUITE_P(Direct3D, BlendStateTest, ::testing::ValuesIn(kDirect3DConfigs), ConfigName);

using DirectDrawBlendStateTest = DrawTest;

TEST_P(DirectDrawBlendStateTest, IgnoresTheBlendState)
{
    OpenWithPalette();
    DDSURFACEDATA* canvas = Canvas(2, 1, 'B');
    DDSURFACEDATA* source = Picture({"R"});
    DDSetDiffuse(0xFF00FF00);
    DDSetColorOp(D3DTOP_SELECTARG2);
    const BLENDSTATE green{0xFF00FF00, D3DTOP_SELECTARG2};
    EXPECT_TRUE(DDBltColorOp(canvas, 0, 0, 1, 1, source, 0, 0, 1, &green));
    EXPECT_TRUE(DDStretchBltColorOp(canvas, 1, 0, 1, 1, source, 0, 0, 1, 1, 1, &green));
    EXPECT_EQ(Pixels(canvas), RawImage({{Raw('R'), Raw('R')}}));
}

INSTANTIATE_TEST_SUITE_P(DirectDraw, DirectDrawBlendStateTest, ::testing::Values(kConfigs[3], kConfigs[4], kConfigs[5]),
                         ConfigName);

}  // namespace
}  // namespace gfxtest
