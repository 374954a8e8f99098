#pragma once
// The base of every wrapper: one native library object, known by its handle (0 = none).
//
// Every level of a wrapper class keeps its own copy of the handle. A creation writes the
// concrete copy and passes it to SetHandle, which writes every level through the chain
// SetHandle -> OnHandleSet -> OnConcreteHandleSet, and nothing else writes them, so the
// copies stay equal.
//
// Status rule: an operation that calls a status-returning library function stores the status
// in LastGdipStatus; one that acts answers true exactly when the status it stored last is Ok.
// Wrappers are not copyable: a copy would share the native object.
#include <cstddef>
#include <cstdint>

namespace vantrel::graphics {

using NativeHandle = std::uintptr_t;

class WrapBase {
 public:
  WrapBase() = default;
  virtual ~WrapBase() = default;
  WrapBase(const WrapBase&) = delete;
  WrapBase& operator=(const WrapBase&) = delete;

  NativeHandle GetHandle() const { return handle_; }
  virtual void SetHandle(NativeHandle handle);
  virtual void OnHandleSet(NativeHandle handle) = 0;

  // Library memory; null on failure. Neither touches LastGdipStatus.
  void* Alloc(std::size_t size);
  void Free(void* address);

 protected:
  // Stores the status and answers whether it is Ok.
  static bool Report(std::int32_t status);

 private:
  NativeHandle handle_ = 0;
};

// The library's handle types as the wrappers see them.
template <typename Native>
Native* AsNative(NativeHandle handle) {
  return reinterpret_cast<Native*>(handle);
}
template <typename Native>
NativeHandle AsHandle(Native* native) {
  return reinterpret_cast<NativeHandle>(native);
}

}  // namespace vantrel::graphics
