#pragma once
// A VARIANT that clears itself.
#include <utility>

#include "platform/automation/variant.h"

namespace vantrel::platform {

class ScopedVariant {
 public:
  ScopedVariant() = default;
  ScopedVariant(const ScopedVariant& other) { VariantCopy(&value_, &other.value_); }
  ScopedVariant(ScopedVariant&& other) noexcept : value_(std::exchange(other.value_, VARIANT{})) {}
  ScopedVariant& operator=(ScopedVariant other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  ~ScopedVariant() { VariantClear(&value_); }

  void Clear() { VariantClear(&value_); }
  const VARIANT& Get() const { return value_; }
  // For calls that fill the value; whatever it held is cleared first.
  VARIANT* Receive() {
    VariantClear(&value_);
    return &value_;
  }
  VARTYPE Type() const { return value_.vt; }

 private:
  VARIANT value_;
};

}  // namespace vantrel::platform
