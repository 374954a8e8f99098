#include "platform/gdiplus/codecs/image_encoders.h"

namespace vantrel::platform::gdiplus {

GpStatus EncodeImage(EncoderKind kind, const PixelView& pixels, const EncoderOptions& options,
                     Bytes& out) {
  switch (kind) {
    case EncoderKind::Bmp:
      return EncodeBmp(pixels, out);
    case EncoderKind::Jpeg:
      return EncodeJpeg(pixels, options, out);
    case EncoderKind::Gif:
      return EncodeGif(pixels, out);
    case EncoderKind::Tiff:
      return EncodeTiff(pixels, options, out);
    case EncoderKind::Png:
      return EncodePng(pixels, out);
  }
  return NotImplemented;
}

}  // namespace vantrel::platform::gdiplus
