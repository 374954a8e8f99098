#pragma once
// Automation values for tests and fuzz targets that drive objects through their dispatch
// interface. Header-only, so the fuzz build can use it without the test support library.
#include <cstdint>
#include <string_view>

#include "platform/automation/bstr.h"
#include "platform/automation/scoped_variant.h"
#include "platform/automation/variant.h"

namespace vantrel::testing {

inline platform::ScopedVariant Text(std::u16string_view text) {
  platform::ScopedVariant value;
  platform::VARIANT* out = value.Receive();
  out->vt = platform::VT_BSTR;
  out->bstrVal = platform::SysAllocStringLen(text.data(), static_cast<platform::UINT>(text.size()));
  return value;
}

inline platform::ScopedVariant Number(double number) {
  platform::ScopedVariant value;
  platform::VARIANT* out = value.Receive();
  out->vt = platform::VT_R8;
  out->dblVal = number;
  return value;
}

inline platform::ScopedVariant Integer(std::int32_t number) {
  platform::ScopedVariant value;
  platform::VARIANT* out = value.Receive();
  out->vt = platform::VT_I4;
  out->lVal = number;
  return value;
}

inline platform::ScopedVariant Boolean(bool truth) {
  platform::ScopedVariant value;
  platform::VARIANT* out = value.Receive();
  out->vt = platform::VT_BOOL;
  out->boolVal = truth ? platform::VARIANT_TRUE : platform::VARIANT_FALSE;
  return value;
}

}  // namespace vantrel::testing
