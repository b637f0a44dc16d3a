// The three user settings files: their defaults, byte layouts and what is made of the values a
// file holds.
#include <gtest/gtest.h>

#include <string>

#include "app/cBootData.h"
#include "app/cWindowData.h"
#include "core/TextHelpers.h"
#include "platform/win/Messages.h"
#include "platform/win/WorkArea.h"
#include "scenes/cOptionData.h"
#include "support/ByteWriter.h"
#include "support/RecordFileTest.h"

namespace {

using testsupport::ByteWriter;

class UserSettingsTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override { nDataVersion = kCurrentDataVersion; }
    void TearDown() override { SetWorkArea(RECT{}); }

    static std::string Bytes(const ByteWriter& w) { return std::string(w.Data().begin(), w.Data().end()); }
};

TEST_F(UserSettingsTest, AFirstRunWithoutFilesKeepsTheDefaults)
{
    cBootData boot;
    cWindowData window;
    cOptionData option;
    EXPECT_EQ(boot.LoadFile("user_data\\Boot.dat"), 0);
    EXPECT_EQ(window.LoadFile("user_data\\Window.dat"), 0);
    EXPECT_EQ(option.LoadFile("user_data\\Option.dat"), 0);
    EXPECT_EQ(boot.nDrawMode, 1);
    EXPECT_EQ(boot.bNoDialog, 0);
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.bMaximized, 0);
    EXPECT_EQ(option.nPaletteSet, 0);
    EXPECT_EQ(option.bMusic, 1);
    EXPECT_EQ(option.nSoundVolume, 7);
    EXPECT_EQ(option.nRankingMode, 0);
    EXPECT_EQ(option.strRankingName, "aaa");
}

TEST_F(UserSettingsTest, FilesAreWrittenInTheirLayoutThroughATemporaryFile)
{
    folder.Write("user_data\\Option.dat", "old");
    cBootData boot;
    boot.nDrawMode = 0;
    boot.bNoDialog = 1;
    cWindowData window;
    window.x = 10;
    window.y = 20;
    window.nWidth = 640;
    window.nHeight = 480;
    window.bMaximized = 1;
    cOptionData option;
    option.nPaletteSet = 5;
    option.bMusic = 0;
    option.nSoundVolume = 3;
    option.nRankingMode = 2;
    option.strRankingName = "ab";
    ASSERT_EQ(boot.SaveFile("user_data\\Boot.dat"), 1);
    ASSERT_EQ(window.SaveFile("user_data\\Window.dat"), 1);
    ASSERT_EQ(option.SaveFile("user_data\\Option.dat"), 1);

    EXPECT_EQ(folder.Read("user_data\\Boot.dat"), Bytes(ByteWriter().I32(720).I32(2).I32(0).I32(1).I32(0)));
    EXPECT_EQ(folder.Read("user_data\\Window.dat"),
              Bytes(ByteWriter().I32(720).I32(5).I32(10).I32(20).I32(640).I32(480).I32(1).I32(0)));
    // A two-character name: its length with the NUL (3), the two bytes and the NUL.
    EXPECT_EQ(folder.Read("user_data\\Option.dat"),
              Bytes(ByteWriter().I32(720).I32(4).I32(5).I32(0).I32(3).I32(2).I32(1).I32(3).Bytes("ab").U8(0)));
    EXPECT_FALSE(folder.Exists("user_data\\Option.dat.tmp"));
}

TEST_F(UserSettingsTest, OptionValuesOutsideTheirRangesAreClamped)
{
    const std::string fourWide = Sjis("あいうえ");
    struct Case {
        const char* name;
        int palette, music, volume, mode;
        std::string stored;
        int wantPalette, wantMusic, wantVolume, wantMode;
        std::string wantName;
    };
    const Case cases[] = {
        {"in range", 23, 0, 10, 3, "xyz", 23, 0, 10, 3, "xyz"},
        {"above", 24, 2, 11, 4, "abcd", 23, 1, 10, 3, "abc"},
        {"below", -1, -5, -1, -7, "", 0, 0, 0, 0, ""},
        {"double-byte name", 0, 1, 7, 0, fourWide, 0, 1, 7, 0, fourWide.substr(0, 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteWriter bytes;
        bytes.I32(4).I32(c.palette).I32(c.music).I32(c.volume).I32(c.mode).I32(1).RecordString(c.stored);
        cOptionData option;
        EXPECT_EQ(LoadBytes(option, 720, bytes), 1);
        EXPECT_EQ(option.nPaletteSet, c.wantPalette);
        EXPECT_EQ(option.bMusic, c.wantMusic);
        EXPECT_EQ(option.nSoundVolume, c.wantVolume);
        EXPECT_EQ(option.nRankingMode, c.wantMode);
        EXPECT_EQ(option.strRankingName, c.wantName);
    }
}

TEST_F(UserSettingsTest, BootValuesAreTakenAsStoredAndOlderVersionsReadTheSame)
{
    for (int version : {100, 720}) {
        SCOPED_TRACE(version);
        cBootData boot;
        EXPECT_EQ(LoadBytes(boot, version, ByteWriter().I32(2).I32(7).I32(-3).I32(0)), 1);
        EXPECT_EQ(boot.nDrawMode, 7);
        EXPECT_EQ(boot.bNoDialog, -3);
    }
}

TEST_F(UserSettingsTest, AShortFileKeepsTheDefaultsOfTheRest)
{
    cOptionData option;
    EXPECT_EQ(LoadBytes(option, 720, ByteWriter().I32(2).I32(4).I32(0).I32(0)), 1);
    EXPECT_EQ(option.nPaletteSet, 4);
    EXPECT_EQ(option.bMusic, 0);
    EXPECT_EQ(option.nSoundVolume, 7);
    EXPECT_EQ(option.strRankingName, "aaa");
}

TEST_F(UserSettingsTest, TheWindowIsKeptOnTheUsableArea)
{
    const int frameX = 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int frameY = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYDLGFRAME);
    struct Case {
        const char* name;
        RECT area;
        int x, y, width, height, maximized;
        int wantX, wantY, wantWidth, wantHeight, wantMaximized;
    };
    const Case cases[] = {
        {"inside stays", {0, 0, 1920, 1040}, 100, 200, 640, 480, 0, 100, 200, 640, 480, 0},
        {"left and below", {0, 0, 1920, 1040}, -50, 100000, 640, 480, 1, 0, 1040 - (480 + frameY), 640, 480, 1},
        {"right edge", {0, 0, 1920, 1040}, 1900, 0, 640, 480, 0, 1920 - (640 + frameX), 0, 640, 480, 0},
        {"size unknown counts 640 x 480",
         {0, 0, 1920, 1040},
         5000,
         5000,
         0,
         0,
         0,
         1920 - (640 + frameX),
         1040 - (480 + frameY),
         0,
         0,
         0},
        {"larger than the area", {0, 0, 800, 600}, 300, 300, 5000, 5000, 0, 0, 0, 800, 600, 0},
        {"tiny and odd flag", {0, 0, 1920, 1040}, 10, 10, 3, -4, 9, 10, 10, 100, 100, 1},
        {"area left of the origin", {-1280, 0, 0, 1000}, -1200, 50, 640, 480, 0, -1200, 50, 640, 480, 0},
        {"area below a panel", {0, 40, 1920, 1080}, 100, 0, 640, 480, 0, 100, 40, 640, 480, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWorkArea(c.area);
        cWindowData window;
        EXPECT_EQ(LoadBytes(window, 720,
                            ByteWriter().I32(5).I32(c.x).I32(c.y).I32(c.width).I32(c.height).I32(c.maximized).I32(0)),
                  1);
        EXPECT_EQ(window.x, c.wantX);
        EXPECT_EQ(window.y, c.wantY);
        EXPECT_EQ(window.nWidth, c.wantWidth);
        EXPECT_EQ(window.nHeight, c.wantHeight);
        EXPECT_EQ(window.bMaximized, c.wantMaximized);
    }
}

}  // namespace
