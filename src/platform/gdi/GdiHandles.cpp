#include "platform/gdi/GdiHandles.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::unique_ptr<GdiObject>> objects;
    std::uintptr_t next = 0x10000;
};

HandleTable& Table()
{
    static HandleTable table;
    return table;
}

}  // namespace

HGDIOBJ GdiRegisterObject(std::unique_ptr<GdiObject> object)
{
    if (!object) return nullptr;
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const std::uintptr_t id = t.next;
    t.next += 4;
    t.objects.emplace(id, std::move(object));
    return reinterpret_cast<HGDIOBJ>(id);
}

GdiObject* GdiLookupObject(HGDIOBJ h)
{
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.objects.find(reinterpret_cast<std::uintptr_t>(h));
    return it == t.objects.end() ? nullptr : it->second.get();
}

bool GdiDestroyObject(HGDIOBJ h)
{
    std::unique_ptr<GdiObject> doomed;
    {
        HandleTable& t = Table();
        std::lock_guard<std::mutex> lock(t.mutex);
        auto it = t.objects.find(reinterpret_cast<std::uintptr_t>(h));
        if (it == t.objects.end()) return false;
        doomed = std::move(it->second);
        t.objects.erase(it);
    }
    return true;  // destroyed outside the table lock
}

size_t GdiLiveObjectCount()
{
    HandleTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.objects.size();
}
