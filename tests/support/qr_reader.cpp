#include "tests/support/qr_reader.h"

#include <ZXing/ReadBarcode.h>

namespace vantrel::testing {

std::optional<std::vector<std::uint8_t>> DecodeGrey(std::span<const std::uint8_t> grey, int width,
                                                    int height) {
  if (width <= 0 || height <= 0 || grey.size() < static_cast<std::size_t>(width) * height)
    return std::nullopt;
  ZXing::ImageView image(grey.data(), width, height, ZXing::ImageFormat::Lum);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setTryHarder(true);
  const ZXing::Result result = ZXing::ReadBarcode(image, hints);
  if (!result.isValid()) return std::nullopt;
  const auto& bytes = result.bytes();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::optional<std::vector<std::uint8_t>> DecodeMatrix(const std::vector<std::vector<bool>>& rows,
                                                      int pixelsPerModule, int quietZone) {
  const int n = static_cast<int>(rows.size());
  const int side = (n + 2 * quietZone) * pixelsPerModule;
  std::vector<std::uint8_t> grey(static_cast<std::size_t>(side) * side, 255);
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      if (!rows[r][c]) continue;
      for (int dy = 0; dy < pixelsPerModule; ++dy) {
        const int y = (r + quietZone) * pixelsPerModule + dy;
        for (int dx = 0; dx < pixelsPerModule; ++dx)
          grey[static_cast<std::size_t>(y) * side + (c + quietZone) * pixelsPerModule + dx] = 0;
      }
    }
  }
  return DecodeGrey(grey, side, side);
}

}  // namespace vantrel::testing
