#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "platform/win/Files.h"

namespace {

class FilesTest : public ::testing::Test {
protected:
    void TearDown() override { ClearFileFailuresForTest(); }

    // Reads a whole stream opened by FOpen.
    static std::string ReadAll(FILE* fp)
    {
        std::string text;
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, fp)) > 0) {
            text.append(buffer, got);
        }
        return text;
    }

    ScratchFolder m_folder;
};

// ---- path mapping ----

struct MappingCase {
    const char* gamePath;
    std::string hostPath;
};

TEST_F(FilesTest, HostPathFindsEachComponentWithoutRegardToCase)
{
    ScratchFolder::Write("bmp/foo.bmp", "");
    ScratchFolder::Write("Data/Sub/File.TXT", "");
    ScratchFolder::Write("表/ソ.txt", "");               // UTF-8 names on disk
    ScratchFolder::Write("\x95\x5C\x8E\xA6/a.txt", "");  // raw Shift-JIS "表示" on disk
    ScratchFolder::Write("\x83\x41.txt", "");            // raw "ア.txt"
    ScratchFolder::Write("Case/ab.txt", "");
    ScratchFolder::Write("Case/AB.txt", "");

    const MappingCase cases[] = {
        {"BMP\\Foo.BMP", "bmp/foo.bmp"},
        {"data\\sub\\file.txt", "Data/Sub/File.TXT"},
        {"data/SUB/file.txt", "Data/Sub/File.TXT"},
        {"\x95\x5C\\\x83\x5C.txt", "表/ソ.txt"},                // trail bytes 0x5C are no separators
        {"\x95\x5C\x8E\xA6\\A.TXT", "\x95\x5C\x8E\xA6/a.txt"},  // found by its raw bytes
        {"\x83\x61.txt", "ヂ.txt"},                             // 0x8361 is another character than 0x8341: no match
        {"case\\Ab.TXT", "Case/AB.txt"},                        // two spellings on disk: the first byte-wise wins
        {"bmp\\New.bmp", "bmp/New.bmp"},                        // missing: the given spelling
        {"Missing\\Deeper\\x.dat", "Missing/Deeper/x.dat"},
        {"bmp\\..\\DATA\\.\\sub", "Data/Sub"},
        {"data\\", "Data/"},
        {".", "."},
        {"..\\x", "../x"},
    };
    for (const MappingCase& c : cases) {
        EXPECT_EQ(HostPath(c.gamePath), c.hostPath) << c.gamePath;
    }
}

TEST_F(FilesTest, AbsolutePathsRoundTripThroughTheHostDrive)
{
    ScratchFolder::Write("bmp/foo.bmp", "");
    const std::string game = m_folder.GameForm();
    EXPECT_EQ(GamePath(m_folder.Path() + "/bmp/foo.bmp"), game + "\\bmp\\foo.bmp");
    EXPECT_EQ(HostPath((game + "\\BMP\\FOO.BMP").c_str()), m_folder.Path() + "/bmp/foo.bmp");

    std::string otherDrive = game;
    otherDrive[0] = 'C';
    EXPECT_EQ(HostPath((otherDrive + "\\bmp\\foo.bmp").c_str()), m_folder.Path() + "/bmp/foo.bmp");
    EXPECT_EQ(HostPath("\\"), "/");
    EXPECT_EQ(GamePath("/"), "Z:\\");
}

TEST_F(FilesTest, GamePathGivesShiftJisNames)
{
    const MappingCase cases[] = {
        {"data\\x", "data/x"},
        {"data\\", "data/"},
        {"\x95\x5C\\\x83\x5C.txt", "表/ソ.txt"},
        {"\x95\x5C\x8E\xA6", "\x95\x5C\x8E\xA6"},  // raw Shift-JIS on disk stays as it is
    };
    for (const MappingCase& c : cases) {
        EXPECT_EQ(GamePath(c.hostPath), c.gamePath) << c.hostPath;
    }
}

// ---- stdio ----

TEST_F(FilesTest, TextModeWritesCrLfAndBinaryModeNothing)
{
    FILE* text = FOpen("text.txt", "wt");
    ASSERT_NE(text, nullptr);
    std::fprintf(text, "App : ver %s\n", "720");
    std::fputs("a\nb\n", text);
    EXPECT_EQ(std::ftell(text), 21);  // a raw offset: 18 characters, three of them "\n" as two bytes
    std::fclose(text);
    EXPECT_EQ(ScratchFolder::Read("text.txt"), "App : ver 720\r\na\r\nb\r\n");

    FILE* binary = FOpen("binary.dat", "wb");
    ASSERT_NE(binary, nullptr);
    std::fputs("a\nb\r\n", binary);
    std::fclose(binary);
    EXPECT_EQ(ScratchFolder::Read("binary.dat"), "a\nb\r\n");
}

TEST_F(FilesTest, TextModeReadsCrLfAsNewlineAndKeepsLoneCr)
{
    ScratchFolder::Write("in.txt", "x\r\ny\rz\r\n\r\r\nend\r");
    FILE* text = FOpen("in.txt", "r");
    ASSERT_NE(text, nullptr);
    char line[64];
    ASSERT_NE(std::fgets(line, sizeof line, text), nullptr);
    EXPECT_STREQ(line, "x\n");
    EXPECT_EQ(std::ftell(text), 3);
    EXPECT_EQ(ReadAll(text), "y\rz\n\r\nend\r");
    std::fclose(text);

    FILE* binary = FOpen("in.txt", "rb");
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(ReadAll(binary), "x\r\ny\rz\r\n\r\r\nend\r");
    std::fclose(binary);
}

TEST_F(FilesTest, TextModeJoinsCrLfAcrossBufferBoundaries)
{
    // A CR LF pair straddling every power-of-two offset a reader might buffer up to.
    std::string raw(300000, 'x');
    for (std::size_t boundary = 256; boundary < raw.size(); boundary *= 2) {
        raw[boundary - 1] = '\r';
        raw[boundary] = '\n';
    }
    std::string expected;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            continue;
        }
        expected += raw[i];
    }
    ScratchFolder::Write("big.txt", raw);
    FILE* text = FOpen("big.txt", "rt");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ReadAll(text), expected);
    EXPECT_EQ(std::ftell(text), static_cast<long>(raw.size()));
    std::fclose(text);
}

TEST_F(FilesTest, UpdateModeNeedsTheFileAndAppendsAfterASeekToTheEnd)
{
    EXPECT_EQ(FOpen("Report_Game.txt", "rt+"), nullptr);
    EXPECT_FALSE(ScratchFolder::Exists("Report_Game.txt"));

    FILE* create = FOpen("Report_Game.txt", "wt");
    ASSERT_NE(create, nullptr);
    std::fclose(create);
    EXPECT_EQ(ScratchFolder::Read("Report_Game.txt"), "");

    // Two writers that both sought the end before either wrote: neither line is lost.
    FILE* first = FOpen("report_game.txt", "rt+");
    FILE* second = FOpen("REPORT_GAME.TXT", "rt+");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    std::fseek(first, 0, SEEK_END);
    std::fseek(second, 0, SEEK_END);
    std::fputs("one\n", first);
    std::fputs("two\n", second);
    std::fclose(first);
    std::fclose(second);
    EXPECT_EQ(ScratchFolder::Read("Report_Game.txt"), "one\r\ntwo\r\n");

    FILE* append = FOpen("Report_Game.txt", "at");
    ASSERT_NE(append, nullptr);
    std::fputs("three\n", append);
    std::fclose(append);
    EXPECT_EQ(ScratchFolder::Read("Report_Game.txt"), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(FilesTest, UpdateModeOverwritesWhereItWasSought)
{
    ScratchFolder::Write("u.txt", "0123456789");
    FILE* fp = FOpen("u.txt", "r+");
    ASSERT_NE(fp, nullptr);
    std::fseek(fp, 0, SEEK_END);
    std::fseek(fp, 2, SEEK_SET);  // leaves the end again: no appending
    std::fputs("\n", fp);
    std::fclose(fp);
    EXPECT_EQ(ScratchFolder::Read("u.txt"), "01\r\n456789");
}

TEST_F(FilesTest, OpenRefusesFoldersLongPathsAndBadModes)
{
    std::filesystem::create_directory("folder");
    EXPECT_EQ(FOpen("folder", "rb"), nullptr);
    EXPECT_EQ(FOpen("folder", "rt"), nullptr);
    EXPECT_EQ(FOpen("x.txt", "q"), nullptr);

    const std::string folder(200, 'd');
    std::filesystem::create_directory(folder);
    const std::string longest = folder + "\\" + std::string(58, 'f');  // 259 bytes
    ASSERT_EQ(longest.size(), 259u);
    FILE* fp = FOpen(longest.c_str(), "wb");
    EXPECT_NE(fp, nullptr);
    if (fp != nullptr) {
        std::fclose(fp);
    }
    const std::string tooLong = longest + "g";
    EXPECT_EQ(FOpen(tooLong.c_str(), "wb"), nullptr);
    EXPECT_EQ(GetFileAttributesA(tooLong.c_str()), INVALID_FILE_ATTRIBUTES);
}

// ---- files and folders ----

TEST_F(FilesTest, AttributesTellFilesFromFolders)
{
    ScratchFolder::Write("data/System.dat", "x");
    EXPECT_EQ(GetFileAttributesA("missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA("DATA") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(GetFileAttributesA("data\\") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    const DWORD file = GetFileAttributesA("data\\system.dat");
    ASSERT_NE(file, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributesA("data\\system.dat\\"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, FoldersAreCreatedOnceAndOnlyInExistingFolders)
{
    EXPECT_TRUE(CreateDirectoryA("user_data", nullptr));
    EXPECT_FALSE(CreateDirectoryA("USER_DATA", nullptr));  // exists, spelled otherwise
    EXPECT_TRUE(CreateDirectoryA("User_Data\\story", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory("user_data/story"));
    EXPECT_FALSE(CreateDirectoryA("nothing\\here", nullptr));

    ScratchFolder::Write("user_data/story/Story01.dat", "");
    EXPECT_FALSE(RemoveDirectoryA("user_data\\story"));  // not empty
    EXPECT_FALSE(DeleteFileA("user_data\\story"));       // a folder is no file
    EXPECT_TRUE(DeleteFileA("USER_DATA\\Story\\story01.DAT"));
    EXPECT_TRUE(RemoveDirectoryA("user_data\\story"));
    EXPECT_FALSE(ScratchFolder::Exists("user_data/story"));
}

TEST_F(FilesTest, MoveReplacesTheTargetWhateverItsCase)
{
    ScratchFolder::Write("user_data/option.dat", "old");
    ScratchFolder::Write("user_data/option.tmp", "new");
    EXPECT_TRUE(MoveFileReplaceA("user_data\\option.tmp", "User_Data\\Option.dat"));
    EXPECT_EQ(ScratchFolder::Read("user_data/option.dat"), "new");
    EXPECT_FALSE(ScratchFolder::Exists("user_data/option.tmp"));
    EXPECT_FALSE(ScratchFolder::Exists("user_data/Option.dat"));
    EXPECT_FALSE(MoveFileReplaceA("user_data\\gone.tmp", "user_data\\option.dat"));
    EXPECT_EQ(ScratchFolder::Read("user_data/option.dat"), "new");
}

TEST_F(FilesTest, FailureHookRefusesThePath)
{
    ScratchFolder::Write("save.dat", "keep");
    AddFileFailureForTest("SAVE.DAT");
    AddFileFailureForTest("newfolder");
    EXPECT_EQ(FOpen("save.dat", "rb"), nullptr);
    EXPECT_EQ(FOpen("save.dat", "wb"), nullptr);
    EXPECT_FALSE(CreateDirectoryA("NewFolder", nullptr));
    EXPECT_FALSE(DeleteFileA("save.dat"));
    EXPECT_NE(GetFileAttributesA("save.dat"), INVALID_FILE_ATTRIBUTES);  // still there, only refused
    EXPECT_EQ(ScratchFolder::Read("save.dat"), "keep");
    ClearFileFailuresForTest();
    FILE* fp = FOpen("save.dat", "rb");
    EXPECT_NE(fp, nullptr);
    if (fp != nullptr) {
        std::fclose(fp);
    }
}

TEST_F(FilesTest, CurrentFolderHonoursTheBufferSize)
{
    const std::string expected = m_folder.GameForm();
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), expected.size() + 1);
    EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(expected.size()), buffer), expected.size() + 1);
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(expected.size() + 1), buffer), expected.size());
    EXPECT_EQ(std::string(buffer), expected);

    std::filesystem::create_directory("Sub");
    EXPECT_TRUE(SetCurrentDirectoryA("sub"));
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), expected.size() + 4);
    EXPECT_EQ(std::string(buffer), expected + "\\Sub");
    EXPECT_FALSE(SetCurrentDirectoryA("missing"));
}

TEST_F(FilesTest, FreeDiskSpaceComesFromTheVolume)
{
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(".", &available, &total, &free));
    EXPECT_GT(total.QuadPart, 0u);
    EXPECT_LE(available.QuadPart, free.QuadPart);
    EXPECT_LE(free.QuadPart, total.QuadPart);
    EXPECT_TRUE(GetDiskFreeSpaceExA(nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(GetDiskFreeSpaceExA("missing\\folder", &available, nullptr, nullptr));
}

// ---- shell folder operations ----

int Shell(UINT wFunc, const std::string& from, const std::string& to = "")
{
    const std::string fromList = from + '\0';
    const std::string toList = to + '\0';
    SHFILEOPSTRUCTA operation;
    operation.wFunc = wFunc;
    operation.pFrom = fromList.c_str();
    operation.pTo = to.empty() ? nullptr : toList.c_str();
    operation.fFlags = 0x15;
    return SHFileOperationA(&operation);
}

void WriteDefaultFolder()
{
    ScratchFolder::Write("default/System.dat", "system");
    ScratchFolder::Write("default/database/Anime.dat", "anime");
    ScratchFolder::Write("default/database/deeper/x.bin", std::string("\0\1\2", 3));
    std::filesystem::create_directories("default/stg4/empty");
}

TEST_F(FilesTest, CopyMakesTheFolderTreeUnderTheNewName)
{
    WriteDefaultFolder();
    const std::string game = m_folder.GameForm();
    EXPECT_EQ(Shell(FO_COPY, game + "\\Default", game + "\\data\\"), 0);
    EXPECT_EQ(ScratchFolder::Read("data/System.dat"), "system");
    EXPECT_EQ(ScratchFolder::Read("data/database/Anime.dat"), "anime");
    EXPECT_EQ(ScratchFolder::Read("data/database/deeper/x.bin"), std::string("\0\1\2", 3));
    EXPECT_TRUE(std::filesystem::is_directory("data/stg4/empty"));
    EXPECT_EQ(ScratchFolder::Read("default/System.dat"), "system");
}

TEST_F(FilesTest, FailedCopyLeavesNothingAndExistingTargetsAlone)
{
    WriteDefaultFolder();
    AddFileFailureForTest("default\\database\\deeper\\x.bin");
    EXPECT_NE(Shell(FO_COPY, "default", "data"), 0);
    EXPECT_FALSE(ScratchFolder::Exists("data"));
    ClearFileFailuresForTest();

    EXPECT_NE(Shell(FO_COPY, "default", "default\\database\\copy"), 0);  // into itself
    EXPECT_FALSE(ScratchFolder::Exists("default/database/copy"));

    ScratchFolder::Write("data", "a user's file");
    EXPECT_NE(Shell(FO_COPY, "default", "data"), 0);
    EXPECT_EQ(ScratchFolder::Read("data"), "a user's file");
    EXPECT_NE(Shell(FO_COPY, "missing", "elsewhere"), 0);
    EXPECT_FALSE(ScratchFolder::Exists("elsewhere"));
}

TEST_F(FilesTest, DeleteRemovesTheTreeButNotWhatLinksPointAt)
{
    WriteDefaultFolder();
    ScratchFolder::Write("outside/keep.txt", "keep");
    std::filesystem::create_directory_symlink(m_folder.Path() + "/outside", "default/link");
    EXPECT_EQ(Shell(FO_DELETE, "DEFAULT"), 0);
    EXPECT_FALSE(ScratchFolder::Exists("default"));
    EXPECT_EQ(ScratchFolder::Read("outside/keep.txt"), "keep");
    EXPECT_NE(Shell(FO_DELETE, "default"), 0);
}

// ---- file search ----

struct FindCase {
    const char* pattern;
    std::vector<std::string> names;
};

TEST_F(FilesTest, FindFilesMatchesWildcardsWithoutRegardToCase)
{
    for (const char* name : {"a.stg4_001", "A.STG4_010", "b.txt", "noext", "表.txt"}) {
        ScratchFolder::Write(std::string("data/") + name, "");
    }
    std::filesystem::create_directory("data/Sub");

    const FindCase cases[] = {
        {"data\\*.stg4_*", {"a.stg4_001", "A.STG4_010"}},
        {"DATA\\?.txt", {"b.txt", "\x95\x5C.txt"}},  // a double-byte character is one '?'
        {"data\\*.*", {"a.stg4_001", "A.STG4_010", "b.txt", "noext", "Sub", "\x95\x5C.txt"}},
        {"data\\SUB", {"Sub"}},
        {"data\\*.bmp", {}},
    };
    for (const FindCase& c : cases) {
        std::vector<FindEntry> found;
        ASSERT_TRUE(FindFiles(c.pattern, found)) << c.pattern;
        std::vector<std::string> names;
        for (const FindEntry& entry : found) {
            names.push_back(entry.name);
            EXPECT_EQ(entry.bDirectory, entry.name == "Sub") << entry.name;
        }
        EXPECT_EQ(names, c.names) << c.pattern;
    }
    std::vector<FindEntry> found;
    EXPECT_FALSE(FindFiles("missing\\*.*", found));
}

}  // namespace
