#pragma once
// BSTR allocation with oleaut32's rules: a BSTR carries its length (in bytes, 32 bits) in
// front of the characters and a zero unit after them, may hold embedded zeros, and a null
// BSTR counts as the empty string. Every BSTR allocated here is freed with SysFreeString.
#include <string_view>

#include "platform/automation/automation_types.h"

namespace vantrel::platform {

// Copies length units from text; when text is null the units are left uninitialised for the
// caller to fill. Null on failure.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Copies a zero-terminated text; null for a null text.
BSTR SysAllocString(const OLECHAR* text);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

// The BSTR's characters, embedded zeros included; empty for null.
inline std::u16string_view BstrView(BSTR text) { return {text, SysStringLen(text)}; }

}  // namespace vantrel::platform
