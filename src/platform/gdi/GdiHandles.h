// The table of live GDI objects. A handle is a small number that is never reused while the
// process runs; looking it up checks that the object still exists and has the expected kind.
// Thread-safe. Objects are destroyed only through GdiDestroyObject, on any thread; a caller
// that looked an object up must not keep the pointer beyond the current call.
#pragma once

#include <memory>

#include "platform/gdi/GdiObject.h"

// Takes ownership and returns the new handle.
HGDIOBJ GdiRegisterObject(std::unique_ptr<GdiObject> object);
// The object of a handle, or nullptr when it is not live.
GdiObject* GdiLookupObject(HGDIOBJ h);
// The object when it is live and of the given class, else nullptr.
template <class T>
T* GdiLookup(HGDIOBJ h, GdiObject::Kind kind)
{
    GdiObject* o = GdiLookupObject(h);
    return (o != nullptr && o->GetKind() == kind) ? static_cast<T*>(o) : nullptr;
}
// Destroys the object of a live handle; false when the handle is not live.
bool GdiDestroyObject(HGDIOBJ h);
// Number of live objects (tests check that nothing leaks).
size_t GdiLiveObjectCount();
