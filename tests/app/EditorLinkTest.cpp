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

#include "core/TextHelpers.h"
#include "platform/win/LocalSocket.h"
#include "platform/win/Messages.h"
#include "platform/win/RemoteWindow.h"
#include "support/GameFolder.h"

namespace {

// One WM_COPYDATA as the editor received it.
struct Received {
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::uint64_t dwData = 0;
    std::vector<unsigned char> data;
};

std::uint64_t Le(const unsigned char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    }
    return v;
}

void PutLe(std::vector<unsigned char>& out, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
}

enum class Behaviour { Answers, SilentAfterAccept, SilentAfterMessage };

// A stand-in editor: accepts connections until stopped, says its title, reads one message each
// and answers 1 (or stays silent, as a hung editor would).
class FakeEditor {
public:
    FakeEditor(const std::string& title, Behaviour behaviour)
        : m_listener(LocalSocket::Listen(RemoteWindowSocketName(kEditorWindowClass))), m_title(title),
          m_behaviour(behaviour), m_thread([this] { Serve(); })
    {}
    ~FakeEditor()
    {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    bool Listening() const { return m_listener.Valid(); }
    // Messages received; read after the sends returned.
    std::vector<Received> Messages()
    {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return m_received;
    }

private:
    void Serve()
    {
        std::vector<LocalSocket> held;  // silent connections stay open until the end
        while (!m_stop) {
            LocalSocket peer = m_listener.Accept(20);
            if (!peer.Valid()) {
                continue;
            }
            if (m_behaviour == Behaviour::SilentAfterAccept) {
                held.push_back(std::move(peer));
                continue;
            }
            std::vector<unsigned char> title;
            PutLe(title, m_title.size(), 4);
            title.insert(title.end(), m_title.begin(), m_title.end());
            peer.SendAll(title.data(), title.size(), 1000);
            unsigned char head[24];
            if (!peer.ReceiveAll(head, sizeof head, 1000)) {
                continue;  // the sender gave up: another title
            }
            Received r;
            r.message = static_cast<std::uint32_t>(Le(head, 4));
            r.wParam = Le(head + 4, 8);
            r.dwData = Le(head + 12, 8);
            r.data.resize(static_cast<std::size_t>(Le(head + 20, 4)));
            if (!r.data.empty() && !peer.ReceiveAll(r.data.data(), r.data.size(), 1000)) {
                continue;
            }
            m_received.push_back(r);
            if (m_behaviour == Behaviour::SilentAfterMessage) {
                held.push_back(std::move(peer));
                continue;
            }
            std::vector<unsigned char> answer;
            PutLe(answer, 1, 8);
            peer.SendAll(answer.data(), answer.size(), 1000);
        }
    }

    LocalSocket m_listener;
    std::string m_title;
    Behaviour m_behaviour;
    std::atomic<bool> m_stop{false};
    std::vector<Received> m_received;
    std::thread m_thread;
};

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
