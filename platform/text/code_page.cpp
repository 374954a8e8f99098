#include "platform/text/code_page.h"

#include <limits>

namespace vantrel::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsKnownCodePage(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_UTF8;
}

// Decodes one code point at text[i], advancing i; ill-formed sequences yield U+FFFD and
// consume one byte, so decoding always makes progress.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + extra >= text.size()) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    const unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Copies a converted text into a caller's buffer under the Windows sizing rule.
template <typename Unit, typename Text>
int Deliver(const Text& converted, Unit* target, int targetUnits) {
  if (converted.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return 0;
  const int needed = static_cast<int>(converted.size());
  if (targetUnits == 0) return needed;
  if (target == nullptr || targetUnits < needed) return 0;
  for (int k = 0; k < needed; ++k) target[k] = static_cast<Unit>(converted[k]);
  return needed;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    char32_t cp = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

int MultiByteToWideChar(UINT codePage, std::uint32_t, const char* source, int sourceBytes,
                        WCHAR* target, int targetUnits) {
  if (!IsKnownCodePage(codePage) || source == nullptr || sourceBytes == 0 || sourceBytes < -1 ||
      targetUnits < 0)
    return 0;
  const std::size_t length = sourceBytes == -1 ? std::char_traits<char>::length(source) + 1
                                               : static_cast<std::size_t>(sourceBytes);
  return Deliver(Utf8ToUtf16(std::string_view(source, length)), target, targetUnits);
}

int WideCharToMultiByte(UINT codePage, std::uint32_t, const WCHAR* source, int sourceUnits,
                        char* target, int targetBytes, const char*, int* usedDefault) {
  if (usedDefault != nullptr) *usedDefault = 0;
  if (!IsKnownCodePage(codePage) || source == nullptr || sourceUnits == 0 || sourceUnits < -1 ||
      targetBytes < 0)
    return 0;
  const std::size_t length = sourceUnits == -1 ? std::char_traits<char16_t>::length(source) + 1
                                               : static_cast<std::size_t>(sourceUnits);
  return Deliver(Utf16ToUtf8(std::u16string_view(source, length)), target, targetBytes);
}

}  // namespace vantrel::platform
