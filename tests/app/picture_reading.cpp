#include "tests/app/picture_reading.h"

#include <QPainter>
#include <algorithm>

#include "tests/support/qr_reader.h"

namespace vantrel::testing {

QImage DecodePng(std::span<const std::uint8_t> bytes) {
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
}

std::optional<std::vector<std::uint8_t>> ReadSymbol(std::span<const std::uint8_t> png) {
  const QImage picture = DecodePng(png);
  if (picture.isNull()) return std::nullopt;
  const int margin = std::max(picture.width(), picture.height()) / 4;
  QImage framed(picture.width() + 2 * margin, picture.height() + 2 * margin,
                QImage::Format_RGB32);
  framed.fill(Qt::white);
  {
    QPainter painter(&framed);
    painter.drawImage(margin, margin, picture);
  }
  const QImage grey = framed.convertToFormat(QImage::Format_Grayscale8);
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<std::size_t>(grey.width()) * grey.height());
  for (int y = 0; y < grey.height(); ++y) {
    const uchar* row = grey.constScanLine(y);
    pixels.insert(pixels.end(), row, row + grey.width());
  }
  return DecodeGrey(pixels, grey.width(), grey.height());
}

std::vector<std::uint8_t> SymbolBytes(const std::string& content) {
  std::vector<std::uint8_t> bytes;
  if (std::any_of(content.begin(), content.end(), [](char c) { return c & 0x80; }))
    bytes = {0xEF, 0xBB, 0xBF};
  bytes.insert(bytes.end(), content.begin(), content.end());
  return bytes;
}

bool StartsWithPngSignature(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kSignature[] = {137, 80, 78, 71, 13, 10, 26, 10};
  return bytes.size() >= sizeof kSignature && std::equal(kSignature, kSignature + 8, bytes.begin());
}

}  // namespace vantrel::testing
