#include "platform/d3d9/D3D9DeviceCore.h"

#include <algorithm>

#include "platform/d3d9/D3D9Resource.h"

D3D9DeviceCore::D3D9DeviceCore(ULONGLONG textureBudgetBytes, const D3DCAPS9& caps)
    : caps_(caps), budget_(textureBudgetBytes)
{}

bool D3D9DeviceCore::ChargeTextureMemory(ULONGLONG bytes)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (bytes > budget_ - used_) return false;
    used_ += bytes;
    return true;
}

void D3D9DeviceCore::RefundTextureMemory(ULONGLONG bytes)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    used_ -= std::min(bytes, used_);
}

ULONGLONG D3D9DeviceCore::AvailableTextureMemory() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return budget_ - used_;
}

void D3D9DeviceCore::Register(D3D9Resource* resource)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    live_.push_back(resource);
}

void D3D9DeviceCore::Unregister(D3D9Resource* resource)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    auto it = std::find(live_.begin(), live_.end(), resource);
    if (it != live_.end()) live_.erase(it);
}

std::size_t D3D9DeviceCore::LiveResourceCount() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return live_.size();
}

std::size_t D3D9DeviceCore::AliveDefaultPoolObjects() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::size_t n = static_cast<std::size_t>(std::max(defaultPoolHolders_, 0));
    for (const D3D9Resource* r : live_)
        if (r->IsAliveInDefaultPool()) ++n;
    return n;
}

void D3D9DeviceCore::AddDefaultPoolHolder(int delta)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    defaultPoolHolders_ += delta;
}
