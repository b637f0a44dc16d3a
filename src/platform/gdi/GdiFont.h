// The object behind an HFONT: a FontFace (FontFace.h) shared with whoever draws with it.
#pragma once

#include <memory>

#include "platform/gdi/FontFace.h"
#include "platform/gdi/GdiObject.h"

class GdiFont : public GdiObject {
public:
    explicit GdiFont(std::shared_ptr<FontFace> face) : GdiObject(Kind::Font), m_face(std::move(face)) {}

    const std::shared_ptr<FontFace>& Face() const { return m_face; }

private:
    std::shared_ptr<FontFace> m_face;
};

// The font a DC draws with: the live font selected into it, else the default font (the "System"
// face at a 16-pixel cell, made at first use). Never null.
std::shared_ptr<FontFace> GdiFontOfSelected(HGDIOBJ selectedFont);
