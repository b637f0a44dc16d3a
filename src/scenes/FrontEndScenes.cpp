#include "scenes/FrontEndScenes.h"

#include <new>

#include "scenes/SceneFactory.h"
#include "scenes/cSceneOption.h"
#include "scenes/cSceneTitle.h"
#include "scenes/cSceneWorldMap.h"
#include "scenes/cSceneWorldMapMenu.h"
#include "scenes/cSceneWorldSelect.h"

void InstallFrontEndScenes()
{
    SetSceneCreator(SCENE_TITLE, CreateTitleScene);
    SetSceneCreator(SCENE_WORLDMAP, CreateSceneWorldMap);
    SetSceneCreator(SCENE_WORLDMAPMENU, [] { return static_cast<cScene*>(new (std::nothrow) cSceneWorldMapMenu); });
    SetSceneCreator(SCENE_WORLDSELECT, [] { return static_cast<cScene*>(new (std::nothrow) cSceneWorldSelect); });
    SetSceneCreator(SCENE_OPTION, &cSceneOption::Create);
}
