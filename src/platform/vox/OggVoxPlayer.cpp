#include "platform/vox/OggVoxPlayer.h"

#include "platform/win/Files.h"

OggVoxPlayer::OggVoxPlayer() : m_Source(std::make_shared<VoxSource>())
{}

OggVoxPlayer::~OggVoxPlayer() = default;

unsigned char OggVoxPlayer::Open(const char* szPath)
{
    if (szPath == nullptr || *szPath == '\0') return 0;
    return m_Source->Open(HostPath(szPath), AudioOutputRate()) ? 1 : 0;
}

void OggVoxPlayer::Play()
{
    m_Source->Start();
    std::lock_guard<std::mutex> lock(m_Lock);
    if (!m_bInMixer) {
        AddAudioSource(m_Source);
        m_bInMixer = true;
    }
}

void OggVoxPlayer::Stop()
{
    m_Source->Halt();
}

void OggVoxPlayer::Reset()
{
    m_Source->Close();
}

void OggVoxPlayer::SetLoop(int nCount)
{
    m_Source->SetLoop(nCount);
}

int OggVoxPlayer::IsPlaying()
{
    return m_Source->IsPlaying() ? 1 : 0;
}

void OggVoxPlayer::Destroy()
{
    m_Source->Close();
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        if (m_bInMixer) RemoveAudioSource(m_Source.get());
        m_bInMixer = false;
    }
    delete this;
}
