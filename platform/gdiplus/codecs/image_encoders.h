#pragma once
// The single-image encoders. Each writes a complete file into `out` and answers Ok, or a
// status with `out` left unspecified. They may throw std::bad_alloc.
#include <cstdint>
#include <vector>

#include "platform/gdiplus/codecs/encoder_options.h"
#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

using Bytes = std::vector<std::uint8_t>;

GpStatus EncodePng(const PixelView& pixels, Bytes& out);
GpStatus EncodeBmp(const PixelView& pixels, Bytes& out);
GpStatus EncodeJpeg(const PixelView& pixels, const EncoderOptions& options, Bytes& out);
GpStatus EncodeGif(const PixelView& pixels, Bytes& out);
GpStatus EncodeTiff(const PixelView& pixels, const EncoderOptions& options, Bytes& out);

GpStatus EncodeImage(EncoderKind kind, const PixelView& pixels, const EncoderOptions& options,
                     Bytes& out);

}  // namespace vantrel::platform::gdiplus
