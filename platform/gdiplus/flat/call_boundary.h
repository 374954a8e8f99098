#pragma once
// The edge of the flat interface: every exported call runs its body through Call, which
// answers GdiplusNotInitialized without a session and turns any exception into a status.
#include <new>

#include "platform/gdiplus/gdiplus_flat.h"
#include "platform/gdiplus/objects/library_state.h"

namespace vantrel::platform::gdiplus {

template <class Body>
GpStatus Call(Body&& body) noexcept {
  try {
    LibraryState& library = TheLibrary();
    if (!library.Running()) return GdiplusNotInitialized;
    return body(library.Objects());
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  } catch (...) {
    return GenericError;
  }
}

// Paints what is recorded on a bitmap drawn into a caller's memory. A release that does this
// still releases when memory runs out, and reports it.
inline GpStatus PaintLentMemory(Bitmap& bitmap) noexcept {
  try {
    if (!bitmap.OwnsMemory()) bitmap.PaintPending();
    return Ok;
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  } catch (...) {
    return GenericError;
  }
}

inline ULONG_PTR HandleOf(const void* handle) { return reinterpret_cast<ULONG_PTR>(handle); }

template <class Handle>
Handle* AsHandle(ULONG_PTR value) {
  return reinterpret_cast<Handle*>(value);
}

}  // namespace vantrel::platform::gdiplus
