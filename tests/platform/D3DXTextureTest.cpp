// D3DXCreateTexture and D3DXCreateTextureFromFileEx: BMP, PNG and JPEG files placed at the
// top-left without scaling, the colour key compared in A8R8G8B8 and made transparent black,
// transparent padding, conversion to A1R5G5B5 by truncation, sizes fitted to the caps, failures.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "BmpBytes.h"
#include "D3D9TestDevice.h"
#include "ScratchFolder.h"
#include "platform/d3d9/D3DX.h"

// After the Windows types: libjpeg defines TRUE and FALSE as macros of its own.
#include <jpeglib.h>

namespace {

constexpr D3DCOLOR kMagentaKey = 0xFFFF00FFu;

// 3 x 2, 24 bits: magenta, 0x804020, black / 0x123456, magenta, white.
std::string ThreeByTwoBmp()
{
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.bitCount = 24;
    spec.rows = {{0xFF00FF, 0x804020, 0x000000}, {0x123456, 0xFF00FF, 0xFFFFFF}};
    return MakeBmp(spec);
}

// A PNG of BGRA pixels written with libpng's simplified writer.
std::string MakePng(UINT width, UINT height, const std::vector<std::uint32_t>& argb)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, argb.data(), 0, nullptr);
    std::string bytes(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, argb.data(), 0, nullptr));
    bytes.resize(size);
    return bytes;
}

// A solid 8 x 8 JPEG of one grey level at quality 100.
std::string MakeGreyJpeg(int level)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 8;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(8 * 3, static_cast<unsigned char>(level));
    while (info.next_scanline < 8) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

class D3DXTextureTest : public D3D9Test {
protected:
    IDirect3DTexture9* Load(const char* path, UINT w, UINT h, D3DFORMAT format, D3DCOLOR key, HRESULT expect = D3D_OK,
                            D3DXIMAGE_INFO* info = nullptr)
    {
        IDirect3DTexture9* tex = nullptr;
        EXPECT_EQ(expect, D3DXCreateTextureFromFileEx(dev.dev, path, w, h, 1, 0, format, D3DPOOL_MANAGED,
                                                      D3DX_FILTER_NONE, D3DX_DEFAULT, key, info, nullptr, &tex));
        return tex;
    }

    ScratchFolder folder;
    D3D9TestDevice dev;
};

TEST_F(D3DXTextureTest, BitmapIsKeyedAndPaddedWithTransparentBlack)
{
    ScratchFolder::Write(folder.Path() + "/bmp/Chara.bmp", ThreeByTwoBmp());
    IDirect3DTexture9* tex = Load("bmp\\CHARA.BMP", 4, 4, D3DFMT_A8R8G8B8, kMagentaKey);
    ASSERT_NE(nullptr, tex);
    const std::uint32_t expected[4][4] = {{0x00000000u, 0xFF804020u, 0xFF000000u, 0},
                                          {0xFF123456u, 0x00000000u, 0xFFFFFFFFu, 0},
                                          {0, 0, 0, 0},
                                          {0, 0, 0, 0}};
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 4; ++x) EXPECT_EQ(expected[y][x], tex->Level0()->ReadRaw(x, y)) << x << "," << y;
    tex->Release();
}

TEST_F(D3DXTextureTest, SixteenBitTexturesTruncateAndKeepTheAlphaBit)
{
    ScratchFolder::Write(folder.Path() + "/c.bmp", ThreeByTwoBmp());
    IDirect3DTexture9* tex = Load("c.bmp", 4, 2, D3DFMT_A1R5G5B5, kMagentaKey);
    ASSERT_NE(nullptr, tex);
    // 0x804020 -> 16, 8, 4; 0x123456 -> 2, 6, 10; opaque texels carry the alpha bit.
    const std::uint32_t expected[2][4] = {{0x0000u, 0x8000u | (16u << 10) | (8u << 5) | 4u, 0x8000u, 0},
                                          {0x8000u | (2u << 10) | (6u << 5) | 10u, 0x0000u, 0xFFFFu, 0}};
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 4; ++x) EXPECT_EQ(expected[y][x], tex->Level0()->ReadRaw(x, y)) << x << "," << y;
    tex->Release();
}

TEST_F(D3DXTextureTest, KeyZeroKeepsEveryPixelAndASmallTextureCutsThePicture)
{
    ScratchFolder::Write(folder.Path() + "/c.bmp", ThreeByTwoBmp());
    IDirect3DTexture9* tex = Load("c.bmp", 2, 1, D3DFMT_A8R8G8B8, 0);
    ASSERT_NE(nullptr, tex);
    EXPECT_EQ(0xFFFF00FFu, tex->Level0()->ReadRaw(0, 0));
    EXPECT_EQ(0xFF804020u, tex->Level0()->ReadRaw(1, 0));
    tex->Release();
}

TEST_F(D3DXTextureTest, PalettisedBitmapIsKeyedByColour)
{
    BmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.bitCount = 8;
    spec.table = {0xFF00FF, 0x10A0F0};
    spec.rows = {{1, 0}};
    ScratchFolder::Write(folder.Path() + "/p.bmp", MakeBmp(spec));
    IDirect3DTexture9* tex = Load("p.bmp", 2, 1, D3DFMT_A8R8G8B8, kMagentaKey);
    ASSERT_NE(nullptr, tex);
    EXPECT_EQ(0xFF10A0F0u, tex->Level0()->ReadRaw(0, 0));
    EXPECT_EQ(0x00000000u, tex->Level0()->ReadRaw(1, 0));
    tex->Release();
}

TEST_F(D3DXTextureTest, DefaultSizeIsThePictureFittedToTheCaps)
{
    ScratchFolder::Write(folder.Path() + "/c.bmp", ThreeByTwoBmp());
    D3DXIMAGE_INFO info;
    IDirect3DTexture9* tex = Load("c.bmp", 0, D3DX_DEFAULT, D3DFMT_A8R8G8B8, 0, D3D_OK, &info);
    ASSERT_NE(nullptr, tex);
    EXPECT_EQ(3u, tex->Level0()->Width());
    EXPECT_EQ(2u, tex->Level0()->Height());
    EXPECT_EQ(3u, info.Width);
    EXPECT_EQ(D3DXIFF_BMP, info.ImageFileFormat);
    tex->Release();

    D3D9Config().caps.TextureCaps = D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY;
    D3D9TestDevice pow2;
    IDirect3DTexture9* square = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateTextureFromFileEx(pow2.dev, "c.bmp", 0, 0, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                  D3DX_FILTER_NONE, D3DX_DEFAULT, 0, nullptr, nullptr, &square));
    EXPECT_EQ(4u, square->Level0()->Width());
    EXPECT_EQ(4u, square->Level0()->Height());
    EXPECT_EQ(0u, square->Level0()->ReadRaw(0, 3));
    square->Release();
    IDirect3DTexture9* made = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateTexture(pow2.dev, 33, 20, 1, 0, D3DFMT_A1R5G5B5, D3DPOOL_MANAGED, &made));
    EXPECT_EQ(64u, made->Level0()->Width());
    EXPECT_EQ(64u, made->Level0()->Height());
    made->Release();
}

TEST_F(D3DXTextureTest, PngKeepsItsAlpha)
{
    ScratchFolder::Write(folder.Path() + "/a.png", MakePng(2, 1, {0x80FF0000u, 0xFF00FF00u}));
    D3DXIMAGE_INFO info;
    IDirect3DTexture9* tex = Load("a.png", 2, 1, D3DFMT_A8R8G8B8, 0, D3D_OK, &info);
    ASSERT_NE(nullptr, tex);
    EXPECT_EQ(0x80FF0000u, tex->Level0()->ReadRaw(0, 0));
    EXPECT_EQ(0xFF00FF00u, tex->Level0()->ReadRaw(1, 0));
    EXPECT_EQ(D3DXIFF_PNG, info.ImageFileFormat);
    tex->Release();
    IDirect3DTexture9* small = Load("a.png", 2, 1, D3DFMT_A1R5G5B5, 0);
    ASSERT_NE(nullptr, small);
    EXPECT_EQ(0xFC00u, small->Level0()->ReadRaw(0, 0));  // alpha 0x80 keeps the bit
    small->Release();
}

TEST_F(D3DXTextureTest, JpegLoadsOpaque)
{
    ScratchFolder::Write(folder.Path() + "/g.jpg", MakeGreyJpeg(0x80));
    D3DXIMAGE_INFO info;
    IDirect3DTexture9* tex = Load("g.jpg", 8, 8, D3DFMT_A8R8G8B8, 0, D3D_OK, &info);
    ASSERT_NE(nullptr, tex);
    EXPECT_EQ(D3DXIFF_JPG, info.ImageFileFormat);
    const std::uint32_t p = tex->Level0()->ReadRaw(3, 5);
    EXPECT_EQ(0xFFu, p >> 24);
    for (int shift : {0, 8, 16}) EXPECT_NEAR(0x80, static_cast<int>((p >> shift) & 0xFF), 2);
    tex->Release();
}

TEST_F(D3DXTextureTest, UnreadableFilesFailWithInvalidData)
{
    const std::string png = MakePng(2, 2, {0, 0, 0, 0});
    const std::string jpeg = MakeGreyJpeg(10);
    ScratchFolder::Write(folder.Path() + "/cut.png", png.substr(0, 40));
    ScratchFolder::Write(folder.Path() + "/cut.jpg", jpeg.substr(0, 12));
    ScratchFolder::Write(folder.Path() + "/bad.bmp", "BM this is no bitmap");
    ScratchFolder::Write(folder.Path() + "/empty.bmp", "");
    for (const char* name : {"missing.bmp", "cut.png", "cut.jpg", "bad.bmp", "empty.bmp"})
        EXPECT_EQ(nullptr, Load(name, 4, 4, D3DFMT_A8R8G8B8, 0, D3DXERR_INVALIDDATA)) << name;
}

TEST_F(D3DXTextureTest, VideoMemoryShortagePassesThrough)
{
    ScratchFolder::Write(folder.Path() + "/c.bmp", ThreeByTwoBmp());
    D3D9Config().textureMemoryBytes = 16;
    D3D9TestDevice small;
    IDirect3DTexture9* tex = nullptr;
    EXPECT_EQ(D3DERR_OUTOFVIDEOMEMORY,
              D3DXCreateTextureFromFileEx(small.dev, "c.bmp", 4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                          D3DX_FILTER_NONE, D3DX_DEFAULT, 0, nullptr, nullptr, &tex));
    EXPECT_EQ(D3DERR_OUTOFVIDEOMEMORY,
              D3DXCreateTexture(small.dev, 4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &tex));
    ASSERT_EQ(D3D_OK, D3DXCreateTextureFromFileEx(small.dev, "c.bmp", 4, 4, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8,
                                                  D3DPOOL_SYSTEMMEM, D3DX_FILTER_NONE, D3DX_DEFAULT, 0, nullptr,
                                                  nullptr, &tex));
    tex->Release();
}

}  // namespace
