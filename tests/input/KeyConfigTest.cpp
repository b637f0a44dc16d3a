// The key configuration file: read as untrusted input.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "input/KeyConfig.h"
#include "platform/win/Files.h"

namespace {

// The 108-byte image written field by field, little-endian.
std::string Image(int nKeyNum, int nJoyNum, int bUse, int firstDevice = 0)
{
    std::string bytes;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    for (int i = 0; i < 12; ++i) {
        put32(static_cast<std::uint32_t>(i == 0 ? firstDevice : i % 9));
        const std::uint16_t code = static_cast<std::uint16_t>(0x100 * (i + 1) + i);
        bytes.push_back(static_cast<char>(code & 0xFF));
        bytes.push_back(static_cast<char>(code >> 8));
        bytes.append("\xAA\xAA", 2);  // padding
    }
    put32(static_cast<std::uint32_t>(nKeyNum));
    put32(static_cast<std::uint32_t>(nJoyNum));
    put32(static_cast<std::uint32_t>(bUse));
    return bytes;
}

class KeyConfigFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = std::filesystem::temp_directory_path() /
                 ("qb_keyconfig_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat");
    }
    void TearDown() override { std::filesystem::remove(m_path); }
    std::string Write(const std::string& bytes)
    {
        std::ofstream(m_path, std::ios::binary) << bytes;
        return GamePath(m_path.string());
    }
    std::filesystem::path m_path;
};

void ExpectDefaults(const KEYCONFIG& c)
{
    const int codes[12] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(c.entries[i].nDevice, 8) << i;
        EXPECT_EQ(c.entries[i].wCode, codes[i]) << i;
    }
    EXPECT_EQ(c.nKeyNum, 12);
    EXPECT_EQ(c.nJoyNum, 1);
    EXPECT_EQ(c.bUseKeyConfig, 0);
}

TEST_F(KeyConfigFile, ValidAndOversizedFilesLoadTheirFirst108Bytes)
{
    for (const std::string& extra : {std::string(), std::string(50, '\x7F')}) {
        KEYCONFIG c;
        ASSERT_EQ(LoadKeyConfig(Write(Image(10, 8, 1) + extra).c_str(), c), 1);
        EXPECT_EQ(c.entries[0].nDevice, 0);
        EXPECT_EQ(c.entries[0].wCode, 0x100);
        EXPECT_EQ(c.entries[11].nDevice, 11 % 9);
        EXPECT_EQ(c.entries[11].wCode, 0x100 * 12 + 11);
        EXPECT_EQ(c.nKeyNum, 10);
        EXPECT_EQ(c.nJoyNum, 8);
        EXPECT_EQ(c.bUseKeyConfig, 1);
    }
}

TEST_F(KeyConfigFile, BadFilesGiveTheDefaults)
{
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::string good = Image(12, 1, 1);
    const Case cases[] = {
        {"empty", ""},
        {"short by one byte", good.substr(0, 107)},
        {"too many entries", Image(13, 1, 1)},
        {"negative entries", Image(-1, 1, 1)},
        {"too many joysticks", Image(12, 9, 1)},
        {"negative joysticks", Image(12, -2, 1)},
        {"device 9", Image(12, 1, 1, 9)},
        {"negative device", Image(12, 1, 1, -1)},
    };
    for (const Case& c : cases) {
        KEYCONFIG config;
        config.nKeyNum = 3;  // something else than the defaults
        EXPECT_EQ(LoadKeyConfig(Write(c.bytes).c_str(), config), 1) << c.what;
        ExpectDefaults(config);
    }
}

TEST_F(KeyConfigFile, MissingFileReturnsZeroAndLeavesTheRecord)
{
    KEYCONFIG c;
    c.nKeyNum = 7;
    EXPECT_EQ(LoadKeyConfig(GamePath((m_path.string() + ".missing")).c_str(), c), 0);
    EXPECT_EQ(c.nKeyNum, 7);
    SetDefaultKeyConfig(c);
    ExpectDefaults(c);
}

}  // namespace
