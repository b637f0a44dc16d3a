// The F1/F2 replay save keys: which recording a request names, one request until the key is seen
// up, the key state released after the request, the notice of an empty recording and its
// cool-down.
#include "stage/cReplayKeys.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/AppGlobals.h"
#include "core/MainWindowRequests.h"
#include "input/cReplay.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"
#include "screenbase/cScene.h"
#include "support/TestMainWindow.h"

namespace {

constexpr int VK_F2 = VK_F1 + 1;

struct Sent {
    std::vector<WPARAM> saves;   // save-replay request parameters
    std::vector<WPARAM> sounds;  // sound numbers asked for
};

Sent& Log()
{
    static Sent log;
    return log;
}

LRESULT RecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SAVEREPLAYFILE) {
        Log().saves.push_back(wParam);
        return 1;
    }
    if (uMsg == WM_PLAYSE) {
        Log().sounds.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class ReplayKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.emplace(RecordingProc);
        Log() = Sent{};
        ReleaseAllKeys();
        Replay.Clear();
        ReplayPrev.Clear();
    }
    void TearDown() override
    {
        ReleaseAllKeys();
        Replay.Clear();
        ReplayPrev.Clear();
        m_window.reset();
    }

    std::optional<testsupport::TestMainWindow> m_window;
    int m_nCoolDown = 0;  // the notice's cool-down, kept by the caller across stage screens
};

struct KeyCase {
    const char* name;
    bool bF1;
    bool bF2;
    bool bCurrentRecorded;
    bool bPreviousRecorded;
    int nSaves;    // requests made
    WPARAM param;  // of the request, when made
    int nNotices;  // sound 3
};

const KeyCase kKeyCases[] = {
    {"F1SavesThisPlay", true, false, true, true, 1, 0, 0},
    {"F2SavesThePreviousPlay", false, true, true, true, 1, 1, 0},
    {"F1WinsOverF2", true, true, true, true, 1, 0, 0},
    {"F1WithNothingRecordedOnlySoundsTheNotice", true, false, false, true, 0, 0, 1},
    {"F2WithNoPreviousPlayOnlySoundsTheNotice", false, true, true, false, 0, 0, 1},
    {"NoKeyDoesNothing", false, false, true, true, 0, 0, 0},
};

class ReplayKeyCaseTest : public ReplayKeysTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ReplayKeyCaseTest, APressNamesTheRightRecording)
{
    const KeyCase& c = GetParam();
    if (c.bCurrentRecorded) {
        Replay.Record(2, 0);
    }
    if (c.bPreviousRecorded) {
        ReplayPrev.Record(1, 0);
    }
    SetKeyState(VK_F1, c.bF1);
    SetKeyState(VK_F2, c.bF2);
    cReplayKeys keys;
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), c.nSaves);
    ASSERT_EQ(static_cast<int>(Log().saves.size()), c.nSaves);
    if (c.nSaves == 1) {
        EXPECT_EQ(Log().saves[0], c.param);
        EXPECT_EQ(Log().sounds, (std::vector<WPARAM>{1}));
        // The key state is released after the request, so the held keys read up.
        EXPECT_EQ(GetAsyncKeyState(VK_F1) & 0x8000, 0);
        EXPECT_EQ(GetAsyncKeyState(VK_F2) & 0x8000, 0);
    } else {
        EXPECT_EQ(static_cast<int>(Log().sounds.size()), c.nNotices);
        for (WPARAM sound : Log().sounds) {
            EXPECT_EQ(sound, 3u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, ReplayKeyCaseTest, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(ReplayKeysTest, AHeldKeyOpensTheDialogOnceUntilPressedAgain)
{
    Replay.Record(2, 0);
    cReplayKeys keys;
    SetKeyState(VK_F1, true);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 1);
    // The dialog swallowed the key-up, then the key is seen down again without a new press
    // in between: still one request while it stays down.
    SetKeyState(VK_F1, true);
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0) << f;
    }
    EXPECT_EQ(Log().saves.size(), 1u);
    // Released and pressed again: a second request.
    SetKeyState(VK_F1, false);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0);
    SetKeyState(VK_F1, true);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 1);
    EXPECT_EQ(Log().saves.size(), 2u);
}

TEST_F(ReplayKeysTest, AKeyHeldFromTheFirstFrameOpensTheDialogOnceSomethingIsRecorded)
{
    // F1 down in the first frame of a play: only the notice. Held on, it opens the dialog on
    // the first check after a frame was recorded, and once only.
    cReplayKeys keys;
    SetKeyState(VK_F1, true);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0);
    EXPECT_EQ(Log().sounds, (std::vector<WPARAM>{3}));
    Replay.Record(0, 0);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 1);
    EXPECT_EQ(Log().saves, (std::vector<WPARAM>{0}));
    EXPECT_EQ(Log().sounds, (std::vector<WPARAM>{3, 1}));
    SetKeyState(VK_F1, true);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0);
    EXPECT_EQ(Log().saves.size(), 1u);

    // A key that did not open the dialog is not held back by the one that did.
    ReplayPrev.Record(1, 0);
    SetKeyState(VK_F1, false);
    SetKeyState(VK_F2, true);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 1);
    EXPECT_EQ(Log().saves, (std::vector<WPARAM>{0, 1}));
}

TEST_F(ReplayKeysTest, AHeldKeyWithNothingRecordedSoundsTheNoticeEverySixtyFrames)
{
    cReplayKeys keys;
    SetKeyState(VK_F2, true);
    std::vector<int> noticeFrames;
    for (int frame = 1; frame <= 130; ++frame) {
        const std::size_t before = Log().sounds.size();
        EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0);
        if (Log().sounds.size() != before) {
            noticeFrames.push_back(frame);
        }
    }
    std::vector<int> expected;
    for (int frame = 1; frame <= 130; frame += kReplayNoticeFrames) {
        expected.push_back(frame);
    }
    EXPECT_EQ(noticeFrames, expected);
    EXPECT_TRUE(Log().saves.empty());
}

TEST_F(ReplayKeysTest, TheNoticeCoolDownOutlivesTheScreenThatGaveIt)
{
    // A notice, two more checks, then the play is left and a new stage screen checks the keys
    // with the same cool-down: it counts on, so the next notice comes 60 checks after the first.
    SetKeyState(VK_F1, true);
    std::optional<cReplayKeys> keys(std::in_place);
    std::vector<int> noticeChecks;
    for (int check = 1; check <= 130; ++check) {
        if (check == 4) {
            keys.emplace();
        }
        const std::size_t before = Log().sounds.size();
        EXPECT_EQ(keys->Check(GAMEMODE_NEWGAME, 1, m_nCoolDown), 0);
        if (Log().sounds.size() != before) {
            noticeChecks.push_back(check);
        }
    }
    EXPECT_EQ(noticeChecks, (std::vector<int>{1, 61, 121}));
    // Checks in playback or with recording off do not count it down.
    m_nCoolDown = 5;
    EXPECT_EQ(keys->Check(GAMEMODE_REPLAY, 1, m_nCoolDown), 0);
    EXPECT_EQ(keys->Check(GAMEMODE_NEWGAME, 0, m_nCoolDown), 0);
    EXPECT_EQ(m_nCoolDown, 5);
}

TEST_F(ReplayKeysTest, PlaybackOrRecordingOffIgnoresTheKeys)
{
    Replay.Record(2, 0);
    ReplayPrev.Record(2, 0);
    SetKeyState(VK_F1, true);
    SetKeyState(VK_F2, true);
    cReplayKeys keys;
    EXPECT_EQ(keys.Check(GAMEMODE_REPLAY, 1, m_nCoolDown), 0);
    EXPECT_EQ(keys.Check(GAMEMODE_NEWGAME, 0, m_nCoolDown), 0);
    EXPECT_TRUE(Log().saves.empty());
    EXPECT_TRUE(Log().sounds.empty());
    Replay.Clear();
    EXPECT_EQ(keys.Check(GAMEMODE_REPLAY, 1, m_nCoolDown), 0);
    EXPECT_TRUE(Log().sounds.empty());
}

}  // namespace
