#include "GameFolder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace testsupport {

namespace {

// A folder name that no other test (of this or another process) uses at the same time.
std::filesystem::path MakeUniqueFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        std::filesystem::path candidate =
            base / ("qb_game_" + std::to_string(random()) + "_" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            return candidate;
        }
    }
}

}  // namespace

GameFolder::GameFolder() : m_previous(std::filesystem::current_path()), m_root(MakeUniqueFolder())
{
    std::filesystem::current_path(m_root);
}

GameFolder::~GameFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_root, ignored);
}

std::filesystem::path GameFolder::Host(std::string_view gamePath) const
{
    std::string relative(gamePath);
    for (char& c : relative) {
        if (c == '\\') {
            c = '/';
        }
    }
    return m_root / relative;
}

void GameFolder::Write(std::string_view gamePath, const std::vector<std::uint8_t>& bytes) const
{
    Write(gamePath, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void GameFolder::Write(std::string_view gamePath, std::string_view bytes) const
{
    const std::filesystem::path path = Host(gamePath);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string GameFolder::Read(std::string_view gamePath) const
{
    std::ifstream in(Host(gamePath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool GameFolder::Exists(std::string_view gamePath) const
{
    std::error_code ignored;
    return std::filesystem::exists(Host(gamePath), ignored);
}

void GameFolder::Remove(std::string_view gamePath) const
{
    std::error_code ignored;
    std::filesystem::remove_all(Host(gamePath), ignored);
}

}  // namespace testsupport
