#pragma once
// Holds one COM reference: AddRef on copy, Release on destruction or reset.
#include <type_traits>
#include <utility>

namespace vantrel::platform {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already owns.
  static ComPtr Adopt(T* pointer) {
    ComPtr result;
    result.pointer_ = pointer;
    return result;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return Adopt(pointer);
  }

  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  // From a reference on a derived interface or class.
  template <typename U>
    requires std::is_convertible_v<U*, T*>
  ComPtr(ComPtr<U>&& other) noexcept : pointer_(other.Detach()) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  void Reset() {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  // Hands the reference to the caller.
  [[nodiscard]] T* Detach() { return std::exchange(pointer_, nullptr); }

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  T& operator*() const { return *pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  T* pointer_ = nullptr;
};

}  // namespace vantrel::platform
