// What a device shares with the resources it created: the device-wide lock, the texture-memory
// budget and the list of live resources (for the Reset rule and the leak report).
//
// Resources keep the core alive through a shared_ptr, so a resource released after its device
// is still safe to use and to release.
#pragma once

#include <mutex>
#include <vector>

#include "platform/d3d9/D3D9Types.h"

class D3D9Resource;

class D3D9DeviceCore {
public:
    D3D9DeviceCore(ULONGLONG textureBudgetBytes, const D3DCAPS9& caps);

    // The device-wide lock: every device and resource call holds it (recursive, so a call may
    // release objects or call other device functions).
    std::recursive_mutex& Mutex() { return mutex_; }

    const D3DCAPS9& Caps() const { return caps_; }

    // Texture memory: Charge returns false when the bytes do not fit the budget.
    bool ChargeTextureMemory(ULONGLONG bytes);
    void RefundTextureMemory(ULONGLONG bytes);
    ULONGLONG AvailableTextureMemory() const;

    void Register(D3D9Resource* resource);
    void Unregister(D3D9Resource* resource);
    // Live resources (any count) now.
    std::size_t LiveResourceCount() const;
    // Resources of the DEFAULT pool the game still references, plus D3DX objects that hold
    // DEFAULT-pool resources (AddDefaultPoolHolder). Reset is refused while this is not 0.
    std::size_t AliveDefaultPoolObjects() const;

    // D3DX objects (sprite, font) count themselves while they hold DEFAULT-pool resources, that
    // is from creation until OnLostDevice and again from OnResetDevice until they are released.
    void AddDefaultPoolHolder(int delta);

private:
    mutable std::recursive_mutex mutex_;
    D3DCAPS9 caps_;
    ULONGLONG budget_;
    ULONGLONG used_ = 0;
    int defaultPoolHolders_ = 0;
    std::vector<D3D9Resource*> live_;
};
