#include "scenes/FrontEndScenes.h"

#include "scenes/SceneFactory.h"
#include "scenes/cSceneTitle.h"

void InstallFrontEndScenes()
{
    SetSceneCreator(SCENE_TITLE, CreateTitleScene);
    // The world map here once cSceneWorldMap exists.
    // The world-map menu here once cSceneWorldMapMenu exists.
    // The world select here once cSceneWorldSelect exists.
    // The option screen here once cSceneOption exists.
}
