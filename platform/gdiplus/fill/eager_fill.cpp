#include "platform/gdiplus/fill/eager_fill.h"

#include <algorithm>
#include <vector>

namespace vantrel::platform::gdiplus {

void FillEagerly(const PixelView& pixels, std::span<const RectF> rects, GpFillMode fillMode,
                 Premultiplied colour, bool antiAlias) {
  std::vector<RectSpan> spans;
  spans.reserve(rects.size());
  int left = pixels.width, top = pixels.height, right = -1, bottom = -1;
  for (const RectF& rect : rects) {
    const RectSpan span = SpanOfRect(rect, pixels.width, pixels.height);
    if (span.Empty()) continue;
    spans.push_back(span);
    left = std::min(left, span.columns.first);
    right = std::max(right, span.columns.last);
    top = std::min(top, span.rows.first);
    bottom = std::max(bottom, span.rows.last);
  }
  if (spans.empty()) return;

  const int boxWidth = right - left + 1;
  std::vector<SampleMask> masks(static_cast<std::size_t>(boxWidth) * (bottom - top + 1), 0);
  for (const RectSpan& span : spans) {
    for (int y = span.rows.first; y <= span.rows.last; ++y) {
      const AxisBits rowBits = span.rows.BitsAt(y);
      SampleMask* row = masks.data() + static_cast<std::size_t>(y - top) * boxWidth;
      for (int x = span.columns.first; x <= span.columns.last; ++x) {
        const SampleMask mask = MaskFromAxes(span.columns.BitsAt(x), rowBits);
        SampleMask& cell = row[x - left];
        cell = fillMode == FillModeWinding ? cell | mask : cell ^ mask;
      }
    }
  }
  for (int y = top; y <= bottom; ++y) {
    const SampleMask* row = masks.data() + static_cast<std::size_t>(y - top) * boxWidth;
    for (int x = left; x <= right; ++x) {
      const int coverage = CoverageOf(row[x - left], antiAlias);
      if (coverage == 0) continue;
      pixels.Write(x, y, FillStep(pixels.Read(x, y), colour, coverage, pixels.format));
    }
  }
}

}  // namespace vantrel::platform::gdiplus
