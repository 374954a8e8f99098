#pragma once
// TIFF through libtiff, into memory, one page after another. After each page the bytes hold a
// complete file with every page so far.
#include <cstdint>

#include "platform/gdiplus/codecs/image_encoders.h"

typedef struct tiff TIFF;

namespace vantrel::platform::gdiplus {

class TiffWriter {
 public:
  TiffWriter();
  ~TiffWriter();
  TiffWriter(const TiffWriter&) = delete;
  TiffWriter& operator=(const TiffWriter&) = delete;

  // Compression: LZW unless asked otherwise; the CCITT and RLE schemes make the page 1 bit a
  // pixel. Depth: 32 (RGBA) for formats with alpha, else 24, unless asked otherwise; 8 is grey.
  GpStatus AddPage(const PixelView& pixels, const EncoderOptions& options);
  const Bytes& Data() const { return data_; }

  // The libtiff client callbacks reach the buffer through these.
  Bytes& Buffer() { return data_; }
  std::uint64_t& Position() { return position_; }

 private:
  Bytes data_;
  std::uint64_t position_ = 0;
  TIFF* tiff_ = nullptr;
};

}  // namespace vantrel::platform::gdiplus
