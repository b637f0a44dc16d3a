// Reference counting of the COM-style objects of the Direct3D stand-in.
//
// Two counts are kept. The external count is what the game sees: it starts at 1 on creation,
// AddRef/Release change it and return the new value. The internal count holds references the
// device keeps for itself (bound textures and buffers, the render target, the swap chain's back
// buffer); it keeps the memory alive but does not show in the game's counts and does not make an
// object "alive" for the Reset rule. The object is deleted when both reach zero.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/d3d9/D3D9Types.h"

class D3D9Object {
public:
    D3D9Object(const D3D9Object&) = delete;
    D3D9Object& operator=(const D3D9Object&) = delete;

    // Any thread. Returns the new external count.
    virtual ULONG AddRef();
    // Any thread. Returns the new external count; a Release at count 0 is logged and ignored.
    virtual ULONG Release();
    // The device's own references (see the file comment).
    virtual void HoldInternal();
    virtual void DropInternal();
    // The external count now.
    virtual ULONG ExternalRefs() const;

protected:
    D3D9Object() = default;
    virtual ~D3D9Object() = default;

private:
    static constexpr std::uint64_t kExternalOne = std::uint64_t{1} << 32;
    // External count in the high half, internal count in the low half.
    std::atomic<std::uint64_t> counts_{kExternalOne};
};
