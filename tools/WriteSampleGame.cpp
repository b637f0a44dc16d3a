// write-sample-game FOLDER: writes the sample game (settings, databases, world map, stages,
// bitmaps, sounds and MIDI music) into FOLDER, creating it when needed and replacing the files it
// writes. The output is the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "SampleGame.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "write-sample-game");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        std::filesystem::create_directories(folder);
        if (!testsupport::WriteGameFolder(folder, testsupport::SampleGame())) {
            std::fprintf(stderr, "Some music files could not be written.\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "The sample game could not be written to %s: %s\n", folder.string().c_str(), e.what());
        return 1;
    }
    std::printf("The sample game was written to %s\n", folder.string().c_str());
    return 0;
}
