// cVox: the OGG players, made by the OGG player library that is loaded at run time.
//
// Without the library (missing, or without its entry point) there are no players and every Play
// fails, so that a slot naming both kinds falls back to its MIDI file.
#pragma once

#include <vector>

#include "platform/vox/VoxPlayer.h"
#include "platform/win/DynamicLibrary.h"

class cVox {
public:
    cVox() = default;
    ~cVox();
    cVox(const cVox&) = delete;
    cVox& operator=(const cVox&) = delete;

    // Loads "Vox.dll" and finds CreateVox. 0 after the error box "oggの初期化に失敗！" when
    // either is missing, else 1.
    int Init();
    // Destroys the players held, then makes n new ones with CreateVox. 0 after the out-of-memory
    // error (box and close) when one cannot be made, or without the library; else 1.
    int Create(int n);
    // Stops the player playing, then resets player nPlayer, opens szPath and plays it once or
    // endlessly (bLoop). 1 when it plays; 0 for a null or empty path, a player that does not
    // exist, or a file the library cannot open.
    int Play(int nPlayer, const char* szPath, int bLoop);
    // Stops the player started last, if any.
    void Stop();
    // Destroys every player and frees the library; FreeLibrary's result, or 0 without a library.
    int UnInit();

    // The player in place n, or null (tests).
    VoxPlayer* Player(int n) const;

    std::vector<VoxPlayer*> m_lpPlayer;
    int m_nCount = 0;
    int m_nPlaying = -1;
    HMODULE m_hDll = nullptr;
    CREATEVOX m_lpCreateVox = nullptr;

private:
    void DestroyPlayers();
};
