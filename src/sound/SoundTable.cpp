// The sound table, the list it is built from, and the option's volume steps.
#include <algorithm>

#include "sound/SoundEffects.h"

cVector<DSSOUNDDATA> SoundTable;
cVector<SOUNDINFO> SoundInfoList;

const int SeVolumeTable[11] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

namespace {

constexpr int kSystemSoundCount = 17;

}  // namespace

int SeVolume(int nStep)
{
    return SeVolumeTable[std::clamp(nStep, 0, 10)];
}

void BuildSoundList(const std::vector<std::string>& systemSoundNames, const std::vector<std::string>& soundFileNames)
{
    // Entry 0 of the database has no slot, so n entries give n + 15 numbers past the system
    // sounds' 0..16; a database without entries still needs the 17 system slots.
    const std::size_t entries = std::max<std::size_t>(soundFileNames.size(), 1);
    const std::size_t size = entries + kSystemSoundCount - 1;
    SoundTable.clear();
    SoundTable.resize(size);
    SoundInfoList.clear();
    SoundInfoList.resize(size);
    for (int i = 0; i < static_cast<int>(size); ++i) {
        SOUNDINFO& info = SoundInfoList[i];
        if (i < kSystemSoundCount) {
            info.szFileName = static_cast<std::size_t>(i) < systemSoundNames.size() ? systemSoundNames[i] : "";
        } else {
            info.szFileName = soundFileNames[static_cast<std::size_t>(i - kSystemSoundCount + 1)];
        }
        info.nBufferCount = 1;
        info.nVolume = 0;
    }
}
