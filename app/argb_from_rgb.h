#pragma once
// Colour conversion from the window toolkit's RGB value (0x00BBGGRR, red lowest) to ARGB.
#include <cstdint>
#include <optional>

namespace vantrel::app {

// Alpha defaults to 255 (opaque); the colour's highest byte is dropped.
// ArgbFromRgb(0x123456) == 0xFF563412.
std::uint32_t ArgbFromRgb(std::uint32_t colour, std::optional<std::uint8_t> alpha = std::nullopt);

}  // namespace vantrel::app
