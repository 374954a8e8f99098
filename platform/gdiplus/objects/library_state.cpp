#include "platform/gdiplus/objects/library_state.h"


namespace vantrel::platform::gdiplus {

ULONG_PTR LibraryState::Open() {
  const ULONG_PTR token = nextToken_++;
  tokens_.insert(token);
  return token;
}

void LibraryState::Close(ULONG_PTR token) {
  if (tokens_.erase(token) == 0 || !tokens_.empty()) return;
  // Memory that callers lent must show what was drawn into it before it is let go.
  objects_.ForEachBitmap([](Bitmap& bitmap) {
    try {
      if (!bitmap.OwnsMemory()) bitmap.PaintPending();
    } catch (...) {
      // Freeing everything matters more than the last fills.
    }
  });
  objects_.Clear();
}

LibraryState& TheLibrary() {
  static LibraryState state;
  return state;
}

}  // namespace vantrel::platform::gdiplus
