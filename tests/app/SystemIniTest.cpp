#include "app/SystemIni.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "support/GameFolder.h"

namespace {

// The key list of a project settings record built from scratch, except that "English" carries a
// default of 1 here, which the reader must not take.
cVector<cIniSetting> FreshKeys()
{
    struct Entry {
        const char* name;
        int value;
    };
    const Entry entries[] = {
        {"Direct3D", 2},     {"WindowMode", 0},      {"Bpp", 0},     {"VSync", 2},     {"D3D_FontCache", 0},
        {"DD_FontCache", 1}, {"DD_VideoStretch", 0}, {"ShowFps", 1}, {"FreeStage", 0}, {"English", 1}};
    cVector<cIniSetting> keys;
    for (const Entry& e : entries) {
        cIniSetting setting;
        if (std::string(e.name) == "FreeStage") {
            setting.SetText(e.name, "");
        } else {
            setting.SetValue(e.name, e.value);
        }
        keys.push_back(setting);
    }
    return keys;
}

// What the defaults above give.
SYSTEMINI Defaults()
{
    SYSTEMINI s;
    s.Direct3D = 2;
    s.VSync = 2;
    s.DD_FontCache = 1;
    s.ShowFps = 1;
    return s;
}

void ExpectSame(const SYSTEMINI& got, const SYSTEMINI& want)
{
    EXPECT_EQ(got.Direct3D, want.Direct3D);
    EXPECT_EQ(got.WindowMode, want.WindowMode);
    EXPECT_EQ(got.Bpp, want.Bpp);
    EXPECT_EQ(got.VSync, want.VSync);
    EXPECT_EQ(got.D3D_FontCache, want.D3D_FontCache);
    EXPECT_EQ(got.DD_FontCache, want.DD_FontCache);
    EXPECT_EQ(got.DD_VideoStretch, want.DD_VideoStretch);
    EXPECT_EQ(got.ShowFps, want.ShowFps);
    EXPECT_EQ(got.English, want.English);
    EXPECT_EQ(got.FreeStage, want.FreeStage);
}

class SystemIniTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        keys = FreshKeys();
        ClearRecordedMessageBoxes();
    }
    void TearDown() override { ClearRecordedMessageBoxes(); }

    testsupport::GameFolder folder;
    cVector<cIniSetting> keys;
};

TEST_F(SystemIniTest, DefaultsComeFromTheKeyListButEnglishStaysOff)
{
    SYSTEMINI s;
    s.English = 1;
    s.FreeStage = "old";
    keys[8].strText = "data\\stg4\\first.stg4";
    SetSystemIniDefault(s, keys);
    SYSTEMINI want = Defaults();
    want.FreeStage = "data\\stg4\\first.stg4";
    ExpectSame(s, want);
}

struct ReadCase {
    const char* name;
    std::string file;
    int result;
    void (*change)(SYSTEMINI&);  // what the file changes in the defaults
};

const ReadCase kReadCases[] = {
    {"ExitLineEndsTheFile", "Direct3D=1\nWindowMode=1\nExit\n", 1,
     [](SYSTEMINI& s) {
         s.Direct3D = 1;
         s.WindowMode = 1;
     }},
    {"ExitWithoutLineFeedFails", "Direct3D=1\nExit", 0, [](SYSTEMINI& s) { s.Direct3D = 1; }},
    {"NoExitFails", "Bpp=16\n", 0, [](SYSTEMINI& s) { s.Bpp = 16; }},
    {"EmptyFileFails", "", 0, [](SYSTEMINI&) {}},
    {"NulByteEndsTheFileWithSuccess", std::string("Bpp=16\n\0garbage", 15), 1, [](SYSTEMINI& s) { s.Bpp = 16; }},
    {"BlanksAroundEqualsAndNote", "Direct3D = 1 // DirectX 9\nExit\n", 1, [](SYSTEMINI& s) { s.Direct3D = 1; }},
    {"BlanksInsideKeyVanish", " Show Fps\t=0\nExit\n", 1, [](SYSTEMINI& s) { s.ShowFps = 0; }},
    {"SlashEndsTheValueAndTheRestIsALineOfItsOwn", "Bpp=16/VSync=1\nExit\n", 1,
     [](SYSTEMINI& s) {
         s.Bpp = 16;
         s.VSync = 1;
     }},
    {"LowerCaseKeyIsNotRecognised", "direct3d=1\nExit\n", 1, [](SYSTEMINI&) {}},
    {"UnknownKeysAndCommentsIgnored", "; drawing\nFoo=3\n\nVSync=0\nExit\n", 1, [](SYSTEMINI& s) { s.VSync = 0; }},
    {"LinesAfterExitAreNeverRead", "Exit\nDirect3D=0\n", 1, [](SYSTEMINI&) {}},
    {"ExitWithCarriageReturnStillEndsTheFile", "Bpp=32\r\nExit\r\n", 1, [](SYSTEMINI& s) { s.Bpp = 32; }},
    {"IntegersAsAtoiReadsThem", "Bpp=16bit\nVSync=-1\nShowFps=x\nD3D_FontCache=+3\nExit\n", 1,
     [](SYSTEMINI& s) {
         s.Bpp = 16;
         s.VSync = -1;
         s.ShowFps = 0;
         s.D3D_FontCache = 3;
     }},
    {"HugeIntegersSaturate", "Bpp=99999999999999999999\nVSync=-99999999999999999999\nExit\n", 1,
     [](SYSTEMINI& s) {
         s.Bpp = 2147483647;
         s.VSync = -2147483647 - 1;
     }},
    {"EnglishIsReadFromTheFile", "English=1\nExit\n", 1, [](SYSTEMINI& s) { s.English = 1; }},
    {"FreeStagePath", "FreeStage=data\\stg4\\a.stg4\nExit\n", 1,
     [](SYSTEMINI& s) { s.FreeStage = "data\\stg4\\a.stg4"; }},
    {"FreeStageOneCharacterIgnored", "FreeStage=a\nExit\n", 1, [](SYSTEMINI&) {}},
    {"FreeStageEndsAtABlank", "FreeStage=my stage.stg4\nExit\n", 1, [](SYSTEMINI& s) { s.FreeStage = "my"; }},
    {"FreeStageKeepsTheCarriageReturn", "FreeStage=a.stg4\r\nExit\r\n", 1,
     [](SYSTEMINI& s) { s.FreeStage = "a.stg4\r"; }},
    {"FreeStageCarriageReturnGoesWithAFollowingBlank", "FreeStage=a.stg4 \r\nExit\r\n", 1,
     [](SYSTEMINI& s) { s.FreeStage = "a.stg4"; }},
    {"FreeStageLongerThan259Ignored", "FreeStage=" + std::string(260, 'x') + "\nExit\n", 1, [](SYSTEMINI&) {}},
    {"FreeStageOf259Kept", "FreeStage=" + std::string(259, 'x') + "\nExit\n", 1,
     [](SYSTEMINI& s) { s.FreeStage = std::string(259, 'x'); }},
    {"KeyLongerThanTheBufferIsCutAndMatchesNothing", std::string(5000, 'k') + "=1\nBpp=8\nExit\n", 1,
     [](SYSTEMINI& s) { s.Bpp = 8; }},
};

class SystemIniReadTest : public SystemIniTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SystemIniReadTest, ReadsAsTheFormatSays)
{
    const ReadCase& c = GetParam();
    folder.Write("System.ini", c.file);
    SYSTEMINI s = Defaults();
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), c.result);
    SYSTEMINI want = Defaults();
    c.change(want);
    ExpectSame(s, want);
}

INSTANTIATE_TEST_SUITE_P(Files, SystemIniReadTest, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(SystemIniTest, ReadingStopsWithSuccessAfterTenThousandLines)
{
    std::string file;
    for (int i = 0; i < kSystemIniMaxLines - 1; ++i) {
        file += "\n";
    }
    file += "Bpp=16\nVSync=0\n";  // line 10000 is read, line 10001 is not
    folder.Write("System.ini", file);
    SYSTEMINI s = Defaults();
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), 1);
    EXPECT_EQ(s.Bpp, 16);
    EXPECT_EQ(s.VSync, 2);
}

TEST_F(SystemIniTest, KeysFollowTheProjectList)
{
    keys[2].strName = "ColourDepth";
    folder.Write("System.ini", "ColourDepth=16\nBpp=8\nExit\n");
    SYSTEMINI s = Defaults();
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), 1);
    EXPECT_EQ(s.Bpp, 16);
}

TEST_F(SystemIniTest, StartUpReportsAnUnreadableFileAndGoesOnWithTheDefaults)
{
    const std::string kText = Sjis("System.ini の読み込みに失敗しました！");
    const std::string kCaption = Sjis("エラー");
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file
        bool reported;
    };
    const Case cases[] = {{"missing", nullptr, true},
                          {"no Exit line", "Direct3D=1\nBpp=16\n", true},
                          {"complete", "Direct3D=1\nExit\n", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Remove("System.ini");
        if (c.file != nullptr) {
            folder.Write("System.ini", c.file);
        }
        ClearRecordedMessageBoxes();
        ASSERT_EQ(CreateReportLog(GamePath(folder.Host("Report_Game.txt").string()).c_str()), 1);
        SYSTEMINI s;
        LoadSystemIni("System.ini", s, keys);
        const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
        if (c.reported) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, kText);
            EXPECT_EQ(boxes[0].caption, kCaption);
            EXPECT_NE(folder.Read("Report_Game.txt").find(kText), std::string::npos);
            ExpectSame(s, Defaults());
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(s.Direct3D, 1);
        }
    }
}

}  // namespace
