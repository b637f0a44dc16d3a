#include "scenes/FrontEndScenes.h"

#include "scenes/SceneFactory.h"

void InstallFrontEndScenes()
{
    // The title here once cSceneTitle exists.
    // The world map here once cSceneWorldMap exists.
    // The world-map menu here once cSceneWorldMapMenu exists.
    // The world select here once cSceneWorldSelect exists.
    // The option screen here once cSceneOption exists.
}
