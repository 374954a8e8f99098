#pragma once
// The colours of a picture with at most 256 of them, for an indexed PNG: a quarter of the
// bytes of RGBA to filter and deflate, and it decodes to exactly the same pixels.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

class PngPalette {
 public:
  static constexpr std::size_t kMaxColours = 256;

  // Nothing when the pixels show more than kMaxColours straight colours. Throws
  // std::bad_alloc.
  static std::optional<PngPalette> Of(const PixelView& pixels);

  // Straight ARGB, those with alpha below 255 first (tRNS may then stop early).
  std::span<const ARGB> Colours() const { return colours_; }
  std::size_t TranslucentCount() const { return translucent_; }

  // width bytes of palette indices.
  void IndexRow(const PixelView& pixels, int y, std::uint8_t* out) const;

 private:
  static constexpr std::uint16_t kEmpty = 0xFFFF;
  // Twice and more the most colours: probes stay short.
  static constexpr std::size_t kTableSize = 1024;

  struct Entry {
    std::uint32_t raw = 0;
    std::uint16_t index = kEmpty;
  };

  static std::size_t Home(std::uint32_t raw) { return (raw * 0x9E3779B1u) >> 22; }
  // Where a stored pixel value's entry is, or the empty one where it would go.
  std::size_t Find(std::uint32_t raw) const;

  // Keyed by stored value: formats without alpha may store distinct values that show alike,
  // which cost palette room but never a wrong pixel.
  std::array<Entry, kTableSize> table_{};
  std::vector<ARGB> colours_;
  std::size_t translucent_ = 0;
};

}  // namespace vantrel::platform::gdiplus
