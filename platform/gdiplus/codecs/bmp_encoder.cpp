// BMP through Qt's image writer.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include "platform/gdiplus/codecs/image_encoders.h"
#include "platform/gdiplus/codecs/pixel_rows.h"

namespace vantrel::platform::gdiplus {

GpStatus EncodeBmp(const PixelView& pixels, Bytes& out) {
  const bool alpha = HasAlpha(pixels.format);
  QImage image(pixels.width, pixels.height,
               alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (image.isNull()) return OutOfMemory;
  for (int y = 0; y < pixels.height; ++y) {
    if (alpha) {
      ReadRgbaRow(pixels, y, image.scanLine(y));
    } else {
      ReadRgbRow(pixels, y, image.scanLine(y));
    }
  }
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  if (!writer.write(image)) return GenericError;
  out.assign(encoded.begin(), encoded.end());
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
