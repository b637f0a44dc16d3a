// The sound of one OGG player: decodes its Ogg Vorbis file on the audio thread and adds it to the
// mixer, converted to stereo at the output rate (linear interpolation when the rates differ).
// At the end of the file it jumps back to the start without a gap while loops remain.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host/AudioOutput.h"

struct OggVorbis_File;

class VoxSource : public AudioSource {
public:
    VoxSource();
    ~VoxSource() override;
    VoxSource(const VoxSource&) = delete;
    VoxSource& operator=(const VoxSource&) = delete;

    // Opens a file (host path) in place of the current one, stopped at its start, for output at
    // outputRate frames per second. False (and nothing open) for a missing file, a stream that is
    // not Vorbis, or one of more than 2 channels.
    bool Open(const std::string& hostPath, int outputRate);
    // Stops and closes the file; the loop count goes back to 0.
    void Close();
    // See VoxPlayer::SetLoop.
    void SetLoop(int nCount);
    void Start();
    void Halt();
    bool IsPlaying();

    // Audio thread: adds up to `frames` frames while playing; stops by itself at the end.
    void Render(float* out, std::size_t frames) override;

private:
    struct FileCloser {
        void operator()(OggVorbis_File* vf) const;
    };
    using File = std::unique_ptr<OggVorbis_File, FileCloser>;

    void RenderSameRate(float* out, std::size_t frames);
    bool NextSourceFrame(float& left, float& right);
    bool Refill();
    void ResetResampler();

    std::mutex m_Lock;
    File m_File;
    bool m_bPlaying = false;
    int m_LoopsLeft = 0;  // VOX_LOOP_ENDLESS: endless
    double m_Step = 1.0;  // source frames per output frame
    // Decoded stereo frames not yet used.
    std::vector<float> m_Buffer;
    std::size_t m_BufferPos = 0;
    // Resampler: the two source frames around the output position and the fraction between them.
    float m_Cur[2] = {};
    float m_Next[2] = {};
    double m_Phase = 0.0;
    bool m_bPrimed = false;
    bool m_bLastFrame = false;  // m_Next is past the end: m_Cur is the last frame
};
