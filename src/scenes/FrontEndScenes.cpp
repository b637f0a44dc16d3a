#include "scenes/FrontEndScenes.h"

#include "scenes/SceneFactory.h"
#include "scenes/cSceneWorldMap.h"

void InstallFrontEndScenes()
{
    // The title here once cSceneTitle exists.
    SetSceneCreator(SCENE_WORLDMAP, CreateSceneWorldMap);
    // The world-map menu here once cSceneWorldMapMenu exists.
    // The world select here once cSceneWorldSelect exists.
    // The option screen here once cSceneOption exists.
}
