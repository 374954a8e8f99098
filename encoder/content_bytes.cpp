#include "encoder/content_bytes.h"

namespace vantrel::encoder {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Calls emit(codePoint) for every character; a lone surrogate is U+FFFD.
template <typename Emit>
void forEachCodePoint(std::u16string_view text, Emit emit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      emit(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      emit(kReplacement);
    } else {
      emit(static_cast<char32_t>(unit));
    }
  }
}

std::size_t utf8Width(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

void appendUtf8(std::vector<std::uint8_t>& out, char32_t cp) {
  const auto byte = [](char32_t v) { return static_cast<std::uint8_t>(v); };
  if (cp < 0x80) {
    out.push_back(byte(cp));
  } else if (cp < 0x800) {
    out.push_back(byte(0xC0 | (cp >> 6)));
    out.push_back(byte(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(byte(0xE0 | (cp >> 12)));
    out.push_back(byte(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(byte(0xF0 | (cp >> 18)));
    out.push_back(byte(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(byte(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (cp & 0x3F)));
  }
}

// Every character at or above 0x80 takes more bytes than code units, so the byte count
// differs from the unit count exactly when the text is not plain ASCII.
bool needsPrefix(std::size_t bytes, std::u16string_view text) { return bytes != text.size(); }

}  // namespace

std::vector<std::uint8_t> contentBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 3 + 3);
  forEachCodePoint(text, [&](char32_t cp) { appendUtf8(bytes, cp); });
  if (needsPrefix(bytes.size(), text))
    bytes.insert(bytes.begin(), std::begin(BYTE_ORDER_MARK), std::end(BYTE_ORDER_MARK));
  return bytes;
}

std::size_t getContentLength(std::u16string_view text) {
  std::size_t bytes = 0;
  forEachCodePoint(text, [&](char32_t cp) { bytes += utf8Width(cp); });
  return needsPrefix(bytes, text) ? bytes + std::size(BYTE_ORDER_MARK) : bytes;
}

}  // namespace vantrel::encoder
