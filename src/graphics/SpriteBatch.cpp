#include "graphics/SpriteBatch.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "graphics/BackEnd.h"
#include "graphics/DrawInternal.h"
#include "graphics/QuadDraw.h"
#include "graphics/QuadRun.h"

namespace {

// One recorded blit. The order of drawing is by texture rank (0: unregistered source or no
// sorting; n: the n-th registered texture), then by sequence (the order of the blits). Ranks and
// sequences are kept apart so that no number of records can mix the ranges of two textures.
struct BATCHRECORD {
    int nRank = 0;
    int nSequence = 0;
    DDSURFACEDATA* lpDst = nullptr;
    DDSURFACEDATA* lpSrc = nullptr;
    int x = 0, y = 0, nWidth = 0, nHeight = 0;
    int sx = 0, sy = 0, nSrcWidth = 0, nSrcHeight = 0;
    int nFlags = 0;
    D3DCOLOR dwDiffuse = 0xFFFFFFFF;
    DWORD dwColorOp = D3DTOP_MODULATE;
    DWORD dwAlphaOp = D3DTOP_SELECTARG1;
};

struct BatchState {
    bool bOpen = false;
    bool bSort = false;
    int nSequence = 0;
    std::vector<BATCHRECORD> records;
    std::vector<DDSURFACEDATA*> registry;  // registered textures in registration order
};

BatchState& Batch()
{
    static BatchState state;
    return state;
}

void ResetBatch(bool bOpen, bool bSort)
{
    BatchState& b = Batch();
    b.bOpen = bOpen;
    b.bSort = bSort;
    b.nSequence = 0;
    b.records.clear();
    b.registry.clear();
}

int RankOf(const DDSURFACEDATA* lpSrc)
{
    const BatchState& b = Batch();
    if (!b.bSort) return 0;
    const auto it = std::find(b.registry.begin(), b.registry.end(), lpSrc);
    return it == b.registry.end() ? 0 : static_cast<int>(it - b.registry.begin()) + 1;
}

bool SameRun(const BATCHRECORD& a, const BATCHRECORD& b)
{
    return a.lpDst == b.lpDst && a.lpSrc == b.lpSrc && a.nFlags == b.nFlags && a.dwDiffuse == b.dwDiffuse &&
           a.dwColorOp == b.dwColorOp && a.dwAlphaOp == b.dwAlphaOp;
}

// Draws records [first, last) of one run. FALSE when the run had to be skipped.
bool DrawRun(const BATCHRECORD* first, const BATCHRECORD* last)
{
    DDSURFACEDATA* lpSrc = first->lpSrc;
    DDSURFACEDATA* lpDst = first->lpDst;
    if (!lpSrc->lpDT || lpSrc->lpDT->lpTexture == nullptr) return false;  // a surface left without texture
    std::vector<D3D9TLVertex> vertices(static_cast<std::size_t>(last - first) * 4);
    D3D9TLVertex* pQuad = vertices.data();
    for (const BATCHRECORD* r = first; r != last; ++r, pQuad += 4)
        DDMakeQuad(pQuad, r->x, r->y, r->nWidth, r->nHeight, r->sx, r->sy, r->nSrcWidth, r->nSrcHeight,
                   lpSrc->nTexWidth, lpSrc->nTexHeight, r->dwDiffuse);
    cQuadRun run;
    if (!run.Create(vertices)) return false;
    if (!DDBeginScene() || !DDSetRenderTarget(0, lpDst)) return false;
    if (first->nFlags != 1 && lpSrc->lpDT->bColorKey) {
        const D3DCOLOR clear = DDOpaqueKeyClearColor(lpDst);
        for (const BATCHRECORD* r = first; r != last; ++r) DDClearTargetRect(r->x, r->y, r->nWidth, r->nHeight, clear);
    }
    DDSetQuadStageStates(first->dwColorOp, first->dwAlphaOp);
    lpDevice->SetTexture(0, lpSrc->lpDT->lpTexture);
    const BOOL bDrawn = run.Draw();
    DDSetRenderTarget(0, lpDTCon->lpDefaultTarget);
    return bDrawn != FALSE;
}

}  // namespace

void DDBeginBatch(int bSort)
{
    if (!lpDTCon) return;
    if (Batch().bOpen && !Batch().records.empty()) DDEndBatch();
    ResetBatch(true, bSort != 0);
}

void DDBatchAddTexture(DDSURFACEDATA* lpSD)
{
    BatchState& b = Batch();
    if (!lpDTCon || !b.bOpen || !b.bSort || lpSD == nullptr) return;
    DDRedirectShare(&lpSD);
    if (std::find(b.registry.begin(), b.registry.end(), lpSD) == b.registry.end()) b.registry.push_back(lpSD);
}

BOOL DDEndBatch()
{
    BatchState& b = Batch();
    if (!lpDTCon || lpDevice == nullptr || b.records.empty()) {
        ResetBatch(false, false);
        return TRUE;
    }
    std::vector<BATCHRECORD> records;
    records.swap(b.records);
    const bool bSort = b.bSort;
    ResetBatch(false, false);  // closed before drawing: nothing below records again
    if (bSort) {
        std::sort(records.begin(), records.end(), [](const BATCHRECORD& a, const BATCHRECORD& c) {
            return a.nRank != c.nRank ? a.nRank < c.nRank : a.nSequence < c.nSequence;
        });
    }
    bool bAll = true;
    const BATCHRECORD* const end = records.data() + records.size();
    for (const BATCHRECORD* first = records.data(); first != end;) {
        const BATCHRECORD* last = first + 1;
        while (last != end && last - first < kMaxQuadsPerRun && SameRun(*first, *last)) ++last;
        if (!DrawRun(first, last)) bAll = false;
        first = last;
    }
    return bAll ? TRUE : FALSE;
}

BOOL DDBatchIsOpen()
{
    return lpDTCon && Batch().bOpen ? TRUE : FALSE;
}

void DDBatchRecordBlt(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx, int sy,
                      int nSrcWidth, int nSrcHeight, int nFlags)
{
    BatchState& b = Batch();
    if (!lpDTCon || !b.bOpen) return;
    BATCHRECORD r;
    r.nRank = RankOf(lpSrc);
    r.nSequence = b.nSequence++;
    r.lpDst = lpDst;
    r.lpSrc = lpSrc;
    r.x = x;
    r.y = y;
    r.nWidth = nWidth;
    r.nHeight = nHeight;
    r.sx = sx;
    r.sy = sy;
    r.nSrcWidth = nSrcWidth;
    r.nSrcHeight = nSrcHeight;
    r.nFlags = nFlags;
    r.dwDiffuse = lpDTCon->dwDiffuse;
    r.dwColorOp = lpDTCon->dwColorOp;
    r.dwAlphaOp = lpDTCon->dwAlphaOp;
    b.records.push_back(r);
}
