#include "platform/win/RemoteWindow.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/win/LocalSocket.h"
#include "platform/win/Messages.h"

namespace {

std::mutex g_mutex;    // guards g_folder
std::string g_folder;  // tests' folder; empty: the runtime folder

std::string SocketFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_folder.empty()) {
            return g_folder;
        }
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
}

// Little-endian integers into and out of byte buffers.
template <class T>
void Put(std::vector<unsigned char>& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i)));
    }
}

template <class T>
T Get(const unsigned char* p)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    }
    return static_cast<T>(value);
}

// Step 1: the window's title; false when it is not exactly the one looked for.
bool TitleMatches(LocalSocket& socket, const char* szTitle, DWORD timeoutMs)
{
    unsigned char head[4];
    if (!socket.ReceiveAll(head, sizeof head, timeoutMs)) {
        return false;
    }
    const auto length = Get<std::uint32_t>(head);
    if (length > kRemoteTitleMax) {
        return false;
    }
    std::string title(length, '\0');
    if (length > 0 && !socket.ReceiveAll(title.data(), length, timeoutMs)) {
        return false;
    }
    return title == (szTitle != nullptr ? szTitle : "");
}

}  // namespace

std::string RemoteWindowSocketName(const char* szClassName)
{
    return SocketFolder() + "/" + (szClassName != nullptr ? szClassName : "");
}

void SetRemoteWindowFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_folder = folder;
}

LRESULT SendCopyDataToWindow(const char* szClassName, const char* szTitle, HWND hWndFrom, const COPYDATASTRUCT& data,
                             DWORD timeoutMs, BOOL* lpAnswered)
{
    if (lpAnswered != nullptr) {
        *lpAnswered = FALSE;
    }
    if (data.cbData > kRemoteDataMax || (data.cbData > 0 && data.lpData == nullptr)) {
        return 0;
    }
    LocalSocket socket = LocalSocket::Connect(RemoteWindowSocketName(szClassName), timeoutMs);
    if (!socket.Valid() || !TitleMatches(socket, szTitle, timeoutMs)) {
        return 0;
    }
    std::vector<unsigned char> message;
    Put<std::uint32_t>(message, WM_COPYDATA);
    Put<std::uint64_t>(message, reinterpret_cast<std::uintptr_t>(hWndFrom));
    Put<std::uint64_t>(message, data.dwData);
    Put<std::uint32_t>(message, data.cbData);
    const auto* bytes = static_cast<const unsigned char*>(data.lpData);
    message.insert(message.end(), bytes, bytes + data.cbData);
    unsigned char result[8];
    if (!socket.SendAll(message.data(), message.size(), timeoutMs) ||
        !socket.ReceiveAll(result, sizeof result, timeoutMs)) {
        return 0;
    }
    if (lpAnswered != nullptr) {
        *lpAnswered = TRUE;
    }
    return static_cast<LRESULT>(Get<std::int64_t>(result));
}
