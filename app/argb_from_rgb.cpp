#include "app/argb_from_rgb.h"

namespace vantrel::app {

std::uint32_t ArgbFromRgb(std::uint32_t colour, std::optional<std::uint8_t> alpha) {
  const std::uint32_t red = colour & 0xFF;
  const std::uint32_t green = (colour >> 8) & 0xFF;
  const std::uint32_t blue = (colour >> 16) & 0xFF;
  return (std::uint32_t{alpha.value_or(255)} << 24) | (red << 16) | (green << 8) | blue;
}

}  // namespace vantrel::app
