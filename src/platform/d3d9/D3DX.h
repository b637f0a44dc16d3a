// The D3DX 9 helpers the graphics engine uses: texture creation, texture loading from picture
// files, and the sprite (ID3DXSprite.h). The D3DX font, ID3DXFont with D3DXCreateFontIndirectA,
// is built on FreeType in its own files of this folder (D3DXFont.h) and is not declared here.
#pragma once

#include "platform/d3d9/D3D9.h"
#include "platform/d3d9/D3DXImage.h"
#include "platform/d3d9/ID3DXSprite.h"
#include "platform/gdi/GdiTypes.h"

constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;
constexpr DWORD D3DX_FILTER_NONE = 0x00000001;
constexpr DWORD D3DX_FILTER_POINT = 0x00000002;

// The file is missing, unreadable or not a picture the loader knows.
constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);

struct D3DXIMAGE_INFO {
    UINT Width = 0;
    UINT Height = 0;
    UINT Depth = 0;
    UINT MipLevels = 0;
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    D3DRESOURCETYPE ResourceType = D3DRTYPE_TEXTURE;
    D3DXIMAGE_FILEFORMAT ImageFileFormat = D3DXIFF_BMP;
};

// A texture of Width x Height (0 or D3DX_DEFAULT: 256), made larger where the device's caps ask
// for powers of two or squares and limited to the largest size it takes. MipLevels 0, 1 or
// D3DX_DEFAULT all give one level. Format D3DFMT_UNKNOWN gives A8R8G8B8. The device's result
// codes pass through (D3DERR_OUTOFVIDEOMEMORY, D3DERR_INVALIDCALL).
HRESULT D3DXCreateTexture(IDirect3DDevice9* pDevice, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                          D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture);

// Loads a BMP, PNG or JPEG file (game path) into a new one-level texture. The size is Width x
// Height (0 or D3DX_DEFAULT: the picture's size), fitted to the caps as in D3DXCreateTexture.
// The picture is placed at the top-left without scaling, whatever the filter: texels beyond it
// are transparent black (0x00000000) and picture pixels beyond the texture are cut off. Each
// pixel as 0xAARRGGBB (alpha 255 for BMP and JPEG) equal to a non-zero ColorKey becomes
// 0x00000000; the result is converted to Format as the device stores pixels (truncation to
// 5 bits, alpha bit from 128). pSrcInfo, when given, receives the picture's size and kind.
// D3DXERR_INVALIDDATA for a file that cannot be read or decoded.
HRESULT D3DXCreateTextureFromFileEx(IDirect3DDevice9* pDevice, const char* pSrcFile, UINT Width, UINT Height,
                                    UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                    DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                    PALETTEENTRY* pPalette, IDirect3DTexture9** ppTexture);
