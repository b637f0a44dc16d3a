// The drawing side of the text objects: measuring with Font16, the objects' own surfaces, the
// rendering of their texts and their drawing.
#include <cstddef>

#include "core/AppGlobals.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Fill.h"
#include "graphics/FontTable.h"
#include "graphics/SurfaceCatalogue.h"
#include "graphics/Surfaces.h"
#include "objects/TextObjects.h"
#include "objects/chara/CharaGraphic.h"
#include "platform/win/Messages.h"

namespace {

// The surfaces of the text objects and their definitions. Game thread.
struct TEXTSURFACES {
    DDSurfaceList list;
    DDSurfaceInfoList infos;
};

TEXTSURFACES& Surfaces()
{
    static TEXTSURFACES surfaces;
    return surfaces;
}

constexpr int kBuiltInIconSheet = 49;
constexpr int kBuiltInIconY = 48;
constexpr int kIconSize = 16;
constexpr int kIconFrames = 30;
constexpr int kOpeningFrames = 10;
constexpr int kColourKey = 1;

}  // namespace

void cTextObj::MeasureText(const std::string& text, int& nWidth, int& nHeight)
{
    SIZE size{0, 0};
    FontTable[Font16].GetTextExtent(&size, text.c_str());
    nWidth = static_cast<int>(size.cx) + 2;
    nHeight = static_cast<int>(size.cy) + 2;
}

bool cTextObj::CreateSurface()
{
    TEXTSURFACES& s = Surfaces();
    if (!bDDReady.load()) {
        // A headless play has no surfaces: the text lives and steps without its picture.
        lpTextSurface = nullptr;
        return true;
    }
    if (!DDAddSurfaceList(s.list, s.infos, nWidth, nHeight, kColourKey, 0, 0, 0)) {
        lpTextSurface = nullptr;
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return false;
    }
    lpTextSurface = &s.list.back();
    return true;
}

void cTextObj::Render()
{
    if (lpTextSurface == nullptr) return;
    Font& font = FontTable[Font16];
    if (bWindow != 0) {
        font.DrawWindowText(lpTextSurface, 1, 1, 0, 0, strText.c_str(), 0);
    } else {
        DDFillSurfacePal(lpTextSurface, 0);
        font.Draw(lpTextSurface, 1, 1, strText.c_str(), 0);
    }
}

void cTextObj::ReleaseSurface()
{
    if (lpTextSurface == nullptr) return;
    TEXTSURFACES& s = Surfaces();
    DDRemoveSurfaceList(s.list, s.infos, lpTextSurface);
    lpTextSurface = nullptr;
}

void cTextObj::Draw(DDSURFACEDATA* target)
{
    const int x = nScreenX;
    const int y = nScreenY;
    switch (nKind) {
    case 3:
        DDBlt(target, x, y - ((kIconFrames - nRemaining) >> 2), kIconSize, kIconSize, &SDTable[kBuiltInIconSheet], 0,
              kBuiltInIconY, kColourKey);
        return;
    case 2: DrawMiniIcon(target, x, y - ((kIconFrames - nRemaining) >> 2), nIconSheet, nIconIndex, nIconSub); return;
    case 1: break;
    default: return;
    }
    if (lpTextSurface == nullptr || strText.empty()) return;
    if (lpTextSurface->bLost != 0) {
        lpTextSurface->bLost = 0;
        Render();
    }
    if (bOpening != 0) {
        dOpening += 1.0;
        const double s = dOpening * 0.1;
        if (dOpening < kOpeningFrames) {
            if (bWindow != 0) {
                const int hw = nWidth >> 1;
                const int hh = nHeight >> 1;
                FontTable[Font16].DrawWindow(target, static_cast<int>(x + hw - hw * s),
                                             static_cast<int>(y + hh - hh * s), static_cast<int>(nWidth * s),
                                             static_cast<int>(nHeight * s));
            }
            return;
        }
    }
    DDBlt(target, x, y, nWidth, nHeight, lpTextSurface, 0, 0, kColourKey);
}

void UpdateDrawTextObjects(std::list<cTextObj>& list, DDSURFACEDATA* target, int bInWait, int nFrame)
{
    for (auto it = list.begin(); it != list.end();) {
        if (it->Step(bInWait, nFrame) != 0) {
            it = list.erase(it);
            continue;
        }
        it->Draw(target);
        ++it;
    }
}

void ClearTextObjects(std::list<cTextObj>& list)
{
    for (cTextObj& obj : list) {
        obj.ReleaseSurface();
    }
    list.clear();
}

void EraseTextObject(std::list<cTextObj>& list, const cTextObj* obj)
{
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (&*it == obj) {
            it->ReleaseSurface();
            list.erase(it);
            return;
        }
    }
}
