// The program with damaged files of its user and of its game, and a game folder holding things
// that are not files: a damaged settings file is logged, set aside and replaced by the defaults,
// and the title comes; a FIFO in place of a data file is refused at once instead of blocking the
// start; a sound file that cannot be read is logged; a damaged palette bitmap ends the start with
// its line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PlayerProcess.h"
#include "SampleGame.h"
#include "core/TextHelpers.h"
#include "platform/win/CodePage.h"
#include "support/ByteWriter.h"
#include "support/GameFolder.h"
#include "support/GameFolderWriter.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;
using testsupport::ByteWriter;

std::string Text(const ByteWriter& bytes)
{
    return std::string(bytes.Data().begin(), bytes.Data().end());
}

class DamagedUserFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (PlayerPath().empty() || !fs::exists(PlayerPath())) {
            GTEST_SKIP() << "the program was not built with the tests";
        }
        ASSERT_TRUE(testsupport::WriteGameFolder(folder.Root(), testsupport::MinimalGame()));
    }

    bool Logged(const std::string& line) const
    {
        const std::string log = folder.Read("Report_Game.txt");
        return log.find(line + "\r\n") != std::string::npos;
    }

    testsupport::GameFolder folder;
};

TEST_F(DamagedUserFilesTest, ADamagedSettingsFileIsSetAsideAndTheTitleComes)
{
    // Option.dat: 4 ints and the ranking name. Window.dat: 5 ints (read in window mode).
    const ByteWriter option = ByteWriter().I32(720).I32(4).I32(0).I32(1).I32(7).I32(0).I32(1).I32(4).Bytes("abc").U8(0);
    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
    };
    const Case cases[] = {
        {"Option.dat with a member too many", "user_data\\Option.dat",
         Text(ByteWriter().I32(720).I32(5).I32(0).I32(1).I32(7).I32(0).I32(9).I32(1).I32(4).Bytes("abc").U8(0))},
        {"Option.dat with a string too many", "user_data\\Option.dat",
         Text(ByteWriter().I32(720).I32(4).I32(0).I32(1).I32(7).I32(0).I32(2).I32(1).I32(1))},
        {"Option.dat cut short", "user_data\\Option.dat", Text(option).substr(0, 22)},
        {"Option.dat empty", "user_data\\Option.dat", ""},
        {"Option.dat with a huge name length", "user_data\\Option.dat",
         Text(ByteWriter().I32(720).I32(4).I32(0).I32(1).I32(7).I32(0).I32(1).I32(0x7fffffff))},
        {"Window.dat with a member too many", "user_data\\Window.dat",
         Text(ByteWriter().I32(720).I32(6).I32(0).I32(0).I32(640).I32(480).I32(0).I32(0).I32(0))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Write("Report_Game.txt", "");
        folder.Write(c.file, c.bytes);
        const RunResult run = RunPlayer(folder.Root(), {}, {"QB_FRAMES=20", "QB_STATE=state.json"});
        EXPECT_EQ(run.code, 0) << run.output;
        EXPECT_NE(folder.Read("state.json").find("\"screen\": \"title\""), std::string::npos) << run.output;
        EXPECT_TRUE(Logged(std::string("User file damaged : ") + c.file)) << folder.Read("Report_Game.txt");
        EXPECT_EQ(folder.Read(std::string(c.file) + ".damaged"), c.bytes);
    }
    // The next start finds no damaged file: it starts without a word.
    folder.Write("Report_Game.txt", "");
    EXPECT_EQ(RunPlayer(folder.Root(), {}, {"QB_FRAMES=5"}).code, 0);
    EXPECT_EQ(folder.Read("Report_Game.txt").find("User file damaged"), std::string::npos);
}

TEST_F(DamagedUserFilesTest, AFifoInPlaceOfTheSettingsIsRefusedWithoutBlocking)
{
    const fs::path settings = folder.Root() / "data" / "System.dat";
    fs::remove(settings);
    ASSERT_EQ(::mkfifo(settings.c_str(), 0644), 0);
    PlayerProcess player(folder.Root(), {}, {"QB_FRAMES=5"});
    const int code = player.Wait(60);
    EXPECT_NE(code, -1) << "the start blocked on the FIFO";
    EXPECT_NE(code, 0);
    EXPECT_NE(player.Output().find(Cp932ToUtf8(Sjis("data\\System.dat の読み込みに失敗…"))), std::string::npos)
        << player.Output();
}

TEST_F(DamagedUserFilesTest, DamagedGameFilesAreLogged)
{
    // A sound effect of the sample game cut inside its header: logged, and the game runs
    // without it.
    testsupport::GameFolder sample;
    ASSERT_TRUE(testsupport::WriteGameFolder(sample.Root(), testsupport::SampleGame()));
    const std::string wave = sample.Read("wave\\cursor.wav");
    ASSERT_FALSE(wave.empty());
    sample.Write("wave\\cursor.wav", wave.substr(0, 30));
    const RunResult sound = RunPlayer(sample.Root(), {}, {"QB_FRAMES=5"});
    EXPECT_EQ(sound.code, 0) << sound.output;
    EXPECT_NE(sample.Read("Report_Game.txt").find("Sound file cannot be read : wave\\cursor.wav\r\n"),
              std::string::npos)
        << sample.Read("Report_Game.txt");

    // The palette bitmap cut short: the start fails with its line and the failure exit code.
    folder.Write("Report_Game.txt", "");
    const std::string palette = folder.Read("bmp\\plt\\Palette.bmp");
    ASSERT_FALSE(palette.empty());
    folder.Write("bmp\\plt\\Palette.bmp", palette.substr(0, 100));
    const RunResult start = RunPlayer(folder.Root(), {}, {"QB_FRAMES=5"});
    EXPECT_EQ(start.code, 1) << start.output;
    EXPECT_TRUE(Logged(Sjis("DDLoadPaletteFromFile失敗"))) << folder.Read("Report_Game.txt");
}

}  // namespace
}  // namespace apptest
