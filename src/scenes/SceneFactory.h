// How the scene manager makes each screen: one creator per screen id. The start-up installs the
// creators of every screen (the stage-play screen, the title and the other front-end screens);
// an id without one makes a plain named screen (cScenePlaceholder), which scene-manager tests use.
#pragma once

#include "screenbase/cScene.h"

// Makes a new screen; nullptr when the memory cannot be had.
using SceneCreator = cScene* (*)();

// Installs the creator of screen id (0..5); nullptr goes back to the placeholder. Start-up and
// tests, on the game thread's behalf before it runs.
void SetSceneCreator(int id, SceneCreator creator);
// A new screen of id (0..5); nullptr for other ids and when creation fails.
cScene* CreateScene(int id);
