// The player's save data, put aside while a replay plays back with the save data it was recorded
// with, and put back when the playback ends, so that watching a replay never changes the player's
// progress, common variables, records or ranking name.
//
// Main thread (the replay load) and game thread (the end of playback); never both at once: the
// game thread waits while the main thread serves a load.
#pragma once

#include "project/cSaveData.h"

class cReplaySaveData {
public:
    // Keeps SaveData (the player's) unless a playback already kept it, then makes replaySave the
    // live SaveData.
    void Begin(const cSaveData& replaySave);
    // Every restart of the playback starts again from the replay's save data (nothing when no
    // playback is running).
    void Restart();
    // Puts the kept save data back into SaveData; nothing when no playback is running.
    void End();
    // True between Begin and End.
    bool Active() const { return m_bActive; }

private:
    cSaveData m_PlayerSave;
    cSaveData m_ReplaySave;
    bool m_bActive = false;
};

// The one keeper of the player's save data during replay playback.
extern cReplaySaveData ReplaySaveData;
