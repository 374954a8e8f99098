#pragma once
// The stored pixel formats and their conversion to and from premultiplied ARGB. A stored pixel
// travels as a 32-bit "raw" value: ARGB formats as stored, 24-bit RGB in the low 24 bits.
//
// Rounding: premultiplying is c*a/255 rounded half up; unpremultiplying is c*255/a rounded
// half up and kept within 255; alpha 0 unpremultiplies to 0x00000000. Formats without alpha
// read as opaque and ignore alpha on write (compositing over opaque stays opaque).
#include <cstdint>
#include <optional>

#include "platform/gdiplus/fill/fill_model.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

enum class StoredFormat : std::uint8_t { Argb32, Pargb32, Rgb32, Rgb24 };

// The stored format of a pixel-format code, or nothing for formats bitmaps cannot hold.
std::optional<StoredFormat> StoredFormatOf(PixelFormat format);
PixelFormat PixelFormatOf(StoredFormat format);

constexpr int BytesPerPixel(StoredFormat format) { return format == StoredFormat::Rgb24 ? 3 : 4; }

constexpr std::uint32_t DivideBy255(std::uint32_t value) { return (value * 2 + 255) / 510; }

constexpr Premultiplied Premultiply(ARGB straight) {
  const std::uint32_t alpha = straight >> 24;
  if (alpha == 255) return straight;
  Premultiplied out = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    out |= DivideBy255(((straight >> shift) & 0xFF) * alpha) << shift;
  }
  return out;
}

constexpr std::uint8_t UnpremultiplyChannel(std::uint32_t channel, std::uint32_t alpha) {
  const std::uint32_t value = (channel * 255 * 2 + alpha) / (2 * alpha);
  return static_cast<std::uint8_t>(value > 255 ? 255 : value);
}

// UnpremultiplyChannel for every alpha and channel: fills divide by alpha once per channel,
// which a lookup does far faster.
inline constexpr auto kUnpremultiplyTable = [] {
  struct Table {
    std::uint8_t values[256][256];
  } table{};
  for (std::uint32_t alpha = 1; alpha < 256; ++alpha) {
    for (std::uint32_t channel = 0; channel < 256; ++channel) {
      table.values[alpha][channel] = UnpremultiplyChannel(channel, alpha);
    }
  }
  return table;
}();

constexpr ARGB Unpremultiply(Premultiplied colour) {
  const std::uint32_t alpha = colour >> 24;
  if (alpha == 255) return colour;
  if (alpha == 0) return 0;
  const std::uint8_t* row = kUnpremultiplyTable.values[alpha];
  return alpha << 24 | std::uint32_t{row[(colour >> 16) & 0xFF]} << 16 |
         std::uint32_t{row[(colour >> 8) & 0xFF]} << 8 | row[colour & 0xFF];
}

constexpr Premultiplied RawToPremultiplied(std::uint32_t raw, StoredFormat format) {
  switch (format) {
    case StoredFormat::Argb32:
      return Premultiply(raw);
    case StoredFormat::Pargb32:
      return raw;
    case StoredFormat::Rgb32:
    case StoredFormat::Rgb24:
      return raw | 0xFF000000u;
  }
  return raw;
}

constexpr std::uint32_t PremultipliedToRaw(Premultiplied colour, StoredFormat format) {
  switch (format) {
    case StoredFormat::Argb32:
      return Unpremultiply(colour);
    case StoredFormat::Pargb32:
      return colour;
    case StoredFormat::Rgb32:
      return Unpremultiply(colour) | 0xFF000000u;
    case StoredFormat::Rgb24:
      return Unpremultiply(colour) & 0x00FFFFFFu;
  }
  return colour;
}

// The straight ARGB colour a raw pixel shows (what GdipBitmapGetPixel answers).
constexpr ARGB RawToArgb(std::uint32_t raw, StoredFormat format) {
  switch (format) {
    case StoredFormat::Argb32:
      return raw;
    case StoredFormat::Pargb32:
      return Unpremultiply(raw);
    case StoredFormat::Rgb32:
    case StoredFormat::Rgb24:
      return raw | 0xFF000000u;
  }
  return raw;
}

// A straight colour stored as it is; formats without alpha drop it.
constexpr std::uint32_t ArgbToRaw(ARGB colour, StoredFormat format) {
  switch (format) {
    case StoredFormat::Argb32:
      return colour;
    case StoredFormat::Pargb32:
      return Premultiply(colour);
    case StoredFormat::Rgb32:
      return colour | 0xFF000000u;
    case StoredFormat::Rgb24:
      return colour & 0x00FFFFFFu;
  }
  return colour;
}

// One fill step on one pixel: the rule every fill applies, eager or recorded.
constexpr std::uint32_t FillStep(std::uint32_t raw, Premultiplied source, int coverage,
                                 StoredFormat format) {
  return PremultipliedToRaw(CompositeOver(RawToPremultiplied(raw, format), source, coverage),
                            format);
}

}  // namespace vantrel::platform::gdiplus
