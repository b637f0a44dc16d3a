#include "platform/win/ScriptedJoysticks.h"

void ScriptedJoysticks::Set(UINT id, DWORD x, DWORD y, DWORD buttons)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (id < m_pads.size()) {
        m_pads[id].plugged = true;
        m_pads[id].state = JoystickState{x, y, buttons};
    }
}

void ScriptedJoysticks::Unplug(UINT id)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (id < m_pads.size()) {
        m_pads[id].plugged = false;
    }
}

int ScriptedJoysticks::QueryCount(UINT id) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return id < m_pads.size() ? m_pads[id].queries : 0;
}

bool ScriptedJoysticks::Query(UINT id, JoystickState& state)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (id >= m_pads.size()) {
        return false;
    }
    Pad& pad = m_pads[id];
    ++pad.queries;
    if (!pad.plugged) {
        return false;
    }
    state = pad.state;
    return true;
}
