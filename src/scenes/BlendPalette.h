// The palette and blend table of the 8-bit DirectDraw screen for the user's palette set: a game
// at 256 colours mixes colours through a table per palette variant, and the option's palette set
// picks one of 24 variants of the colour groups 16..207. Called by the start-up and the option
// screen; main thread before the game thread runs, then the game thread.
#pragma once

// Palette sets of the option (0..23).
constexpr int kBlendPaletteSets = 24;

// Only with the DirectDraw back-end at 8 bits per pixel (otherwise 1 at once): loads
// "bmp\hbt\hbtNN.dat" (NN = nNo, two digits) into the blend table, reads the palette bitmap
// again, and adjusts the twelve colour groups of entries 16..207: sets 0..11 rotate them towards
// the lower indices by nNo groups, sets 12..23 make every group a copy of group nNo - 11. The
// palette is then shown (entries 0..254). 0 when the table ("%s の読み込みに失敗！" box) or the
// palette bitmap (trace log "DDLoadPaletteFromFile失敗") cannot be read. nNo outside 0..23 is
// taken as the nearest set (it comes from the user's file).
int LoadBlendPalette(int nNo);
