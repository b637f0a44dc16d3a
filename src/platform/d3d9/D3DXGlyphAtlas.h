// Textures holding the glyph images of one D3DX font, so that each glyph is drawn as a sprite
// rectangle. A glyph is copied in when first drawn: white texels with alpha 255 where it has
// ink, transparent black elsewhere; the sprite's colour then gives the text colour.
//
// Pages are MANAGED A8R8G8B8 textures (they survive a device reset), filled row by row (shelf
// packing) with a one-texel gap between glyphs. Used by ID3DXFont on the game thread.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/d3d9/IDirect3DDevice9.h"
#include "platform/d3d9/IDirect3DTexture9.h"
#include "platform/gdi/FontFace.h"

class D3DXGlyphAtlas {
public:
    // Where a glyph's texels are.
    struct Entry {
        IDirect3DTexture9* texture = nullptr;
        RECT source{};
    };

    // Side of a page unless a glyph needs more.
    static constexpr UINT kPageSide = 256;

    explicit D3DXGlyphAtlas(IDirect3DDevice9* device) : m_device(device) {}

    // The texels of glyph (which must outlive the atlas), copied in at the first call. False
    // for a glyph without ink and when no texture could be made for it (texture memory).
    bool Find(const GlyphImage& glyph, Entry& out);
    // Number of pages made so far.
    size_t PageCount() const { return m_pages.size(); }

private:
    struct TextureRelease {
        void operator()(IDirect3DTexture9* texture) const { texture->Release(); }
    };
    struct Page {
        std::unique_ptr<IDirect3DTexture9, TextureRelease> texture;
        UINT side = 0;
        UINT shelfTop = 0;     // top of the row being filled
        UINT shelfHeight = 0;  // tallest glyph in that row
        UINT cursor = 0;       // next free column in that row
    };

    bool Place(Page& page, UINT width, UINT height, RECT& where);
    bool AddPage(UINT minSide);
    bool Upload(IDirect3DTexture9* texture, const RECT& where, const GlyphImage& glyph);

    IDirect3DDevice9* m_device;
    std::vector<Page> m_pages;
    std::unordered_map<const GlyphImage*, Entry> m_entries;
};
