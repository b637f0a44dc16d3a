// The world-map screen's pictures, texts and layout, shared by its stepping and its drawing.
#pragma once

// Built-in picture slots: the background picture (its file named by the world map), the map
// chips, the stage icons, the menu accessories, the window skin, and the 640 x 480 work surface
// the map is drawn into (colour-keyed, so that a fill with palette number 0 clears it under every
// back-end).
constexpr int kSlotWindow = 45;
constexpr int kSlotAccessory = 49;
constexpr int kSlotWorldMapChip = 52;
constexpr int kSlotWorldEvent = 53;
constexpr int kSlotWorldBack = 54;
constexpr int kSlotMapSurface = 67;

// Entries of the project text table: the stage's best score label, and the confirmation's two
// choices (play the stage, don't).
constexpr int kTextScore = 2;
constexpr int kTextConfirmFirst = 10;

// The confirmation menu: centred on x 304, at y 260, 16 pixels a row.
constexpr int kConfirmMenuCentreX = 304;
constexpr int kConfirmMenuY = 260;
constexpr int kConfirmMenuPitch = 16;
