// The sounds the game objects ask for, kept out of the files that step the objects so that they
// include no sound header. Game thread.
#pragma once

// Plays Sound database entry nSound (0 and below play nothing).
void PlayObjectSound(int nSound);
// Plays system sound n of the sound table (0 and below play nothing).
void PlayObjectSystemSound(int n);
