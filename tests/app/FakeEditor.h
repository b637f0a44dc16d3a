// A stand-in editor listening on the socket of the editor's window class, for the tests of the
// editor link: it says its title, reads one WM_COPYDATA per connection and answers 1, or stays
// silent as a hung editor would.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "app/EditorLink.h"
#include "platform/win/LocalSocket.h"
#include "platform/win/RemoteWindow.h"

namespace apptest {

// One WM_COPYDATA as the editor received it.
struct Received {
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::uint64_t dwData = 0;
    std::vector<unsigned char> data;
};

inline std::uint64_t Le(const unsigned char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    }
    return v;
}

inline void PutLe(std::vector<unsigned char>& out, std::uint64_t v, int bytes)
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

}  // namespace apptest
