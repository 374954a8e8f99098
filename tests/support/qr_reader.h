#pragma once
// Reads a QR symbol back with ZXing-C++, the independent decoder the tests trust.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantrel::testing {

// A square module matrix (row-major, true = dark) drawn with a quiet zone into a grey image
// and decoded. Returns the symbol's raw content bytes, or nothing when ZXing finds no symbol.
std::optional<std::vector<std::uint8_t>> DecodeMatrix(const std::vector<std::vector<bool>>& rows,
                                                      int pixelsPerModule = 4, int quietZone = 4);

// An 8-bit grey image (0 black, 255 white), row-major, width*height bytes.
std::optional<std::vector<std::uint8_t>> DecodeGrey(std::span<const std::uint8_t> grey, int width,
                                                    int height);

}  // namespace vantrel::testing
