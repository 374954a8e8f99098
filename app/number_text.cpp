#include "app/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace vantrel::app {
namespace {

// The ASCII character a full-width form reads as, if the code point is one.
std::optional<char> AsciiOfFullWidth(char32_t cp) {
  if (cp >= 0xFF01 && cp <= 0xFF5D && cp != 0xFF04) return static_cast<char>(cp - 0xFF01 + 0x21);
  switch (cp) {
    case 0xFFE5: return '$';
    case 0xFFE3: return '~';
    case 0xFF5E: return '~';
    case 0x3000: return ' ';
    case 0x2605: return '*';
    case 0x2606: return '*';
    default: return std::nullopt;
  }
}

// Decodes a three-byte UTF-8 sequence at text[i], the only length the full-width forms have.
std::optional<char32_t> ThreeByteCharacter(std::string_view text, std::size_t i) {
  if (i + 3 > text.size()) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(text[i]);
  const auto b1 = static_cast<unsigned char>(text[i + 1]);
  const auto b2 = static_cast<unsigned char>(text[i + 2]);
  if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return std::nullopt;
  return (char32_t{b0} & 0x0F) << 12 | (char32_t{b1} & 0x3F) << 6 | (char32_t{b2} & 0x3F);
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// What strtod gives for a well-formed unsigned number outside double's range: infinity when
// its decimal exponent is positive, else 0.
double OutOfRangeMagnitude(std::string_view number) {
  const std::size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = number.substr(e + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
    for (const char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0.0;
  const long long position = first < point ? static_cast<long long>(point - first)
                                           : -static_cast<long long>(first - point - 1);
  return position + exponent > 0 ? HUGE_VAL : 0.0;
}

// The text as the readers see it; plain ASCII text, the usual case, is used as it is.
std::string_view AsciiForms(std::string_view text, std::string& storage) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      storage = FullWidthAsAscii(text);
      return storage;
    }
  }
  return text;
}

}  // namespace

std::string FullWidthAsAscii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const auto cp = ThreeByteCharacter(text, i)) {
      if (const auto ascii = AsciiOfFullWidth(*cp)) {
        out.push_back(*ascii);
        i += 3;
        continue;
      }
    }
    out.push_back(text[i++]);
  }
  return out;
}

double TextToNumber(std::string_view text) {
  std::string storage;
  const std::string_view ascii = AsciiForms(text, storage);
  const std::string_view rest = ascii.substr(SkipSpace(ascii));

  // Find the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
  std::size_t end = 0;
  if (end < rest.size() && (rest[end] == '+' || rest[end] == '-')) ++end;
  const std::size_t integerEnd = SkipDigits(rest, end);
  bool anyDigit = integerEnd > end;
  end = integerEnd;
  if (end < rest.size() && rest[end] == '.') {
    const std::size_t fractionEnd = SkipDigits(rest, end + 1);
    anyDigit = anyDigit || fractionEnd > end + 1;
    if (anyDigit) end = fractionEnd;
  }
  if (!anyDigit) return 0;
  if (end < rest.size() && (rest[end] == 'e' || rest[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < rest.size() && (rest[exponent] == '+' || rest[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = SkipDigits(rest, exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }

  // from_chars takes no leading '+' and reads the locale-free form we just delimited.
  std::string_view number = rest.substr(0, end);
  const bool negative = number.front() == '-';
  if (number.front() == '+' || negative) number.remove_prefix(1);
  double value = 0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) value = OutOfRangeMagnitude(number);
  return negative ? -value : value;
}

std::int32_t TextToInteger(std::string_view text) {
  std::string storage;
  const std::string_view ascii = AsciiForms(text, storage);
  std::size_t i = SkipSpace(ascii);
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  std::uint64_t value = 0;
  for (; i < ascii.size() && IsDigit(ascii[i]); ++i) value = value * 10 + (ascii[i] - '0');
  if (negative) value = ~value + 1;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t IntegerFromNumber(double number) {
  // The 64-bit range is [-2^63, 2^63); anything else (and NaN) is the indefinite integer.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(number >= -kLimit && number < kLimit)) return 0;
  const auto whole = static_cast<std::int64_t>(number);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}

}  // namespace vantrel::app
