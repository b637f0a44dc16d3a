// write-sample-game [--help] [--] FOLDER: writes the sample game (settings, databases, world map,
// stages, bitmaps, sounds and MIDI music) into FOLDER, creating it when needed and replacing the
// files it writes. The output is the same on every run. Exit codes: 0 written (or the usage asked
// for), 1 not written, 2 a command line it cannot use (an unknown option is refused, never taken
// for a folder's name; "--" lets a folder's name start with '-').
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "SampleGame.h"

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* out, const char* program)
{
    std::fprintf(out, "usage: %s [--help] [--] FOLDER\n", program);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "write-sample-game";
    const char* target = nullptr;
    bool bOptionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!bOptionsEnded && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            PrintUsage(stdout, program);
            std::printf("Writes the sample game into FOLDER, creating it when needed.\n");
            return kExitWritten;
        }
        if (!bOptionsEnded && std::strcmp(arg, "--") == 0) {
            bOptionsEnded = true;
        } else if (!bOptionsEnded && arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "%s: unknown option: %s\n", program, arg);
            PrintUsage(stderr, program);
            return kExitUsage;
        } else if (target != nullptr) {
            std::fprintf(stderr, "%s: more than one folder\n", program);
            PrintUsage(stderr, program);
            return kExitUsage;
        } else {
            target = arg;
        }
    }
    if (target == nullptr) {
        PrintUsage(stderr, program);
        return kExitUsage;
    }
    const std::filesystem::path folder = target;
    try {
        std::filesystem::create_directories(folder);
        if (!testsupport::WriteGameFolder(folder, testsupport::SampleGame())) {
            std::fprintf(stderr, "Some music files could not be written.\n");
            return kExitFailed;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "The sample game could not be written to %s: %s\n", folder.string().c_str(), e.what());
        return kExitFailed;
    }
    std::printf("The sample game was written to %s\n", folder.string().c_str());
    return kExitWritten;
}
