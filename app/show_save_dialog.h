#pragma once
// Asking for a file name to save to, with the platform's save dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialog/open_file_name.h"

namespace vantrel::app {

// The filter is "description|pattern" pairs joined by "|". Answers the full path chosen (with
// the default extension appended to a name typed without one), or an empty text when the user
// cancels or the dialog fails, e.g. for a path longer than the dialog's 1,024-byte buffer.
std::string ShowSaveDialog(platform::dialog::HWND owner,
                           std::optional<std::string_view> title = std::nullopt,
                           std::optional<std::string_view> initialDirectory = std::nullopt,
                           std::optional<std::string_view> filter = std::nullopt,
                           std::optional<std::uint32_t> flags = std::nullopt,
                           std::optional<std::string_view> defaultExtension = std::nullopt);

// The dialog's filter bytes: every "|" a zero byte, then two more zero bytes.
std::string FilterBytes(std::string_view filter);

}  // namespace vantrel::app
