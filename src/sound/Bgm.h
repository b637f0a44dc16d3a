// cBgm: the background music manager.
//
// A small table of music slots, each naming an OGG file, a Standard MIDI File or both. Playing a
// slot tries OGG first (through the OGG player library) and falls back to MIDI; only one kind
// sounds at a time. Slots used by the game: 0 title, 1 world map, 2 world select, 3 options,
// 4 stage.
//
// Threads: requests come from the main thread (the music request message, start-up, shutdown)
// and from the game thread (the option screen switches music off and on with UnInit and Init);
// those never overlap, as the game thread waits in its SendMessage while the main thread plays.
#pragma once

#include <string>

#include "core/cVector.h"
#include "sound/MidiPlayers.h"
#include "sound/Vox.h"

// A table of file names, one per slot (game paths). Owned by the caller; SetFile writes into it.
using BgmNameTable = cVector<std::string>;

// Slot kinds in m_SlotType.
constexpr int kBgmBoth = 0;
constexpr int kBgmOggOnly = 1;
constexpr int kBgmMidiOnly = 2;
// What a player plays, in m_Engine.
constexpr int kBgmEngineNone = 0;
constexpr int kBgmEngineOgg = 1;
constexpr int kBgmEngineMidi = 2;

class cBgm {
public:
    cBgm();
    ~cBgm();
    cBgm(const cBgm&) = delete;
    cBgm& operator=(const cBgm&) = delete;

    // Makes nPlayers players, takes the two name tables (nSlots entries each) and marks every slot
    // as both kinds. Returns 0 after the error box and a trace-log line when the OGG player
    // library cannot be loaded; MIDI music still plays then. Else 1. An initialised manager is
    // released first.
    int Init(int nPlayers, BgmNameTable* pOggTable, BgmNameTable* pMidiTable, int nSlots);
    // n MIDI places, n OGG players, n engine entries (all 0). Always 1.
    int CreatePlayers(int n);
    // Sets a slot's file by the extension of szPath, compared exactly: "mid" or "MID" sets the
    // MIDI name (extension written "mid") and the kind MIDI only, 1; "ogg" or "OGG" the OGG name
    // and OGG only, 1; no extension empties both names, both kinds, 0; any other extension
    // ("Mid" and "Ogg" too) puts szPath
    // in both names, both kinds, 0. A path of 260 bytes or more counts as no extension.
    // 1 without initialisation; 0 for a slot that does not exist (reported).
    int SetFile(int nSlot, const char* szPath);
    // Plays slot nSlot on player nPlayer (see the source); 1 when music plays or the slot already
    // asked for keeps playing (bForce 0), 0 when nothing could be played (music stopped).
    int Play(int nPlayer, int nSlot, int bLoop, int bPauseMidi, int bForce);
    // Stops every MIDI player and the OGG player; the slot stays the current one.
    void Stop();
    // Destroys the players and frees the library; nothing when not initialised.
    void UnInit();

    int m_bInit = 0;
    cVox m_Vox;
    BgmNameTable* m_szOggName = nullptr;
    cMidiPlayers m_Midi;
    BgmNameTable* m_szMidiName = nullptr;
    int m_nSlot = -1;
    cVector<int> m_SlotType;
    cVector<int> m_Engine;

private:
    int PlayFailed(int nPlayer);
    bool SlotExists(int nSlot) const;
};

// The manager of the game, and the two name tables it is given, holding the default files
// ("bgm\Title.ogg" ... "bgm\Stage.ogg", "bgm\Title.mid" ... "bgm\Stage.mid") until SetFile.
extern cBgm BgmPlayer;
extern BgmNameTable BgmOggNames;
extern BgmNameTable BgmMidiNames;
constexpr int kBgmSlots = 5;
