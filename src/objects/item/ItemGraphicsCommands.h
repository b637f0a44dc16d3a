// The item commands that change what the player looks like and what the stage shows and plays
// (item kinds 10 .. 20): the bodies of the graphics, effect, picture, screen and sound action
// commands run on the player who took the item. Game thread only.
#pragma once

// Registers item kinds 10 .. 20 in the item-command table.
void InstallItemGraphicsCommands();
