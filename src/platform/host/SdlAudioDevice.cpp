#include "platform/host/SdlAudioDevice.h"

#include <SDL.h>

#include <cstdint>

#include "platform/host/AudioMixer.h"

namespace {

constexpr int kWantedRate = 44100;
// 512 frames: about 12 ms per callback, short enough for sound effects to start promptly.
constexpr Uint16 kCallbackFrames = 512;

void SDLCALL MixCallback(void* userdata, Uint8* stream, int len)
{
    auto* mixer = static_cast<AudioMixer*>(userdata);
    mixer->Mix(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(len) / 4);
}

}  // namespace

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::Open(AudioMixer& mixer)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return nullptr;
    }
    SDL_AudioSpec want{};
    want.freq = kWantedRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kCallbackFrames;
    want.callback = MixCallback;
    want.userdata = &mixer;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(id, 0);
    return std::unique_ptr<SdlAudioDevice>(new SdlAudioDevice(id, have.freq));
}

SdlAudioDevice::~SdlAudioDevice()
{
    SDL_CloseAudioDevice(deviceId_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
