// A device-internal reference to a stand-in object (see D3D9Object.h): holds the object alive
// without changing the count the game sees. Copying takes another hold; destruction drops it.
#pragma once

#include <utility>

template <class T>
class D3D9InternalRef {
public:
    D3D9InternalRef() = default;
    explicit D3D9InternalRef(T* p) : p_(p) { Hold(); }
    D3D9InternalRef(const D3D9InternalRef& other) : p_(other.p_) { Hold(); }
    D3D9InternalRef(D3D9InternalRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    D3D9InternalRef& operator=(const D3D9InternalRef& other)
    {
        if (this != &other) Reset(other.p_);
        return *this;
    }
    D3D9InternalRef& operator=(D3D9InternalRef&& other) noexcept
    {
        if (this != &other) {
            Drop();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~D3D9InternalRef() { Drop(); }

    // Holds p (may be null) instead of the current object.
    void Reset(T* p = nullptr)
    {
        if (p) p->HoldInternal();
        Drop();
        p_ = p;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    void Hold()
    {
        if (p_) p_->HoldInternal();
    }
    void Drop()
    {
        if (p_) std::exchange(p_, nullptr)->DropInternal();
    }

    T* p_ = nullptr;
};
