// The ranking entry at a stage end: the fixed or entered name, the tables with a place reached,
// one save of the file, the ranking display waiting for the decide button, and no second entry.
#include "StageFixture.h"

#include <filesystem>
#include <functional>

#include "definitions/cEdStage.h"
#include "platform/win/Threads.h"
#include "project/cSaveData.h"
#include "stage/ranking/IRankingShell.h"
#include "stage/ranking/cRanking.h"

namespace stagetest {
namespace {

// The shell's side, scripted: the option and the dialog's answer.
class ScriptedRankingShell : public IRankingShell {
public:
    int RegistrationMode() const override { return mode; }
    std::string FixedName() const override { return fixedName; }
    int AskName(std::string& name) override
    {
        proposed.push_back(name);
        if (!answer) {
            return 0;
        }
        name = entered;
        return 1;
    }
    int mode = 0;
    std::string fixedName = "FIX";
    bool answer = true;
    std::string entered = "ABC";
    std::vector<std::string> proposed;
};

unsigned RunCallProc(void* lpParam)
{
    (*static_cast<std::function<void()>*>(lpParam))();
    return 0;
}

class RankingEntryTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        ASSERT_TRUE(LoadAndEnter());
        for (const char* folder : {"user_data/story", "user_data/challenge", "user_data/free"}) {
            std::filesystem::create_directories(harness->Folder().Host(folder));
        }
        lpRankingShell = &shell;
        harness->Flow().m_bRanking = 1;
        harness->Flow().m_nPlayKind = 2;
        Ranking.Reset();
    }
    void TearDown() override
    {
        lpRankingShell = nullptr;
        Ranking.Reset();
        StageFixture::TearDown();
    }
    // The entry on a game thread of its own; the ranking display ends on a fresh decide press.
    int Entry()
    {
        std::vector<testsupport::PadFrame> script(40);
        for (std::size_t i = 1; i < script.size(); i += 2) {
            script[i].buttons = BUTTON_DECIDE;
        }
        harness->SetScript(script);
        int result = -1;
        std::function<void()> call = [&] { result = Scene().EntryRanking(); };
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunCallProc, &call, 0, &id);
        EXPECT_NE(game, nullptr);
        while (game != nullptr && WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
        return result;
    }
    // A play that reached places in tables 0 and 2.
    void Reached()
    {
        Scene().m_bNewRank = 1;
        Scene().m_bRankEntered = 0;
        Scene().m_RankReached = {0, -1, 0, -1, -1};
        Scene().m_RankValue = {500, 60, 6000, 7, 3};
    }
    // The free play's ranking of the stage "data\\stg4\\test.stg4", whose variant test.stg4_000 was
    // read.
    static std::string RankingFile() { return "user_data\\free\\test.stg4rkg"; }

    ScriptedRankingShell shell;
};

TEST_F(RankingEntryTest, TheNameComesFromTheOptionOrTheDialog)
{
    struct Case {
        const char* name;
        int mode;
        bool answer;
        int asked;  // dialogs shown
        const char* registered;
    };
    const Case cases[] = {
        {"manual, fixed name", 1, true, 0, "FIX"},
        {"automatic, fixed name", 3, true, 0, "FIX"},
        {"manual, entered", 0, true, 1, "ABC"},
        {"automatic, entered", 2, true, 1, "ABC"},
        {"dialog cancelled: the name proposed", 0, false, 1, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ranking.Reset();
        SaveData.strName = "old";
        shell.mode = c.mode;
        shell.answer = c.answer;
        shell.proposed.clear();
        Reached();
        RecordedSounds().clear();
        EXPECT_EQ(Entry(), 1);
        EXPECT_EQ(static_cast<int>(shell.proposed.size()), c.asked);
        if (c.asked != 0) {
            EXPECT_EQ(shell.proposed.front(), "old");
            EXPECT_EQ(SaveData.strName, c.registered);  // kept for the next entry
        } else {
            EXPECT_EQ(SaveData.strName, "old");
        }
        EXPECT_EQ(Ranking.m_Tables[0].m_Entries[0].strName, c.registered);
        EXPECT_EQ(Ranking.m_Tables[2].m_Entries[0].strName, c.registered);
        EXPECT_EQ(RecordedSounds().front(), 16u);
    }
}

TEST_F(RankingEntryTest, ReachedTablesAreFilledAndSavedOnceAndASecondEntryDoesNothing)
{
    shell.mode = 1;
    Reached();
    EXPECT_EQ(Entry(), 1);
    EXPECT_EQ(Scene().m_bRankEntered, 1);
    cRanking saved;
    ASSERT_EQ(Stage.m_strPath, "data\\stg4\\test.stg4_000");
    ASSERT_TRUE(harness->Folder().Exists(RankingFile()));
    ASSERT_EQ(saved.LoadFile(2, "test.stg4"), 1);
    for (int t = 0; t < 5; ++t) {
        const cRankingEntry& first = saved.m_Tables[t].m_Entries[0];
        const bool bReached = t == 0 || t == 2;
        EXPECT_EQ(first.bValid, bReached ? 1 : 0) << t;
        EXPECT_EQ(first.nValue, bReached ? Scene().m_RankValue[static_cast<std::size_t>(t)] : 0) << t;
    }
    const std::string before = harness->Folder().Read(RankingFile());

    // The same play again: nothing inserted, nothing written.
    EXPECT_EQ(Entry(), 0);
    EXPECT_EQ(Ranking.m_Tables[0].m_Entries[1].bValid, 0);
    EXPECT_EQ(harness->Folder().Read(RankingFile()), before);
}

TEST_F(RankingEntryTest, NothingIsEnteredWithoutRankingsOrWithoutAPlace)
{
    shell.mode = 0;
    Reached();
    harness->Flow().m_bRanking = 0;
    EXPECT_EQ(Entry(), 0);
    harness->Flow().m_bRanking = 1;
    Scene().m_bNewRank = 0;
    EXPECT_EQ(Entry(), 0);
    EXPECT_TRUE(shell.proposed.empty());
    EXPECT_FALSE(harness->Folder().Exists(RankingFile()));
    EXPECT_EQ(Ranking.m_Tables[0].m_Entries[0].bValid, 0);
}

}  // namespace
}  // namespace stagetest

namespace stagetest {
namespace {

// A stage-clear display that advances by itself (the stage skips its results) offers no ranking
// entry, whatever the registration option; the same display waiting for the key registers a place
// reached when the option asks for automatic registration.
TEST_F(RankingEntryTest, AutoAdvanceLeavesWithoutARankingEntry)
{
    struct Case {
        int mode;
        int autoAdvance;
        int entered;
    };
    for (const Case& c : {Case{2, 1, 0}, Case{3, 1, 0}, Case{0, 1, 0}, Case{1, 1, 0}, Case{2, 0, 1}, Case{3, 0, 1}}) {
        Ranking.Reset();
        shell.mode = c.mode;
        Stage.m_bSkipResults = c.autoAdvance;
        Stage.m_bClearCaption = 0;
        Reached();
        Scene().m_nState = STAGESTATE_CLEAR;
        Scene().m_nSubState = 0;
        // The decide button is down in the display's frame: a fresh press.
        Input[0].wButton = BUTTON_DECIDE;
        Input[0].bButtonLatch = 0;
        std::vector<testsupport::PadFrame> script(40);
        for (std::size_t i = 1; i < script.size(); i += 2) {
            script[i].buttons = BUTTON_DECIDE;
        }
        harness->SetScript(script);
        std::function<void()> call = [&] { Scene().Clear(); };
        DWORD id = 0;
        const HANDLE game = BeginThread(&RunCallProc, &call, 0, &id);
        ASSERT_NE(game, nullptr);
        while (WaitForSingleObject(game, 1) == WAIT_TIMEOUT) {
        }
        CloseHandle(game);
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", auto advance " << c.autoAdvance);
        EXPECT_EQ(Scene().m_nState, STAGESTATE_FADEOUT);
        EXPECT_EQ(Scene().m_bRankEntered, c.entered);
        EXPECT_EQ(Ranking.m_Tables[0].m_Entries[0].bValid, c.entered);
    }
}

}  // namespace
}  // namespace stagetest
