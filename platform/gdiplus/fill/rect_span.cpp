#include "platform/gdiplus/fill/rect_span.h"

#include <algorithm>
#include <cmath>

namespace vantrel::platform::gdiplus {
namespace {

// Sample positions are counted in eighths of a pixel: pixel p owns positions 8p-3 .. 8p+3,
// its grid samples sit at 8p-3, 8p-1, 8p+1, 8p+3 and its centre at 8p.
constexpr int kGridOffsets[4] = {-3, -1, 1, 3};

AxisBits BitsWithin(std::int64_t pixel, std::int64_t low, std::int64_t high) {
  AxisBits bits = 0;
  for (int i = 0; i < 4; ++i) {
    const std::int64_t position = 8 * pixel + kGridOffsets[i];
    if (position >= low && position <= high) bits |= static_cast<AxisBits>(1u << i);
  }
  if (8 * pixel >= low && 8 * pixel <= high) bits |= 0x10;
  return bits;
}

}  // namespace

AxisSpan SpanOnAxis(double start, double length, int extent) {
  if (!std::isfinite(start) || !std::isfinite(length) || !(length > 0) || extent < 1) return {};
  // Covered positions t: start*8 <= t < (start+length)*8, kept within the bitmap.
  const double low = std::max(std::ceil(start * 8), -3.0);
  const double high = std::min(std::ceil((start + length) * 8) - 1, 8.0 * (extent - 1) + 3);
  if (!(low <= high)) return {};
  const auto lowPosition = static_cast<std::int64_t>(low);
  const auto highPosition = static_cast<std::int64_t>(high);
  AxisSpan span;
  span.first = static_cast<int>((lowPosition + 4) / 8);
  span.last = static_cast<int>((highPosition + 4) / 8);
  span.firstBits = BitsWithin(span.first, lowPosition, highPosition);
  span.lastBits = BitsWithin(span.last, lowPosition, highPosition);
  return span;
}

}  // namespace vantrel::platform::gdiplus
