#include "input/cReplaySaveData.h"

cReplaySaveData ReplaySaveData;

void cReplaySaveData::Begin(const cSaveData& replaySave)
{
    if (!m_bActive) {
        m_PlayerSave = SaveData;
        m_bActive = true;
    }
    m_ReplaySave = replaySave;
    SaveData = replaySave;
}

void cReplaySaveData::Restart()
{
    if (m_bActive) {
        SaveData = m_ReplaySave;
    }
}

void cReplaySaveData::End()
{
    if (!m_bActive) {
        return;
    }
    SaveData = m_PlayerSave;
    m_bActive = false;
}
