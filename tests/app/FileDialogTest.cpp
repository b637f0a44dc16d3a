// The open and save file dialogs over a written folder tree, driven by the scripted chooser
// driver: the starting folder, the filter, sub-folders up and down, typed names with the default
// extension, the overwrite question, cancel, and a current folder that never changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/FileDialogs.h"
#include "app/SystemIni.h"
#include "core/TextHelpers.h"
#include "platform/StandInFixture.h"
#include "platform/win/CodePage.h"
#include "platform/win/FileChooser.h"
#include "platform/win/FileChooserDriver.h"
#include "platform/win/Files.h"
#include "platform/win/HostLink.h"
#include "platform/win/Keyboard.h"
#include "support/GameFolder.h"

namespace {

using Step = FileChooserInput;

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file :
             {"data\\stg4\\a.stg4_001", "data\\stg4\\B.STG4_002", "data\\stg4\\c.rpl4_720", "data\\stg4\\readme.txt",
              "data\\stg4\\world\\w.stg4_001", "data\\other.txt", "user_data\\rpl4\\x.rpl4_720",
              "user_data\\rpl4\\notes.txt", "user_data\\rpl4\\old\\y.rpl4_720"}) {
            folder.Write(file, "data");
        }
        startFolder = std::filesystem::current_path();
        SystemIni = SYSTEMINI();
        SetFileChooserDriver(&driver);
    }
    void TearDown() override
    {
        EXPECT_EQ(std::filesystem::current_path(), startFolder);
        SetFileChooserDriver(nullptr);
        SystemIni = SYSTEMINI();
    }

    // The names of a view's entries, folders marked with a final '\'.
    static std::vector<std::string> Names(const FileChooserView& view)
    {
        std::vector<std::string> names;
        for (const FindEntry& entry : view.entries) {
            names.push_back(entry.name + (entry.bDirectory ? "\\" : ""));
        }
        return names;
    }

    static std::string Normal(const std::filesystem::path& path)
    {
        std::string text = path.lexically_normal().string();
        while (text.size() > 1 && text.back() == '/') {
            text.pop_back();
        }
        return text;
    }

    // Whether a chosen game path names the host file of a path relative to the game folder.
    ::testing::AssertionResult IsHostFile(const std::string& chosen, const char* relative) const
    {
        const std::filesystem::path expected = folder.Host(relative);
        const std::filesystem::path host = HostPath(chosen.c_str());
        if (Normal(host) == Normal(expected)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << chosen << " is " << host << ", not " << expected;
    }

    testsupport::GameFolder folder;
    std::filesystem::path startFolder;
    ScriptedFileChooserDriver driver;
};

TEST_F(FileDialogTest, TheStageChooserListsFoldersAndMatchingFilesAndMovesBetweenFolders)
{
    driver.AddScript({Step::Activate("world"), Step::Up(), Step::Up(), Step::Activate("stg4"), Step::Up(),
                      Step::Type("stg4\\world\\w.stg4_001"), Step::Accept()});
    std::string path;
    ASSERT_TRUE(ChooseStageToLoad(nullptr, path));
    EXPECT_TRUE(IsHostFile(path, "data\\stg4\\world\\w.stg4_001"));

    const std::vector<FileChooserView>& views = driver.Views();
    ASSERT_EQ(views.size(), 8U);
    using List = std::vector<std::string>;
    // Folders first, then the files of either pattern, without regard to case; no readme.txt.
    EXPECT_EQ(Names(views[0]), (List{"world\\", "a.stg4_001", "B.STG4_002", "c.rpl4_720"}));
    EXPECT_EQ(Names(views[1]), (List{"w.stg4_001"}));
    EXPECT_EQ(Names(views[2]), Names(views[0]));
    EXPECT_EQ(Names(views[3]), (List{"stg4\\"}));
    EXPECT_TRUE(IsHostFile(views[3].folder, "data"));
    EXPECT_TRUE(IsHostFile(views[4].folder, "data\\stg4"));

    const FileChooserRequest& request = driver.Requests()[0];
    EXPECT_EQ(request.filterName, "StageFile ( *.stg4_*;*.rpl4_* )");
    EXPECT_EQ(request.title, Sjis("ステージファイルの読み込み"));
    EXPECT_EQ(request.defaultExt, "");  // the pattern-like default extension adds nothing
}

TEST_F(FileDialogTest, OpenTakesOnlyExistingFiles)
{
    struct Case {
        const char* what;
        std::vector<FileChooserInput> script;
        const char* chosen;  // nullptr: cancelled
    };
    const std::vector<Case> cases = {
        {"double-click on a file", {Step::Activate("x.rpl4_720")}, "user_data\\rpl4\\x.rpl4_720"},
        {"a typed name without its case", {Step::Type("X.RPL4_720"), Step::Accept()}, "user_data\\rpl4\\x.rpl4_720"},
        {"a typed folder is entered, then a file in it",
         {Step::Type("old"), Step::Accept(), Step::Activate("y.rpl4_720")},
         "user_data\\rpl4\\old\\y.rpl4_720"},
        {"a missing file is refused", {Step::Type("none.rpl4_720"), Step::Accept()}, nullptr},
        {"a name in a missing folder is refused", {Step::Type("gone\\x.rpl4_720"), Step::Accept()}, nullptr},
        {"cancel", {Step::Cancel(), Step::Activate("x.rpl4_720")}, nullptr},
        {"the script ends", {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        driver = ScriptedFileChooserDriver();
        driver.AddScript(c.script);
        std::string path = "stale";
        const bool chosen = ChooseReplayToLoad(nullptr, path);
        EXPECT_EQ(chosen, c.chosen != nullptr);
        if (c.chosen != nullptr) {
            EXPECT_TRUE(IsHostFile(path, c.chosen));
        } else {
            EXPECT_EQ(path, "");
        }
        // The replay chooser shows only replays.
        EXPECT_EQ(Names(driver.Views()[0]), (std::vector<std::string>{"old\\", "x.rpl4_720"}));
    }
    driver = ScriptedFileChooserDriver();
    driver.AddScript({Step::Type("none.rpl4_720"), Step::Accept()});
    std::string path;
    ChooseReplayToLoad(nullptr, path);
    EXPECT_EQ(driver.Views().back().notice, FileChooserNotice::FileNotFound);
}

TEST_F(FileDialogTest, SaveProposesANameAddsTheExtensionAndAsksBeforeOverwriting)
{
    struct Case {
        const char* what;
        const char* proposed;
        std::vector<FileChooserInput> script;
        const char* chosen;  // nullptr: cancelled
        bool bAsked;
    };
    const std::vector<Case> cases = {
        {"the proposed name", "st_00.rpl4_720", {Step::Accept()}, "user_data\\rpl4\\st_00.rpl4_720", false},
        {"a typed name gets the extension",
         "",
         {Step::Type("mine"), Step::Accept()},
         "user_data\\rpl4\\mine.rpl4_720",
         false},
        {"a name with an extension keeps it",
         "",
         {Step::Type("mine.bak"), Step::Accept()},
         "user_data\\rpl4\\mine.bak",
         false},
        {"overwrite: yes", "x.rpl4_720", {Step::Accept(), Step::Yes()}, "user_data\\rpl4\\x.rpl4_720", true},
        {"overwrite: no, then another name",
         "x.rpl4_720",
         {Step::Accept(), Step::No(), Step::Type("x2"), Step::Accept()},
         "user_data\\rpl4\\x2.rpl4_720",
         true},
        {"overwrite without the extension typed",
         "",
         {Step::Type("x"), Step::Accept(), Step::Yes()},
         "user_data\\rpl4\\x.rpl4_720",
         true},
        {"overwrite: no, then cancel", "x.rpl4_720", {Step::Accept(), Step::No(), Step::Cancel()}, nullptr, true},
        {"into a sub-folder",
         "",
         {Step::Activate("old"), Step::Type("new"), Step::Accept()},
         "user_data\\rpl4\\old\\new.rpl4_720",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        driver = ScriptedFileChooserDriver();
        driver.AddScript(c.script);
        std::string path;
        const bool chosen = ChooseReplayToSave(nullptr, c.proposed, path);
        EXPECT_EQ(chosen, c.chosen != nullptr);
        if (c.chosen != nullptr) {
            EXPECT_TRUE(IsHostFile(path, c.chosen));
        }
        EXPECT_EQ(driver.Views()[0].name, c.proposed);
        bool bAsked = false;
        for (const FileChooserView& view : driver.Views()) {
            bAsked = bAsked || view.bAskingOverwrite;
        }
        EXPECT_EQ(bAsked, c.bAsked);
        EXPECT_EQ(folder.Read("user_data\\rpl4\\x.rpl4_720"), "data");  // the chooser writes nothing
    }
    const FileChooserRequest& request = driver.Requests()[0];
    EXPECT_EQ(request.filterName, "ReplayFile ( *.rpl4_720 )");
    EXPECT_EQ(request.patterns, std::vector<std::string>{"*.rpl4_720"});
    EXPECT_EQ(request.title, Sjis("リプレイファイルの保存"));
}

TEST_F(FileDialogTest, CancelLeavesTheBufferEmptyAndEnglishTitles)
{
    SystemIni.English = 1;
    char buffer[MAX_PATH] = "previous.stg4_001";
    const std::string filter = std::string("ReplayFile ( *.rpl4_* )") + '\0' + "*.rpl4_*" + '\0' + '\0';
    driver.AddScript({Step::Cancel()});
    EXPECT_EQ(OpenFileDialog(nullptr, buffer, MAX_PATH, "user_data\\rpl4", "t", filter.c_str(), "rpl4_*", 0, nullptr),
              0);
    EXPECT_EQ(std::string(buffer), "");

    // Without a driver every chooser is cancelled.
    SetFileChooserDriver(nullptr);
    std::string path;
    EXPECT_FALSE(ChooseStageToLoad(nullptr, path));

    SetFileChooserDriver(&driver);
    std::vector<std::string> results;
    driver.AddScript({Step::Activate("x.rpl4_720")});
    ASSERT_EQ(OpenFileDialog(nullptr, buffer, MAX_PATH, "user_data\\rpl4", "t", filter.c_str(), "rpl4_*", 0, &results),
              1);
    ASSERT_EQ(results.size(), 1U);
    EXPECT_EQ(results[0], std::string(buffer));
    EXPECT_TRUE(IsHostFile(results[0], "user_data\\rpl4\\x.rpl4_720"));

    driver.AddScript({});
    driver.AddScript({});
    driver.AddScript({});
    ChooseStageToLoad(nullptr, path);
    ChooseReplayToLoad(nullptr, path);
    ChooseReplayToSave(nullptr, "", path);
    const auto& requests = driver.Requests();
    ASSERT_EQ(requests.size(), 5U);
    EXPECT_EQ(requests[2].title, "Load stage file");
    EXPECT_EQ(requests[3].title, "Load replay file");
    EXPECT_EQ(requests[4].title, "Save replay file");
}

// F1 opened the save chooser and was let go inside it; the chooser, chosen or cancelled, gives the
// keyboard back with the keys as they are.
TEST_F(FileDialogTest, AfterTheChooserTheGameSeesTheKeysAsTheyAre)
{
    for (const bool bChoose : {true, false}) {
        SCOPED_TRACE(bChoose ? "chosen" : "cancelled");
        CountingHost host;
        host.heldKeys = {VK_LEFT};
        standin::UseHostForTest(&host);
        SetKeyState(VK_F1, true);
        driver.AddScript(bChoose ? std::vector<Step>{Step::Type("new"), Step::Accept()}
                                 : std::vector<Step>{Step::Cancel()});
        std::string path;
        EXPECT_EQ(ChooseReplayToSave(nullptr, "x_00.rpl4_720", path), bChoose);
        standin::UseHostForTest(nullptr);
        EXPECT_EQ(host.keyboardTakes.load(), 1);
        EXPECT_EQ(GetAsyncKeyState(VK_F1), 0);
        EXPECT_NE(GetAsyncKeyState(VK_LEFT) & 0x8000, 0);
        ReleaseAllKeys();
    }
}

}  // namespace

namespace {

TEST_F(FileDialogTest, TheChooserShowsItsFolderAsTheUsersOwnPathAndKeepsTheGamesFormInside)
{
    FileChooserRequest request;
    request.initialFolder = "data\\stg4\\world";
    const FileChooser chooser(request);
    const std::string host = Normal(folder.Host("data\\stg4\\world")) + "/";
    std::string sjisHost;
    ASSERT_TRUE(Utf8ToCp932(host, sjisHost));
    EXPECT_EQ(chooser.ShownFolder(), sjisHost);
    EXPECT_TRUE(IsHostFile(chooser.Folder(), "data\\stg4\\world"));
    EXPECT_EQ(chooser.Folder().back(), '\\');
}

}  // namespace
