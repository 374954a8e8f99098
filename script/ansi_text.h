#pragma once
// Text between the system (ANSI code page) and automation (UTF-16).
#include <string>
#include <string_view>

#include "platform/automation/automation_types.h"

namespace vantrel::script {

std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);
// The UTF-16 form of text in a new BSTR (null when out of memory).
platform::BSTR AnsiToBstr(std::string_view text);

}  // namespace vantrel::script
