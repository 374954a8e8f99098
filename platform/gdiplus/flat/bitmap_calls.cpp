// Bitmap creation, disposal, queries and pixel access.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gdiplus/codecs/multi_page_save.h"
#include "platform/gdiplus/flat/call_boundary.h"
#include "platform/gdiplus/objects/bitmap_lock.h"

namespace vantrel::platform::gdiplus {
namespace {

constexpr int kMaxSide = 65535;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

bool SizeAllowed(INT width, INT height) {
  return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
         std::int64_t{width} * height <= kMaxPixels;
}

}  // namespace

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap** bitmap) {
  return Call([&](HandleTable& objects) {
    if (bitmap == nullptr) return InvalidParameter;
    *bitmap = nullptr;
    const auto stored = StoredFormatOf(format);
    if (!stored || !SizeAllowed(width, height)) return InvalidParameter;
    std::unique_ptr<Bitmap> made;
    if (scan0 == nullptr) {
      made = std::make_unique<Bitmap>(width, height, *stored);
    } else {
      const std::int64_t rowBytes = std::int64_t{width} * BytesPerPixel(*stored);
      if (stride % 4 != 0 || std::llabs(stride) < rowBytes) return InvalidParameter;
      made = std::make_unique<Bitmap>(width, height, *stored, stride, scan0);
    }
    *bitmap = AsHandle<GpBitmap>(objects.Insert(std::move(made)));
    return Ok;
  });
}

GpStatus GdipDisposeImage(GpImage* image) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr) return InvalidParameter;
    // Released even when the caller's memory could not get its last fills.
    const GpStatus status = PaintLentMemory(*bitmap);
    objects.Erase<Bitmap>(HandleOf(image));
    return status;
  });
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || width == nullptr) return InvalidParameter;
    *width = static_cast<UINT>(bitmap->Width());
    return Ok;
  });
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || height == nullptr) return InvalidParameter;
    *height = static_cast<UINT>(bitmap->Height());
    return Ok;
  });
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || format == nullptr) return InvalidParameter;
    *format = PixelFormatOf(bitmap->Format());
    return Ok;
  });
}

GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr || format == nullptr) return InvalidParameter;
    // Every bitmap here was made in memory, and that format has no encoder.
    *format = ImageFormatMemoryBMP;
    return Ok;
  });
}

GpStatus GdipBitmapGetPixel(GpBitmap* handle, INT x, INT y, ARGB* color) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(handle));
    if (bitmap == nullptr || color == nullptr) return InvalidParameter;
    if (x < 0 || y < 0 || x >= bitmap->Width() || y >= bitmap->Height()) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    const PixelView& pixels = bitmap->Pixels();
    *color = RawToArgb(pixels.Read(x, y), pixels.format);
    return Ok;
  });
}

GpStatus GdipBitmapSetPixel(GpBitmap* handle, INT x, INT y, ARGB color) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(handle));
    if (bitmap == nullptr) return InvalidParameter;
    if (x < 0 || y < 0 || x >= bitmap->Width() || y >= bitmap->Height()) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    const PixelView& pixels = bitmap->Pixels();
    pixels.Write(x, y, ArgbToRaw(color, pixels.format));
    return Ok;
  });
}

GpStatus GdipBitmapLockBits(GpBitmap* handle, const GpRect* rect, UINT flags, PixelFormat format,
                            BitmapData* lockedData) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(handle));
    if (bitmap == nullptr || lockedData == nullptr) return InvalidParameter;
    return LockBitmap(*bitmap, rect, flags, format, *lockedData);
  });
}

GpStatus GdipBitmapUnlockBits(GpBitmap* handle, BitmapData* lockedData) {
  return Call([&](HandleTable& objects) {
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(handle));
    if (bitmap == nullptr || lockedData == nullptr) return InvalidParameter;
    return UnlockBitmap(*bitmap, *lockedData);
  });
}

}  // namespace vantrel::platform::gdiplus
