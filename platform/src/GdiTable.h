// The records behind drawing handles and the table that checks the handles.
// Private to the drawing layer.
#pragma once

#include "Gdi.h"
#include "GdiObjects.h"

#include <memory>
#include <vector>

enum class EGdiKind : BYTE
{
    Pen = OBJ_PEN,
    Brush = OBJ_BRUSH,
    Font = OBJ_FONT,
    Bitmap = OBJ_BITMAP,
    SurfaceDC = OBJ_DC,
    MemoryDC = OBJ_MEMDC,
    ImageList = 100,
};

// Base of every object a drawing handle names.
struct SGdiRecord
{
    explicit SGdiRecord(EGdiKind eKindIn) : eKind(eKindIn) {}
    virtual ~SGdiRecord();
    SGdiRecord(const SGdiRecord&) = delete;
    SGdiRecord& operator=(const SGdiRecord&) = delete;

    const EGdiKind eKind;
    // Stock objects, system colour brushes and dialog fonts: DeleteObject
    // succeeds and leaves them.
    bool bPermanent = false;
    // The class-library object attached to the handle (not owned) and the
    // temporary wrappers FromHandle made (owned, detached before they go).
    CGdiObject* pAttached = nullptr;
    std::vector<std::unique_ptr<CGdiObject>> temporaryWrappers;
};

// Adds a record and returns its new handle (null when the table is full).
HGDIOBJ GdiInsert(std::shared_ptr<SGdiRecord> pRecord);
// Null, with ERROR_INVALID_HANDLE, for a handle that names nothing.
std::shared_ptr<SGdiRecord> GdiFind(HGDIOBJ handle);
// Ends a handle; false when it names nothing.
bool GdiRemove(HGDIOBJ handle);
// How many handles are open, stock objects included (for leak tests).
std::size_t GdiOpenHandleCount();

template <class T> std::shared_ptr<T> GdiFindAs(HGDIOBJ handle)
{
    return std::dynamic_pointer_cast<T>(GdiFind(handle));
}

// Typed look-ups without touching the last error (for optional arguments).
template <class T> std::shared_ptr<T> GdiPeekAs(HGDIOBJ handle);
std::shared_ptr<SGdiRecord> GdiPeek(HGDIOBJ handle);
template <class T> std::shared_ptr<T> GdiPeekAs(HGDIOBJ handle)
{
    return std::dynamic_pointer_cast<T>(GdiPeek(handle));
}
