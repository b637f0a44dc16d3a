#include "objects/effect/EffectObjectsDraw.h"

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "objects/effect/PictureSurface.h"

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Surfaces.h"
#include "objects/chara/CharaGraphic.h"
#include "platform/win/Messages.h"
#include "project/cDatabase.h"

int EffectSurfaceIndex(int nNumber, int bStretchCopy)
{
    return 2 * nNumber - (bStretchCopy ? 1 : 2);
}

int DrawEffectObj(cEffectObj& effect, DDSURFACEDATA* target, DDSURFACEDATA* lpSurface, DDSURFACEDATA* lpStretchSurface,
                  double dScrollX, double dScrollY, int bPaused)
{
    const int frame = effect.NextFrame(bPaused);
    if (frame == cEffectObj::kOver) {
        return 1;
    }
    const int x = static_cast<int>(effect.x - dScrollX);
    const int y = static_cast<int>(effect.y - dScrollY);
    if (!effect.stretched) {
        if (lpSurface != nullptr) {
            DDBlt(target, x, y, effect.width, effect.height, lpSurface, frame * effect.width, 0, 1);
        }
        return 0;
    }
    const cDbEffect& entry = Database.Effect[static_cast<std::int16_t>(effect.number)];
    // DirectDraw stretching from video memory reads the plain copy, as the other sprites do.
    DDSURFACEDATA* source = lpDDCon != nullptr && CharaDrawSettings.bVideoStretch != 0 ? lpSurface : lpStretchSurface;
    if (source != nullptr) {
        DDStretchBlt(target, x, y, effect.width, effect.height, source, frame * entry.nCellWidth, 0, entry.nCellWidth,
                     entry.nCellHeight, 1);
    }
    return 0;
}

int DrawPictureObj(cPictureObj& picture, DDSURFACEDATA* target, double dScrollX, double dScrollY, int bPaused)
{
    if (picture.CountDown(bPaused)) {
        return 1;
    }
    int x = 0;
    int y = 0;
    picture.ScreenPosition(dScrollX, dScrollY, x, y);
    DDSURFACEDATA* surface = picture.surface.get();
    if (surface == nullptr) {
        return 0;
    }
    if (picture.stretched) {
        DDStretchBlt(target, x, y, picture.width, picture.height, surface, 0, 0, surface->nWidth, surface->nHeight, 1);
    } else {
        DDBlt(target, x, y, picture.width, picture.height, surface, 0, 0, 1);
    }
    return 0;
}

std::shared_ptr<DDSURFACEDATA> LoadPictureSurface(const std::string& strPath, int nScalePercent)
{
    std::shared_ptr<DDSURFACEDATA> surface(new DDSURFACEDATA(), [](DDSURFACEDATA* sd) {
        DDReleaseSurface(sd);
        delete sd;
    });
    // DirectDraw stretches from system memory; Direct3D keeps every picture a texture.
    const int bSystemMemory = lpDTCon == nullptr && nScalePercent != 100 ? 1 : 0;
    const int memoryType = bSystemMemory ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT;
    if (DDCreateSurfaceFromFile(surface.get(), strPath.c_str(), 1, nScreenBpp, bSystemMemory, memoryType, 0, 0, 0, 0,
                                0) != DDSURFACE_OK) {
        // A picture the game names but cannot show closes the program, with the file named.
        // Without a drawing back-end (the logic tests' play harness) the play goes on without it.
        if (bDDReady.load()) {
            static const std::string kFailure = Sjis("%s 読み込み失敗！");
            ReportLogECBox(kFailure.c_str(), strPath.c_str());
            PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        }
        return nullptr;
    }
    return surface;
}

void PictureSurfaceSize(const DDSURFACEDATA& surface, int& nWidth, int& nHeight)
{
    nWidth = surface.nWidth;
    nHeight = surface.nHeight;
}
