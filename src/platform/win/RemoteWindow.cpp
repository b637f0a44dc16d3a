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

constexpr std::size_t kTitleHead = 4;  // the title's length
constexpr std::size_t kResultSize = 8;

// Step 1: the window's title; false when it is not exactly the one looked for. The length comes
// first, then as many bytes as it announces.
bool TitleMatches(LocalSocket& socket, const char* szTitle, DWORD timeoutMs)
{
    std::vector<unsigned char> bytes(kTitleHead);
    if (!socket.ReceiveAll(bytes.data(), bytes.size(), timeoutMs)) {
        return false;
    }
    RemoteTitle read = ReadRemoteTitle(bytes.data(), bytes.size());
    if (read.state == RemoteTitle::State::Short) {
        const std::size_t have = bytes.size();
        bytes.resize(read.size);
        if (!socket.ReceiveAll(bytes.data() + have, read.size - have, timeoutMs)) {
            return false;
        }
        read = ReadRemoteTitle(bytes.data(), bytes.size());
    }
    return read.state == RemoteTitle::State::Whole && read.title == (szTitle != nullptr ? szTitle : "");
}

}  // namespace

RemoteTitle ReadRemoteTitle(const unsigned char* bytes, std::size_t size)
{
    RemoteTitle read;
    if (bytes == nullptr || size < kTitleHead) {
        return read;  // Short: the length first
    }
    const auto length = Get<std::uint32_t>(bytes);
    if (length > kRemoteTitleMax) {
        read.state = RemoteTitle::State::Refused;
        return read;
    }
    read.size = kTitleHead + length;
    if (size < read.size) {
        return read;
    }
    read.state = RemoteTitle::State::Whole;
    read.title.assign(reinterpret_cast<const char*>(bytes) + kTitleHead, length);
    return read;
}

bool ReadRemoteResult(const unsigned char* bytes, std::size_t size, LRESULT* pResult)
{
    if (bytes == nullptr || size < kResultSize || pResult == nullptr) {
        return false;
    }
    *pResult = static_cast<LRESULT>(Get<std::int64_t>(bytes));
    return true;
}

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
    unsigned char answer[kResultSize];
    LRESULT result = 0;
    if (!socket.SendAll(message.data(), message.size(), timeoutMs) ||
        !socket.ReceiveAll(answer, sizeof answer, timeoutMs) || !ReadRemoteResult(answer, sizeof answer, &result)) {
        return 0;
    }
    if (lpAnswered != nullptr) {
        *lpAnswered = TRUE;
    }
    return result;
}
