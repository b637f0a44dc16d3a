// Base of the objects a device creates (textures, stand-alone surfaces, vertex and index
// buffers): its pool, the texture memory it is charged, and its entry in the device's list.
#pragma once

#include <memory>

#include "platform/d3d9/D3D9DeviceCore.h"
#include "platform/d3d9/D3D9Object.h"

class D3D9Resource : public D3D9Object {
public:
    D3DPOOL Pool() const { return pool_; }
    // True while this object counts for the Reset rule: DEFAULT pool and referenced by the game.
    virtual bool IsAliveInDefaultPool() const { return pool_ == D3DPOOL_DEFAULT && ExternalRefs() > 0; }
    const std::shared_ptr<D3D9DeviceCore>& Core() const { return core_; }

protected:
    // Registers with the core when `listed` (level surfaces are not listed: their texture is).
    D3D9Resource(std::shared_ptr<D3D9DeviceCore> core, D3DPOOL pool, bool listed);
    ~D3D9Resource() override;

    // Records texture memory charged by the creator, refunded on destruction.
    void SetChargedBytes(ULONGLONG bytes) { charged_ = bytes; }

private:
    std::shared_ptr<D3D9DeviceCore> core_;
    D3DPOOL pool_;
    bool listed_;
    ULONGLONG charged_ = 0;
};
