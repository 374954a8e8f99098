#pragma once
// The fill model: how much of a pixel a path covers and how a colour is laid over it.
// The eager and the recorded fill both build on these functions only, so they agree exactly.
//
// Coverage. A pixel (px, py) is the square [px-0.5, px+0.5] x [py-0.5, py+0.5] (pixel
// centres on whole coordinates). It carries 16 sample points at offsets -0.375, -0.125,
// 0.125, 0.375 on each axis, plus its centre. A rectangle [x, x+w) x [y, y+h) covers a
// sample when x <= sx < x+w and y <= sy < y+h (left/top edges inclusive, right/bottom
// exclusive). A rectangle whose width or height is not a positive finite number covers no
// sample. A path covers a sample when an odd number of its rectangles do (alternate mode) or
// at least one does (winding mode: rectangles all run the same way, so the winding number is
// the number of rectangles covering it).
// - Anti-aliased (smoothing AntiAlias or HighQuality): coverage k = covered grid samples, of 16.
// - Otherwise: k = 16 when the centre is covered, else 0.
// For rectangles on whole coordinates each quarter of a pixel holds 4 grid samples that lie
// wholly inside or outside, so k is a multiple of 4.
//
// Compositing, source-over in premultiplied ARGB with 8 bits a channel: with source channel s,
// source alpha sa (premultiplied), destination channel d and coverage k,
//   out = round((s*k*255 + d*(4080 - sa*k)) / 4080),  4080 = 16*255,
// rounding halves up. A pixel with k = 0 is not touched at all. Conversions to and from the
// stored formats are in pixel_format.h.
#include <bit>
#include <cstdint>

namespace vantrel::platform::gdiplus {

// Bits 0-15: grid sample (column i, row j) at bit 4*j + i. Bit 16: the centre.
using SampleMask = std::uint32_t;
inline constexpr SampleMask kGridSamples = 0xFFFF;
inline constexpr SampleMask kCentreSample = 0x10000;
inline constexpr SampleMask kAllSamples = kGridSamples | kCentreSample;
inline constexpr int kFullCoverage = 16;

// Per axis, which of a pixel's sample positions a span covers: bits 0-3 the four grid
// positions, bit 4 the centre.
using AxisBits = std::uint8_t;
inline constexpr AxisBits kAllAxisBits = 0x1F;

// The mask of the samples covered by a rectangle whose column and row bits at this pixel are
// given.
constexpr SampleMask MaskFromAxes(AxisBits columns, AxisBits rows) {
  SampleMask mask = 0;
  for (int j = 0; j < 4; ++j) {
    if (rows & (1u << j)) mask |= SampleMask{columns & 0xFu} << (4 * j);
  }
  if ((columns & 0x10) && (rows & 0x10)) mask |= kCentreSample;
  return mask;
}

// MaskFromAxes as a table, for the hot loops.
inline constexpr auto kMaskTable = [] {
  struct Table {
    SampleMask masks[32][32];
  } table{};
  for (int c = 0; c < 32; ++c) {
    for (int r = 0; r < 32; ++r) {
      table.masks[c][r] = MaskFromAxes(static_cast<AxisBits>(c), static_cast<AxisBits>(r));
    }
  }
  return table;
}();

inline SampleMask MaskAt(AxisBits columns, AxisBits rows) {
  return kMaskTable.masks[columns & 31][rows & 31];
}

// The coverage, 0 to 16, that a mask gives under the smoothing setting.
constexpr int CoverageOf(SampleMask mask, bool antiAlias) {
  if (antiAlias) return std::popcount(mask & kGridSamples);
  return (mask & kCentreSample) ? kFullCoverage : 0;
}

// Premultiplied ARGB, alpha in the top byte.
using Premultiplied = std::uint32_t;

constexpr Premultiplied CompositeOver(Premultiplied destination, Premultiplied source,
                                      int coverage) {
  const std::uint32_t sourceAlpha = source >> 24;
  const std::uint32_t keep = 4080 - sourceAlpha * static_cast<std::uint32_t>(coverage);
  const std::uint32_t gain = static_cast<std::uint32_t>(coverage) * 255;
  Premultiplied out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (source >> shift) & 0xFF;
    const std::uint32_t d = (destination >> shift) & 0xFF;
    out |= ((s * gain + d * keep + 2040) / 4080) << shift;
  }
  return out;
}

}  // namespace vantrel::platform::gdiplus
