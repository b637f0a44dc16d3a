#include "platform/host/SdlAudioDevice.h"

#include <SDL.h>
#include <dlfcn.h>

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

// ALSA's error handler: the library's own type, variadic like printf.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler handler);

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...)
{}

// On a machine without a sound card ALSA writes its own lines about the missing card to standard
// error while SDL probes it; the player already says in its report log that it runs without
// sound, and standard error is kept for what the user must act on. ALSA is the same library
// instance that SDL loads later (the loader shares it by name), so its handler set here holds for
// SDL's use too. The library stays loaded for the process; without ALSA nothing is done.
void QuietAlsaErrors()
{
    static const bool bDone = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (alsa == nullptr) {
            return false;
        }
        auto setHandler = reinterpret_cast<AlsaSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        return setHandler != nullptr && setHandler(IgnoreAlsaError) == 0;
    }();
    static_cast<void>(bDone);
}

}  // namespace

std::unique_ptr<SdlAudioDevice> SdlAudioDevice::Open(AudioMixer& mixer)
{
    QuietAlsaErrors();
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
