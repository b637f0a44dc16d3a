// The single-instance rule between copies in one game folder and in two, with the running copy
// closing in order, refusing to, and the user declining.
#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "support/GameFolder.h"

namespace {

// A running copy: holds the lock and, asked to close, counts the request and (when it is one
// that closes) ends a little later on a thread of its own, as the close sequence would.
class RunningCopy {
public:
    RunningCopy(const std::string& lockPath, bool closes) : m_closes(closes)
    {
        m_outcome = TakeSingleInstance(m_lock, lockPath.c_str(), [this] { ++m_requests; });
        m_closer = std::thread([this] {
            while (!m_done && !(m_closes && m_requests > 0)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            if (m_closes && m_requests > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));  // saving its files
                m_lock.Release();
            }
        });
    }
    ~RunningCopy()
    {
        m_done = true;
        m_closer.join();
        m_lock.Release();
    }
    InstanceOutcome Outcome() const { return m_outcome; }
    int Requests() const { return m_requests; }

private:
    InstanceLock m_lock;
    bool m_closes;
    InstanceOutcome m_outcome = InstanceOutcome::Failed;
    std::atomic<int> m_requests{0};
    std::atomic<bool> m_done{false};
    std::thread m_closer;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRecordedMessageBoxes(); }
    void TearDown() override
    {
        ScriptMessageBoxAnswers({});
        ClearRecordedMessageBoxes();
    }

    // The lock path of a game folder in the form the game uses.
    static std::string LockIn(const std::filesystem::path& root)
    {
        return GamePath(root.string()) + "\\" + kInstanceLockPath;
    }

    testsupport::GameFolder folder;
    const std::string question =
        Sjis("既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?");
    const std::string failed = Sjis("プログラムの終了に失敗しました。");
    const std::string caption = Sjis("二重起動");
};

TEST_F(SingleInstanceTest, TheFirstCopyRunsWithoutAskingAndCreatesTheUserDataFolder)
{
    InstanceLock lock;
    EXPECT_EQ(TakeSingleInstance(lock, kInstanceLockPath, [] {}), InstanceOutcome::Run);
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(folder.Exists("user_data\\Instance.lock"));
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(SingleInstanceTest, ASecondCopyAsksAndOnNoEndsWithoutTouchingTheRunningOne)
{
    RunningCopy running(kInstanceLockPath, true);
    ASSERT_EQ(running.Outcome(), InstanceOutcome::Run);
    ScriptMessageBoxAnswers({IDNO});
    InstanceLock second;
    EXPECT_EQ(TakeSingleInstance(second, kInstanceLockPath, [] {}), InstanceOutcome::Declined);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(running.Requests(), 0);
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, question);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_EQ(boxes[0].type & 0x0F, MB_YESNO);
    EXPECT_EQ(boxes[0].owner, nullptr);
}

TEST_F(SingleInstanceTest, OnYesTheRunningCopyIsAskedToCloseAndTheNewOneWaitsForIt)
{
    RunningCopy running(kInstanceLockPath, true);
    ASSERT_EQ(running.Outcome(), InstanceOutcome::Run);
    InstanceLock second;
    EXPECT_EQ(TakeSingleInstance(second, kInstanceLockPath, [] {}), InstanceOutcome::Run);  // Yes by default
    EXPECT_TRUE(second.Held());
    EXPECT_EQ(running.Requests(), 1);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);

    // The new copy is now the running one: a third copy meets it.
    ScriptMessageBoxAnswers({IDNO});
    InstanceLock third;
    EXPECT_EQ(TakeSingleInstance(third, kInstanceLockPath, [] {}), InstanceOutcome::Declined);
}

TEST_F(SingleInstanceTest, ARunningCopyThatDoesNotEndIsNeverForcedAndTheNewOneGivesUp)
{
    RunningCopy running(kInstanceLockPath, false);
    ASSERT_EQ(running.Outcome(), InstanceOutcome::Run);
    InstanceLock second;
    EXPECT_EQ(TakeSingleInstance(
                  second, kInstanceLockPath, [] {}, 300),
              InstanceOutcome::Failed);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(running.Requests(), 1);
    const std::vector<MessageBoxRecord> boxes = RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, failed);
    EXPECT_EQ(boxes[1].caption, caption);
}

TEST_F(SingleInstanceTest, CopiesInOtherFoldersAndAfterTheFirstEndedRunFreely)
{
    testsupport::GameFolder other;  // now the current folder
    std::filesystem::create_directories(folder.Root() / "user_data");
    {
        RunningCopy running(LockIn(folder.Root()), true);
        ASSERT_EQ(running.Outcome(), InstanceOutcome::Run);
        InstanceLock elsewhere;
        EXPECT_EQ(TakeSingleInstance(elsewhere, kInstanceLockPath, [] {}), InstanceOutcome::Run);
        EXPECT_EQ(running.Requests(), 0);
    }
    InstanceLock after;
    EXPECT_EQ(TakeSingleInstance(after, LockIn(folder.Root()).c_str(), [] {}), InstanceOutcome::Run);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

}  // namespace
