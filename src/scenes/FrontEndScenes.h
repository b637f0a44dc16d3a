// Installs the creators of the front-end screens (title, world map, world-map menu, world select,
// options) in the scene factory. Start-up, before the game thread runs.
#pragma once

void InstallFrontEndScenes();
