#include "script/ansi_text.h"

#include "platform/automation/bstr.h"
#include "platform/text/code_page.h"

namespace vantrel::script {

// The ANSI code page is UTF-8 (CP_ACP). Pure ASCII, which is what cell lists and numbers
// are, converts unit for unit; everything else goes through the code-page stand-in.
namespace {

// Written as a plain reduction so that the compiler vectorises it; cell lists run to more
// than a million characters.
bool IsAscii(std::string_view text) {
  unsigned char any = 0;
  for (char c : text) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

}  // namespace

std::u16string AnsiToWide(std::string_view text) {
  if (IsAscii(text)) return std::u16string(text.begin(), text.end());
  return platform::Utf8ToUtf16(text);
}

std::string WideToAnsi(std::u16string_view text) {
  // Short texts (group texts, numbers) are narrowed on the stack in one pass, so the string
  // is made once at its final size.
  char narrow[64];
  if (text.size() <= sizeof narrow) {
    char16_t any = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      any |= text[i];
      narrow[i] = static_cast<char>(text[i]);
    }
    if (any < 0x80) return std::string(narrow, text.size());
    return platform::Utf16ToUtf8(text);
  }
  char16_t any = 0;
  for (char16_t c : text) any |= c;
  if (any >= 0x80) return platform::Utf16ToUtf8(text);
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
  return out;
}

platform::BSTR AnsiToBstr(std::string_view text) {
  if (!IsAscii(text)) {
    const std::u16string wide = platform::Utf8ToUtf16(text);
    return platform::SysAllocStringLen(wide.data(), static_cast<platform::UINT>(wide.size()));
  }
  platform::BSTR out = platform::SysAllocStringLen(nullptr, static_cast<platform::UINT>(text.size()));
  if (out == nullptr) return nullptr;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = bytes[i];
  return out;
}

}  // namespace vantrel::script
