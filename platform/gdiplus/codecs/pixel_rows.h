#pragma once
// Pixel rows as the codecs want them: straight RGBA or RGB bytes, in that order.
#include <cstdint>

#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

constexpr bool HasAlpha(StoredFormat format) {
  return format == StoredFormat::Argb32 || format == StoredFormat::Pargb32;
}

// Whether row y (above 0) holds the same stored bytes as the row above: pictures repeat rows,
// and a repeated row needs no converting again.
bool SameAsRowAbove(const PixelView& pixels, int y);

// width*4 bytes.
void ReadRgbaRow(const PixelView& pixels, int y, std::uint8_t* out);
// width*3 bytes; alpha is dropped.
void ReadRgbRow(const PixelView& pixels, int y, std::uint8_t* out);

}  // namespace vantrel::platform::gdiplus
