#include "graphics/text_helpers.h"

#include <cstring>

#include "platform/guid/guid_text.h"
#include "platform/text/code_page.h"

namespace vantrel::graphics {

std::vector<std::uint8_t> TextToWide(std::string_view text) {
  // A text ends at its first zero byte, as the library would read it.
  const std::string terminated(text.substr(0, text.find('\0')));
  const int units =
      platform::MultiByteToWideChar(platform::CP_ACP, 0, terminated.c_str(), -1, nullptr, 0);
  std::u16string wide(units > 0 ? static_cast<std::size_t>(units) : 1, u'\0');
  if (units > 0) {
    platform::MultiByteToWideChar(platform::CP_ACP, 0, terminated.c_str(), -1, wide.data(),
                                  units);
  }
  std::vector<std::uint8_t> block(wide.size() * sizeof(char16_t));
  std::memcpy(block.data(), wide.data(), block.size());
  return block;
}

std::string WideToText(const char16_t* text) {
  if (text == nullptr) return {};
  const int bytes = platform::WideCharToMultiByte(platform::CP_OEMCP, 0, text, -1, nullptr, 0,
                                                  nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string result(static_cast<std::size_t>(bytes), '\0');
  platform::WideCharToMultiByte(platform::CP_OEMCP, 0, text, -1, result.data(), bytes, nullptr,
                                nullptr);
  result.pop_back();  // the terminator
  return result;
}

std::string GuidToText(const platform::GUID& guid) {
  char16_t buffer[platform::kGuidTextUnits] = {};
  platform::StringFromGUID2(guid, buffer, platform::kGuidTextUnits);
  return WideToText(buffer);
}

platform::GUID TextToGuid(std::string_view text) {
  const std::u16string wide = WideBlockToString(TextToWide(text));
  platform::GUID guid;
  // Malformed text leaves the null GUID, which no encoder has.
  platform::CLSIDFromString(wide.c_str(), &guid);
  return guid;
}

std::u16string WideBlockToString(std::span<const std::uint8_t> block) {
  std::u16string wide(block.size() / sizeof(char16_t), u'\0');
  if (wide.empty()) return wide;
  std::memcpy(wide.data(), block.data(), wide.size() * sizeof(char16_t));
  return wide.substr(0, wide.find(u'\0'));
}

}  // namespace vantrel::graphics
