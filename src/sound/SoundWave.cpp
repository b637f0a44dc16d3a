// Reading the WAV files of the sound effects.
#include "core/ReportLog.h"
#include "platform/dsound/WaveFile.h"
#include "sound/SoundEffects.h"

bool DS_ReadWave(const char* szName, WAVEDATA* pWave)
{
    WaveFileData file;
    if (!ReadWaveFile(szName, file)) {
        return false;
    }
    if (file.nDeclaredBytes > file.samples.size()) {
        // A cut-short file plays what it holds; the report says so, for the game's author.
        ReportLog("%s : wave data cut short, %zu of %zu bytes played", szName, file.samples.size(),
                  file.nDeclaredBytes);
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
