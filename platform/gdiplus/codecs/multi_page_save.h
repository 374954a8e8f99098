#pragma once
// A multi-page TIFF save in progress: started by a save with EncoderSaveFlag MultiFrame,
// grown by GdipSaveAdd / GdipSaveAddImage, ended by the Flush flag or by the bitmap's end.
// The target holds a complete file after every page.
#include "platform/gdiplus/codecs/save_target.h"
#include "platform/gdiplus/codecs/tiff_writer.h"

namespace vantrel::platform::gdiplus {

class MultiPageSave {
 public:
  MultiPageSave(SaveTarget target, const EncoderOptions& options)
      : target_(std::move(target)), options_(options) {}

  // The page takes the compression and depth of the save unless `page` sets its own.
  GpStatus AddPage(const PixelView& pixels, const EncoderOptions& page) {
    EncoderOptions merged = options_;
    if (page.compression) merged.compression = page.compression;
    if (page.colourDepth) merged.colourDepth = page.colourDepth;
    const GpStatus status = writer_.AddPage(pixels, merged);
    if (status != Ok) return status;
    return target_.Deliver(writer_.Data());
  }

 private:
  SaveTarget target_;
  EncoderOptions options_;
  TiffWriter writer_;
};

}  // namespace vantrel::platform::gdiplus
