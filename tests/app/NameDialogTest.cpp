// The ranking-name dialog driven by the scripted driver: three characters at most (a full-width
// character counts as one), characters without a Shift-JIS form refused, the input method's
// Enter kept from the OK button, Esc ignored, close leaving the name, and the name it edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DialogResources.h"
#include "app/SystemIni.h"
#include "app/cNameDialog.h"
#include "core/TextHelpers.h"
#include "platform/StandInFixture.h"
#include "platform/win/DialogDriver.h"
#include "platform/win/HostLink.h"
#include "platform/win/Keyboard.h"
#include "platform/win/ScriptedDialogDriver.h"
#include "platform/win/WorkArea.h"
#include "scenes/cOptionData.h"
#include "scenes/cSceneManager.h"
#include "stage/cSceneStage.h"

namespace {

using In = DialogInput;

class NameDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedMode = SceneManager.m_nGameMode;
        SceneManager.m_nGameMode = GAMEMODE_OPTION;
        OptionData.strRankingName = "aaa";
        SystemIni = SYSTEMINI();
        SetWorkArea(RECT{0, 0, 1920, 1080});
        SetDialogDriver(&driver);
    }
    void TearDown() override
    {
        SetDialogDriver(nullptr);
        SetWorkArea(RECT{});
        SceneManager.m_nGameMode = savedMode;
        OptionData = cOptionData();
        SystemIni = SYSTEMINI();
    }

    int RunName(std::vector<DialogInput> script, POINT main = POINT{0, 0}, bool bFullScreen = false)
    {
        driver.AddScript(std::move(script));
        cNameDialog dialog(main, bFullScreen);
        return dialog.DoModal(0);
    }

    int savedMode = 0;
    ScriptedDialogDriver driver;
};

TEST_F(NameDialogTest, TypedNamesAreLimitedToThreeShiftJisCharacters)
{
    struct Case {
        const char* what;
        std::vector<DialogInput> script;
        std::string expected;  // Shift-JIS
    };
    const std::vector<Case> cases = {
        {"a fourth character is refused",
         {In::Text("A"), In::Text("B"), In::Text("C"), In::Text("D"), In::Click(IDC_NAME_OK)},
         "ABC"},
        {"three full-width characters are accepted",
         {In::Text("あ"), In::Text("い"), In::Text("う"), In::Key(VK_RETURN)},
         Sjis("あいう")},
        {"a fourth full-width character is refused",
         {In::Text("あいう"), In::Text("え"), In::Key(VK_RETURN)},
         Sjis("あいう")},
        {"a paste of four characters over the selected name leaves the old name",
         {In::Text("WXYZ"), In::Key(VK_RETURN)},
         "aaa"},
        {"a character without a Shift-JIS form is refused",
         {In::Text("A"), In::Text("한"), In::Text("B"), In::Key(VK_RETURN)},
         "AB"},
        {"mixed widths count characters, not bytes",
         {In::Text("Aあ"), In::Text("B"), In::Text("C"), In::Key(VK_RETURN)},
         Sjis("AあB")},
        {"Backspace and Left work by characters",
         {In::Text("あいう"), In::Key(VK_LEFT), In::Key(VK_BACK), In::Text("X"), In::Key(VK_RETURN)},
         Sjis("あXう")},
        {"Home, Delete, End",
         {In::Text("ABC"), In::Key(VK_HOME), In::Key(VK_DELETE), In::Key(VK_END), In::Text("D"), In::Key(VK_RETURN)},
         "BCD"},
        {"the Enter that ends a composition does not press OK",
         {In::Compose("か"), In::Compose("かな"), In::Text("仮名"), In::Key(VK_RETURN), In::Text("x"),
          In::Key(VK_RETURN)},
         Sjis("仮名x")},
        {"an Enter well after the composition ended presses OK",
         {In::Compose("か"), In::Text("仮"), In::Wait(1000), In::Key(VK_RETURN), In::Text("x")},
         Sjis("仮")},
        {"Enter while composing goes to the input method",
         {In::Text("A"), In::Compose("に"), In::Key(VK_RETURN), In::Compose(""), In::Text("B"), In::Click(IDC_NAME_OK)},
         "AB"},
        {"Esc does not close", {In::Text("Q"), In::Key(VK_ESCAPE), In::Text("R"), In::Key(VK_RETURN)}, "QR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OptionData.strRankingName = "aaa";
        EXPECT_EQ(RunName(c.script), 1);
        EXPECT_EQ(OptionData.strRankingName, c.expected);
    }
}

TEST_F(NameDialogTest, ClosingLeavesTheNameAndAnEmptyScriptCloses)
{
    for (const auto& script : {std::vector<DialogInput>{In::Text("ZZ"), In::Close()}, std::vector<DialogInput>{}}) {
        OptionData.strRankingName = Sjis("名前");
        EXPECT_EQ(RunName(script), 0);
        EXPECT_EQ(OptionData.strRankingName, Sjis("名前"));
    }
}

TEST_F(NameDialogTest, TheDialogEditsTheOptionNameOrTheStageName)
{
    // Opened from the option screen: the option's name, shown whole and selected, focus on it.
    EXPECT_EQ(RunName({In::Text("OPT"), In::Key(VK_RETURN)}), 1);
    EXPECT_EQ(OptionData.strRankingName, "OPT");
    EXPECT_EQ(driver.Shown().back().Text(IDC_NAME_EDIT), "aaa");
    EXPECT_EQ(driver.Shown().back().focus, IDC_NAME_EDIT);

    // At the end of a stage: the stage's name; the option's stays.
    SceneManager.m_nGameMode = 0;
    {
        cSceneStage stage;
        stage.m_RankName = Sjis("前");
        EXPECT_EQ(RunName({In::Text("STG"), In::Key(VK_RETURN)}), 1);
        EXPECT_EQ(stage.m_RankName, "STG");
        EXPECT_EQ(driver.Shown().back().Text(IDC_NAME_EDIT), Sjis("前"));
    }
    EXPECT_EQ(OptionData.strRankingName, "OPT");

    // A stored name longer than the edit takes is shown cut to three characters.
    {
        cSceneStage stage;
        stage.m_RankName = Sjis("長い名前");
        EXPECT_EQ(RunName({In::Key(VK_RETURN)}), 1);
        EXPECT_EQ(driver.Shown().back().Text(IDC_NAME_EDIT), Sjis("長い名"));
        EXPECT_EQ(stage.m_RankName, Sjis("長い名"));
    }

    // Neither: OK ends the dialog and no name changes.
    EXPECT_EQ(RunName({In::Text("NON"), In::Key(VK_RETURN)}), 1);
    EXPECT_EQ(OptionData.strRankingName, "OPT");
}

TEST_F(NameDialogTest, LabelPlaceAndLanguage)
{
    struct Case {
        int english;
        bool bFullScreen;
        POINT main;
        std::string label;
        POINT expected;
    };
    const std::vector<Case> cases = {
        {0, false, POINT{10, 20}, Sjis("登録名(3文字まで)"), POINT{10 + 240, 20 + 220}},
        {1, true, POINT{10, 20}, "     Name", POINT{240, 220}},
    };
    for (const Case& c : cases) {
        SystemIni.English = c.english;
        RunName({}, c.main, c.bFullScreen);
        const DialogSnapshot& shown = driver.Shown().back();
        EXPECT_EQ(shown.Text(IDC_NAME_LABEL), c.label);
        EXPECT_EQ(shown.Text(IDC_NAME_OK), "OK");
        EXPECT_EQ(shown.caption, "");
        EXPECT_EQ(shown.position.x, c.expected.x);
        EXPECT_EQ(shown.position.y, c.expected.y);
        EXPECT_EQ(shown.cursor.x, c.expected.x + 80);
        EXPECT_EQ(shown.cursor.y, c.expected.y + 65);
    }
}

// Z opened the dialog and was let go while the dialog had the keyboard; X is still held when it
// closes. After the dialog the main window has the keyboard again and sees exactly that.
TEST_F(NameDialogTest, AfterTheDialogTheGameSeesTheKeysAsTheyAre)
{
    CountingHost host;
    host.heldKeys = {'X'};
    standin::UseHostForTest(&host);
    SetKeyState('Z', true);
    RunName({In::Text("A"), In::Key(VK_RETURN)});
    standin::UseHostForTest(nullptr);
    EXPECT_EQ(host.keyboardTakes.load(), 1);
    EXPECT_EQ(GetAsyncKeyState('Z'), 0);
    EXPECT_NE(GetAsyncKeyState('X') & 0x8000, 0);
    ReleaseAllKeys();
}

}  // namespace
