// Fixtures shared by the core tests: a temporary folder as the current folder, a main window whose
// posted messages can be counted, and an independent little-endian byte writer for record files.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/AppGlobals.h"
#include "platform/win/Files.h"
#include "platform/win/Messages.h"
#include "support/TestMainWindow.h"

namespace coretest {

// Makes a fresh folder the current folder for the life of the object, then restores the old
// current folder and removes the temporary one.
class TempFolder {
public:
    TempFolder()
    {
        char previous[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, previous);
        m_previous = previous;
        static std::atomic<int> counter{0};
        std::random_device random;
        m_host = std::filesystem::temp_directory_path() /
                 ("qb_core_" + std::to_string(random()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(m_host);
        SetCurrentDirectoryA(GamePath(m_host.string()).c_str());
    }
    ~TempFolder() { Remove(); }
    // Restores the old current folder and removes the temporary one (also for a process that
    // ends with exit(), which skips destructors).
    void Remove()
    {
        SetCurrentDirectoryA(m_previous.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(m_host, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Host path of a file or folder in the temporary folder ('/' separated relative name).
    std::filesystem::path Host(const std::string& relative) const { return m_host / relative; }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(Host(relative)); }
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(Host(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::create_directories(Host(relative).parent_path());
        std::ofstream out(Host(relative), std::ios::binary);
        out << bytes;
    }
    void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(Host(relative)); }

private:
    std::string m_previous;
    std::filesystem::path m_host;
};

// The lines of a text file written in text mode: split at CR LF. A bare "\n" fails the test.
inline std::vector<std::string> CrLfLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        EXPECT_TRUE(lf > start && bytes[lf - 1] == '\r') << "line end without CR at byte " << lf;
        std::size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

// The main window of the tests of this folder.
using MainWindow = testsupport::TestMainWindow;

// Little-endian bytes of a record file, written independently of the record code.
class Bytes {
public:
    Bytes& I32(std::int32_t v) { return Raw(&v, 4); }
    Bytes& I16(std::int16_t v) { return Raw(&v, 2); }
    Bytes& U8(std::uint8_t v) { return Raw(&v, 1); }
    Bytes& F64(double v) { return Raw(&v, 8); }
    // A stored string: L = length + 1, then the text and its NUL unless it is empty.
    Bytes& Str(const std::string& text)
    {
        I32(static_cast<std::int32_t>(text.size() + 1));
        if (!text.empty()) {
            m_bytes += text;
            m_bytes += '\0';
        }
        return *this;
    }
    Bytes& Text(const std::string& raw)
    {
        m_bytes += raw;
        return *this;
    }
    const std::string& str() const { return m_bytes; }

private:
    Bytes& Raw(const void* p, std::size_t n)
    {
        m_bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
    std::string m_bytes;
};

}  // namespace coretest
