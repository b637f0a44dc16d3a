// DirectDraw: copying a bitmap file into a surface (indices at 8 bpp, a converting copy of
// true-colour bitmaps at 16 bpp, GDI otherwise), with frames mirrored in place.
#include <algorithm>
#include <string>

#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/LoadedBitmap.h"
#include "graphics/LockSD.h"
#include "graphics/Surfaces.h"
#include "platform/gdi/Gdi.h"

namespace {

// Where column (or row) i of a picture n wide lands when frames of width w are mirrored in place:
// i itself without frames; -1 for the columns of an incomplete last frame, which are not copied.
int MirroredIndex(int i, int n, int w)
{
    if (w <= 0) return i;
    if (i >= (n / w) * w) return -1;
    return w * (i / w + 1) - i % w - 1;
}

// 8 bpp: the palette indices as they are.
void CopyIndices(DDSURFACEDATA* lpSD, const cLoadedBitmap& bitmap, const char* szPath, int nMirrorW, int nMirrorH)
{
    cLockSD lock(lpSD, 8);
    if (!lock.IsLocked()) return;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (lpSD->nWidth != w || lpSD->nHeight != h) {
        ECLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", szPath, lpSD->nWidth, lpSD->nHeight, w, h);
        return;
    }
    for (int y = 0; y < h; ++y) {
        const int dy = MirroredIndex(y, h, nMirrorH);
        if (dy < 0) continue;
        for (int x = 0; x < w; ++x) {
            const int dx = MirroredIndex(x, w, nMirrorW);
            if (dx >= 0) lock.Write(dx, dy, bitmap.RawPixel(x, y));
        }
    }
}

// The 16-bit pixel of a 24- or 32-bit bitmap pixel. The transparent colour becomes the colour key;
// any other colour that happens to convert to the key is moved off it by one so that it stays
// visible.
DWORD ConvertTo16(DWORD xrgb)
{
    const DWORD r = (xrgb >> 16) & 0xFF;
    const DWORD g = (xrgb >> 8) & 0xFF;
    const DWORD b = xrgb & 0xFF;
    const RGBTRIPLE& key = lpDDCon->rgbPalTransmit;
    if (b == key.rgbtBlue && g == key.rgbtGreen && r == key.rgbtRed) return dwColorKey;
    const CHANNELINFO& c = SurfaceChannels;
    const DWORD blue = b * c.dwMaxB / 255;
    DWORD value = (blue << c.dwShiftB) | ((g * c.dwMaxG / 255) << c.dwShiftG) | ((r * c.dwMaxR / 255) << c.dwShiftR);
    if (value == dwColorKey) value = blue == c.dwMaxB ? value - 1 : value + 1;
    return value;
}

void Convert16(DDSURFACEDATA* lpSD, const cLoadedBitmap& bitmap, int nMirrorW, int nMirrorH)
{
    cLockSD lock(lpSD, 16);
    if (!lock.IsLocked()) return;
    const int w = std::min(bitmap.Width(), lpSD->nWidth);
    const int h = std::min(bitmap.Height(), lpSD->nHeight);
    for (int y = 0; y < h; ++y) {
        const int dy = MirroredIndex(y, h, nMirrorH);
        if (dy < 0) continue;
        for (int x = 0; x < w; ++x) {
            const int dx = MirroredIndex(x, w, nMirrorW);
            if (dx >= 0) lock.Write(dx, dy, ConvertTo16(bitmap.PixelXRGB(x, y)));
        }
    }
}

// Any other depth: GDI converts; mirrored frames are stretched with negative extents.
BOOL CopyWithGdi(DDSURFACEDATA* lpSD, const cLoadedBitmap& bitmap, int nMirrorW, int nMirrorH)
{
    HDC hdcSurface = nullptr;
    if (FAILED(lpSD->lpDDS->lpDDSurface->GetDC(&hdcSurface))) return FALSE;
    HDC hdcBitmap = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(hdcBitmap, bitmap.Handle());
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (nMirrorW <= 0 && nMirrorH <= 0) {
        BitBlt(hdcSurface, 0, 0, w, h, hdcBitmap, 0, 0, SRCCOPY);
    } else {
        const int fw = nMirrorW > 0 ? nMirrorW : w;
        const int fh = nMirrorH > 0 ? nMirrorH : h;
        for (int y0 = 0; y0 + fh <= h; y0 += fh) {
            for (int x0 = 0; x0 + fw <= w; x0 += fw) {
                StretchBlt(hdcSurface, nMirrorW > 0 ? x0 + fw : x0, nMirrorH > 0 ? y0 + fh : y0,
                           nMirrorW > 0 ? -fw : fw, nMirrorH > 0 ? -fh : fh, hdcBitmap, x0, y0, fw, fh, SRCCOPY);
            }
        }
    }
    SelectObject(hdcBitmap, previous);
    DeleteDC(hdcBitmap);
    lpSD->lpDDS->lpDDSurface->ReleaseDC(hdcSurface);
    return TRUE;
}

}  // namespace

BOOL CopyBitmap(DDSURFACEDATA* lpSD, const char* szPath, int nBpp, int bIndexMap, int nMirrorW, int nMirrorH)
{
    if (szPath == nullptr || szPath[0] == '\0') return TRUE;
    if (lpSD == nullptr || !lpSD->lpDDS || lpSD->lpDDS->lpDDSurface == nullptr || !lpDDCon) return FALSE;
    const std::string path = szPath;
    cLoadedBitmap bitmap;
    if (!bitmap.Load(path.c_str())) return FALSE;
    if (nBpp == 8 && bitmap.BitCount() <= 8) {
        CopyIndices(lpSD, bitmap, path.c_str(), nMirrorW, nMirrorH);
    } else if (nBpp == 16 && (bitmap.BitCount() == 24 || bitmap.BitCount() == 32)) {
        Convert16(lpSD, bitmap, nMirrorW, nMirrorH);
    } else if (!CopyWithGdi(lpSD, bitmap, nMirrorW, nMirrorH)) {
        return FALSE;
    }
    lpSD->nWidth = lpSD->nTexWidth = bitmap.Width();
    lpSD->nHeight = lpSD->nTexHeight = bitmap.Height();
    lpSD->nMirrorW = nMirrorW;
    lpSD->nMirrorH = nMirrorH;
    lpSD->szFileName = path;
    DDSSURFACEDATA& dds = *lpSD->lpDDS;
    dds.lpIndexMap.clear();
    dds.nIndexMapPitch = 0;
    if (bIndexMap && nScreenBpp != 8 && !DDMakeIndexMap(&dds.lpIndexMap, &dds.nIndexMapPitch, lpSD)) return FALSE;
    return TRUE;
}

BOOL DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp)
{
    if (lpDTCon || lpSD == nullptr || !lpSD->lpDDS) return TRUE;
    const int bIndexMap = lpSD->lpDDS->lpIndexMap.empty() ? 0 : 1;
    return CopyBitmap(lpSD, lpSD->szFileName.c_str(), nBpp, bIndexMap, lpSD->nMirrorW, lpSD->nMirrorH);
}

BOOL DDCheckBitmapSize(int* pbOver, const char* szPath, int nMaxWidth, int nMaxHeight)
{
    if (lpDTCon || pbOver == nullptr) return TRUE;
    cLoadedBitmap bitmap;
    if (!bitmap.Load(szPath)) {
        *pbOver = 0;
        return FALSE;
    }
    *pbOver = (bitmap.Width() > nMaxWidth || bitmap.Height() > nMaxHeight) ? 1 : 0;
    return TRUE;
}
