// The loading of a picture command's bitmap, kept behind a declaration without graphics headers
// so that the command files stay free of them. Game thread.
#pragma once

#include <memory>
#include <string>

struct DDSURFACEDATA;

// The bitmap strPath (a game path) in a new surface, colour-keyed as the built-in surfaces; under
// DirectDraw in system memory when it is drawn at another size than 100 %. Null when it cannot be
// loaded: with a drawing back-end up, the failure is written to the report log, shown in an error
// box and WM_CLOSE is posted to the main window. The surface is released with its last owner.
std::shared_ptr<DDSURFACEDATA> LoadPictureSurface(const std::string& strPath, int nScalePercent);
// The loaded picture's size in pixels.
void PictureSurfaceSize(const DDSURFACEDATA& surface, int& nWidth, int& nHeight);
