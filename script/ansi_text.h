#pragma once
// Text between the system (ANSI code page) and automation (UTF-16).
#include <string>
#include <string_view>

namespace vantrel::script {

std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);

}  // namespace vantrel::script
