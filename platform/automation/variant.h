#pragma once
// VARIANT handling with oleaut32's names and results.
//
// VariantChangeType knows the coercions between number (VT_I2, VT_I4, VT_UI1, VT_R4, VT_R8),
// boolean, text and object. Numbers are read and written with "." as the decimal point
// whatever the process locale. Text form of numbers: integers in decimal; doubles with the
// shortest digits that read back as the same value, fixed notation from 1E-06 up to below
// 1E+21, outside that "d.dddE+xx" / "d.dddE-xx". Booleans become "-1" / "0", or "True" /
// "False" with VARIANT_ALPHABOOL. An object is coerced through its default (DISPID_VALUE)
// property unless VARIANT_NOVALUEPROP is given. Doubles become integers rounded half to
// even; a value out of the target's range is DISP_E_OVERFLOW.
#include "platform/automation/automation_types.h"

namespace vantrel::platform {

void VariantInit(VARIANT* value);
// Frees what the value owns and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* value);
// True when VariantClear would free something: a string or an interface held by value.
inline bool VariantOwnsData(const VARIANT& value) {
  return value.vt == VT_BSTR || value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
}
// Clears target, then copies source: a new BSTR, one more reference on an interface;
// references (VT_BYREF) are copied as references.
HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// As VariantCopy, but a reference is followed and the value it points at is copied.
HRESULT VariantCopyInd(VARIANT* target, const VARIANT* source);
// target may be source. On failure target is left untouched.
HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, WORD flags, VARTYPE type);

}  // namespace vantrel::platform
