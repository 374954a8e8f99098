#pragma once
// The Generate pipeline: the QR symbol of a content painted cell by cell and encoded as PNG.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantrel::app {

// Paints the symbol of `content` (ANSI text, UTF-8 here) onto a width x height ARGB bitmap,
// one black or white rectangle per module and no quiet zone, and returns the PNG file.
// Empty when no picture could be made (a size of 0 or less, beyond 65,535 a side or 2^28
// pixels in all, no graphics library). Content beyond the largest symbol (see
// ContentFitsSymbol) gives a fully transparent picture. Starts the graphics session when
// none runs and always stops it; not for use from more than one thread.
std::vector<std::uint8_t> GeneratePicture(std::string_view content, std::int32_t width,
                                          std::int32_t height);

}  // namespace vantrel::app
