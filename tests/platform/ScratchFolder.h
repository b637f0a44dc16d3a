// A fresh folder under /tmp that is the current folder for the life of the object; the previous
// current folder comes back and the folder is removed afterwards. Files are made and read here
// with the standard library, independently of the stand-in's file functions.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ScratchFolder {
public:
    ScratchFolder() : m_previous(std::filesystem::current_path())
    {
        char pattern[] = "/tmp/qb_files_XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made != nullptr ? made : "";
        if (!m_path.empty()) {
            std::filesystem::current_path(m_path);
        }
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The host path, e.g. "/tmp/qb_files_abc123".
    const std::string& Path() const { return m_path; }
    // The same folder as the game writes it: "Z:\tmp\qb_files_abc123".
    std::string GameForm() const
    {
        std::string game = "Z:" + m_path;
        for (char& c : game) {
            if (c == '/') c = '\\';
        }
        return game;
    }

    static void Write(const std::string& hostPath, const std::string& bytes)
    {
        const std::filesystem::path path(hostPath);
        if (path.has_parent_path()) {
            std::filesystem::create_directories(path.parent_path());
        }
        std::ofstream(hostPath, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& hostPath)
    {
        std::ifstream in(hostPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& hostPath)
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(hostPath, ignored));
    }

private:
    std::filesystem::path m_previous;
    std::string m_path;
};
