#pragma once
// What both resolvers of the recorded fill share about one batch of fills: the paths'
// rectangles on the pixel grid, the pixels they can touch, and how a pixel's sample mask for a
// path reads as coverage.
#include <bit>
#include <cstdint>
#include <vector>

#include "platform/gdiplus/fill/fill_model.h"
#include "platform/gdiplus/fill/fill_request.h"

namespace vantrel::platform::gdiplus {

// The most distinct paths (list and fill mode) one batch holds.
constexpr int kSlots = 4;

// Where a path's rectangles land, worked out once for the batch and read by every stripe.
struct PathSpans {
  const RectList* rects = nullptr;
  std::vector<RectSpan> spans;  // of rects[0, spans.size())
};

// The pixels a batch of fills can touch.
struct Box {
  int left = 0;
  int top = 0;
  int right = -1;
  int bottom = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  bool Empty() const { return right < left || bottom < top; }
};

// Bits 0-4: grid samples covered (0-16); bit 5: the centre.
using CoverageCode = std::uint8_t;

inline CoverageCode CodeOf(SampleMask mask) {
  return static_cast<CoverageCode>(std::popcount(mask & kGridSamples) |
                                   ((mask & kCentreSample) ? 0x20 : 0));
}

inline int CoverageFromCode(CoverageCode code, bool antiAlias) {
  if (antiAlias) return code & 0x1F;
  return (code & 0x20) ? kFullCoverage : 0;
}

// The code bits a path's fills read: the grid count when one smooths, the centre when one
// does not. Pixels differing only in other bits behave alike.
inline CoverageCode CodeMaskFor(bool antiAlias) { return antiAlias ? 0x1F : 0x20; }

}  // namespace vantrel::platform::gdiplus
