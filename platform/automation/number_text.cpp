#include "platform/automation/number_text.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace vantrel::platform {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string Widen(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace

std::u16string FormatDouble(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value > 0 ? u"Infinity" : u"-Infinity";
  if (value == 0) return u"0";

  // Shortest digits in scientific form, e.g. "1.2345e-07", then laid out ourselves.
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  if (error != std::errc()) return u"0";
  const std::string_view scientific(buffer, end - buffer);
  const std::size_t ePos = scientific.find('e');
  std::string_view mantissa = scientific.substr(0, ePos);
  int exponent = 0;
  std::from_chars(scientific.data() + ePos + 1 + (scientific[ePos + 1] == '+'), end, exponent);

  std::string sign;
  if (mantissa.front() == '-') {
    sign = "-";
    mantissa.remove_prefix(1);
  }
  std::string digits;
  for (char c : mantissa)
    if (c != '.') digits.push_back(c);
  const int count = static_cast<int>(digits.size());
  const int point = exponent + 1;  // digits before the decimal point

  std::string text = sign;
  if (point >= -5 && point <= 21) {
    if (point <= 0) {
      text += "0." + std::string(-point, '0') + digits;
    } else if (point >= count) {
      text += digits + std::string(point - count, '0');
    } else {
      text += digits.substr(0, point) + "." + digits.substr(point);
    }
  } else {
    text += digits.substr(0, 1);
    if (count > 1) text += "." + digits.substr(1);
    const int shown = point - 1;
    text += shown < 0 ? "E-" : "E+";
    const std::string magnitude = std::to_string(shown < 0 ? -shown : shown);
    if (magnitude.size() < 2) text += "0";
    text += magnitude;
  }
  return Widen(text);
}

HRESULT ParseDouble(std::u16string_view text, double& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;

  // Validate the grammar on the wide text, then hand an ASCII copy to from_chars.
  std::string ascii;
  std::size_t i = begin;
  if (i < end && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii.push_back('-');
    ++i;
  }
  int mantissaDigits = 0;
  int leadingPosition = 0;  // decimal magnitude of the first non-zero digit, for range errors
  bool seenNonZero = false;
  bool seenPoint = false;
  int integerDigits = 0;
  int zerosAfterPoint = 0;
  for (; i < end; ++i) {
    const char16_t c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      if (!seenPoint) ++integerDigits;
      if (c != u'0' && !seenNonZero) {
        seenNonZero = true;
        leadingPosition = seenPoint ? -zerosAfterPoint : integerDigits;
      } else if (c == u'0' && seenPoint && !seenNonZero) {
        ++zerosAfterPoint;
      }
      if (!seenNonZero && !seenPoint) integerDigits = 0;
    } else if (c == u'.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    ascii.push_back(static_cast<char>(c));
  }
  if (mantissaDigits == 0) return DISP_E_TYPEMISMATCH;
  long exponent = 0;
  if (i < end && (text[i] == u'e' || text[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
      negative = text[i] == u'-';
      ascii.push_back(static_cast<char>(text[i]));
      ++i;
    }
    if (i == end || !IsDigit(text[i])) return DISP_E_TYPEMISMATCH;
    for (; i < end && IsDigit(text[i]); ++i) {
      ascii.push_back(static_cast<char>(text[i]));
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - u'0');
    }
    if (negative) exponent = -exponent;
  }
  if (i != end) return DISP_E_TYPEMISMATCH;
  if (!seenNonZero) {
    value = ascii.front() == '-' ? -0.0 : 0.0;
    return S_OK;
  }
  double parsed = 0;
  const auto [ptr, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed);
  if (error == std::errc::result_out_of_range) {
    if (leadingPosition + exponent > 0) return DISP_E_OVERFLOW;
    value = 0;
    return S_OK;
  }
  if (error != std::errc() || ptr != ascii.data() + ascii.size()) return DISP_E_TYPEMISMATCH;
  value = parsed;
  return S_OK;
}

}  // namespace vantrel::platform
