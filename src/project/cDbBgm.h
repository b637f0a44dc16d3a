// A piece of music of the Bgm database: an OGG or Standard MIDI File, chosen by its extension;
// index 0 stands for no music.
#pragma once

#include "project/cDbMediaEntry.h"

class cDbBgm : public cDbMediaEntry {
public:
    cDbBgm() = default;
    cDbBgm(const cDbBgm&) = default;
    cDbBgm& operator=(const cDbBgm&) = default;
};
