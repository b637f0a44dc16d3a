// The bytes of a vertex or index buffer and their lock count (the common part of both).
#pragma once

#include <vector>

#include "platform/d3d9/D3D9Resource.h"

class D3D9Buffer : public D3D9Resource {
public:
    // Offset and size in bytes; size 0 locks from the offset to the end. D3DERR_INVALIDCALL when
    // the range leaves the buffer or ppbData is null. Locks nest; each needs its Unlock.
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags);
    // D3DERR_INVALIDCALL when not locked.
    HRESULT Unlock();

    // Stand-in access for drawing.
    const BYTE* Data() const { return bytes_.data(); }
    UINT Length() const { return static_cast<UINT>(bytes_.size()); }
    DWORD Usage() const { return usage_; }

protected:
    // Throws std::bad_alloc.
    D3D9Buffer(std::shared_ptr<D3D9DeviceCore> core, UINT length, DWORD usage, D3DPOOL pool);

private:
    DWORD usage_;
    UINT locks_ = 0;
    std::vector<BYTE> bytes_;
};
