#include "platform/gdi/GdiTextState.h"

#include <mutex>
#include <unordered_map>

#include "platform/gdi/GdiHandles.h"

namespace {

struct StateTable {
    std::mutex mutex;
    std::unordered_map<HDC, GdiTextState> states;
    size_t sweepAt = 16;  // size at which dead entries are next removed
};

StateTable& Table()
{
    static StateTable table;
    return table;
}

void SweepDeadDcs(StateTable& t)
{
    for (auto it = t.states.begin(); it != t.states.end();)
        it = GdiLookupObject(it->first) == nullptr ? t.states.erase(it) : std::next(it);
    t.sweepAt = 2 * t.states.size() + 16;
}

}  // namespace

GdiTextState GdiGetTextState(HDC hdc)
{
    StateTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.states.find(hdc);
    return it == t.states.end() ? GdiTextState{} : it->second;
}

void GdiSetTextState(HDC hdc, const GdiTextState& state)
{
    StateTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.states[hdc] = state;
    if (t.states.size() >= t.sweepAt) SweepDeadDcs(t);
}

size_t GdiTextStateCount()
{
    StateTable& t = Table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return t.states.size();
}
