#include "platform/win/HostLink.h"

#include <atomic>

#include "platform/hostapi/Host.h"

namespace standin {

namespace {
std::atomic<Host*> g_testHost{nullptr};
}

Host& LinkedHost()
{
    if (Host* host = g_testHost.load(std::memory_order_acquire)) {
        return *host;
    }
    return GetHost();
}

void UseHostForTest(Host* host)
{
    g_testHost.store(host, std::memory_order_release);
}

}  // namespace standin
