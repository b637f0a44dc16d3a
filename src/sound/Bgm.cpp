#include "sound/Bgm.h"

#include <cstring>

#include "core/CheckedAccess.h"
#include "core/Paths.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"

cBgm BgmPlayer;
BgmNameTable BgmOggNames = {"bgm\\Title.ogg", "bgm\\WorldMap.ogg", "bgm\\Challenge.ogg", "bgm\\Option.ogg",
                            "bgm\\Stage.ogg"};
BgmNameTable BgmMidiNames = {"bgm\\Title.mid", "bgm\\WorldMap.mid", "bgm\\Challenge.mid", "bgm\\Option.mid",
                             "bgm\\Stage.mid"};

cBgm::cBgm() = default;

cBgm::~cBgm()
{
    UnInit();
}

int cBgm::Init(int nPlayers, BgmNameTable* pOggTable, BgmNameTable* pMidiTable, int nSlots)
{
    if (m_bInit) UnInit();
    m_bInit = 1;
    m_Midi.DeleteAll();
    const int bVox = m_Vox.Init();
    if (!bVox) {
        static const std::string kFailed = Sjis("m_Vox.Init失敗！");
        ECLog(kFailed.c_str());
    }
    // Without the OGG library the manager is still set up: MIDI music needs none of it.
    CreatePlayers(nPlayers);
    m_szOggName = pOggTable;
    m_szMidiName = pMidiTable;
    m_SlotType.assign(nSlots > 0 ? static_cast<std::size_t>(nSlots) : 0, kBgmBoth);
    return bVox;
}

int cBgm::CreatePlayers(int n)
{
    m_Midi.Create(n);
    if (m_Vox.m_lpCreateVox != nullptr) m_Vox.Create(n);
    m_Engine.assign(n > 0 ? static_cast<std::size_t>(n) : 0, kBgmEngineNone);
    return 1;
}

bool cBgm::SlotExists(int nSlot) const
{
    const bool bExists = m_szOggName != nullptr && m_szMidiName != nullptr && nSlot >= 0 &&
                         nSlot < static_cast<int>(m_SlotType.size()) && nSlot < static_cast<int>(m_szOggName->size()) &&
                         nSlot < static_cast<int>(m_szMidiName->size());
    if (!bExists) ReportBadIndex('V', nSlot, m_SlotType.size(), sizeof(int));
    return bExists;
}

int cBgm::SetFile(int nSlot, const char* szPath)
{
    if (!m_bInit) return 1;
    if (!SlotExists(nSlot)) return 0;
    std::string& oggName = (*m_szOggName)[nSlot];
    std::string& midiName = (*m_szMidiName)[nSlot];
    char ext[MAX_PATH] = {};
    const bool bFits = szPath != nullptr && std::strlen(szPath) < MAX_PATH;
    if (!bFits || !GetExtension(ext, szPath)) {
        oggName.clear();
        midiName.clear();
        m_SlotType[nSlot] = kBgmBoth;
        return 0;
    }
    // The extension must match exactly: "Mid" or "Ogg" are other extensions.
    if (std::strcmp(ext, "mid") == 0 || std::strcmp(ext, "MID") == 0) {
        char changed[MAX_PATH] = {};
        ChangeExtension(changed, szPath, "mid");
        midiName = changed;
        m_SlotType[nSlot] = kBgmMidiOnly;
        return 1;
    }
    if (std::strcmp(ext, "ogg") == 0 || std::strcmp(ext, "OGG") == 0) {
        oggName = szPath;
        m_SlotType[nSlot] = kBgmOggOnly;
        return 1;
    }
    oggName = szPath;
    midiName = szPath;
    m_SlotType[nSlot] = kBgmBoth;
    return 0;
}

int cBgm::Play(int nPlayer, int nSlot, int bLoop, int bPauseMidi, int bForce)
{
    if (!m_bInit) return 1;
    if (nSlot == m_nSlot && !bForce) return 1;  // the music already asked for keeps playing
    m_nSlot = nSlot;
    if (!SlotExists(nSlot)) return PlayFailed(nPlayer);
    const std::string oggName = (*m_szOggName)[nSlot];
    const std::string midiName = (*m_szMidiName)[nSlot];
    switch (m_SlotType[nSlot]) {
    case kBgmBoth:
        if (m_Vox.Play(nPlayer, oggName.c_str(), bLoop)) {
            m_Engine[nPlayer] = kBgmEngineOgg;
            m_Midi.StopAll(bPauseMidi);
            return 1;
        }
        if (m_Midi.Play(nPlayer, midiName.c_str(), bLoop)) {
            m_Engine[nPlayer] = kBgmEngineMidi;
            m_Vox.Stop();
            return 1;
        }
        break;
    case kBgmOggOnly:
        if (m_Vox.Play(nPlayer, oggName.c_str(), bLoop)) {
            m_Engine[nPlayer] = kBgmEngineOgg;
            m_Midi.StopAll(0);
            return 1;
        }
        break;
    case kBgmMidiOnly:
        if (m_Midi.Play(nPlayer, midiName.c_str(), bLoop)) {
            m_Engine[nPlayer] = kBgmEngineMidi;
            m_Vox.Stop();
            return 1;
        }
        break;
    default: break;
    }
    return PlayFailed(nPlayer);
}

int cBgm::PlayFailed(int nPlayer)
{
    m_Engine[nPlayer] = kBgmEngineNone;
    m_nSlot = -1;
    m_Vox.Stop();
    m_Midi.StopAll(0);
    return 0;
}

void cBgm::Stop()
{
    if (!m_bInit) return;
    m_Midi.StopAll(0);
    m_Vox.Stop();
}

void cBgm::UnInit()
{
    if (!m_bInit) return;
    m_Vox.UnInit();
    m_Midi.DeleteAll();
    m_bInit = 0;
}
