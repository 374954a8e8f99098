#pragma once
// The failures the regular-expression object reports, with the script engine's codes.
#include "platform/automation/automation_types.h"

namespace vantrel::platform {

// "Syntax error in regular expression": the pattern does not compile.
inline constexpr HRESULT REGEXP_E_SYNTAX = static_cast<HRESULT>(0x800A1399);
// "Out of stack space": matching gave up at the backtracking, depth or stack limit.
inline constexpr HRESULT REGEXP_E_TOO_COMPLEX = static_cast<HRESULT>(0x800A001C);

}  // namespace vantrel::platform
