#pragma once
// Reading numbers typed by people: both readers first take the full-width forms as ASCII
// (U+FF01..U+FF5D except U+FF04, U+FFE5 "$", U+FFE3 and U+FF5E "~", U+3000 space,
// U+2605/U+2606 "*"), skip leading white space and stop at the first character that does not
// fit; a text without digits reads as 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::app {

// The text with its full-width forms replaced by their ASCII characters; the rest unchanged.
std::string FullWidthAsAscii(std::string_view text);

// A decimal floating-point number: sign, digits, optional fraction, optional exponent.
// "1e2" -> 100, " 64" -> 64, "２５６" -> 256, "abc" -> 0.
double TextToNumber(std::string_view text);

// A decimal integer: sign and digits only. "12.19" -> 12. Digits beyond the 64-bit range wrap;
// the low 32 bits are kept.
std::int32_t TextToInteger(std::string_view text);

// Truncation toward zero to a 64-bit integer whose low 32 bits are kept: 12.9 -> 12,
// -3.7 -> -3. A value outside the 64-bit range (or NaN) gives the processor's "indefinite"
// integer 0x8000000000000000, whose low half is 0.
std::int32_t IntegerFromNumber(double number);

}  // namespace vantrel::app
