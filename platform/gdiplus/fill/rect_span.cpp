#include "platform/gdiplus/fill/rect_span.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantrel::platform::gdiplus {
namespace {

// Sample positions are counted in eighths of a pixel: pixel p owns positions 8p-3 .. 8p+3,
// its grid samples sit at 8p-3, 8p-1, 8p+1, 8p+3 and its centre at 8p.
constexpr int kGridOffsets[4] = {-3, -1, 1, 3};

// The bits of the positions from low to high, counted from a pixel's centre; -4 and 4 stand
// for anything beyond, so a lookup answers.
constexpr auto kBitsBetween = [] {
  std::array<std::array<AxisBits, 9>, 9> table{};
  for (int low = -4; low <= 4; ++low) {
    for (int high = -4; high <= 4; ++high) {
      AxisBits bits = 0;
      for (int i = 0; i < 4; ++i) {
        if (kGridOffsets[i] >= low && kGridOffsets[i] <= high) {
          bits |= static_cast<AxisBits>(1u << i);
        }
      }
      if (low <= 0 && 0 <= high) bits |= 0x10;
      table[low + 4][high + 4] = bits;
    }
  }
  return table;
}();

AxisBits BitsWithin(std::int64_t pixel, std::int64_t low, std::int64_t high) {
  const std::int64_t from = std::clamp<std::int64_t>(low - 8 * pixel, -4, 4);
  const std::int64_t to = std::clamp<std::int64_t>(high - 8 * pixel, -4, 4);
  return kBitsBetween[from + 4][to + 4];
}

// ceil(value) kept within [low, high], without a libm call: every rectangle needs four.
std::int64_t CeilWithin(double value, std::int64_t low, std::int64_t high) {
  if (!(value > static_cast<double>(low))) return low;
  if (value > static_cast<double>(high)) return high;
  const auto truncated = static_cast<std::int64_t>(value);
  return truncated + (static_cast<double>(truncated) < value ? 1 : 0);
}

}  // namespace

AxisSpan SpanOnAxis(double start, double length, int extent) {
  if (!std::isfinite(start) || !std::isfinite(length) || !(length > 0) || extent < 1) return {};
  // Covered positions t: start*8 <= t < (start+length)*8, kept within the bitmap.
  // A start past the end gives a low above the high; an end before the start, the reverse.
  const std::int64_t lastPosition = 8 * std::int64_t{extent - 1} + 3;
  const std::int64_t lowPosition = CeilWithin(start * 8, -3, lastPosition + 1);
  const std::int64_t highPosition = CeilWithin((start + length) * 8, -3, lastPosition + 1) - 1;
  if (lowPosition > highPosition) return {};
  AxisSpan span;
  span.first = static_cast<int>((lowPosition + 4) / 8);
  span.last = static_cast<int>((highPosition + 4) / 8);
  span.firstBits = BitsWithin(span.first, lowPosition, highPosition);
  span.lastBits = BitsWithin(span.last, lowPosition, highPosition);
  return span;
}

}  // namespace vantrel::platform::gdiplus
