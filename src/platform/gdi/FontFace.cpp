#include "platform/gdi/FontFace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/FontFileResolver.h"
#include "platform/gdi/FreeTypeHandles.h"
#include "platform/gdi/ShiftJisChars.h"

#include FT_TRUETYPE_TABLES_H

namespace {

// The Windows cell of a scalable face in font units: ascent above the baseline, total height.
struct CellUnits {
    long ascent = 0;
    long height = 0;
};

CellUnits CellUnitsOf(FT_Face face)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        return {os2->usWinAscent, static_cast<long>(os2->usWinAscent) + os2->usWinDescent};
    if (face->ascender - face->descender > 0)
        return {face->ascender, static_cast<long>(face->ascender) - face->descender};
    return {face->units_per_EM * 4L / 5, face->units_per_EM};
}

long RoundedDiv(long long num, long long den)
{
    return static_cast<long>((2 * num + den) / (2 * den));
}

// Scales a scalable face so that its cell is cellHeight pixels; returns its ascent in pixels.
int SizeScalableFace(FT_Face face, int cellHeight)
{
    const CellUnits cell = CellUnitsOf(face);
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = std::max(1L, RoundedDiv(64LL * cellHeight * face->units_per_EM, cell.height));
    FT_Request_Size(face, &request);
    return static_cast<int>(RoundedDiv(static_cast<long long>(cell.ascent) * cellHeight, cell.height));
}

// Picks the bitmap strike nearest to cellHeight; returns its ascent in pixels.
int SizeBitmapFace(FT_Face face, int cellHeight)
{
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        if (std::abs(face->available_sizes[i].height - cellHeight) <
            std::abs(face->available_sizes[best].height - cellHeight))
            best = i;
    }
    if (face->num_fixed_sizes > 0) FT_Select_Size(face, best);
    return static_cast<int>((face->size->metrics.ascender + 63) >> 6);
}

// The first row of an FT bitmap (rows run from there by `pitch` bytes, also when it is negative).
const unsigned char* TopRow(const FT_Bitmap& bitmap)
{
    if (bitmap.pitch >= 0) return bitmap.buffer;
    return bitmap.buffer - static_cast<std::ptrdiff_t>(bitmap.pitch) * (static_cast<std::ptrdiff_t>(bitmap.rows) - 1);
}

bool BitmapInk(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x)
{
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO: return ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0;
    case FT_PIXEL_MODE_GRAY: return row[x] >= 128;
    case FT_PIXEL_MODE_BGRA: return row[x * 4 + 3] >= 128;
    default: return false;
    }
}

// The glyph in the face's slot as a monochrome image; faceAscent places its baseline in the cell.
GlyphImage ImageOfSlot(FT_GlyphSlot slot, int faceAscent)
{
    GlyphImage image;
    image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.buffer == nullptr || bitmap.width == 0 || bitmap.rows == 0) return image;
    image.left = slot->bitmap_left;
    image.top = faceAscent - slot->bitmap_top;
    image.width = static_cast<int>(bitmap.width);
    image.height = static_cast<int>(bitmap.rows);
    image.ink.assign(static_cast<size_t>(image.width) * image.height, 0);
    const unsigned char* row = TopRow(bitmap);
    for (int y = 0; y < image.height; ++y, row += bitmap.pitch) {
        for (int x = 0; x < image.width; ++x)
            image.ink[static_cast<size_t>(y) * image.width + x] =
                BitmapInk(bitmap, row, static_cast<unsigned>(x)) ? 1 : 0;
    }
    return image;
}

// Stands in for the default glyph when no font file could be opened: a hollow box.
GlyphImage HollowBox(int cellHeight)
{
    GlyphImage image;
    image.advance = std::max(2, cellHeight / 2);
    image.left = 0;
    image.top = cellHeight > 2 ? 1 : 0;
    image.width = std::max(1, image.advance - 1);
    image.height = std::max(1, cellHeight - 2 * image.top);
    image.ink.assign(static_cast<size_t>(image.width) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const bool edge = x == 0 || y == 0 || x == image.width - 1 || y == image.height - 1;
            image.ink[static_cast<size_t>(y) * image.width + x] = edge ? 1 : 0;
        }
    }
    return image;
}

// One face of the chain, opened when first needed.
struct ChainFace {
    FontFile file;
    FreeTypeFace face;
    bool tried = false;
    int ascent = 0;
};

}  // namespace

struct FontFace::Impl {
    std::mutex mutex;
    FreeTypeLibrary library;  // declared before the faces: destroyed after them
    std::vector<ChainFace> chain;
    int cellHeight = kDefaultCellHeight;
    int ascent = 0;
    std::unordered_map<char32_t, GlyphImage> glyphs;  // key 0: the default glyph

    FT_Face Open(ChainFace& entry)
    {
        if (!entry.tried) {
            entry.tried = true;
            entry.face = OpenFreeTypeFace(library.get(), entry.file.path.c_str(), entry.file.index);
            if (!entry.face) {
                std::fprintf(stderr, "fonts: cannot read %s\n", entry.file.path.c_str());
                return nullptr;
            }
            FT_Select_Charmap(entry.face.get(), FT_ENCODING_UNICODE);
            entry.ascent = FT_IS_SCALABLE(entry.face.get()) ? SizeScalableFace(entry.face.get(), cellHeight)
                                                            : SizeBitmapFace(entry.face.get(), cellHeight);
        }
        return entry.face.get();
    }

    // The index of the first face of the chain that can be opened, or -1.
    int Primary()
    {
        for (size_t i = 0; i < chain.size(); ++i) {
            if (Open(chain[i]) != nullptr) return static_cast<int>(i);
        }
        return -1;
    }

    GlyphImage Render(ChainFace& entry, FT_UInt glyphIndex)
    {
        FT_Face face = entry.face.get();
        if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_TARGET_MONO) != 0) return {};
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_contours == 0) {
            // A blank glyph (a space): FreeType would still give it a one-pixel bitmap.
            GlyphImage blank;
            blank.advance = static_cast<int>((slot->advance.x + 32) >> 6);
            return blank;
        }
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return {};
        return ImageOfSlot(slot, entry.ascent);
    }

    GlyphImage RenderDefault()
    {
        const int primary = Primary();
        if (primary < 0) return HollowBox(cellHeight);
        ChainFace& entry = chain[static_cast<size_t>(primary)];
        FT_UInt index = 0;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(entry.face.get(), FT_SFNT_OS2));
        if (os2 != nullptr && os2->version != 0xFFFF && os2->version >= 2 && os2->usDefaultChar != 0)
            index = FT_Get_Char_Index(entry.face.get(), os2->usDefaultChar);
        return Render(entry, index);
    }

    const GlyphImage& Glyph(char32_t code)
    {
        if (auto it = glyphs.find(code); it != glyphs.end()) return it->second;
        if (code != 0) {
            for (ChainFace& entry : chain) {
                FT_Face face = Open(entry);
                if (face == nullptr) continue;
                if (const FT_UInt index = FT_Get_Char_Index(face, code); index != 0)
                    return glyphs.emplace(code, Render(entry, index)).first->second;
            }
            const GlyphImage& fallback = Glyph(0);
            return glyphs.emplace(code, fallback).first->second;
        }
        return glyphs.emplace(0, RenderDefault()).first->second;
    }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : m_impl(std::move(impl))
{}

FontFace::~FontFace() = default;

std::shared_ptr<FontFace> FontFace::Create(std::string_view faceSjis, int height, int weight)
{
    auto impl = std::make_unique<Impl>();
    impl->library = OpenFreeTypeLibrary();
    if (impl->library) {
        for (FontFile& file : ResolveFontFiles(faceSjis, weight))
            impl->chain.push_back(ChainFace{std::move(file), nullptr, false, 0});
    }
    int cell = height == 0 ? kDefaultCellHeight : std::min(std::abs(height), kMaxCellHeight);
    if (height < 0 && !impl->chain.empty()) {
        // An em height: the cell is the primary face's cell at that em size.
        FreeTypeFace probe =
            OpenFreeTypeFace(impl->library.get(), impl->chain[0].file.path.c_str(), impl->chain[0].file.index);
        if (probe && FT_IS_SCALABLE(probe.get())) {
            const CellUnits units = CellUnitsOf(probe.get());
            cell = static_cast<int>(RoundedDiv(static_cast<long long>(cell) * units.height, probe->units_per_EM));
        }
    }
    impl->cellHeight = std::clamp(cell, 1, kMaxCellHeight);
    const int primary = impl->Primary();
    impl->ascent = primary >= 0 ? impl->chain[static_cast<size_t>(primary)].ascent : impl->cellHeight * 4 / 5;
    return std::shared_ptr<FontFace>(new FontFace(std::move(impl)));
}

int FontFace::CellHeight() const
{
    return m_impl->cellHeight;
}

int FontFace::Ascent() const
{
    return m_impl->ascent;
}

std::vector<PlacedGlyph> FontFace::Layout(std::string_view text)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    std::vector<PlacedGlyph> placed;
    int pen = 0;
    for (size_t pos = 0; pos < text.size();) {
        const SjisChar c = NextSjisChar(text, pos);
        pos += c.byteCount;
        const GlyphImage& glyph = m_impl->Glyph(c.unicode);
        placed.push_back({pen, &glyph});
        pen += glyph.advance;
    }
    return placed;
}

int FontFace::TextWidth(std::string_view text)
{
    int width = 0;
    for (const PlacedGlyph& g : Layout(text)) width += g.glyph->advance;
    return width;
}
