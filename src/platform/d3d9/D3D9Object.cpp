#include "platform/d3d9/D3D9Object.h"

#include <cstdio>

ULONG D3D9Object::AddRef()
{
    return static_cast<ULONG>((counts_.fetch_add(kExternalOne) + kExternalOne) >> 32);
}

ULONG D3D9Object::Release()
{
    std::uint64_t old = counts_.load();
    do {
        if ((old >> 32) == 0) {
            std::fprintf(stderr, "d3d9: Release on an object without references ignored\n");
            return 0;
        }
    } while (!counts_.compare_exchange_weak(old, old - kExternalOne));
    const std::uint64_t now = old - kExternalOne;
    if (now == 0) delete this;
    return static_cast<ULONG>(now >> 32);
}

void D3D9Object::HoldInternal()
{
    counts_.fetch_add(1);
}

void D3D9Object::DropInternal()
{
    std::uint64_t old = counts_.load();
    do {
        if ((old & 0xFFFFFFFFu) == 0) return;
    } while (!counts_.compare_exchange_weak(old, old - 1));
    if (old - 1 == 0) delete this;
}

ULONG D3D9Object::ExternalRefs() const
{
    return static_cast<ULONG>(counts_.load() >> 32);
}
