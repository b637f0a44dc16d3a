#include "platform/d3d9/D3DXFont.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

// The lines of a text: split at "\n", a "\r" before it belonging to the break. An empty text
// has no line; a text ending in a break has an empty last line.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

// Cuts the glyph's destination box to the clip rectangle, moving the source box along with it.
// False when nothing is left.
bool ClipBox(const RECT* clip, LONG& x, LONG& y, RECT& source)
{
    if (clip == nullptr) return true;
    const LONG cutLeft = std::max<LONG>(0, clip->left - x);
    const LONG cutTop = std::max<LONG>(0, clip->top - y);
    const LONG cutRight = std::max<LONG>(0, x + (source.right - source.left) - clip->right);
    const LONG cutBottom = std::max<LONG>(0, y + (source.bottom - source.top) - clip->bottom);
    source.left += cutLeft;
    source.top += cutTop;
    source.right -= cutRight;
    source.bottom -= cutBottom;
    x += cutLeft;
    y += cutTop;
    return source.left < source.right && source.top < source.bottom;
}

}  // namespace

HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* pDevice, const D3DXFONT_DESCA* pDesc, ID3DXFont** ppFont)
{
    if (pDevice == nullptr || pDesc == nullptr || ppFont == nullptr) return D3DERR_INVALIDCALL;
    *ppFont = nullptr;
    ID3DXSprite* sprite = nullptr;
    if (FAILED(D3DXCreateSprite(pDevice, &sprite))) return D3DERR_OUTOFVIDEOMEMORY;
    *ppFont = new (std::nothrow) ID3DXFont(pDevice, *pDesc, sprite);
    if (*ppFont == nullptr) {
        sprite->Release();
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return D3D_OK;
}

ID3DXFont::ID3DXFont(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc, ID3DXSprite* sprite)
    : device_(device), desc_(desc), sprite_(sprite), atlas_(std::make_unique<D3DXGlyphAtlas>(device))
{
    device_->AddRef();
    const std::string_view face(desc.FaceName, strnlen(desc.FaceName, sizeof desc.FaceName));
    face_ = FontFace::Create(face, desc.Height, static_cast<int>(std::min<UINT>(desc.Weight, 1000)));
}

ID3DXFont::~ID3DXFont()
{
    atlas_.reset();
    sprite_->Release();
    device_->Release();
}

INT ID3DXFont::DrawTextA(ID3DXSprite* pSprite, const char* pString, INT Count, RECT* pRect, DWORD Format,
                         D3DCOLOR Color)
{
    if (pString == nullptr || pRect == nullptr) return 0;
    const std::string_view text =
        Count < 0 ? std::string_view(pString) : std::string_view(pString, static_cast<size_t>(Count));
    const std::vector<std::string_view> lines = SplitLines(text);
    const LONG cell = face_->CellHeight();
    const auto height = static_cast<INT>(lines.size() * cell);
    if (Format & DT_CALCRECT) {
        int width = 0;
        for (std::string_view line : lines) width = std::max(width, face_->TextWidth(line));
        pRect->right = pRect->left + width;
        pRect->bottom = pRect->top + height;
        return height;
    }
    ID3DXSprite* sprite = pSprite != nullptr ? pSprite : sprite_;
    if (pSprite == nullptr && FAILED(sprite_->Begin(D3DXSPRITE_ALPHABLEND))) return 0;
    const RECT clip = *pRect;
    bool ok = true;
    for (size_t i = 0; i < lines.size(); ++i) {
        ok = QueueLine(*sprite, lines[i], pRect->left, pRect->top + static_cast<LONG>(i) * cell,
                       (Format & DT_NOCLIP) ? nullptr : &clip, Color) &&
             ok;
    }
    if (pSprite == nullptr && FAILED(sprite_->End())) return 0;
    return ok ? height : 0;
}

bool ID3DXFont::QueueLine(ID3DXSprite& sprite, std::string_view line, LONG x, LONG y, const RECT* clip, D3DCOLOR color)
{
    bool ok = true;
    for (const PlacedGlyph& g : face_->Layout(line)) {
        D3DXGlyphAtlas::Entry entry;
        if (!atlas_->Find(*g.glyph, entry)) continue;
        LONG gx = x + g.penX + g.glyph->left;
        LONG gy = y + g.glyph->top;
        RECT source = entry.source;
        if (!ClipBox(clip, gx, gy, source)) continue;
        const D3DXVECTOR3 position{static_cast<float>(gx), static_cast<float>(gy), 0.0f};
        ok = SUCCEEDED(sprite.Draw(entry.texture, &source, nullptr, &position, color)) && ok;
    }
    return ok;
}

HRESULT ID3DXFont::OnLostDevice()
{
    return sprite_->OnLostDevice();
}

HRESULT ID3DXFont::OnResetDevice()
{
    return sprite_->OnResetDevice();
}

HRESULT ID3DXFont::GetDescA(D3DXFONT_DESCA* pDesc)
{
    if (pDesc == nullptr) return D3DERR_INVALIDCALL;
    *pDesc = desc_;
    return D3D_OK;
}

HRESULT ID3DXFont::GetDevice(IDirect3DDevice9** ppDevice)
{
    if (ppDevice == nullptr) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *ppDevice = device_;
    return D3D_OK;
}
