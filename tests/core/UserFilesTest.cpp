// The user's own files: a damaged one is logged, set aside as "<name>.damaged" (or left, when the
// caller asks) and reported as damaged, and never asks the program to close, whatever the damage.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/FileReadScope.h"
#include "core/RecordFile.h"
#include "core/UserFiles.h"
#include "core/cDataRecord.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"
#include "support/TestMainWindow.h"

namespace {

using testsupport::ByteWriter;

// int32 a, int16 b and one string, as an options file might hold.
class SmallRecord : public cDataRecord {
public:
    std::int32_t a = 5;
    std::int16_t b = 6;
    std::string s = "def";

    SmallRecord() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&a, 1);
        AddWordMember(&b, 1);
        AddStrMember(&s, 1);
    }
};

std::string Text(const ByteWriter& bytes)
{
    return std::string(bytes.Data().begin(), bytes.Data().end());
}

class UserFilesTest : public ::testing::Test {
protected:
    void SetUp() override { nDataVersion = kCurrentDataVersion; }
    testsupport::GameFolder folder;
};

TEST_F(UserFilesTest, DamagedFilesAreSetAsideAndNeverClose)
{
    const std::string good = Text(ByteWriter().I32(720).I32(2).I32(1).U8(2).U8(0).I32(1).I32(2).Bytes("x").U8(0));
    struct Case {
        const char* what;
        std::string bytes;
        UserFileRead want;
    };
    const Case cases[] = {
        {"whole", good, UserFileRead::kRead},
        {"a member too many", Text(ByteWriter().I32(720).I32(3).I32(1).U8(2).U8(0).I32(9).I32(0)),
         UserFileRead::kDamaged},
        {"a string too many", Text(ByteWriter().I32(720).I32(2).I32(1).U8(2).U8(0).I32(2).I32(1).I32(1)),
         UserFileRead::kDamaged},
        {"cut inside the members", good.substr(0, 10), UserFileRead::kDamaged},
        {"cut inside the string", good.substr(0, good.size() - 1), UserFileRead::kDamaged},
        {"a negative member count", Text(ByteWriter().I32(720).I32(-1)), UserFileRead::kDamaged},
        {"a string length of 0", Text(ByteWriter().I32(720).I32(2).I32(1).U8(2).U8(0).I32(1).I32(0)),
         UserFileRead::kDamaged},
        {"shorter than its version", "\x01\x02", UserFileRead::kDamaged},
        {"empty", "", UserFileRead::kDamaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TestMainWindow window;
        folder.Remove("user_data\\Small.dat.damaged");
        folder.Write("user_data\\Small.dat", c.bytes);
        SmallRecord record;
        EXPECT_EQ(ReadUserFile(record, "user_data\\Small.dat"), c.want);
        EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
        if (c.want == UserFileRead::kRead) {
            EXPECT_EQ(record.a, 1);
            EXPECT_EQ(record.b, 2);
            EXPECT_EQ(record.s, "x");
            EXPECT_TRUE(folder.Exists("user_data\\Small.dat"));
        } else {
            EXPECT_FALSE(folder.Exists("user_data\\Small.dat"));
            EXPECT_EQ(folder.Read("user_data\\Small.dat.damaged"), c.bytes);
        }
    }
}

TEST_F(UserFilesTest, AbsentFilesChangeNothingAndLeftFilesStay)
{
    testsupport::TestMainWindow window;
    SmallRecord record;
    EXPECT_EQ(ReadUserFile(record, "user_data\\None.dat"), UserFileRead::kAbsent);
    EXPECT_EQ(record.a, 5);
    EXPECT_EQ(record.s, "def");

    folder.Write("user_data\\Slot.dat", Text(ByteWriter().I32(720).I32(7)));
    EXPECT_EQ(ReadUserFile(record, "user_data\\Slot.dat", DamagedFile::kLeave), UserFileRead::kDamaged);
    EXPECT_TRUE(folder.Exists("user_data\\Slot.dat"));
    EXPECT_FALSE(folder.Exists("user_data\\Slot.dat.damaged"));

    // A folder in place of the file cannot be read: damaged, but a folder is not ours to move.
    std::filesystem::create_directories(folder.Root() / "user_data" / "Dir.dat");
    EXPECT_EQ(ReadUserFile(record, "user_data\\Dir.dat"), UserFileRead::kDamaged);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Root() / "user_data" / "Dir.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder.Root() / "user_data" / "Dir.dat.damaged"));
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
}

TEST_F(UserFilesTest, OutsideAReadScopeASurplusMemberStillClosesTheProgram)
{
    // Game data keep the rule of the record frame: a member too many asks the program to close.
    testsupport::TestMainWindow window;
    folder.Write("game.dat", Text(ByteWriter().I32(720).I32(3).I32(1).U8(2).U8(0).I32(9).I32(0)));
    SmallRecord record;
    EXPECT_EQ(record.LoadFile("game.dat"), 1);
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 1);
    FileReadScope scope;
    EXPECT_EQ(record.LoadFile("game.dat"), 0);
    EXPECT_EQ(scope.BadIndexCount(), 1);
    EXPECT_EQ(window.TakePosted(WM_CLOSE), 0);
}

}  // namespace
