// The start-up drawing-mode dialog driven by the scripted driver: the choice reaches BootData,
// "user_data\Boot.dat" and "Direct3D", a stored "don't ask again" is honoured at the next start,
// stop and close end the start-up and write nothing, Esc does nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DialogResources.h"
#include "app/StartupDrawMode.h"
#include "app/SystemIni.h"
#include "app/cBootData.h"
#include "core/TextHelpers.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/Files.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "platform/win/ScriptedDialogDriver.h"
#include "platform/win/WorkArea.h"
#include "project/cSystemData.h"
#include "support/ByteWriter.h"
#include "support/RecordFileTest.h"

namespace {

using testsupport::ByteWriter;
using In = DialogInput;

class BootDialogTest : public testsupport::RecordFileTest {
protected:
    void SetUp() override
    {
        nDataVersion = kCurrentDataVersion;
        BootData = cBootData();
        SystemIni = SYSTEMINI();
        SystemIni.Direct3D = 2;
        SystemData.strTitle = Sjis("テストゲーム");
        folder.Write("user_data\\keep.txt", "");
        SetWorkArea(RECT{0, 0, 1920, 1080});
        SetDialogDriver(&driver);
    }
    void TearDown() override
    {
        SetDialogDriver(nullptr);
        SetWorkArea(RECT{});
        BootData = cBootData();
        SystemIni = SYSTEMINI();
    }

    static std::string BootBytes(int mode, int noDialog)
    {
        ByteWriter w;
        w.I32(720).I32(2).I32(mode).I32(noDialog).I32(0);
        return std::string(w.Data().begin(), w.Data().end());
    }

    ScriptedDialogDriver driver;
};

TEST_F(BootDialogTest, TheChoiceIsWrittenAndHonouredAtTheNextStart)
{
    struct Case {
        const char* what;
        std::vector<DialogInput> script;
        int mode;
        int noDialog;
    };
    const std::vector<Case> cases = {
        {"mouse: DirectDraw, don't ask, start",
         {In::Click(IDC_BOOT_DIRECTDRAW), In::Click(IDC_BOOT_NO_DIALOG), In::Click(IDC_BOOT_START)},
         0,
         1},
        // Focus starts on the start button; Tab reaches the checked radio button, Right moves the
        // check, Tab the check box, Space ticks it, Enter presses the default button.
        {"keys: Tab, Right, Tab, Space, Enter",
         {In::Key(VK_TAB), In::Key(VK_TAB), In::Key(VK_RIGHT), In::Key(VK_TAB), In::Key(VK_SPACE), In::Key(VK_RETURN)},
         0,
         1},
        {"Shift+Tab goes back to the radio group; Left keeps Direct3D",
         {In::Key(VK_TAB), In::Key(VK_TAB), In::Key(VK_TAB), In::ShiftKey(VK_TAB), In::Key(VK_LEFT),
          In::Click(IDC_BOOT_START)},
         1,
         0},
        {"Esc does not close; start after it", {In::Key(VK_ESCAPE), In::Key(VK_RETURN)}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Remove("user_data\\Boot.dat");
        BootData = cBootData();
        driver = ScriptedDialogDriver();
        driver.AddScript(c.script);
        SYSTEMINI ini;
        ini.Direct3D = 2;
        ASSERT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
        EXPECT_EQ(ini.Direct3D, c.mode);
        EXPECT_EQ(folder.Read("user_data\\Boot.dat"), BootBytes(c.mode, c.noDialog));

        // The next start reads the file afresh; with "don't ask again" no dialog is shown.
        BootData = cBootData();
        driver.AddScript({In::Click(IDC_BOOT_START)});
        SYSTEMINI next;
        next.Direct3D = 2;
        ASSERT_TRUE(ChooseStartDrawMode(next, POINT{0, 0}));
        EXPECT_EQ(next.Direct3D, c.mode);
        EXPECT_EQ(driver.Shown().size(), c.noDialog != 0 ? 1U : 2U);
    }
}

// Stored values outside the dialog's own: a drawing mode other than 1 is DirectDraw, a flag
// other than 0 asks no more.
TEST_F(BootDialogTest, StoredValuesOutsideTheirRangeGiveDirectDrawAndAskNoMore)
{
    struct Case {
        int mode, noDialog;
        int want;
    };
    const Case cases[] = {{7, -3, 0}, {-1, 2, 0}, {1, 5, 1}, {0x7fffffff, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        folder.Write("user_data\\Boot.dat", BootBytes(c.mode, c.noDialog));
        BootData = cBootData();
        driver = ScriptedDialogDriver();
        SYSTEMINI ini;
        ini.Direct3D = 2;
        ASSERT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
        EXPECT_EQ(ini.Direct3D, c.want);
        EXPECT_TRUE(driver.Shown().empty());
    }
}

TEST_F(BootDialogTest, StopAndCloseEndTheStartUpAndWriteNothing)
{
    const std::vector<std::vector<DialogInput>> scripts = {
        {In::Click(IDC_BOOT_DIRECTDRAW), In::Click(IDC_BOOT_NO_DIALOG), In::Click(IDC_BOOT_STOP)},
        // From DirectDraw, Tab passes the check box and the start button to stop.
        {In::Click(IDC_BOOT_DIRECTDRAW), In::Key(VK_TAB), In::Key(VK_TAB), In::Key(VK_TAB), In::Key(VK_RETURN)},
        {In::Click(IDC_BOOT_DIRECTDRAW), In::Close()},
        {},
    };
    // A stored choice that asks again: Direct3D.
    const std::string stored = BootBytes(1, 0);
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        SCOPED_TRACE(i);
        folder.Write("user_data\\Boot.dat", stored);
        BootData = cBootData();
        driver.AddScript(scripts[i]);
        SYSTEMINI ini;
        ini.Direct3D = 2;
        EXPECT_FALSE(ChooseStartDrawMode(ini, POINT{0, 0}));
        EXPECT_EQ(ini.Direct3D, 2);
        EXPECT_EQ(BootData.nDrawMode, 1);
        EXPECT_EQ(BootData.bNoDialog, 0);
        EXPECT_EQ(folder.Read("user_data\\Boot.dat"), stored);
    }
}

TEST_F(BootDialogTest, AFailedWriteKeepsTheOldFileAndTheChoiceHoldsForThisRun)
{
    const std::string stored = BootBytes(1, 0);
    folder.Write("user_data\\Boot.dat", stored);
    AddFileFailureForTest("user_data\\Boot.dat");
    driver.AddScript({In::Click(IDC_BOOT_DIRECTDRAW), In::Click(IDC_BOOT_START)});
    SYSTEMINI ini;
    ini.Direct3D = 2;
    EXPECT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
    ClearFileFailuresForTest();
    EXPECT_EQ(ini.Direct3D, 0);
    EXPECT_EQ(folder.Read("user_data\\Boot.dat"), stored);
}

TEST_F(BootDialogTest, WithoutADriverTheDefaultButtonStartsWithTheStoredMode)
{
    SetDialogDriver(nullptr);
    folder.Write("user_data\\Boot.dat", BootBytes(0, 0));
    SYSTEMINI ini;
    ini.Direct3D = 2;
    EXPECT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
    EXPECT_EQ(ini.Direct3D, 0);
    EXPECT_EQ(folder.Read("user_data\\Boot.dat"), BootBytes(0, 0));
}

TEST_F(BootDialogTest, NoDialogBelowDirect3DTwo)
{
    for (const int setting : {0, 1}) {
        SYSTEMINI ini;
        ini.Direct3D = setting;
        EXPECT_TRUE(ChooseStartDrawMode(ini, POINT{0, 0}));
        EXPECT_EQ(ini.Direct3D, setting);
    }
    EXPECT_TRUE(driver.Shown().empty());
    EXPECT_FALSE(folder.Exists("user_data\\Boot.dat"));
}

TEST_F(BootDialogTest, TextsFollowTheLanguageAndTheCaptionIsTheGameTitle)
{
    struct Case {
        int english;
        std::string group, start, stop, note, check;
    };
    const std::vector<Case> cases = {
        {0, Sjis("描画モード"), Sjis("ゲーム開始"), Sjis("ゲーム中止"),
         Sjis("詳細な設定は環境設定ファイル「System.ini」で行って下さい。"),
         Sjis("次回からこのダイアログを表示しない")},
        {1, "Drawing mode", "Start", "Cancel", "Configure the detail settings at \"System.ini\".",
         "Do not ask this dialog again"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        SystemIni.English = c.english;
        driver = ScriptedDialogDriver();
        SYSTEMINI ini = SystemIni;
        EXPECT_FALSE(ChooseStartDrawMode(ini, POINT{0, 0}));
        ASSERT_EQ(driver.Shown().size(), 1U);
        const DialogSnapshot& shown = driver.Shown()[0];
        EXPECT_EQ(shown.caption, SystemData.strTitle);
        EXPECT_EQ(shown.Text(IDC_BOOT_GROUP), c.group);
        EXPECT_EQ(shown.Text(IDC_BOOT_START), c.start);
        EXPECT_EQ(shown.Text(IDC_BOOT_STOP), c.stop);
        EXPECT_EQ(shown.Text(IDC_BOOT_NOTE), c.note);
        EXPECT_EQ(shown.Text(IDC_BOOT_NO_DIALOG), c.check);
        EXPECT_EQ(shown.Text(IDC_BOOT_DIRECT3D), "Direct3D");
        EXPECT_EQ(shown.Text(IDC_BOOT_DIRECTDRAW), "DirectDraw");
    }
}

TEST_F(BootDialogTest, TheDialogSitsOffTheMainWindowAndStaysOnTheWorkArea)
{
    // Outer size: 222 x 171 dialog units in pixels plus the dialog frame and the caption.
    const int width = 222 * 3 / 2 + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int height = 171 * 15 / 8 + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    struct Case {
        RECT work;
        POINT main;
        POINT expected;
    };
    const std::vector<Case> cases = {
        {RECT{0, 0, 1920, 1080}, POINT{100, 50}, POINT{100 + 320 - 187, 50 + 240 - 136}},
        {RECT{0, 0, 800, 600}, POINT{700, 500}, POINT{800 - width, 600 - height}},
        {RECT{50, 40, 1920, 1080}, POINT{-500, -500}, POINT{50, 40}},
    };
    for (const Case& c : cases) {
        SetWorkArea(c.work);
        driver = ScriptedDialogDriver();
        SYSTEMINI ini;
        ini.Direct3D = 2;
        ChooseStartDrawMode(ini, c.main);
        ASSERT_EQ(driver.Shown().size(), 1U);
        EXPECT_EQ(driver.Shown()[0].position.x, c.expected.x);
        EXPECT_EQ(driver.Shown()[0].position.y, c.expected.y);
        // The cursor: the corner asked for plus (181.9, 198.9), truncated, whatever the clamping.
        const double requestX = c.main.x + 133;
        const double requestY = c.main.y + 104;
        EXPECT_EQ(driver.Shown()[0].cursor.x, static_cast<int>(requestX + 181.9));
        EXPECT_EQ(driver.Shown()[0].cursor.y, static_cast<int>(requestY + 198.9));
    }
}

}  // namespace
