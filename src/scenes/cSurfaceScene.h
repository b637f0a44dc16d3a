// The base of the screens that draw their static content (window boxes, texts, lists) once into
// the screen surface, element 0 of ScenePictures, and copy it to the back buffer every frame: the
// title, the world select and the option screen. At most one screen uses the surface at a time.
//
// Without a drawing back-end (the headless logic tests) no surface is made and nothing is drawn;
// the screens' states run all the same. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/win/WinTypes.h"
#include "screenbase/cScene.h"

class cSurfaceScene : public cScene {
public:
    cSurfaceScene() = default;
    // Releases the screen surface (the screen releases its own picture slots first).
    ~cSurfaceScene() override;

protected:
    // Draws the screen's static content onto surface.
    virtual void DrawSurface(DDSURFACEDATA& surface) = 0;

    // Releases and empties ScenePictures, adds one surface of nWidth x nHeight pixels (with the
    // colour key when bColorKey) and draws it. FALSE when it cannot be made: the program is then
    // asked to close (WM_CLOSE). TRUE without a back-end.
    BOOL CreateSurface(int nWidth, int nHeight, int bColorKey);
    // The screen surface, or nullptr when there is none.
    DDSURFACEDATA* Surface();
    // Redraws the surface when a restore marked it lost, then copies it to the back buffer at
    // (x, y) (with its colour key when bColorKey).
    void CopySurface(int x, int y, int bColorKey);
    // The frame's drawing of a surface screen: the surface over the back buffer, then one step of
    // the colour cycling. The title overrides it (background picture and keyed menu).
    virtual void Show();
    // One step of the fade-in: at 8 bits per pixel the surface is drawn again (the palette is
    // being faded), then Show and the palette step (state 1 when the fade ends).
    void FadeIn() override;
};
