#include "platform/d3d9/D3D9Resource.h"

D3D9Resource::D3D9Resource(std::shared_ptr<D3D9DeviceCore> core, D3DPOOL pool, bool listed)
    : core_(std::move(core)), pool_(pool), listed_(listed)
{
    if (listed_) core_->Register(this);
}

D3D9Resource::~D3D9Resource()
{
    if (listed_) core_->Unregister(this);
    if (charged_ != 0) core_->RefundTextureMemory(charged_);
}
