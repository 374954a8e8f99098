#include "app/show_save_dialog.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vantrel::app {
namespace {

namespace dlg = platform::dialog;

constexpr std::string_view kDefaultTitle = "保存文件";
constexpr std::string_view kDefaultFilter = "所有文件（*.*）|*.*";
constexpr std::size_t kNameBufferBytes = 1024;

}  // namespace

std::string FilterBytes(std::string_view filter) {
  std::string bytes(filter);
  std::replace(bytes.begin(), bytes.end(), '|', '\0');
  bytes.append(2, '\0');
  return bytes;
}

std::string ShowSaveDialog(dlg::HWND owner, std::optional<std::string_view> title,
                           std::optional<std::string_view> initialDirectory,
                           std::optional<std::string_view> filter,
                           std::optional<std::uint32_t> flags,
                           std::optional<std::string_view> defaultExtension) {
  // The record wants zero-terminated texts; these copies own them for the call.
  const std::string titleText(title.value_or(kDefaultTitle));
  const std::string filterBytes = FilterBytes(filter.value_or(kDefaultFilter));
  const std::string directoryText(initialDirectory.value_or(""));
  const std::string extensionText(defaultExtension.value_or(""));
  std::array<char, kNameBufferBytes> name{};

  dlg::OPENFILENAMEA record;
  record.lStructSize = dlg::OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = owner;
  record.lpstrFilter = filterBytes.c_str();
  record.nFilterIndex = 0;
  record.lpstrFile = name.data();
  record.nMaxFile = static_cast<dlg::DWORD>(name.size());
  record.lpstrInitialDir = initialDirectory ? directoryText.c_str() : nullptr;
  record.lpstrTitle = titleText.c_str();
  record.Flags = flags.value_or(dlg::OFN_OVERWRITEPROMPT);
  record.lpstrDefExt = extensionText.empty() ? nullptr : extensionText.c_str();

  if (dlg::GetSaveFileNameA(&record) == 0) return {};
  return std::string(name.data(), strnlen(name.data(), name.size()));
}

}  // namespace vantrel::app
