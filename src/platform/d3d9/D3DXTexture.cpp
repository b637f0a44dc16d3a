// D3DXCreateTexture and D3DXCreateTextureFromFileEx.
#include <algorithm>
#include <cstdio>

#include "platform/d3d9/D3DX.h"

namespace {

UINT NextPow2(UINT v)
{
    UINT p = 1;
    while (p < v && p < 0x80000000u) p <<= 1;
    return p;
}

// Makes a requested size one the device takes: powers of two and squares when its caps ask for
// them, no side beyond its maximum.
void FitToCaps(IDirect3DDevice9* device, UINT& width, UINT& height)
{
    D3DCAPS9 caps;
    device->GetDeviceCaps(&caps);
    if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) {
        width = NextPow2(width);
        height = NextPow2(height);
    }
    if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) width = height = std::max(width, height);
    width = std::min<UINT>(width, caps.MaxTextureWidth);
    height = std::min<UINT>(height, caps.MaxTextureHeight);
    if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) width = height = std::min(width, height);
}

UINT OrDefault(UINT v, UINT fallback)
{
    return (v == 0 || v == D3DX_DEFAULT) ? fallback : v;
}

D3DFORMAT FormatOrDefault(D3DFORMAT f)
{
    return (f == D3DFMT_UNKNOWN || static_cast<UINT>(f) == D3DX_DEFAULT) ? D3DFMT_A8R8G8B8 : f;
}

// Writes the picture into the texture's level: top-left placement, keyed pixels and padding
// transparent black, converted to the level's format.
void FillLevel(IDirect3DTexture9* texture, const D3DXDecodedImage& image, D3DCOLOR colorKey)
{
    D3D9PixelBuffer& level = texture->Level0()->Pixels();
    const D3DFORMAT format = level.Format();
    for (UINT y = 0; y < level.Height(); ++y) {
        BYTE* p = level.Row(y);
        for (UINT x = 0; x < level.Width(); ++x, p += level.BytesPerPixel()) {
            std::uint32_t argb = 0;
            if (x < image.width && y < image.height) {
                argb = image.argb[static_cast<std::size_t>(y) * image.width + x];
                if (colorKey != 0 && argb == colorKey) argb = 0;
            }
            D3D9StoreValue(format, D3D9EncodeValue(format, argb), p);
        }
    }
}

}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice9* pDevice, UINT Width, UINT Height, UINT /*MipLevels*/, DWORD Usage,
                          D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture)
{
    if (!pDevice || !ppTexture) return D3DERR_INVALIDCALL;
    UINT width = OrDefault(Width, 256);
    UINT height = OrDefault(Height, 256);
    FitToCaps(pDevice, width, height);
    return pDevice->CreateTexture(width, height, 1, Usage, FormatOrDefault(Format), Pool, ppTexture, nullptr);
}

HRESULT D3DXCreateTextureFromFileEx(IDirect3DDevice9* pDevice, const char* pSrcFile, UINT Width, UINT Height,
                                    UINT /*MipLevels*/, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD /*Filter*/,
                                    DWORD /*MipFilter*/, D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                    PALETTEENTRY* /*pPalette*/, IDirect3DTexture9** ppTexture)
{
    if (!pDevice || !pSrcFile || !ppTexture) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    D3DXDecodedImage image;
    if (!D3DXLoadImageFile(pSrcFile, image)) return D3DXERR_INVALIDDATA;
    if (pSrcInfo) {
        *pSrcInfo = D3DXIMAGE_INFO{};
        pSrcInfo->Width = image.width;
        pSrcInfo->Height = image.height;
        pSrcInfo->Depth = 1;
        pSrcInfo->MipLevels = 1;
        pSrcInfo->Format = image.fileFormat == D3DXIFF_PNG ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        pSrcInfo->ResourceType = D3DRTYPE_TEXTURE;
        pSrcInfo->ImageFileFormat = image.fileFormat;
    }
    UINT width = OrDefault(Width, image.width);
    UINT height = OrDefault(Height, image.height);
    FitToCaps(pDevice, width, height);
    IDirect3DTexture9* texture = nullptr;
    const HRESULT hr =
        pDevice->CreateTexture(width, height, 1, Usage, FormatOrDefault(Format), Pool, &texture, nullptr);
    if (FAILED(hr)) return hr;
    {
        std::lock_guard<std::recursive_mutex> lock(pDevice->Core()->Mutex());
        FillLevel(texture, image, ColorKey);
    }
    *ppTexture = texture;
    return D3D_OK;
}
