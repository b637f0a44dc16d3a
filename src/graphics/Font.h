// A font: draws the game's Shift-JIS text (menus, messages, counters, window boxes) with the GDI
// font under DirectDraw or with a D3DX font and sprite under Direct3D, optionally through two
// glyph caches (single-byte and double-byte, FastFont.h) that turn a character into one
// colour-keyed blit. Lower-case latin letters can come from an alphabet picture instead.
//
// Fonts are made at start-up (FontTable.h) and live until the shutdown releases them before the
// back-end closes. They draw on the game thread; the device restore calls OnLostDevice / Restore
// on the main thread while the game thread waits.
#pragma once

#include <memory>
#include <string>

#include "graphics/DDSurfaceData.h"
#include "graphics/DeviceLoss.h"
#include "graphics/FastFont.h"
#include "platform/d3d9/D3DXFont.h"
#include "platform/gdi/GdiTypes.h"

// Definition of a font.
struct FONTINFO {
    std::string szFaceName;   // Shift-JIS face name
    int nWidth = 0;           // glyph width (0: chosen by the font engine)
    int nHeight = 0;          // glyph (cell) height in pixels
    int nCellWidth = 0;       // character pitch (0: proportional)
    int nCellHeight = 0;      // line height
    DWORD dwPalNum = 0;       // text colour (palette number)
    int nSkinSlot = -1;       // built-in slot of the window-skin picture (-1: none)
    int nFrameThick = 0;      // window frame thickness
    DWORD dwFramePalNum = 0;  // window frame colour (palette number)
    int nAlphabetSlot = -1;   // built-in slot of the alphabet picture (-1: none)
    int nCacheMode = 0;       // 0: no glyph caches; nonzero: glyph caches (fixed pitch only)
};

// The screen-sized colour-keyed surface every font composes text in (made by the first font).
extern DDSURFACEDATA FontWorkSD;

// Limits of the formatted texts: Printf 255 bytes, PrintfWindowText 511 bytes.
constexpr std::size_t kFontPrintfSize = 256;
constexpr std::size_t kFontWindowTextSize = 512;
// The number "centre on the window-skin picture" for a window box's x or y.
constexpr int kCentreOnSkin = 10000;

class Font final : public cDeviceFont {
public:
    Font() = default;
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Makes the font of the definition on the open back-end (and FontWorkSD when missing), with
    // its glyph caches when the cache mode asks and the pitch is fixed. FALSE (trace line, WM_CLOSE
    // to the main window) when the compose surface or a cache cannot be made. Start-up.
    BOOL Create(const FONTINFO& info);
    // Releases the device objects and caches; the font can be created again. Shutdown, before
    // the back-end closes.
    void Release();

    // Draws Shift-JIS text at x, y of lpDst; "\n" starts a new line one cell height lower. With
    // bGlyph 0 lower-case letters come only from the alphabet picture (when the font has one);
    // with 1 the font draws them as well and the picture is laid over them.
    void Draw(DDSURFACEDATA* lpDst, int x, int y, const char* szText, int bGlyph);
    // printf into 255 bytes at most, then Draw (bGlyph 0).
    void Printf(DDSURFACEDATA* lpDst, int x, int y, const char* szFormat, ...) __attribute__((format(printf, 5, 6)));
    // The window box only: x (y) of 10000 centres the box on the window-skin picture's width
    // (height); then the skin-filled box with the font's frame.
    void DrawWindow(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight);
    // A window box around text: a width of 0 becomes nMargin + the text width, a height of 0 the
    // text height; the 10000 rule; the box; the text nMargin pixels in from the left.
    void DrawWindowText(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szText, int nMargin);
    void DrawWindowTextColor(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szText,
                             int nMargin);
    // printf into 511 bytes at most, then as DrawWindowText without margin.
    void PrintfWindowText(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, const char* szFormat, ...)
        __attribute__((format(printf, 7, 8)));
    // The size of a text block: fixed pitch as GetFixedTextExtent, else the widest line as the
    // font measures it by lines x cell height. *pSize is set and pSize returned.
    SIZE* GetTextExtent(SIZE* pSize, const char* szText);
    // Fixed pitch: (characters of the widest line x cell width, lines x cell height); a double-byte
    // character counts one; a text ending in "\n" has an empty last line.
    SIZE* GetFixedTextExtent(SIZE* pSize, const char* szText) const;

    // Device loss (cDeviceFont).
    HRESULT OnLostDevice() override;
    void Restore() override;

    // Set by the start-up (Font16) from the project settings.
    void SetAlphabet(int bOn) { m_bAlphabet = bOn; }
    void SetCentreGlyphs(int bOn) { m_bCentre = bOn; }
    // The digit strip drawn with this font; redrawn by Restore when it was lost.
    void SetNumberSurface(DDSURFACEDATA* lpSD) { m_lpNumberSD = lpSD; }

    // What the font was made with (tests and the screens' layout).
    int FontIndex() const { return m_nFontIndex; }
    int CellWidth() const { return m_nCellWidth; }
    int CellHeight() const { return m_nCellHeight; }
    DWORD DeviceColor() const { return m_dwColor; }
    DDSURFACEDATA* SkinSurface() const { return m_lpSkinSD; }
    FastFont* HalfCache() const { return m_lpFastFont_Half.get(); }
    FastFont* FullAddCache() const { return m_lpFastFont_FullAdd.get(); }

    // Refills a cache from its list (0: the fixed pre-fill list, 1: the glyphs it holds).
    void FillHalfCache(int nFromList);
    void FillFullAddCache(int nFromList);

private:
    // Where the glyphs of one Draw go.
    struct Pass {
        DDSURFACEDATA* lpCompose;  // the surface drawn into by the font engine
        HDC hDC;                   // DirectDraw: its DC (font selected)
        int x, y;                  // text origin on lpCompose
        DDSURFACEDATA* lpFinal;    // where cached glyphs are blitted
        int fx, fy;                // text origin on lpFinal
    };
    bool Caching() const;
    void DrawCached(const Pass& pass, const char* szText, bool bSkipLetters);
    void DrawDoubleByte(const Pass& pass, int dx, int dy, const char* p);
    void DrawChar(DDSURFACEDATA* lpSD, HDC hDC, int x, int y, const char* p, int n);
    void DrawString(DDSURFACEDATA* lpSD, HDC hDC, int x, int y, const char* p, int n);
    SIZE MeasureString(HDC hDC, const char* p, int n);
    void RenderCacheGlyph(const FastFont::Glyph& glyph, const char* p);
    void DrawAlphabet(DDSURFACEDATA* lpDst, int x, int y, const char* szText);
    void CentreOnSkin(int* x, int* y, int nWidth, int nHeight) const;
    HDC OpenDC(DDSURFACEDATA* lpSD);
    void CloseDC(DDSURFACEDATA* lpSD, HDC hDC);
    BOOL CreateCaches();

    int m_nFontIndex = 0;
    HFONT m_hFont = nullptr;
    ID3DXFont* m_lpFont = nullptr;
    ID3DXSprite* m_lpSprite = nullptr;
    std::string m_strFaceName;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    DWORD m_dwPalNum = 0;
    DWORD m_dwColor = 0;
    int m_bCentre = 0;
    DDSURFACEDATA* m_lpSkinSD = nullptr;
    int m_nFrameThick = 0;
    DWORD m_dwFramePalNum = 0;
    DDSURFACEDATA* m_lpAlphabetSD = nullptr;
    int m_bAlphabet = 0;
    int m_nCacheMode = 0;
    std::unique_ptr<FastFont> m_lpFastFont_Half;
    std::unique_ptr<FastFont> m_lpFastFont_FullAdd;
    DDSURFACEDATA* m_lpNumberSD = nullptr;
    int m_bFilling = 0;                         // a cache is being filled: no caching, no alphabet
    DDSURFACEDATA* m_lpSpriteTarget = nullptr;  // Direct3D: the sprite is begun on this render target
    int m_bRegistered = 0;
};
