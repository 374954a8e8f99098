#include "encoder/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vantrel::encoder {

std::string numberToText(double value) {
  if (std::isnan(value)) return "NaN";
  if (value == 0) return "0";
  if (value < 0) {
    std::string text = numberToText(-value);
    text.insert(text.begin(), '-');
    return text;
  }
  if (std::isinf(value)) return "Infinity";

  // Shortest round-trip form "d.ddde+XX"; the digits s (k of them) and n with
  // value = 0.s * 10^n are re-laid by the ECMAScript rules.
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string digits(1, text[0]);
  if (e > 1) digits.append(text.substr(2, e - 2));
  const int k = static_cast<int>(digits.size());
  const int n = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;

  if (k <= n && n <= 21) return digits + std::string(static_cast<std::size_t>(n - k), '0');
  if (0 < n && n <= 21) return digits.substr(0, n) + "." + digits.substr(n);
  if (-6 < n && n <= 0) return "0." + std::string(static_cast<std::size_t>(-n), '0') + digits;
  const std::string exponent = (n - 1 >= 0 ? "e+" : "e-") + std::to_string(std::abs(n - 1));
  if (k == 1) return digits + exponent;
  return digits.substr(0, 1) + "." + digits.substr(1) + exponent;
}

double roundHalfUp(double value) {
  // floor(value + 0.5) would round 0.49999999999999994 up; comparing the fraction does not.
  const double lower = std::floor(value);
  return value - lower >= 0.5 ? lower + 1 : lower;
}

}  // namespace vantrel::encoder
