#pragma once
// Where a rectangle lands on the pixel grid, one axis at a time, under the sample rule of
// fill_model.h. Coordinates of any size (huge, infinite, NaN) give a span clipped to the
// bitmap or an empty one, never an overflow.
#include <cstdint>

#include "platform/gdiplus/fill/fill_model.h"

namespace vantrel::platform::gdiplus {

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

// The pixels first..last of one axis that a span touches, with the sample bits it covers in
// the two end pixels; pixels in between are covered at every position.
struct AxisSpan {
  int first = 0;
  int last = -1;
  AxisBits firstBits = 0;
  AxisBits lastBits = 0;

  bool Empty() const { return first > last; }
  AxisBits BitsAt(int pixel) const {
    AxisBits bits = kAllAxisBits;
    if (pixel == first) bits &= firstBits;
    if (pixel == last) bits &= lastBits;
    return bits;
  }
};

// The span [start, start + length) on an axis of `extent` pixels.
AxisSpan SpanOnAxis(double start, double length, int extent);

struct RectSpan {
  AxisSpan columns;
  AxisSpan rows;
  bool Empty() const { return columns.Empty() || rows.Empty(); }
};

inline RectSpan SpanOfRect(const RectF& rect, int width, int height) {
  return {SpanOnAxis(rect.x, rect.width, width), SpanOnAxis(rect.y, rect.height, height)};
}

}  // namespace vantrel::platform::gdiplus
