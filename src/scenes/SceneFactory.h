// How the scene manager makes each screen: one creator per screen id. Screens that are not built
// yet are made as placeholders (cScenePlaceholder); the real screens install their creators at
// start-up (the stage-play screen, the title and the other front-end screens).
#pragma once

#include "screenbase/cScene.h"

// Makes a new screen; nullptr when the memory cannot be had.
using SceneCreator = cScene* (*)();

// Installs the creator of screen id (0..5); nullptr goes back to the placeholder. Start-up and
// tests, on the game thread's behalf before it runs.
void SetSceneCreator(int id, SceneCreator creator);
// A new screen of id (0..5); nullptr for other ids and when creation fails.
cScene* CreateScene(int id);
