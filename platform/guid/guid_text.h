#pragma once
// GUID texts in the shape of the ole32 calls: the braced form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", 38 characters.
#include "platform/com/com_types.h"

namespace vantrel::platform {

using WCHAR = char16_t;

inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);

// Characters in the braced form, terminator included.
inline constexpr int kGuidTextUnits = 39;

// Writes the braced form with upper-case digits and a terminator; answers the units written,
// terminator included (39), or 0 when `buffer` is null or `bufferUnits` is below 39.
int StringFromGUID2(const GUID& guid, WCHAR* buffer, int bufferUnits);

// Reads the braced form, digits in either case, and nothing after it. A null text gives the
// null GUID and S_OK; malformed text gives CO_E_CLASSSTRING and the null GUID; a null
// `clsid` gives E_INVALIDARG.
HRESULT CLSIDFromString(const WCHAR* text, CLSID* clsid);

}  // namespace vantrel::platform
