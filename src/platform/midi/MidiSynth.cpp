#include "platform/midi/MidiSynth.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/host/AudioOutput.h"
#include "platform/midi/FluidMidiSynth.h"

namespace {

class SilentMidiSynth : public MidiSynth {
public:
    void Send(DWORD, const BYTE*, std::size_t) override {}
};

std::mutex g_Lock;
std::shared_ptr<MidiSynth> g_Synth;
std::shared_ptr<FluidMidiSynth> g_Fluid;  // also registered with the mixer
bool g_bOpened = false;
bool g_bResult = false;
std::string g_Why;

bool IsFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string SoundFontInGameFolder()
{
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && LowerCase(name.substr(name.size() - 4)) == ".sf2" && IsFile(entry.path()))
            found.push_back(name);
    }
    if (found.empty()) return "";
    std::sort(found.begin(), found.end(),
              [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    return std::filesystem::absolute(found.front()).string();
}

}  // namespace

std::string FindSoundFont()
{
    if (const char* named = std::getenv("QB_SOUNDFONT"); named != nullptr && *named != '\0' && IsFile(named))
        return named;
    if (std::string inGame = SoundFontInGameFolder(); !inGame.empty()) return inGame;
    const char* debianDefault = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    return IsFile(debianDefault) ? debianDefault : "";
}

bool OpenMidiSynth(std::string* pWhy)
{
    std::lock_guard<std::mutex> lock(g_Lock);
    if (!g_bOpened && !g_Synth && !AudioOutputIsReal()) {
        return true;  // nobody can hear it: the SoundFont waits for a real device
    }
    if (!g_bOpened) {
        g_bOpened = true;
        if (g_Synth) {
            g_bResult = true;
        } else if (const std::string soundFont = FindSoundFont(); soundFont.empty()) {
            g_Why = "no SoundFont: set QB_SOUNDFONT, put a .sf2 file in the game folder or install "
                    "timgm6mb-soundfont";
        } else if (auto fluid = FluidMidiSynth::Create(soundFont, AudioOutputRate(), &g_Why)) {
            g_Fluid = fluid;
            g_Synth = fluid;
            AddAudioSource(fluid);
            g_bResult = true;
        }
    }
    if (!g_bResult && pWhy != nullptr) *pWhy = g_Why;
    return g_bResult;
}

std::shared_ptr<MidiSynth> GetMidiSynth()
{
    std::lock_guard<std::mutex> lock(g_Lock);
    if (g_Synth) return g_Synth;
    static const auto silent = std::make_shared<SilentMidiSynth>();
    return silent;
}

void SetMidiSynth(std::shared_ptr<MidiSynth> synth)
{
    std::shared_ptr<FluidMidiSynth> old;
    {
        std::lock_guard<std::mutex> lock(g_Lock);
        old = std::move(g_Fluid);
        g_Synth = std::move(synth);
        g_bOpened = g_Synth != nullptr;
        g_bResult = g_bOpened;
        g_Why.clear();
    }
    if (old) RemoveAudioSource(old.get());
}
