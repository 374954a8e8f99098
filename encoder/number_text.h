#pragma once
// Number texts as the ECMAScript Number-to-String conversion writes them, and rounding as
// Math.round does it, which the cell list's readers rely on.
#include <string>

namespace vantrel::encoder {

// Shortest round-trip digits in ECMAScript layout: "24", "0.005649717514124294", "1e+21",
// "1e-7", "-1.5", "NaN", "Infinity"; -0 is "0".
std::string numberToText(double value);

// The whole number nearest to value, a half going up (Math.round).
double roundHalfUp(double value);

}  // namespace vantrel::encoder
