// The process's host: chosen once, on first use. The two hosts are built above the stand-in;
// their factories are declared with the interface.
#include "platform/hostapi/Host.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

std::mutex g_hostMutex;
std::unique_ptr<Host> g_host;           // guarded by g_hostMutex
std::atomic<Host*> g_current{nullptr};  // g_host.get(), readable without the lock
std::string g_displayError;             // guarded by g_hostMutex

std::unique_ptr<Host> CreateDefaultHost()
{
    if (!HeadlessRequested()) {
        if (std::unique_ptr<Host> host = CreateSdlHost(g_displayError)) {
            return host;
        }
    }
    return CreateHeadlessHost();
}

}  // namespace

Host& GetHost()
{
    if (Host* host = g_current.load(std::memory_order_acquire)) {
        return *host;
    }
    std::lock_guard<std::mutex> lock(g_hostMutex);
    if (!g_host) {
        g_host = CreateDefaultHost();
        g_current.store(g_host.get(), std::memory_order_release);
    }
    return *g_host;
}

void SetHost(std::unique_ptr<Host> host)
{
    std::unique_ptr<Host> previous;
    {
        std::lock_guard<std::mutex> lock(g_hostMutex);
        previous = std::move(g_host);
        g_host = std::move(host);
        g_current.store(g_host.get(), std::memory_order_release);
    }
    // Destroyed outside the lock: an SDL host shuts its subsystems down here.
}

std::string HostDisplayError()
{
    std::lock_guard<std::mutex> lock(g_hostMutex);
    return g_displayError;
}

bool HeadlessRequested()
{
    const char* value = std::getenv("QB_HEADLESS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

bool UnpacedRequested()
{
    const char* value = std::getenv("QB_UNPACED");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}
