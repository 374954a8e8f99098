#pragma once
// A view of a bitmap's pixel rows in memory, in its stored format. Rows are `stride` bytes
// apart (negative for bottom-up memory); 32-bit pixels are little-endian BGRA bytes, 24-bit
// ones BGR.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/gdiplus/fill/pixel_format.h"

namespace vantrel::platform::gdiplus {

struct PixelView {
  std::uint8_t* scan0 = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  StoredFormat format = StoredFormat::Argb32;

  std::uint8_t* At(int x, int y) const {
    return scan0 + y * stride + static_cast<std::ptrdiff_t>(x) * BytesPerPixel(format);
  }

  std::uint32_t Read(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    if (format == StoredFormat::Rgb24) {
      return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
    }
    std::uint32_t raw;
    std::memcpy(&raw, p, 4);
    return raw;
  }

  void Write(int x, int y, std::uint32_t raw) const {
    std::uint8_t* p = At(x, y);
    if (format == StoredFormat::Rgb24) {
      p[0] = static_cast<std::uint8_t>(raw);
      p[1] = static_cast<std::uint8_t>(raw >> 8);
      p[2] = static_cast<std::uint8_t>(raw >> 16);
      return;
    }
    std::memcpy(p, &raw, 4);
  }
};

}  // namespace vantrel::platform::gdiplus
