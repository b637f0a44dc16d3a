// A picture for a person to look at: "テスト Test 表示" in the Japanese Gothic face the games
// name, at the three heights of the engine's fonts (9, 16 and 30 pixels), drawn by GDI (top half)
// and by the D3DX font (bottom half), written to FontPicture.png in the build's test picture folder.
// The test itself checks that every character has a glyph of its own (none is the default glyph)
// and leaves ink where it stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "D3D9TestDevice.h"
#include "DDrawFixture.h"
#include "TestFont.h"
#include "TestPictures.h"
#include "platform/d3d9/D3DX.h"
#include "platform/d3d9/D3DXFont.h"
#include "platform/gdi/FontFace.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/PngWriter.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHalf = 70;
constexpr int kHeights[] = {9, 16, 30};
constexpr int kTops[] = {4, 17, 37};
constexpr int kLeft = 6;
constexpr DWORD kPaper = 0xFFFFFF;

class FontPictureTest : public DDrawFixture {
protected:
    void SetUp() override
    {
        DDrawFixture::SetUp();
        ResetD3D9Config();
        SetHost(CreateHeadlessHost());
        FontFilesUseSystemForTest();
    }
    void TearDown() override
    {
        ResetD3D9Config();
        DDrawFixture::TearDown();
    }
};

const std::string& Sample()
{
    static const std::string text = SjisOf("テスト Test 表示");
    return text;
}

bool SameImage(const GlyphImage& a, const GlyphImage& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height && a.ink == b.ink;
}

// Checks that every non-space character of the sample has its own glyph and left ink in its
// cell of the picture (rows of 0x00RRGGBB, the text's top-left corner at left, top).
void ExpectEveryGlyph(const std::vector<std::uint32_t>& picture, int left, int top, int height, const char* backEnd)
{
    auto face = FontFace::Create(SjisOf("ＭＳ ゴシック"), height, 400);
    const GlyphImage& defaultGlyph = *face->Layout("\x85\x40")[0].glyph;
    const std::vector<PlacedGlyph> glyphs = face->Layout(Sample());
    ASSERT_EQ(glyphs.size(), 11u);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphImage& g = *glyphs[i].glyph;
        if (i == 3 || i == 8) continue;  // the spaces
        EXPECT_FALSE(SameImage(g, defaultGlyph))
            << backEnd << ", " << height << " px: character " << i << " is the default glyph";
        int ink = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left + glyphs[i].penX; x < left + glyphs[i].penX + g.advance; ++x)
                ink += picture[static_cast<size_t>(y) * kWidth + x] != kPaper ? 1 : 0;
        EXPECT_GT(ink, 0) << backEnd << ", " << height << " px: nothing drawn for character " << i;
    }
}

TEST_F(FontPictureTest, SampleTextInTheGothicFaceAtTheEngineSizes)
{
    std::vector<std::uint32_t> picture(static_cast<size_t>(kWidth) * 2 * kHalf, kPaper);

    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* surface = MakeSurface(kWidth, kHalf);
    ASSERT_EQ(Fill(surface, kPaper), DD_OK);
    for (size_t i = 0; i < 3; ++i) {
        HFONT font = CreateFontA(kHeights[i], 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                 SjisOf("ＭＳ ゴシック").c_str());
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, kLeft, kTops[i], Sample().data(), static_cast<int>(Sample().size()));
        SelectObject(dc, old);
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
        DeleteObject(font);
    }
    const Rows gdi = Read(surface, kWidth, kHalf);
    for (int y = 0; y < kHalf; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture[static_cast<size_t>(y) * kWidth + x] =
                gdi[static_cast<size_t>(y)][static_cast<size_t>(x)] & 0xFFFFFF;

    D3D9TestDevice device(kWidth, kHalf);
    ASSERT_NE(device.dev, nullptr);
    device.SetEngineStates();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | kPaper, 1.0f, 0);
    device->BeginScene();
    for (size_t i = 0; i < 3; ++i) {
        D3DXFONT_DESCA desc;
        desc.Height = kHeights[i];
        desc.Weight = 400;
        desc.CharSet = 128;
        SjisOf("ＭＳ ゴシック").copy(desc.FaceName, sizeof desc.FaceName - 1);
        ID3DXFont* font = nullptr;
        ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(device.dev, &desc, &font));
        RECT rect{kLeft, kTops[i], kLeft, kTops[i]};
        font->DrawTextA(nullptr, Sample().c_str(), -1, &rect, DT_NOCLIP, 0xFF000000u);
        font->Release();
    }
    device->EndScene();
    for (int y = 0; y < kHalf; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture[static_cast<size_t>(y + kHalf) * kWidth + x] =
                device.BackBuffer()->ReadRaw(static_cast<UINT>(x), static_cast<UINT>(y)) & 0xFFFFFF;

    for (size_t i = 0; i < 3; ++i) {
        ExpectEveryGlyph(picture, kLeft, kTops[i], kHeights[i], "GDI");
        ExpectEveryGlyph(picture, kLeft, kHalf + kTops[i], kHeights[i], "D3DX");
    }
    const std::string path = (testsupport::TestPictureFolder("") / "FontPicture.png").string();
    ASSERT_TRUE(WritePngFile(path, picture.data(), kWidth, 2 * kHalf, kWidth)) << path;
    std::cout << "text picture: " << path << "\n";
}

}  // namespace
