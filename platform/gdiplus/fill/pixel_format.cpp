#include "platform/gdiplus/fill/pixel_format.h"

namespace vantrel::platform::gdiplus {

std::optional<StoredFormat> StoredFormatOf(PixelFormat format) {
  switch (format) {
    case PixelFormat32bppARGB:
      return StoredFormat::Argb32;
    case PixelFormat32bppPARGB:
      return StoredFormat::Pargb32;
    case PixelFormat32bppRGB:
      return StoredFormat::Rgb32;
    case PixelFormat24bppRGB:
      return StoredFormat::Rgb24;
    default:
      return std::nullopt;
  }
}

PixelFormat PixelFormatOf(StoredFormat format) {
  switch (format) {
    case StoredFormat::Argb32:
      return PixelFormat32bppARGB;
    case StoredFormat::Pargb32:
      return PixelFormat32bppPARGB;
    case StoredFormat::Rgb32:
      return PixelFormat32bppRGB;
    case StoredFormat::Rgb24:
      return PixelFormat24bppRGB;
  }
  return PixelFormat32bppARGB;
}

}  // namespace vantrel::platform::gdiplus
