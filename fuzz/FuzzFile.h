// A file of one fuzz process's own in the temporary folder, as a host path and as the game's path
// ("Z:" and backslashes), for the targets whose readers take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

struct FuzzFile {
    std::string host;
    std::string game;
    explicit FuzzFile(const char* suffix)
    {
        std::random_device random;
        host = (std::filesystem::temp_directory_path() / ("qb_fuzz_" + std::to_string(random()) + suffix)).string();
        game = "Z:" + host;
        for (char& c : game) {
            c = c == '/' ? '\\' : c;
        }
    }
    ~FuzzFile()
    {
        std::remove(host.c_str());
        std::remove((host + ".damaged").c_str());
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Replaces the file's contents; false when it cannot be written.
    bool Write(const std::uint8_t* data, std::size_t size) const
    {
        FILE* fp = std::fopen(host.c_str(), "wb");
        if (fp == nullptr) {
            return false;
        }
        const bool ok = size == 0 || std::fwrite(data, 1, size, fp) == size;
        return std::fclose(fp) == 0 && ok;
    }
};
