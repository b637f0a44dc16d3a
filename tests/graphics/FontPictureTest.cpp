// A window box with Japanese text, a number strip and the three fonts, drawn with the machine's
// Japanese Gothic faces under Direct3D 32 and DirectDraw 8 and written to PNG files
// (graphics_fonts/<configuration>.png in the build's test picture folder) for a person to look at.
#include <filesystem>

#include "DrawTestSupport.h"
#include "TestPictures.h"
#include "graphics/DrawHelpers.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "platform/gdi/PngWriter.h"
#include "platform/hostapi/Host.h"

namespace gfxtest {
namespace {

class FontPictureTest : public DrawTest {
protected:
    void TearDown() override
    {
        ReleaseFontTable();
        DrawTest::TearDown();
    }

    HostFrame Present()
    {
        if (D3D()) {
            EXPECT_TRUE(DDPresent(60, 0, nullptr));
            return GetHost().LastFrame();
        }
        EXPECT_EQ(PrimarySD.lpDDS->lpDDSurface->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        return DDrawLastVisibleImage();
    }
};

TEST_P(FontPictureTest, WindowBoxNumbersAndTheThreeFonts)
{
    OpenWithPalette();
    std::vector<std::string> skinRows(240, std::string(320, 'B'));
    Picture(skinRows, 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&SDTable[45], "bmp\\picture0.bmp", 0, C().nBpp, 0, 0, 0, 0, 0, 0, 0), 0);
    FONTINFO infos[kFontCount] = {FontInfoTable[0], FontInfoTable[1], FontInfoTable[2]};
    PrepareFontInfoTable(infos, kFontCount, 59, D3D() ? 0 : 1);
    for (FONTINFO& info : infos) {
        info.dwPalNum = 4;       // white
        info.dwFramePalNum = 5;  // yellow
    }
    ASSERT_TRUE(CreateFontTable(FontTable, infos, kFontCount));
    ASSERT_TRUE(CreateNumberSurfaces(NumberSD, NumberSDInfoTable, kFontCount, FontTable, infos));

    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 6);
    const std::string window = Sjis("ようこそ、ゲームの世界へ！\nウィンドウの文字：ＡＢＣ１２３");
    FontTable[Font16].DrawWindowText(&BackBuffer, kCentreOnSkin, 20, 0, 0, window.c_str(), 8);
    DDDrawNumber(&BackBuffer, 20, 120, 32, 32, &NumberSD[Font32], 0, 0, 1, 2026, 6, FALSE, 0);
    DDDrawNumber(&BackBuffer, 20, 160, 16, 16, &NumberSD[Font16], 0, 0, 1, 1234567890, 0, FALSE, 0);
    const std::string sample = Sjis("あいうえお アイウエオ 漢字 ABC abc 0123");
    FontTable[Font10].Draw(&BackBuffer, 20, 200, sample.c_str(), 0);
    FontTable[Font16].Draw(&BackBuffer, 20, 220, sample.c_str(), 0);
    FontTable[Font32].Draw(&BackBuffer, 20, 250, sample.c_str(), 0);
    FontTable[Font16].Printf(&BackBuffer, 20, 300, "FPS%2d(%2d)", 60, 59);

    const HostFrame frame = Present();
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    const std::filesystem::path folder = testsupport::TestPictureFolder("graphics_fonts");
    EXPECT_TRUE(WritePngFile((folder / (std::string(C().name) + ".png")).string(), frame.pixels.data(), frame.width,
                             frame.height, frame.width));
    // Some white ink in the window box and on the Font32 line.
    auto hasInk = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (frame.At(x, y) == kWhite) return true;
        return false;
    };
    EXPECT_TRUE(hasInk(0, 20, 320, 52));
    EXPECT_TRUE(hasInk(20, 250, 640, 282));
}

const Config kPictureConfigs[] = {kConfigs[2], kConfigs[3]};
INSTANTIATE_TEST_SUITE_P(Pictures, FontPictureTest, ::testing::ValuesIn(kPictureConfigs), ConfigName);

}  // namespace
}  // namespace gfxtest
