#include "sound/MidiPlayers.h"

#include "core/CheckedAccess.h"

namespace {

// True when the file name's extension is exactly "mid" (a name ending ".MID" or ".Mid" is not
// played).
bool HasMidiExtension(const char* szPath)
{
    if (szPath == nullptr) return false;
    const std::string path = szPath;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return false;
    return path.compare(dot + 1, std::string::npos, "mid") == 0;
}

}  // namespace

void cMidiPlayers::Create(int n)
{
    DeleteAll();
    m_Players.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
}

void cMidiPlayers::DeleteAll()
{
    m_Players.clear();
}

void cMidiPlayers::StopAll(int bPause)
{
    for (auto& player : m_Players) {
        if (player) player->Stop(bPause);
    }
}

int cMidiPlayers::Play(int nPlayer, const char* szPath, int bLoop)
{
    StopAll(1);
    for (auto& player : m_Players) player.reset();
    if (!HasMidiExtension(szPath)) return 0;
    if (nPlayer < 0 || nPlayer >= Count()) {
        ReportBadIndex('V', nPlayer, m_Players.size(), sizeof(std::unique_ptr<cMidi>));
        return 0;
    }
    m_Players[nPlayer] = std::make_unique<cMidi>(szPath);
    cMidi* player = m_Players[nPlayer].get();
    if (player->Song() == nullptr || !player->IsStreamOpen()) return 0;
    player->Restart(bLoop);
    return 1;
}

cMidi* cMidiPlayers::Player(int n) const
{
    return n >= 0 && n < Count() ? m_Players[n].get() : nullptr;
}
