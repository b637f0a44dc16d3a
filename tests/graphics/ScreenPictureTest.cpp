// The same small scene drawn and presented in each of the six configurations. The presented
// screens are written to PNG files (graphics_screens/<configuration>.png in the build's test picture
// folder) for a person to compare, and checked at a few points: the six must look alike.
#include <cstdlib>
#include <filesystem>

#include "GraphicsTestSupport.h"
#include "TestPictures.h"
#include "graphics/Blit.h"
#include "graphics/Fill.h"
#include "graphics/GraphicsStartup.h"
#include "platform/gdi/PngWriter.h"
#include "platform/hostapi/Host.h"

namespace gfxtest {
namespace {

// The sprite sheet: 32 x 32, a 4-pixel border of the transparent colour (index 0) around red,
// green, blue and white quadrants.
std::uint32_t SheetIndex(int x, int y)
{
    if (x < 4 || y < 4 || x >= 28 || y >= 28) return 0;
    return (x < 16 ? 1u : 2u) + (y < 16 ? 0u : 2u);
}

// Fills the screen with palette colour 6 (a purple), draws the sheet keyed at (100, 100) and opaque at (300, 100), and
// a yellow box; then presents as the frame loop does and returns the visible picture.
HostFrame DrawScene(const Config& c)
{
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 6);
    DDBlt(&BackBuffer, 100, 100, 32, 32, &SDTable[1], 0, 0, 1);
    DDBlt(&BackBuffer, 300, 100, 32, 32, &SDTable[1], 0, 0, 0);
    DDFillRectPal(&BackBuffer, 200, 300, 100, 50, 5);
    if (c.bDirect3D) {
        EXPECT_TRUE(DDPresent(60, 0, nullptr));
        return GetHost().LastFrame();
    }
    IDirectDrawSurface7* primary = PrimarySD.lpDDS->lpDDSurface;
    if (c.bWindowMode) {
        EXPECT_EQ(primary->Blt(&rcClient, BackBuffer.lpDDS->lpDDSurface, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    } else {
        EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    }
    return DDrawLastVisibleImage();
}

// Colours agree within what 16-bit channels lose.
::testing::AssertionResult Near(std::uint32_t actual, std::uint32_t expected)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 8)
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

using ScreenPictureTest = GraphicsMatrixTest;

TEST_P(ScreenPictureTest, TheSameSceneLooksAlikeInEveryConfiguration)
{
    const Config& c = GetParam();
    Write("bmp\\plt\\Palette.bmp", PaletteBmp());
    Write("bmp\\Debug.bmp", Bmp8(32, 32, SheetIndex));
    GraphicsStartOptions o;
    o.bDirect3D = c.bDirect3D;
    o.hWnd = m_hWnd;
    o.nBpp = c.nBpp;
    o.bWindowMode = c.bWindowMode;
    ASSERT_TRUE(StartGraphics(o));
    const HostFrame frame = DrawScene(c);
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);

    const std::filesystem::path folder = testsupport::TestPictureFolder("graphics_screens");
    EXPECT_TRUE(WritePngFile((folder / (std::string(c.name) + ".png")).string(), frame.pixels.data(), frame.width,
                             frame.height, frame.width));

    const std::uint32_t background = TestPaletteColours()[6];
    EXPECT_TRUE(Near(frame.At(5, 5), background));
    EXPECT_TRUE(Near(frame.At(101, 101), background));  // the keyed border shows the background
    EXPECT_TRUE(Near(frame.At(108, 108), kRed));
    EXPECT_TRUE(Near(frame.At(124, 108), kGreen));
    EXPECT_TRUE(Near(frame.At(108, 124), kBlue));
    EXPECT_TRUE(Near(frame.At(124, 124), kWhite));
    EXPECT_TRUE(Near(frame.At(301, 101), kMagenta));  // an opaque copy shows the transparent colour
    EXPECT_TRUE(Near(frame.At(308, 108), kRed));
    EXPECT_TRUE(Near(frame.At(250, 320), kYellow));
    EXPECT_TRUE(Near(frame.At(639, 479), background));
}

INSTANTIATE_TEST_SUITE_P(Matrix, ScreenPictureTest, ::testing::ValuesIn(kConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
