#include "platform/gdiplus/codecs/png_palette.h"

#include <algorithm>

#include "platform/gdiplus/codecs/pixel_rows.h"

namespace vantrel::platform::gdiplus {

std::size_t PngPalette::Find(std::uint32_t raw) const {
  for (std::size_t i = Home(raw);; i = (i + 1) % kTableSize) {
    if (table_[i].index == kEmpty || table_[i].raw == raw) return i;
  }
}

std::optional<PngPalette> PngPalette::Of(const PixelView& pixels) {
  PngPalette palette;
  std::vector<std::uint32_t> raws;
  raws.reserve(kMaxColours);
  for (int y = 0; y < pixels.height; ++y) {
    if (y > 0 && SameAsRowAbove(pixels, y)) continue;
    // Pictures come in runs of one colour; a run costs one look-up.
    bool any = false;
    std::uint32_t last = 0;
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t raw = pixels.Read(x, y);
      if (any && raw == last) continue;
      any = true;
      last = raw;
      Entry& entry = palette.table_[palette.Find(raw)];
      if (entry.index != kEmpty) continue;
      if (raws.size() == kMaxColours) return std::nullopt;
      entry = {raw, static_cast<std::uint16_t>(raws.size())};
      raws.push_back(raw);
    }
  }
  // Translucent colours first, and the indices renumbered to match.
  std::stable_partition(raws.begin(), raws.end(), [&](std::uint32_t raw) {
    return RawToArgb(raw, pixels.format) >> 24 != 0xFF;
  });
  for (std::size_t i = 0; i < raws.size(); ++i) {
    const ARGB colour = RawToArgb(raws[i], pixels.format);
    palette.table_[palette.Find(raws[i])].index = static_cast<std::uint16_t>(i);
    palette.colours_.push_back(colour);
    if (colour >> 24 != 0xFF) palette.translucent_ = i + 1;
  }
  return palette;
}

void PngPalette::IndexRow(const PixelView& pixels, int y, std::uint8_t* out) const {
  std::uint32_t last = 0;
  std::uint8_t lastIndex = 0;
  bool any = false;
  for (int x = 0; x < pixels.width; ++x) {
    const std::uint32_t raw = pixels.Read(x, y);
    if (!any || raw != last) {
      any = true;
      last = raw;
      lastIndex = static_cast<std::uint8_t>(table_[Find(raw)].index);
    }
    out[x] = lastIndex;
  }
}

}  // namespace vantrel::platform::gdiplus
