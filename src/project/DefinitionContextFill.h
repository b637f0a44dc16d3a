// Filling DefinitionContext from the loaded databases and project settings: the start-up does it
// once both are read and before the first definition (the common palette, a stage) is loaded.
//
// Main thread, during start-up (tests call it after loading a game folder of their own).
#pragma once

// Sets DefinitionContext afresh from Database and SystemData: the entry count of each of the ten
// tables, the run time of every sword type (the sum of its frames' nTime), the project's keep
// setting for test-play-only flows, and bTestPlayMode (1 when the editor started a test play).
void FillDefinitionContext(int bTestPlayMode);
