// JPEG through libjpeg(-turbo); the quality parameter goes to jpeg_set_quality as it is.
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <memory>

#include "platform/gdiplus/codecs/image_encoders.h"
#include "platform/gdiplus/codecs/pixel_rows.h"

namespace vantrel::platform::gdiplus {
namespace {

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
};

void Escape(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  std::longjmp(errors->escape, 1);
}

void Quiet(j_common_ptr, int) {}

// Plain data only in this frame: libjpeg's errors leave it by longjmp.
bool WriteJpeg(const PixelView& pixels, int quality, std::uint8_t* row, unsigned char** data,
               unsigned long* size) {
  jpeg_compress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = Escape;
  errors.manager.emit_message = Quiet;
  if (setjmp(errors.escape)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, data, size);
  info.image_width = static_cast<JDIMENSION>(pixels.width);
  info.image_height = static_cast<JDIMENSION>(pixels.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    ReadRgbRow(pixels, static_cast<int>(info.next_scanline), row);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

GpStatus EncodeJpeg(const PixelView& pixels, const EncoderOptions& options, Bytes& out) {
  Bytes row(static_cast<std::size_t>(pixels.width) * 3);
  unsigned char* data = nullptr;
  unsigned long size = 0;
  const bool written = WriteJpeg(pixels, options.quality, row.data(), &data, &size);
  const std::unique_ptr<unsigned char, void (*)(void*)> owner(data, &std::free);
  if (!written) return GenericError;
  out.assign(data, data + size);
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
