// Base of every object behind a GDI handle (bitmaps, device contexts, fonts).
//
// Objects live in the handle table of GdiHandles.h, which owns them; code holds handles, never
// pointers across calls.
#pragma once

#include "platform/gdi/GdiTypes.h"

class GdiObject {
public:
    enum class Kind { Bitmap, Dc, Font };

    explicit GdiObject(Kind kind) : m_kind(kind) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Kind GetKind() const { return m_kind; }

    // GetObjectA: writes the object's description into lpv when cb bytes suffice and returns the
    // bytes written; with lpv null returns the size of the fullest description. 0 = not available.
    virtual int Describe(int cb, void* lpv) const
    {
        (void)cb;
        (void)lpv;
        return 0;
    }

private:
    Kind m_kind;
};
