#include "app/text_cutting.h"

#include <string.h>

#include <algorithm>
#include <cstddef>
#include <optional>

namespace vantrel::app {
namespace {

constexpr std::string_view kQuoteMark = "#引号";

std::string WithQuotes(std::string_view marker) {
  std::string out;
  out.reserve(marker.size());
  for (std::size_t i = 0; i < marker.size();) {
    if (marker.substr(i, kQuoteMark.size()) == kQuoteMark) {
      out.push_back('"');
      i += kQuoteMark.size();
    } else {
      out.push_back(marker[i++]);
    }
  }
  return out;
}

// Length of the character at text[i]: a well-formed UTF-8 sequence counts as one unit, any
// other byte as a unit of its own, as the code-page conversion reads them.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (i + length > text.size()) return 1;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  return length;
}

// Whether a character starts at text[at]. An ASCII byte is never part of a sequence, so the
// walk only has to start after the last ASCII byte before `at`.
bool IsCharacterStart(std::string_view text, std::size_t at) {
  std::size_t i = at;
  while (i > 0 && static_cast<unsigned char>(text[i - 1]) >= 0x80) --i;
  while (i < at) i += CharacterLength(text, i);
  return i == at;
}

// First match at or after `from`; nothing when absent.
std::optional<std::size_t> FindFirst(std::string_view text, std::string_view marker,
                                     std::size_t from) {
  if (marker.empty()) return std::nullopt;
  for (std::size_t at = text.find(marker, from); at != std::string_view::npos;
       at = text.find(marker, at + 1))
    if (IsCharacterStart(text, at)) return at;
  return std::nullopt;
}

// The last occurrence starting at or before `at`. One-byte markers (the cell list's "+",
// found near the start of a text of a million bytes) go through memrchr.
std::size_t ReverseFind(std::string_view text, std::string_view marker, std::size_t at) {
  if (marker.size() != 1) return text.rfind(marker, at);
  const void* found = ::memrchr(text.data(), marker.front(), std::min(at, text.size() - 1) + 1);
  return found == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

std::optional<std::size_t> FindLast(std::string_view text, std::string_view marker) {
  if (marker.empty() || marker.size() > text.size()) return std::nullopt;
  for (std::size_t at = ReverseFind(text, marker, text.size()); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : ReverseFind(text, marker, at - 1))
    if (IsCharacterStart(text, at)) return at;
  return std::nullopt;
}

}  // namespace

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right) {
  const std::string leftMarker = WithQuotes(left);
  const std::string rightMarker = WithQuotes(right);
  const auto start = FindFirst(text, leftMarker, 0);
  if (!start) return {};
  const std::size_t inner = *start + leftMarker.size();
  const auto end = FindFirst(text, rightMarker, inner);
  if (!end) return {};
  return std::string(text.substr(inner, *end - inner));
}

std::string TextAfterLast(std::string_view text, std::string_view marker) {
  const auto at = FindLast(text, marker);
  if (!at) return {};
  return std::string(text.substr(*at + marker.size()));
}

}  // namespace vantrel::app
