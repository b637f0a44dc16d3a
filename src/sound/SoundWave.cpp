// Reading the WAV files of the sound effects.
#include "platform/dsound/WaveFile.h"
#include "sound/SoundEffects.h"

bool DS_ReadWave(const char* szName, WAVEDATA* pWave)
{
    WaveFileData file;
    if (!ReadWaveFile(szName, file)) {
        return false;
    }
    pWave->format = file.format;
    pWave->samples = std::move(file.samples);
    return true;
}

void DS_FreeWave(WAVEDATA* pWave)
{
    pWave->samples.clear();
    pWave->samples.shrink_to_fit();
}
