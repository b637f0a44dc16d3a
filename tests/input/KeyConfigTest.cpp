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

TEST_F(KeyConfigFile, DamagedFilesAreTakenAsFarAsTheyGo)
{
    // Defaults before the read: arrow keys and Z X C V A S D F, 12 entries, 1 joystick, fixed
    // layout. Image gives entry i the device i % 9 (entry 0: firstDevice) and the code
    // 0x100 (i + 1) + i.
    struct Case {
        const char* what;
        std::string bytes;
        int takenEntries;   // entries 0 .. takenEntries - 1 come from the file
        bool firstRefused;  // entry 0 keeps its default
        int keyNum, joyNum, use;
    };
    const std::string good = Image(12, 1, 1);
    const Case cases[] = {
        {"empty", "", 0, false, 12, 1, 0},
        {"short by one byte: the last count is left", good.substr(0, 107), 12, false, 12, 1, 0},
        {"ends inside entry 6", good.substr(0, 50), 6, false, 12, 1, 0},
        {"device 9 refuses that entry alone", Image(12, 1, 1, 9), 12, true, 12, 1, 1},
        {"a negative device likewise", Image(12, 1, 1, -1), 12, true, 12, 1, 1},
        {"sixteen joysticks are kept", Image(12, 16, 1), 12, false, 12, 16, 1},
        {"counts beyond the entries are kept", Image(13, 0, 1), 12, false, 13, 0, 1},
        {"negative counts are kept", Image(-1, -2, 1), 12, false, -1, -2, 1},
    };
    const int defaults[12] = {37, 39, 38, 40, 90, 88, 67, 86, 65, 83, 68, 70};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KEYCONFIG config;
        SetDefaultKeyConfig(config);
        EXPECT_EQ(LoadKeyConfig(Write(c.bytes).c_str(), config), 1);
        for (int i = 0; i < 12; ++i) {
            const bool fromFile = i < c.takenEntries && !(i == 0 && c.firstRefused);
            EXPECT_EQ(config.entries[i].nDevice, fromFile ? i % 9 : 8) << i;
            EXPECT_EQ(config.entries[i].wCode, fromFile ? 0x100 * (i + 1) + i : defaults[i]) << i;
        }
        EXPECT_EQ(config.nKeyNum, c.keyNum);
        EXPECT_EQ(config.nJoyNum, c.joyNum);
        EXPECT_EQ(config.bUseKeyConfig, c.use);
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
