// The screen surface of the front-end screens: element 0 holds the static content a screen draws
// once and copies to the back buffer every frame. At most one screen uses it at a time. Game
// thread.
#pragma once

#include "graphics/DDSurfaceVec.h"

extern DDSurfaceVec ScenePictures;
extern DDSurfaceInfoVec ScenePictureInfo;
