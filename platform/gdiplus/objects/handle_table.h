#pragma once
// The table of live objects. A handle is an opaque value (slot index and generation) that is
// looked up, never dereferenced: a stale, foreign or wrong-kind handle finds nothing.
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "platform/gdiplus/gdiplus_flat.h"
#include "platform/gdiplus/objects/bitmap.h"
#include "platform/gdiplus/objects/graphics_context.h"
#include "platform/gdiplus/objects/path.h"

namespace vantrel::platform::gdiplus {

using Object = std::variant<std::unique_ptr<Bitmap>, GraphicsContext, SolidBrush, Path>;

class HandleTable {
 public:
  ULONG_PTR Insert(Object object);

  // The object of kind T under the handle, or null.
  template <class T>
  T* Find(ULONG_PTR handle) {
    Object* object = Lookup(handle);
    if (object == nullptr) return nullptr;
    if constexpr (std::is_same_v<T, Bitmap>) {
      auto* bitmap = std::get_if<std::unique_ptr<Bitmap>>(object);
      return bitmap ? bitmap->get() : nullptr;
    } else {
      return std::get_if<T>(object);
    }
  }

  // Removes the object of kind T; false when there is none.
  template <class T>
  bool Erase(ULONG_PTR handle) {
    if (Find<T>(handle) == nullptr) return false;
    Release(handle);
    return true;
  }

  template <class F>
  void ForEachBitmap(F&& visit) {
    for (Slot& slot : slots_) {
      if (!slot.object) continue;
      if (auto* bitmap = std::get_if<std::unique_ptr<Bitmap>>(&*slot.object)) visit(**bitmap);
    }
  }

  std::size_t Size() const { return live_; }
  void Clear();

 private:
  struct Slot {
    std::uint32_t generation = 1;
    std::unique_ptr<Object> object;
  };
  Object* Lookup(ULONG_PTR handle);
  void Release(ULONG_PTR handle);

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
  std::size_t live_ = 0;
};

}  // namespace vantrel::platform::gdiplus
