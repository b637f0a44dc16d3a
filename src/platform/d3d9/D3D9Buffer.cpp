#include "platform/d3d9/D3D9Buffer.h"

D3D9Buffer::D3D9Buffer(std::shared_ptr<D3D9DeviceCore> core, UINT length, DWORD usage, D3DPOOL pool)
    : D3D9Resource(std::move(core), pool, true), usage_(usage), bytes_(length, 0)
{}

HRESULT D3D9Buffer::Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD /*Flags*/)
{
    std::lock_guard<std::recursive_mutex> lock(Core()->Mutex());
    if (!ppbData) return D3DERR_INVALIDCALL;
    const ULONGLONG end = static_cast<ULONGLONG>(OffsetToLock) + (SizeToLock == 0 ? 0 : SizeToLock);
    if (OffsetToLock > bytes_.size() || end > bytes_.size()) {
        *ppbData = nullptr;
        return D3DERR_INVALIDCALL;
    }
    *ppbData = bytes_.data() + OffsetToLock;
    ++locks_;
    return D3D_OK;
}

HRESULT D3D9Buffer::Unlock()
{
    std::lock_guard<std::recursive_mutex> lock(Core()->Mutex());
    if (locks_ == 0) return D3DERR_INVALIDCALL;
    --locks_;
    return D3D_OK;
}
