#include "platform/gdi/GdiFont.h"

#include <mutex>

#include "platform/gdi/GdiHandles.h"

std::shared_ptr<FontFace> GdiFontOfSelected(HGDIOBJ selectedFont)
{
    if (auto* font = GdiLookup<GdiFont>(selectedFont, GdiObject::Kind::Font); font != nullptr) return font->Face();
    static std::mutex mutex;
    static std::shared_ptr<FontFace> systemFont;
    std::lock_guard<std::mutex> lock(mutex);
    if (!systemFont) systemFont = FontFace::Create("System", FontFace::kDefaultCellHeight, 400);
    return systemFont;
}
