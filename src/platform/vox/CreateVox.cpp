// The library's one export, found by the music manager with GetProcAddress.
#include <new>

#include "platform/vox/OggVoxPlayer.h"

extern "C" __attribute__((visibility("default"))) VoxPlayer* CreateVox()
{
    try {
        return new OggVoxPlayer();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
