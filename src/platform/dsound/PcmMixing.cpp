#include "platform/dsound/PcmMixing.h"

#include <algorithm>
#include <cmath>

namespace {

struct U8Mono {
    static constexpr unsigned kBlock = 1;
    static void Read(const BYTE* p, float& l, float& r)
    {
        l = r = static_cast<float>(static_cast<int>(p[0]) - 128) * (1.0f / 128.0f);
    }
};
struct U8Stereo {
    static constexpr unsigned kBlock = 2;
    static void Read(const BYTE* p, float& l, float& r)
    {
        l = static_cast<float>(static_cast<int>(p[0]) - 128) * (1.0f / 128.0f);
        r = static_cast<float>(static_cast<int>(p[1]) - 128) * (1.0f / 128.0f);
    }
};
inline float S16(const BYTE* p)
{
    const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    return static_cast<float>(v) * (1.0f / 32768.0f);
}
struct S16Mono {
    static constexpr unsigned kBlock = 2;
    static void Read(const BYTE* p, float& l, float& r) { l = r = S16(p); }
};
struct S16Stereo {
    static constexpr unsigned kBlock = 4;
    static void Read(const BYTE* p, float& l, float& r)
    {
        l = S16(p);
        r = S16(p + 2);
    }
};

constexpr float kFracScale = 1.0f / 4294967296.0f;

// One output frame interpolated between source frames a and b.
template <class R>
inline void MixFrame(const BYTE* a, const BYTE* b, std::uint64_t position, float gain, float* out)
{
    float l0, r0, l1, r1;
    R::Read(a, l0, r0);
    R::Read(b, l1, r1);
    const float frac = static_cast<float>(position & 0xFFFFFFFFu) * kFracScale;
    out[0] += (l0 + (l1 - l0) * frac) * gain;
    out[1] += (r0 + (r1 - r0) * frac) * gain;
}

// Frames whose source position is a whole frame need no interpolation: sounds at the output rate.
template <class R>
inline void MixRunWhole(const BYTE* data, std::uint64_t pos, std::uint64_t count, float gain, float* out)
{
    const BYTE* p = data + (pos >> 32) * R::kBlock;
    for (std::uint64_t k = 0; k < count; ++k, p += R::kBlock, out += 2) {
        float l, r;
        R::Read(p, l, r);
        out[0] += l * gain;
        out[1] += r * gain;
    }
}

template <class R>
inline void MixRun(const BYTE* data, std::uint64_t pos, std::uint64_t step, std::uint64_t count, float gain, float* out)
{
    for (std::uint64_t k = 0; k < count; ++k, pos += step, out += 2) {
        const BYTE* a = data + (pos >> 32) * R::kBlock;
        MixFrame<R>(a, a + R::kBlock, pos, gain, out);
    }
}

template <class R>
bool Mix(PcmVoice& v, float gain, std::uint64_t step, float* out, std::size_t frames)
{
    const BYTE* const data = v.data;
    const std::uint64_t n = v.frameCount;
    const std::uint64_t end = n << 32;
    std::uint64_t pos = v.position;
    std::size_t i = 0;
    while (i < frames) {
        if (pos >= end) {
            if (!v.looping) {
                break;
            }
            pos %= end;
        }
        const std::uint64_t index = pos >> 32;
        if (index + 1 < n) {
            // Every frame whose position stays below the last source frame has both neighbours.
            const std::uint64_t limit = (n - 1) << 32;
            const std::uint64_t run = std::min<std::uint64_t>((limit - pos - 1) / step + 1, frames - i);
            if (step == (std::uint64_t{1} << 32) && (pos & 0xFFFFFFFFu) == 0) {
                MixRunWhole<R>(data, pos, run, gain, out + 2 * i);
            } else {
                MixRun<R>(data, pos, step, run, gain, out + 2 * i);
            }
            i += run;
            pos += run * step;
        } else {
            const BYTE* a = data + index * R::kBlock;
            MixFrame<R>(a, v.looping ? data : a, pos, gain, out + 2 * i);
            ++i;
            pos += step;
        }
    }
    if (pos >= end && !v.looping) {
        v.position = 0;
        return false;
    }
    v.position = pos;
    return true;
}

}  // namespace

bool IsPlayablePcmFormat(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= 100 && f.nSamplesPerSec <= 200000 &&
           f.nBlockAlign == f.nChannels * (f.wBitsPerSample / 8);
}

float VolumeToGain(LONG volume)
{
    if (volume <= -10000) {
        return 0.0f;
    }
    if (volume >= 0) {
        return 1.0f;
    }
    return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}

std::uint64_t PcmStep(DWORD sourceRate, int outputRate)
{
    if (outputRate <= 0) {
        return std::uint64_t{1} << 32;
    }
    return std::max<std::uint64_t>((std::uint64_t{sourceRate} << 32) / static_cast<std::uint64_t>(outputRate), 1);
}

bool MixPcmVoice(PcmVoice& voice, float gain, std::uint64_t step, float* out, std::size_t frames)
{
    if (voice.frameCount == 0 || voice.data == nullptr || voice.format == nullptr) {
        voice.position = 0;
        return false;
    }
    const bool stereo = voice.format->nChannels == 2;
    if (voice.format->wBitsPerSample == 8) {
        return stereo ? Mix<U8Stereo>(voice, gain, step, out, frames) : Mix<U8Mono>(voice, gain, step, out, frames);
    }
    return stereo ? Mix<S16Stereo>(voice, gain, step, out, frames) : Mix<S16Mono>(voice, gain, step, out, frames);
}
