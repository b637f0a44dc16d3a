#include "graphics/BoxBatch.h"

#include <cstddef>
#include <vector>

#include "graphics/BackEnd.h"
#include "graphics/QuadDraw.h"
#include "graphics/QuadRun.h"

namespace {

// One collected fill.
struct BOXRECORD {
    DDSURFACEDATA* lpSD = nullptr;
    int x = 0, y = 0, nWidth = 0, nHeight = 0;
    D3DCOLOR dwColor = 0;
};

struct BoxBatchState {
    bool bOpen = false;
    std::vector<BOXRECORD> records;
};

BoxBatchState& Boxes()
{
    static BoxBatchState state;
    return state;
}

// Draws records [first, last), all of one target: the colour of each box is its vertex colour.
void DrawRun(const BOXRECORD* first, const BOXRECORD* last)
{
    std::vector<D3D9TLVertex> vertices(static_cast<std::size_t>(last - first) * 4);
    D3D9TLVertex* pQuad = vertices.data();
    for (const BOXRECORD* r = first; r != last; ++r, pQuad += 4)
        DDMakeQuad(pQuad, r->x, r->y, r->nWidth, r->nHeight, 0, 0, r->nWidth, r->nHeight, 1, 1, r->dwColor);
    cQuadRun run;
    if (!run.Create(vertices)) return;
    if (!DDBeginScene() || !DDSetRenderTarget(0, first->lpSD)) return;
    lpDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    lpDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    lpDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    lpDevice->SetTexture(0, WorkSD.lpDT ? WorkSD.lpDT->lpTexture : nullptr);
    run.Draw();
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
}

}  // namespace

void DDBeginBoxBatch()
{
    if (!lpDTCon) return;
    if (Boxes().bOpen && !Boxes().records.empty()) DDEndBoxBatch();
    Boxes().bOpen = true;
    Boxes().records.clear();
}

void DDEndBoxBatch()
{
    BoxBatchState& b = Boxes();
    std::vector<BOXRECORD> records;
    records.swap(b.records);
    b.bOpen = false;  // closed before drawing
    if (!lpDTCon || lpDevice == nullptr || records.empty()) return;
    const BOXRECORD* const end = records.data() + records.size();
    for (const BOXRECORD* first = records.data(); first != end;) {
        const BOXRECORD* last = first + 1;
        while (last != end && last - first < kMaxQuadsPerRun && last->lpSD == first->lpSD) ++last;
        DrawRun(first, last);
        first = last;
    }
}

BOOL DDBoxBatchIsOpen()
{
    return lpDTCon && Boxes().bOpen ? TRUE : FALSE;
}

void DDBoxBatchAdd(DDSURFACEDATA* lpSD, int x, int y, int nWidth, int nHeight, D3DCOLOR dwColor)
{
    if (!lpDTCon || !Boxes().bOpen) return;
    Boxes().records.push_back(BOXRECORD{lpSD, x, y, nWidth, nHeight, dwColor});
}
