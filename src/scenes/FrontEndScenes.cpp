#include "scenes/FrontEndScenes.h"

#include "scenes/SceneFactory.h"
#include "scenes/cSceneOption.h"

void InstallFrontEndScenes()
{
    // The title here once cSceneTitle exists.
    // The world map here once cSceneWorldMap exists.
    // The world-map menu here once cSceneWorldMapMenu exists.
    // The world select here once cSceneWorldSelect exists.
    SetSceneCreator(SCENE_OPTION, &cSceneOption::Create);
}
