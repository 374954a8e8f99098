#include "platform/gdiplus/codecs/pixel_rows.h"

#include <cstring>

namespace vantrel::platform::gdiplus {

bool SameAsRowAbove(const PixelView& pixels, int y) {
  return std::memcmp(pixels.At(0, y), pixels.At(0, y - 1),
                     static_cast<std::size_t>(pixels.width) * BytesPerPixel(pixels.format)) == 0;
}

void ReadRgbaRow(const PixelView& pixels, int y, std::uint8_t* out) {
  for (int x = 0; x < pixels.width; ++x, out += 4) {
    const ARGB colour = RawToArgb(pixels.Read(x, y), pixels.format);
    out[0] = static_cast<std::uint8_t>(colour >> 16);
    out[1] = static_cast<std::uint8_t>(colour >> 8);
    out[2] = static_cast<std::uint8_t>(colour);
    out[3] = static_cast<std::uint8_t>(colour >> 24);
  }
}

void ReadRgbRow(const PixelView& pixels, int y, std::uint8_t* out) {
  for (int x = 0; x < pixels.width; ++x, out += 3) {
    const ARGB colour = RawToArgb(pixels.Read(x, y), pixels.format);
    out[0] = static_cast<std::uint8_t>(colour >> 16);
    out[1] = static_cast<std::uint8_t>(colour >> 8);
    out[2] = static_cast<std::uint8_t>(colour);
  }
}

}  // namespace vantrel::platform::gdiplus
