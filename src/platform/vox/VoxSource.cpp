#include "platform/vox/VoxSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>

#include "platform/vox/VoxPlayer.h"

namespace {

constexpr int kReadFrames = 4096;
constexpr int kMaxRate = 384000;

// The file at hostPath opened for reading when it is a regular file (a FIFO or a device in its
// place would block or never end); nullptr otherwise.
FILE* OpenRegularFile(const std::string& hostPath)
{
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    FILE* fp = ::fdopen(fd, "rb");
    if (fp == nullptr) {
        ::close(fd);
    }
    return fp;
}

}  // namespace

void VoxSource::FileCloser::operator()(OggVorbis_File* vf) const
{
    ov_clear(vf);
    delete vf;
}

VoxSource::VoxSource() = default;
VoxSource::~VoxSource() = default;

bool VoxSource::Open(const std::string& hostPath, int outputRate)
{
    // Opened outside the lock: reading the headers must not hold up the audio thread.
    File file(new OggVorbis_File{});
    FILE* fp = OpenRegularFile(hostPath);
    // On success the decoder owns fp (ov_clear closes it); on failure it is still ours.
    if (fp == nullptr || ov_open_callbacks(fp, file.get(), nullptr, 0, OV_CALLBACKS_DEFAULT) != 0) {
        if (fp != nullptr) {
            std::fclose(fp);
        }
        delete file.release();  // nothing of it to clear
        Close();
        return false;
    }
    const vorbis_info* info = ov_info(file.get(), -1);
    if (info == nullptr || info->channels < 1 || info->channels > 2 || info->rate <= 0 || info->rate > kMaxRate) {
        Close();
        return false;
    }
    const double step = static_cast<double>(info->rate) / (outputRate > 0 ? outputRate : 44100);
    File old;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        old = std::move(m_File);
        m_File = std::move(file);
        m_bPlaying = false;
        m_LoopsLeft = 0;
        m_Step = step;
        ResetResampler();
    }
    return true;
}

void VoxSource::Close()
{
    File old;
    std::lock_guard<std::mutex> lock(m_Lock);
    old = std::move(m_File);
    m_bPlaying = false;
    m_LoopsLeft = 0;
    ResetResampler();
}

void VoxSource::SetLoop(int nCount)
{
    std::lock_guard<std::mutex> lock(m_Lock);
    m_LoopsLeft = nCount < 0 ? 0 : nCount;
}

void VoxSource::Start()
{
    std::lock_guard<std::mutex> lock(m_Lock);
    m_bPlaying = m_File != nullptr;
}

void VoxSource::Halt()
{
    std::lock_guard<std::mutex> lock(m_Lock);
    m_bPlaying = false;
}

bool VoxSource::IsPlaying()
{
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_bPlaying;
}

void VoxSource::ResetResampler()
{
    m_Buffer.clear();
    m_BufferPos = 0;
    m_Phase = 0.0;
    m_bPrimed = false;
    m_bLastFrame = false;
}

void VoxSource::Render(float* out, std::size_t frames)
{
    std::lock_guard<std::mutex> lock(m_Lock);
    if (!m_bPlaying || !m_File) return;
    if (m_Step == 1.0) {
        RenderSameRate(out, frames);
        return;
    }
    if (!m_bPrimed) {
        if (!NextSourceFrame(m_Cur[0], m_Cur[1])) {
            m_bPlaying = false;
            return;
        }
        if (!NextSourceFrame(m_Next[0], m_Next[1])) {
            m_Next[0] = m_Cur[0];
            m_Next[1] = m_Cur[1];
            m_bLastFrame = true;
        }
        m_bPrimed = true;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(m_Phase);
        out[2 * i] += m_Cur[0] + (m_Next[0] - m_Cur[0]) * t;
        out[2 * i + 1] += m_Cur[1] + (m_Next[1] - m_Cur[1]) * t;
        m_Phase += m_Step;
        while (m_Phase >= 1.0) {
            m_Phase -= 1.0;
            if (m_bLastFrame) {
                m_bPlaying = false;
                ResetResampler();
                return;
            }
            m_Cur[0] = m_Next[0];
            m_Cur[1] = m_Next[1];
            if (!NextSourceFrame(m_Next[0], m_Next[1])) {
                m_Next[0] = m_Cur[0];
                m_Next[1] = m_Cur[1];
                m_bLastFrame = true;
            }
        }
    }
}

// The file's rate is the output rate: decoded frames are added as they are.
void VoxSource::RenderSameRate(float* out, std::size_t frames)
{
    std::size_t done = 0;
    while (done < frames) {
        if (m_BufferPos >= m_Buffer.size() && !Refill()) {
            m_bPlaying = false;
            ResetResampler();
            return;
        }
        const std::size_t n = std::min(frames - done, (m_Buffer.size() - m_BufferPos) / 2);
        const float* src = m_Buffer.data() + m_BufferPos;
        float* dst = out + 2 * done;
        for (std::size_t i = 0; i < 2 * n; ++i) dst[i] += src[i];
        m_BufferPos += 2 * n;
        done += n;
    }
}

bool VoxSource::NextSourceFrame(float& left, float& right)
{
    if (m_BufferPos >= m_Buffer.size() && !Refill()) return false;
    left = m_Buffer[m_BufferPos];
    right = m_Buffer[m_BufferPos + 1];
    m_BufferPos += 2;
    return true;
}

// Decodes the next block; at the end of the file, goes back to the start while loops remain.
bool VoxSource::Refill()
{
    bool bJustRewound = false;
    for (int attempt = 0; attempt < 64; ++attempt) {
        float** pcm = nullptr;
        int section = 0;
        const long n = ov_read_float(m_File.get(), &pcm, kReadFrames, &section);
        if (n > 0) {
            const vorbis_info* info = ov_info(m_File.get(), section);
            const int channels = info != nullptr ? info->channels : 1;
            m_Buffer.resize(static_cast<std::size_t>(n) * 2);
            for (long i = 0; i < n; ++i) {
                m_Buffer[2 * i] = pcm[0][i];
                m_Buffer[2 * i + 1] = channels >= 2 ? pcm[1][i] : pcm[0][i];
            }
            m_BufferPos = 0;
            return true;
        }
        if (n == OV_HOLE) continue;  // a gap in the data: go on with what follows
        if (n < 0 || m_LoopsLeft == 0 || bJustRewound) return false;
        if (m_LoopsLeft != VOX_LOOP_ENDLESS) --m_LoopsLeft;
        if (ov_pcm_seek(m_File.get(), 0) != 0) return false;
        bJustRewound = true;
    }
    return false;
}
