#include "objects/ObjectSounds.h"

#include "sound/SoundEffects.h"

void PlayObjectSound(int nSound)
{
    if (nSound <= 0 || nSound > 32767) {
        return;
    }
    PlayDatabaseSE(static_cast<short>(nSound));
}

void PlayObjectSystemSound(int n)
{
    if (n <= 0) {
        return;
    }
    PlaySE(n);
}
