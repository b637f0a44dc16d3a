#include "scenes/cSurfaceScene.h"

#include "core/AppGlobals.h"
#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/Surfaces.h"
#include "platform/win/Messages.h"
#include "scenes/ScenePictures.h"

namespace {

void ReleaseScreenSurface()
{
    DDReleaseSurfaceVec(ScenePictures);
    ScenePictures.clear();
    ScenePictureInfo.clear();
}

}  // namespace

cSurfaceScene::~cSurfaceScene()
{
    ReleaseScreenSurface();
}

BOOL cSurfaceScene::CreateSurface(int nWidth, int nHeight, int bColorKey)
{
    ReleaseScreenSurface();
    if (!bDDReady.load()) {
        return TRUE;
    }
    if (!DDAddSurfaceVec(ScenePictures, ScenePictureInfo, nWidth, nHeight, bColorKey, 0, DTMEMORYTYPE_VIDEO_RT, 0)) {
        PostMessage(hWndMain.load(), WM_CLOSE, 0, 0);
        return FALSE;
    }
    DrawSurface(ScenePictures[0]);
    return TRUE;
}

DDSURFACEDATA* cSurfaceScene::Surface()
{
    return ScenePictures.empty() ? nullptr : &ScenePictures[0];
}

void cSurfaceScene::CopySurface(int x, int y, int bColorKey)
{
    DDSURFACEDATA* sd = Surface();
    if (sd == nullptr || !bDDReady.load()) {
        return;
    }
    if (sd->bLost) {
        DrawSurface(*sd);
        sd->bLost = FALSE;
    }
    DDBlt(&BackBuffer, x, y, sd->nWidth, sd->nHeight, sd, 0, 0, bColorKey);
}

void cSurfaceScene::Show()
{
    CopySurface(0, 0, 0);
    SceneFlow().CyclePalette();
}

void cSurfaceScene::FadeIn()
{
    if (nScreenBpp == 8 && Surface() != nullptr) {
        DrawSurface(*Surface());
    }
    Show();
    FadeInStep();
}
