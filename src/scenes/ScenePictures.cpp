#include "scenes/ScenePictures.h"

DDSurfaceVec ScenePictures;
DDSurfaceInfoVec ScenePictureInfo;
