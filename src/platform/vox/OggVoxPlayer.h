// The library's player: one VoxSource, registered with the mixer from its first Play until
// Destroy.
#pragma once

#include <memory>
#include <mutex>

#include "platform/vox/VoxPlayer.h"
#include "platform/vox/VoxSource.h"

class OggVoxPlayer final : public VoxPlayer {
public:
    OggVoxPlayer();

    unsigned char Open(const char* szPath) override;
    void Play() override;
    void Stop() override;
    void Reset() override;
    void SetLoop(int nCount) override;
    int IsPlaying() override;
    void Destroy() override;

private:
    ~OggVoxPlayer();

    std::mutex m_Lock;  // guards m_bInMixer
    bool m_bInMixer = false;
    std::shared_ptr<VoxSource> m_Source;
};
