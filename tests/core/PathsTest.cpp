#include "core/Paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CoreTestSupport.h"
#include "core/TextHelpers.h"
#include "platform/win/MessageBox.h"

namespace {

using coretest::TempFolder;

TEST(PathsTest, TablesHoldTheFixedPathsAtTheirIndices)
{
    struct Case {
        int index;
        const char* path;
    };
    const Case cases[] = {
        {0, "data\\"},
        {1, "default\\"},
        {7, "data\\CommonPalette.cplt4"},
        {13, "data\\WorldMap.dat"},
        {15, "data\\database\\AnimeSet.dat"},
        {33, "data\\database\\Bgm.dat"},
        {35, "data\\System.dat"},
        {37, "data\\stg4\\c"},
        {38, "user_data\\story\\"},
        {40, "user_data\\free\\"},
        {41, "user_data\\story\\Story"},
        {42, "user_data\\challenge\\Challenge.dat"},
        {43, "user_data\\Option.dat"},
        {45, "user_data\\KeyConfig.dat"},
        {46, "user_data\\Boot.dat"},
        {47, "user_data\\Window.dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathTable[c.index], c.path) << c.index;
    }
    EXPECT_EQ(ExtTable[1], "stg4");
    EXPECT_EQ(ExtTable[3], "rkg");
}

TEST(PathsTest, StripDirectoryKeepsTheFileName)
{
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"data\\stg4\\c01.stg4_001", "c01.stg4_001"},
        {"c01.stg4", "c01.stg4"},
        {"data\\", ""},
        {"dir\\\x83\x5c.txt", "\x83\x5c.txt"},  // the trail byte 0x5C of a character is no separator
        {"\x83\x5c\\x", "x"},
    };
    for (const Case& c : cases) {
        char buffer[MAX_PATH];
        std::strcpy(buffer, c.path);
        StripDirectory(buffer);
        EXPECT_STREQ(buffer, c.name) << c.path;
    }
}

TEST(PathsTest, ExtensionsAreTakenFromTheFileNameOnly)
{
    struct Case {
        const char* src;
        const char* ext;
        const char* dst;
        int result;
    };
    const Case cases[] = {
        {"a.stg4_001", "stg4", "a.stg4", 1},
        {"data\\stg4\\c01.stg4", "bak", "data\\stg4\\c01.bak", 1},
        {"a.b.c", nullptr, "a.b", 1},
        {"noext", "bak", "noext", 0},
        {"dir.old\\file", "bak", "dir.old\\file", 0},  // a dot in a folder name is no extension
        {"dir.old\\file.txt", "bak", "dir.old\\file.bak", 1},
    };
    for (const Case& c : cases) {
        char dst[MAX_PATH] = "";
        EXPECT_EQ(ChangeExtension(dst, c.src, c.ext), c.result) << c.src;
        EXPECT_STREQ(dst, c.dst) << c.src;
    }

    char path[MAX_PATH] = "dir.old\\file.txt";
    char ext[MAX_PATH] = "";
    EXPECT_EQ(GetExtension(ext, path), 1);
    EXPECT_STREQ(ext, "txt");
    EXPECT_EQ(StripExtension(path), 1);
    EXPECT_STREQ(path, "dir.old\\file");
    EXPECT_EQ(StripExtension(path), 0);
    EXPECT_EQ(GetExtension(ext, path), 0);
    std::string str = "x\\y.rkg";
    EXPECT_EQ(StripExtensionStr(str), 1);
    EXPECT_EQ(str, "x\\y");
}

TEST(PathsTest, InsertFileNumberPutsTwoDigitsBeforeTheExtension)
{
    struct Case {
        const char* src;
        int d1, d2;
        const char* dst;
        int result;
    };
    const std::string longExt = "name." + std::string(40, 'e');
    const std::string longExtNumbered = "name_12." + std::string(40, 'e');
    const std::string tooLong = std::string(255, 'n') + ".ext";
    const Case cases[] = {
        {"play.rpl4_720", 0, 3, "play_03.rpl4_720", 1},
        {"user_data\\rpl4\\a.b.rpl4_720", 9, 9, "user_data\\rpl4\\a.b_99.rpl4_720", 1},
        {"noext", 1, 2, "noext", 0},
        {"dir.x\\name", 1, 1, "dir.x\\name", 0},
        {"a.b", 10, 0, "a.b", 0},
        {longExt.c_str(), 1, 2, longExtNumbered.c_str(), 1},  // extensions longer than 31 bytes
        {tooLong.c_str(), 1, 2, tooLong.c_str(), 0},          // the result would not fit
    };
    for (const Case& c : cases) {
        char dst[MAX_PATH] = "";
        EXPECT_EQ(InsertFileNumber(dst, c.src, c.d1, c.d2), c.result) << c.src;
        EXPECT_STREQ(dst, c.dst) << c.src;
    }
}

class PathsFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearRecordedMessageBoxes();
        ScriptMessageBoxAnswers({});
    }
    void TearDown() override
    {
        ClearFileFailuresForTest();
        ScriptMessageBoxAnswers({});
    }
    TempFolder folder;
};

TEST_F(PathsFolderTest, FindNewestNumberedFileTakesTheHighestNumber)
{
    char dst[MAX_PATH] = "";
    EXPECT_EQ(FindNewestNumberedFile(dst, "a.stg4", "stg4"), 0);

    folder.Write("a.stg4_003", "x");
    folder.Write("a.stg4_010", "x");
    folder.Write("a.stg4_9999", "x");  // not a three-digit generation
    EXPECT_EQ(FindNewestNumberedFile(dst, "a.stg4", "stg4"), 1);
    EXPECT_STREQ(dst, "a.stg4_010");
    EXPECT_EQ(FindNewestNumberedFile(dst, "a.stg4_001", "stg4"), 1);
    EXPECT_STREQ(dst, "a.stg4_010");

    folder.Write("data/stg4/c01.stg4_000", "x");
    std::string found;
    EXPECT_EQ(FindNewestNumberedFileStr(found, "data\\stg4\\c01.stg4_005", "stg4"), 1);
    EXPECT_EQ(found, "data\\stg4\\c01.stg4_000");
    EXPECT_EQ(FindNewestNumberedFileStr(found, "data\\stg4\\c02.stg4", "stg4"), 0);
}

TEST_F(PathsFolderTest, FullAndRelativePathsRoundTrip)
{
    char path[MAX_PATH] = "Report_Game.txt";
    ASSERT_EQ(MakeFullPath(path), 1);
    EXPECT_EQ(std::string(path), GamePath(folder.Host("Report_Game.txt").string()));
    const std::string full = path;
    EXPECT_EQ(MakeFullPath(path), 1);  // an absolute path stays
    EXPECT_EQ(full, path);

    ASSERT_EQ(MakeRelativePath(path), 1);
    EXPECT_NE(std::string(path), full);
    ASSERT_EQ(MakeFullPath(path), 1);
    EXPECT_EQ(full, path);

    char relative[MAX_PATH] = "data\\x.dat";
    EXPECT_EQ(MakeRelativePath(relative), 1);
    EXPECT_STREQ(relative, "data\\x.dat");
}

TEST_F(PathsFolderTest, CreateDefaultDataWithADataFolderAsksNothing)
{
    folder.MakeFolder("data");
    EXPECT_EQ(CreateDefaultData(nullptr), 1);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(PathsFolderTest, CreateDefaultDataWithoutDefaultFolderFails)
{
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    EXPECT_FALSE(folder.Exists("data"));
}

TEST_F(PathsFolderTest, CreateDefaultDataAsksAndNoCreatesNothing)
{
    folder.Write("default/System.dat", "settings");
    ScriptMessageBoxAnswers({IDNO});
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_FALSE(folder.Exists("data"));
    std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Sjis("データが存在しません！デフォルトデータを作成しますか？\n"));
    EXPECT_EQ(boxes[0].caption, Sjis("デフォルトデータ作成の確認"));
    EXPECT_EQ(boxes[0].type & 0xF, MB_YESNO);
}

TEST_F(PathsFolderTest, CreateDefaultDataYesCopiesTheDefaultFolder)
{
    folder.Write("default/System.dat", "settings");
    folder.Write("default/database/Anime.dat", "anime");
    ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(CreateDefaultData(nullptr), 1);
    EXPECT_EQ(folder.Read("data/System.dat"), "settings");
    EXPECT_EQ(folder.Read("data/database/Anime.dat"), "anime");
    EXPECT_EQ(folder.Read("default/System.dat"), "settings");
}

TEST_F(PathsFolderTest, FailedCopyLeavesNoHalfDataFolder)
{
    folder.Write("default/System.dat", "settings");
    folder.Write("default/database/Anime.dat", "anime");
    AddFileFailureForTest("default\\database\\Anime.dat");
    ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_FALSE(folder.Exists("data"));
}

TEST_F(PathsFolderTest, FailedCopyKeepsAUserFileNamedData)
{
    folder.Write("default/System.dat", "settings");
    folder.Write("data", "the user's own file");
    ScriptMessageBoxAnswers({IDYES});
    EXPECT_EQ(CreateDefaultData(nullptr), 0);
    EXPECT_EQ(folder.Read("data"), "the user's own file");
}

}  // namespace
