#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ScratchFolder.h"
#include "platform/win/Files.h"

namespace {

class FullPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The scratch folder's game form with one level more, so that ".." has somewhere to go.
        std::filesystem::create_directory("game");
        std::filesystem::current_path("game");
        m_cwd = m_folder.GameForm() + "\\game";
    }

    ScratchFolder m_folder;
    std::string m_cwd;  // "Z:\tmp\qb_files_xxxxxx\game"
};

struct FullCase {
    const char* name;
    std::string expected;  // with "<cwd>" and "<up>" for the current folder and its parent
};

std::string Expand(std::string text, const std::string& cwd)
{
    const std::string up = cwd.substr(0, cwd.rfind('\\'));
    for (std::size_t at; (at = text.find("<cwd>")) != std::string::npos;) {
        text.replace(at, 5, cwd);
    }
    for (std::size_t at; (at = text.find("<up>")) != std::string::npos;) {
        text.replace(at, 4, up);
    }
    return text;
}

TEST_F(FullPathsTest, FullPathFoldsDotsAgainstTheCurrentFolder)
{
    const FullCase cases[] = {
        {"Report_Game.txt", "<cwd>\\Report_Game.txt"},
        {"data\\stg4\\c01.stg4", "<cwd>\\data\\stg4\\c01.stg4"},
        {".\\a\\..\\b", "<cwd>\\b"},
        {"..\\up.txt", "<up>\\up.txt"},
        {"data\\", "<cwd>\\data\\"},
        {"data/x", "<cwd>\\data\\x"},
        {".", "<cwd>"},
        {"\\root.txt", "Z:\\root.txt"},
        {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
        {"C:\\..\\..\\x", "C:\\x"},
        {"Z:x.txt", "<cwd>\\x.txt"},
        {"a\\\x95\x5C\\..\\b", "<cwd>\\a\\b"},  // ".." takes "表" whole
        {"\x83\x5C\\x", "<cwd>\\\x83\x5C\\x"},  // "ソ" keeps its 0x5C
    };
    for (const FullCase& c : cases) {
        char buffer[MAX_PATH];
        const std::string expected = Expand(c.expected, m_cwd);
        EXPECT_EQ(GetFullPathNameA(c.name, MAX_PATH, buffer, nullptr), expected.size()) << c.name;
        EXPECT_EQ(std::string(buffer), expected) << c.name;
    }
}

TEST_F(FullPathsTest, FullPathHonoursTheBufferAndPointsAtTheFileName)
{
    const std::string expected = m_cwd + "\\data\\x.dat";
    char buffer[MAX_PATH];
    std::memset(buffer, 'q', sizeof buffer);
    const DWORD tight = static_cast<DWORD>(expected.size());
    EXPECT_EQ(GetFullPathNameA("data\\x.dat", tight, buffer, nullptr), expected.size() + 1);
    EXPECT_EQ(buffer[0], 'q');

    char* filePart = nullptr;
    EXPECT_EQ(GetFullPathNameA("data\\x.dat", tight + 1, buffer, &filePart), expected.size());
    ASSERT_NE(filePart, nullptr);
    EXPECT_STREQ(filePart, "x.dat");
    EXPECT_EQ(GetFullPathNameA("data\\", MAX_PATH, buffer, &filePart), expected.size() - 5);
    EXPECT_EQ(filePart, nullptr);

    EXPECT_EQ(GetFullPathNameA("", MAX_PATH, buffer, nullptr), 0u);
    EXPECT_EQ(GetFullPathNameA(std::string(MAX_PATH, 'a').c_str(), MAX_PATH, buffer, nullptr), 0u);
}

struct RelativeCase {
    const char* from;
    DWORD fromAttributes;
    const char* to;
    const char* expected;  // nullptr: FALSE
};

TEST_F(FullPathsTest, RelativePathStepsUpFromTheCommonRoot)
{
    constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY;
    const RelativeCase cases[] = {
        {"Z:\\g", kFolder, "Z:\\g\\data\\x.dat", ".\\data\\x.dat"},
        {"Z:\\g\\", kFolder, "Z:\\g\\x.dat", ".\\x.dat"},
        {"Z:\\g\\sub", kFolder, "Z:\\g\\x.dat", "..\\x.dat"},
        {"Z:\\a\\b\\path", kFolder, "Z:\\a\\x\\y\\file", "..\\..\\x\\y\\file"},
        {"Z:\\G\\Data", kFolder, "z:\\g\\data\\X.dat", ".\\X.dat"},
        {"Z:\\g\\save.dat", 0, "Z:\\g\\x.dat", ".\\x.dat"},
        {"Z:\\\x83\x5C\x83\x5C", kFolder, "Z:\\x.txt", "..\\x.txt"},      // "ソソ" is one folder
        {"Z:\\\x83\x41", kFolder, "Z:\\\x83\x61\\x", "..\\\x83\x61\\x"},  // not the same name
        {"Z:\\g", kFolder, "C:\\g\\x", nullptr},
        {"Z:\\g", kFolder, "data\\x", nullptr},
        {"g", kFolder, "g\\x", nullptr},
    };
    for (const RelativeCase& c : cases) {
        char out[MAX_PATH];
        std::strcpy(out, "unchanged");
        const BOOL ok = PathRelativePathToA(out, c.from, c.fromAttributes, c.to, 0);
        if (c.expected == nullptr) {
            EXPECT_FALSE(ok) << c.from << " -> " << c.to;
        } else {
            EXPECT_TRUE(ok) << c.from << " -> " << c.to;
            EXPECT_STREQ(out, c.expected) << c.from << " -> " << c.to;
        }
    }
}

TEST_F(FullPathsTest, RelativePathRefusesResultsBeyondTheBuffer)
{
    const std::string deep =
        "Z:\\" + std::string(100, 'a') + "\\" + std::string(100, 'b') + "\\" + std::string(50, 'c');
    const std::string target = "Z:\\" + std::string(200, 'x') + "\\" + std::string(50, 'y');
    char out[MAX_PATH];
    EXPECT_FALSE(PathRelativePathToA(out, deep.c_str(), FILE_ATTRIBUTE_DIRECTORY, target.c_str(), 0));
}

TEST_F(FullPathsTest, FullAndRelativeFormsRoundTrip)
{
    ScratchFolder::Write(m_folder.Path() + "/game/data/x.dat", "in game");
    ScratchFolder::Write(m_folder.Path() + "/up/y.dat", "beside");
    const char* relatives[] = {".\\data\\x.dat", "..\\up\\y.dat", ".\\data\\", "..\\..\\z"};
    for (const char* relative : relatives) {
        char full[MAX_PATH];
        ASSERT_NE(GetFullPathNameA(relative, MAX_PATH, full, nullptr), 0u);
        char current[MAX_PATH];
        ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, current), 0u);
        char back[MAX_PATH];
        ASSERT_TRUE(PathRelativePathToA(back, current, FILE_ATTRIBUTE_DIRECTORY, full, 0)) << full;
        EXPECT_STREQ(back, relative);
    }

    // A name without a leading ".\" comes back in the Windows form, which names the same file.
    char full[MAX_PATH];
    ASSERT_NE(GetFullPathNameA("DATA\\X.DAT", MAX_PATH, full, nullptr), 0u);
    FILE* fp = FOpen(full, "rb");
    ASSERT_NE(fp, nullptr);
    char text[16] = {};
    EXPECT_EQ(std::fread(text, 1, sizeof text - 1, fp), 7u);
    std::fclose(fp);
    EXPECT_STREQ(text, "in game");
    char back[MAX_PATH];
    ASSERT_TRUE(PathRelativePathToA(back, m_cwd.c_str(), FILE_ATTRIBUTE_DIRECTORY, full, 0));
    EXPECT_STREQ(back, ".\\DATA\\X.DAT");
}

}  // namespace
