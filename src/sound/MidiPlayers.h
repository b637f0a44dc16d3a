// cMidiPlayers: the music manager's MIDI players, one place per player, each holding the cMidi
// of the song it plays (a new one per song) or nothing.
#pragma once

#include <memory>
#include <vector>

#include "sound/Midi.h"

class cMidiPlayers {
public:
    // n empty places; the players held before are deleted.
    void Create(int n);
    // Deletes every player and empties the list.
    void DeleteAll();
    // cMidi::Stop(bPause) on every loaded player.
    void StopAll(int bPause);
    // Pauses and deletes every loaded player, then, when szPath ends in ".mid" (exactly),
    // loads it into place nPlayer and starts it with the loop flag. 1 when it plays; 0 when the
    // name is not a MIDI file's, the place does not exist, the file is missing or invalid, or no
    // stream could be opened for it.
    int Play(int nPlayer, const char* szPath, int bLoop);

    int Count() const { return static_cast<int>(m_Players.size()); }
    // The player in place n, or null.
    cMidi* Player(int n) const;

private:
    std::vector<std::unique_ptr<cMidi>> m_Players;
};
