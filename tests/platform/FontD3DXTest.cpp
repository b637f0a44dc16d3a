// The D3DX font with the test font: glyph placement and colour at 16 and 32 bits, alone or in a
// sprite batch, DT_CALCRECT and clipping, device loss, and the same pixels as GDI text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "D3D9TestDevice.h"
#include "DDrawFixture.h"
#include "TestFont.h"
#include "platform/d3d9/D3DX.h"
#include "platform/d3d9/D3DXFont.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiText.h"

namespace {

using Pixels = std::vector<std::vector<DWORD>>;

// Raw pixels of a back buffer (the unused byte of X8R8G8B8 masked off).
Pixels ReadBack(IDirect3DSurface9* s)
{
    const DWORD mask = s->Format() == D3DFMT_X8R8G8B8 ? 0x00FFFFFFu : 0xFFFFFFFFu;
    Pixels rows(s->Height(), std::vector<DWORD>(s->Width()));
    for (UINT y = 0; y < s->Height(); ++y)
        for (UINT x = 0; x < s->Width(); ++x) rows[y][x] = s->ReadRaw(x, y) & mask;
    return rows;
}

D3DXFONT_DESCA Desc(int height, const std::string& faceSjis)
{
    D3DXFONT_DESCA desc;
    desc.Height = height;
    desc.Weight = 400;
    desc.CharSet = 128;
    faceSjis.copy(desc.FaceName, sizeof desc.FaceName - 1);
    return desc;
}

class FontD3DXTest : public D3D9Test {
protected:
    void SetUp() override
    {
        D3D9Test::SetUp();
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
    }
    void TearDown() override
    {
        if (font) font->Release();
        font = nullptr;
        d.reset();
        FontFilesUseSystemForTest();
        D3D9Test::TearDown();
    }
    // A device with a black back buffer and a font of the test face.
    void Open(UINT width, UINT height, D3DFORMAT format = D3DFMT_X8R8G8B8, int cell = kTestCell)
    {
        if (font) font->Release();
        font = nullptr;
        d = std::make_unique<D3D9TestDevice>(width, height, format);
        ASSERT_NE(d->dev, nullptr);
        d->SetEngineStates();
        d->dev->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        const D3DXFONT_DESCA desc = Desc(cell, SjisOf("ＭＳ ゴシック"));
        ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(d->dev, &desc, &font));
    }
    // DrawTextA without a sprite inside a scene.
    INT Draw(const std::string& text, RECT rect, DWORD format, D3DCOLOR color)
    {
        d->dev->BeginScene();
        const INT height = font->DrawTextA(nullptr, text.data(), static_cast<INT>(text.size()), &rect, format, color);
        d->dev->EndScene();
        return height;
    }

    std::unique_ptr<D3D9TestDevice> d;
    ID3DXFont* font = nullptr;
};

TEST_F(FontD3DXTest, DrawTextPutsEachGlyphInTheColourBlendedByItsAlpha)
{
    struct Case {
        const char* name;
        D3DFORMAT format;
        D3DCOLOR color;
        DWORD ink;
    };
    const Case cases[] = {
        {"32 bits", D3DFMT_X8R8G8B8, 0xFFFF8040u, 0x00FF8040u},
        {"565", D3DFMT_R5G6B5, 0xFFFF8040u, 0xFC08u},  // 31 << 11 | 32 << 5 | 8, as GDI writes it
        {"half alpha over black", D3DFMT_X8R8G8B8, 0x80FF0000u, 0x00800000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(40, 20, c.format);
        // "A表ｱ": 表 is 0x95 0x5C, a double-byte character whose trail byte is a backslash.
        EXPECT_EQ(Draw("A\x95\x5C\xB1", RECT{3, 2, 3, 2}, DT_NOCLIP, c.color), kTestCell);
        EXPECT_EQ(ReadBack(d->BackBuffer()),
                  TextPicture(40, 20, 0, c.ink, {{kAsciiGlyph, 3, 2}, {kFullGlyph, 11, 2}, {kKanaGlyph, 27, 2}}));
    }
}

TEST_F(FontD3DXTest, WithASpriteTheGlyphsJoinItsBatch)
{
    Open(24, 18);
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateSprite(d->dev, &sprite));
    d->dev->BeginScene();
    ASSERT_EQ(D3D_OK, sprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_TEXTURE));
    RECT rect{0, 1, 0, 0};
    EXPECT_EQ(font->DrawTextA(sprite, "\x95 W", -1, &rect, DT_NOCLIP, 0xFF102030u), kTestCell);
    EXPECT_EQ(ReadBack(d->BackBuffer()), TextPicture(24, 18, 0, 0, {})) << "nothing before End";
    ASSERT_EQ(D3D_OK, sprite->End());
    d->dev->EndScene();
    // A lone lead byte draws the default glyph, then the space and 'W' follow.
    EXPECT_EQ(ReadBack(d->BackBuffer()),
              TextPicture(24, 18, 0, 0x102030, {{kDefaultGlyph, 0, 1}, {kWideGlyph, 16, 1}}));
    sprite->Release();
}

TEST_F(FontD3DXTest, CalcRectMeasuresLinesWithoutDrawing)
{
    Open(16, 16);
    struct Case {
        const char* name;
        std::string text;
        INT count;  // -1: up to the zero
        LONG width, height;
    };
    const std::vector<Case> cases = {
        {"one line", SjisOf("テスト Test 表示"), -1, 128, 16},
        {"widest of two lines", "Test\nAiW", -1, 32, 32},
        {"CR LF break", "A\r\nB", -1, 8, 32},
        {"break at the end", "AB\n", -1, 16, 32},
        {"count shorter than the text", "AiW", 2, 12, 16},
        {"empty", "", -1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT rect{5, 7, 5, 7};
        d->dev->BeginScene();
        EXPECT_EQ(font->DrawTextA(nullptr, c.text.c_str(), c.count, &rect, DT_CALCRECT, 0xFFFFFFFFu), c.height);
        d->dev->EndScene();
        EXPECT_EQ(rect.left, 5);
        EXPECT_EQ(rect.top, 7);
        EXPECT_EQ(rect.right, 5 + c.width);
        EXPECT_EQ(rect.bottom, 7 + c.height);
    }
    EXPECT_EQ(ReadBack(d->BackBuffer()), TextPicture(16, 16, 0, 0, {})) << "DT_CALCRECT draws nothing";
}

TEST_F(FontD3DXTest, WithoutNoClipTheTextIsCutToTheRectangleAndLinesStackByTheCell)
{
    Open(30, 40);
    EXPECT_EQ(Draw("AA\nW", RECT{2, 3, 13, 30}, 0, 0xFF0000FFu), 2 * kTestCell);
    Pixels expected = TextPicture(30, 40, 0, 0xFF, {{kAsciiGlyph, 2, 3}, {kAsciiGlyph, 10, 3}, {kWideGlyph, 2, 19}});
    for (size_t y = 0; y < expected.size(); ++y)
        for (size_t x = 0; x < expected[y].size(); ++x)
            if (x < 2 || x >= 13 || y < 3 || y >= 30) expected[y][x] = 0;
    EXPECT_EQ(ReadBack(d->BackBuffer()), expected);
}

TEST_F(FontD3DXTest, TheFontsSpriteHoldsResetBackUntilOnLostDeviceAndDrawsAgainAfterwards)
{
    Open(16, 16);
    IDirect3DDevice9* dev = d->dev;
    EXPECT_EQ(Draw("A", RECT{}, DT_NOCLIP, 0xFFFFFFFFu), kTestCell) << "glyph textures made before the loss";
    dev->SimulateDeviceLoss();
    dev->MakeDeviceResettable();
    D3DPRESENT_PARAMETERS pp = d->pp;
    EXPECT_EQ(D3DERR_INVALIDCALL, dev->Reset(&pp));
    ASSERT_EQ(D3D_OK, font->OnLostDevice());
    EXPECT_EQ(Draw("A", RECT{}, DT_NOCLIP, 0xFFFFFFFFu), 0) << "nothing can be drawn while lost";
    ASSERT_EQ(D3D_OK, dev->Reset(&pp));
    ASSERT_EQ(D3D_OK, font->OnResetDevice());
    EXPECT_EQ(Draw("Ai", RECT{}, DT_NOCLIP, 0xFFFFFFFFu), kTestCell);
    EXPECT_EQ(ReadBack(d->BackBuffer()), TextPicture(16, 16, 0, 0xFFFFFF, {{kAsciiGlyph, 0, 0}, {kNarrowGlyph, 8, 0}}));
    EXPECT_EQ(D3DERR_INVALIDCALL, dev->Reset(&pp)) << "the font's sprite counts again";
}

TEST_F(FontD3DXTest, CreationChecksItsArgumentsAndTheFontHoldsItsDevice)
{
    Open(4, 4);
    const D3DXFONT_DESCA desc = Desc(16, "");
    ID3DXFont* other = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateFontIndirectA(nullptr, &desc, &other));
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateFontIndirectA(d->dev, nullptr, &other));
    EXPECT_EQ(nullptr, other);
    D3DXFONT_DESCA got;
    ASSERT_EQ(D3D_OK, font->GetDescA(&got));
    EXPECT_EQ(got.Height, kTestCell);
    EXPECT_EQ(std::string(got.FaceName), SjisOf("ＭＳ ゴシック"));
    const ULONG before = d->dev->AddRef() - 1;
    d->dev->Release();
    font->Release();
    font = nullptr;
    EXPECT_EQ(d->dev->AddRef() - 1, before - 2) << "the font and its sprite released the device";
    d->dev->Release();
}

// The same text through GDI on a DirectDraw surface and through D3DX on a back buffer.
class FontBackEndsTest : public DDrawFixture {
protected:
    void SetUp() override
    {
        DDrawFixture::SetUp();
        ResetD3D9Config();
        SetHost(CreateHeadlessHost());
        ASSERT_TRUE(FontFilesUseOnlyForTest(TestFontPath()));
    }
    void TearDown() override
    {
        FontFilesUseSystemForTest();
        ResetD3D9Config();
        DDrawFixture::TearDown();
    }
};

TEST_F(FontBackEndsTest, GdiAndD3DXDrawTheSamePixelsAtEveryFontSize)
{
    const std::string text = SjisOf("テスト Test 表示") + "\x95\x5C\xB1\x82\xA0";
    constexpr int kWidth = 360;
    constexpr int kHeight = 40;
    OpenFullScreen(TestFormat::Xrgb32);
    IDirectDrawSurface7* surface = MakeSurface(kWidth, kHeight);
    D3D9TestDevice device(kWidth, kHeight);
    ASSERT_NE(device.dev, nullptr);
    device.SetEngineStates();
    for (int cell : {9, 16, 30}) {
        SCOPED_TRACE(cell);
        ASSERT_EQ(Fill(surface, 0), DD_OK);
        HFONT gdiFont = CreateFontA(cell, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                    SjisOf("ＭＳ ゴシック").c_str());
        HDC dc = nullptr;
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
        HGDIOBJ old = SelectObject(dc, gdiFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0x20, 0xC0, 0x60));
        EXPECT_TRUE(TextOutA(dc, 5, 4, text.data(), static_cast<int>(text.size())));
        SelectObject(dc, old);
        ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
        EXPECT_TRUE(DeleteObject(gdiFont));

        const D3DXFONT_DESCA desc = Desc(cell, SjisOf("ＭＳ ゴシック"));
        ID3DXFont* d3dxFont = nullptr;
        ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(device.dev, &desc, &d3dxFont));
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        RECT rect{5, 4, 5, 4};
        device->BeginScene();
        EXPECT_EQ(d3dxFont->DrawTextA(nullptr, text.c_str(), -1, &rect, DT_NOCLIP, 0xFF20C060u), cell);
        device->EndScene();
        d3dxFont->Release();

        const Pixels gdi = Read(surface, kWidth, kHeight);
        EXPECT_EQ(ReadBack(device.BackBuffer()), gdi);
        int ink = 0;
        for (const auto& row : gdi)
            for (DWORD p : row) ink += p == 0x20C060 ? 1 : 0;
        EXPECT_GT(ink, 0);
    }
}

}  // namespace
