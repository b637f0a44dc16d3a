// A DIB section: a bitmap whose pixels stay in the depth, colour table and row order of the
// file it was loaded from, so that GetObjectA's bmBits shows the rows as the file stored them.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelView.h"

class GdiBitmap : public GdiObject {
public:
    // Takes a decoded picture; its rows are put back into the file's order.
    explicit GdiBitmap(BmpImage image);

    // The 1 x 1 monochrome bitmap a new memory DC starts with (one per process, never deleted).
    static HGDIOBJ StockHandle();

    int Describe(int cb, void* lpv) const override;
    // The pixels as a view (rows top to bottom whatever the storage order).
    PixelView View();
    const std::vector<RGBQUAD>& ColorTable() const { return m_image.colorTable; }

    // The DC this bitmap is selected into (a bitmap is selected into at most one DC), or null.
    HDC SelectedInto() const { return m_selectedInto; }
    void SetSelectedInto(HDC hdc) { m_selectedInto = hdc; }

private:
    BmpImage m_image;  // bits in file order: bottom row first when m_image.bottomUp
    HDC m_selectedInto = nullptr;
};
