#include "platform/win/FolderListings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "ScratchFolder.h"
#include "platform/win/Files.h"

namespace {

namespace fs = std::filesystem;

// The path mapping keeps folder listings between lookups; changes made behind the program's back
// must not make it map a path to a name that is gone or miss a name that came.
TEST(FolderListingsTest, MappingFollowsFoldersChangedOutsideTheProgram)
{
    ScratchFolder folder;
    ScratchFolder::Write("Data/Old.dat", "");
    ASSERT_EQ(HostPath("data\\old.dat"), "Data/Old.dat");  // the listings of "." and "Data" are kept

    struct Step {
        const char* what;
        std::function<void()> change;
        const char* gamePath;
        const char* hostPath;
    };
    const Step steps[] = {
        {"a file renamed to another case", [] { fs::rename("Data/Old.dat", "Data/OLD.dat"); }, "data\\old.dat",
         "Data/OLD.dat"},
        {"a file created", [] { ScratchFolder::Write("Data/New.dat", ""); }, "DATA\\new.dat", "Data/New.dat"},
        {"the folder renamed", [] { fs::rename("Data", "DATA"); }, "data\\new.dat", "DATA/New.dat"},
        {"a file removed", [] { fs::remove("DATA/New.dat"); }, "data\\new.dat", "DATA/new.dat"},
        {"the folder replaced by one of another case",
         [] {
             fs::remove_all("DATA");
             ScratchFolder::Write("data/old.dat", "");
         },
         "Data\\OLD.DAT", "data/old.dat"},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(HostPath(step.gamePath), step.hostPath) << step.what;
    }
}

// Relative paths are looked up in the current folder of the moment, also when it was changed
// without the stand-in's SetCurrentDirectoryA.
TEST(FolderListingsTest, RelativePathsFollowTheCurrentFolder)
{
    ScratchFolder folder;
    ScratchFolder::Write("one/Sub/File.TXT", "");
    ScratchFolder::Write("two/sub/file.txt", "");
    ScratchFolder::Write("two/sub/FILE.txt", "");
    fs::current_path("one");
    EXPECT_EQ(HostPath("sub\\file.txt"), "Sub/File.TXT");
    fs::current_path("../two");
    EXPECT_EQ(HostPath("SUB\\File.txt"), "sub/FILE.txt");  // two spellings: the first byte-wise
}

// The stand-in's own file functions leave no stale listing behind them.
TEST(FolderListingsTest, FilesTheProgramCreatesRenamesAndDeletesAreFoundAtOnce)
{
    ScratchFolder folder;
    ScratchFolder::Write("save/Slot1.dat", "1");
    ASSERT_EQ(HostPath("save\\slot1.dat"), "save/Slot1.dat");

    FILE* fp = FOpen("save\\slot2.tmp", "wb");
    ASSERT_NE(fp, nullptr);
    std::fclose(fp);
    ASSERT_TRUE(MoveFileReplaceA("SAVE\\SLOT2.TMP", "save\\Slot2.dat"));
    EXPECT_EQ(HostPath("save\\slot2.dat"), "save/Slot2.dat");
    EXPECT_EQ(GetFileAttributesA("save\\slot2.tmp"), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(DeleteFileA("save\\slot1.dat"));
    EXPECT_EQ(GetFileAttributesA("SAVE\\SLOT1.DAT"), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(CreateDirectoryA("save\\Old", nullptr));
    EXPECT_EQ(GetFileAttributesA("save\\old"), FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
