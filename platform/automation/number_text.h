#pragma once
// Numbers as automation text: "." is the decimal point, whatever the process locale.
#include <string>
#include <string_view>

#include "platform/automation/automation_types.h"

namespace vantrel::platform {

// Shortest round-trip digits; see variant.h for the layout.
std::u16string FormatDouble(double value);

// Reads the whole text (surrounding white space allowed) as a decimal number with optional
// sign, fraction and exponent. DISP_E_TYPEMISMATCH when it is not one, DISP_E_OVERFLOW when
// it exceeds the double range; a value too small to represent reads as 0.
HRESULT ParseDouble(std::u16string_view text, double& value);

}  // namespace vantrel::platform
