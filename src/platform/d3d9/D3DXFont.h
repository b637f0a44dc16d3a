// The D3DX font: Shift-JIS text drawn as sprites from glyph textures, with the glyphs, advances
// and cell height of the GDI font of the same face and height (FontFace.h), so that text lays out
// alike under Direct3D and DirectDraw.
//
// Used by the graphics engine's fonts under Direct3D, on the game thread, inside a scene. Glyphs
// are monochrome: each ink pixel is drawn with the colour's RGB and alpha blended by the colour's
// alpha (D3DXSPRITE_ALPHABLEND); other pixels are left alone. The font's own sprite, used when
// DrawTextA gets none, counts as a DEFAULT-pool object for the device's Reset rule until
// OnLostDevice (see ID3DXSprite.h).
#pragma once

#include <memory>
#include <string_view>

#include "platform/d3d9/D3DXGlyphAtlas.h"
#include "platform/d3d9/ID3DXSprite.h"

struct D3DXFONT_DESCA {
    INT Height = 0;       // > 0: cell height in pixels; < 0: character (em) height; 0: 16
    UINT Width = 0;       // accepted, not used
    UINT Weight = 0;      // 400 normal, 700 bold: steers the choice of font file
    UINT MipLevels = 0;   // accepted, not used
    BOOL Italic = FALSE;  // accepted, not used
    BYTE CharSet = 0;     // accepted; text is always code page 932
    BYTE OutputPrecision = 0;
    BYTE Quality = 0;
    BYTE PitchAndFamily = 0;
    char FaceName[32] = {};  // Shift-JIS, zero-terminated (an unterminated name is cut at 32 bytes)
};

// DrawTextA formats. Text always starts at the rectangle's top-left corner; "\n" (or "\r\n")
// starts a new line one cell height lower.
constexpr DWORD DT_TOP = 0x00000000;
constexpr DWORD DT_LEFT = 0x00000000;
constexpr DWORD DT_NOCLIP = 0x00000100;    // draw outside the rectangle too (else cut to it)
constexpr DWORD DT_CALCRECT = 0x00000400;  // only measure: right/bottom get the text's extent

class ID3DXFont final : public D3D9Object {
public:
    // Stand-in internal: made by D3DXCreateFontIndirectA; holds a reference on the device and
    // owns `sprite` (a reference the caller passes on).
    ID3DXFont(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc, ID3DXSprite* sprite);

    // Draws Count bytes of pString (Count < 0: up to the terminating zero) at pRect's top-left
    // corner with Color (0xAARRGGBB). With pSprite the glyphs join that sprite's batch (between
    // its Begin and End); without, the font's own sprite draws them at once. DT_CALCRECT measures
    // instead: pRect->right = left + widest line, pRect->bottom = top + lines x cell height, and
    // nothing is drawn. Returns the text's height (lines x cell height); 0 when nothing could be
    // done (null rectangle or string, the own sprite lost or not in a scene).
    INT DrawTextA(ID3DXSprite* pSprite, const char* pString, INT Count, RECT* pRect, DWORD Format, D3DCOLOR Color);
    HRESULT OnLostDevice();
    HRESULT OnResetDevice();
    HRESULT GetDescA(D3DXFONT_DESCA* pDesc);
    // AddRef'd device.
    HRESULT GetDevice(IDirect3DDevice9** ppDevice);

private:
    ~ID3DXFont() override;
    // Queues the glyphs of one line with the pen at (x, y) = the line's top-left corner.
    // False when the sprite refused a glyph.
    bool QueueLine(ID3DXSprite& sprite, std::string_view line, LONG x, LONG y, const RECT* clip, D3DCOLOR color);

    IDirect3DDevice9* device_;
    D3DXFONT_DESCA desc_;
    std::shared_ptr<FontFace> face_;
    ID3DXSprite* sprite_;
    std::unique_ptr<D3DXGlyphAtlas> atlas_;  // released before the device
};

using LPD3DXFONT = ID3DXFont*;

// Creates a font for pDesc's face and height. D3DERR_INVALIDCALL for a null argument,
// D3DERR_OUTOFVIDEOMEMORY when the font's sprite cannot be made.
HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* pDevice, const D3DXFONT_DESCA* pDesc, ID3DXFont** ppFont);
