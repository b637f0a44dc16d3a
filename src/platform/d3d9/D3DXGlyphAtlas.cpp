#include "platform/d3d9/D3DXGlyphAtlas.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/d3d9/D3DX.h"

namespace {

constexpr UINT kGap = 1;
constexpr std::uint32_t kInk = 0xFFFFFFFFu;
constexpr std::uint32_t kClear = 0x00000000u;

}  // namespace

bool D3DXGlyphAtlas::Find(const GlyphImage& glyph, Entry& out)
{
    if (glyph.width <= 0 || glyph.height <= 0) return false;
    if (auto it = m_entries.find(&glyph); it != m_entries.end()) {
        out = it->second;
        return true;
    }
    const auto width = static_cast<UINT>(glyph.width);
    const auto height = static_cast<UINT>(glyph.height);
    RECT where{};
    Page* page = m_pages.empty() ? nullptr : &m_pages.back();
    if (page == nullptr || !Place(*page, width, height, where)) {
        if (!AddPage(std::max(width, height) + kGap)) return false;
        page = &m_pages.back();
        if (!Place(*page, width, height, where)) return false;
    }
    if (!Upload(page->texture.get(), where, glyph)) return false;
    out = Entry{page->texture.get(), where};
    m_entries.emplace(&glyph, out);
    return true;
}

bool D3DXGlyphAtlas::Place(Page& page, UINT width, UINT height, RECT& where)
{
    if (page.cursor + width > page.side) {
        page.shelfTop += page.shelfHeight + kGap;
        page.shelfHeight = 0;
        page.cursor = 0;
    }
    if (page.cursor + width > page.side || page.shelfTop + height > page.side) return false;
    where = RECT{static_cast<LONG>(page.cursor), static_cast<LONG>(page.shelfTop),
                 static_cast<LONG>(page.cursor + width), static_cast<LONG>(page.shelfTop + height)};
    page.cursor += width + kGap;
    page.shelfHeight = std::max(page.shelfHeight, height);
    return true;
}

bool D3DXGlyphAtlas::AddPage(UINT minSide)
{
    UINT side = kPageSide;
    while (side < minSide) side *= 2;
    IDirect3DTexture9* texture = nullptr;
    const HRESULT hr = D3DXCreateTexture(m_device, side, side, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
    if (FAILED(hr) || texture == nullptr) {
        std::fprintf(stderr, "D3DX font: no texture for glyphs (0x%08X)\n", static_cast<unsigned>(hr));
        return false;
    }
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
        for (UINT y = 0; y < desc.Height; ++y)
            std::memset(static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch, 0, desc.Width * 4);
        texture->UnlockRect(0);
    }
    Page page;
    page.texture.reset(texture);
    page.side = std::min(desc.Width, desc.Height);
    m_pages.push_back(std::move(page));
    return true;
}

bool D3DXGlyphAtlas::Upload(IDirect3DTexture9* texture, const RECT& where, const GlyphImage& glyph)
{
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, &where, 0))) return false;
    for (int y = 0; y < glyph.height; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch);
        for (int x = 0; x < glyph.width; ++x) row[x] = glyph.InkAt(x, y) ? kInk : kClear;
    }
    texture->UnlockRect(0);
    return true;
}
