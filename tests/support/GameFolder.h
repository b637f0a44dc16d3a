// A temporary game folder for a test: a fresh folder under the system's temporary folder that is
// the current folder (the game folder the player runs in) for the life of the object. The
// previous current folder comes back and the folder is removed afterwards.
//
// Files are written with the standard library, independently of the stand-in's file functions;
// paths are given in the game's form ("data\database\Sound.dat", '\' or '/' separators).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    // The folder's host path.
    const std::filesystem::path& Root() const { return m_root; }
    // Host path of a file or folder given by its game path relative to the folder.
    std::filesystem::path Host(std::string_view gamePath) const;

    // Writes a file (creating its folders), replacing any old one.
    void Write(std::string_view gamePath, const std::vector<std::uint8_t>& bytes) const;
    void Write(std::string_view gamePath, std::string_view bytes) const;
    // Reads a whole file; empty when it is missing.
    std::string Read(std::string_view gamePath) const;
    bool Exists(std::string_view gamePath) const;
    // Removes a file or folder (with its contents); nothing when it is missing.
    void Remove(std::string_view gamePath) const;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_root;
};

}  // namespace testsupport
