// The editor link against a stand-in editor listening on the socket of the editor's window class:
// one that answers, one with another title, one that never answers, and none at all.
#include "app/EditorLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "FakeEditor.h"
#include "core/TextHelpers.h"
#include "platform/win/LocalSocket.h"
#include "platform/win/Messages.h"
#include "platform/win/RemoteWindow.h"
#include "support/GameFolder.h"

namespace {

using apptest::Behaviour;
using apptest::FakeEditor;
using apptest::Le;
using apptest::Received;

class EditorLinkTest : public ::testing::Test {
protected:
    void SetUp() override { SetRemoteWindowFolder(folder.Root().string()); }
    void TearDown() override { SetRemoteWindowFolder(""); }

    testsupport::GameFolder folder;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));
};

void ExpectMessage(const Received& r, std::uint64_t dwData, std::int32_t value, HWND hWnd)
{
    EXPECT_EQ(r.message, WM_COPYDATA);
    EXPECT_EQ(r.wParam, reinterpret_cast<std::uintptr_t>(hWnd));
    EXPECT_EQ(r.dwData, dwData);
    ASSERT_EQ(r.data.size(), 4u);
    EXPECT_EQ(static_cast<std::int32_t>(Le(r.data.data(), 4)), value);
}

TEST_F(EditorLinkTest, ATestPlayTellsTheEditorItsStartAndItsEnd)
{
    FakeEditor editor(Sjis("クイルボーン4"), Behaviour::Answers);
    ASSERT_TRUE(editor.Listening());
    EXPECT_EQ(SendEditorStart(hWnd), 1);
    EXPECT_EQ(SendEditorEnd(hWnd, 1), 1);
    EXPECT_EQ(SendEditorEnd(hWnd, 0), 1);
    const std::vector<Received> got = editor.Messages();
    ASSERT_EQ(got.size(), 3u);
    ExpectMessage(got[0], 1, 1, hWnd);
    ExpectMessage(got[1], 0, 1, hWnd);
    ExpectMessage(got[2], 0, 0, hWnd);
}

TEST_F(EditorLinkTest, AnEditorWithAnotherTitleGetsNothing)
{
    FakeEditor editor(Sjis("クイルボーン3"), Behaviour::Answers);
    ASSERT_TRUE(editor.Listening());
    EXPECT_EQ(SendEditorStart(hWnd), 0);
    EXPECT_TRUE(editor.Messages().empty());
}

TEST_F(EditorLinkTest, WithoutAnEditorTheMessagesAreLost)
{
    EXPECT_EQ(SendEditorStart(hWnd), 0);
    EXPECT_EQ(SendEditorEnd(hWnd, 1), 0);
}

TEST_F(EditorLinkTest, AnEditorThatNeverAnswersIsGivenUp)
{
    // The sends return (the test would hang otherwise), report that nobody answered, and each
    // waits a few time-outs at most (the bound here is generous: it only catches a hang).
    constexpr DWORD kTimeoutMs = 100;
    for (Behaviour behaviour : {Behaviour::SilentAfterAccept, Behaviour::SilentAfterMessage}) {
        SCOPED_TRACE(static_cast<int>(behaviour));
        FakeEditor editor(Sjis("クイルボーン4"), behaviour);
        ASSERT_TRUE(editor.Listening());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(SendEditorStart(hWnd, kTimeoutMs), 0);
        EXPECT_EQ(SendEditorEnd(hWnd, 1, kTimeoutMs), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
        const std::vector<Received> got = editor.Messages();
        EXPECT_EQ(got.size(), behaviour == Behaviour::SilentAfterMessage ? 2u : 0u);
    }
}

}  // namespace
