#include "platform/gdiplus/objects/bitmap_lock.h"

#include <cstdlib>

namespace vantrel::platform::gdiplus {
namespace {

PixelView LockedView(const BitmapLock& lock) {
  return {static_cast<std::uint8_t*>(lock.scan0), lock.rect.Width, lock.rect.Height, lock.stride,
          lock.format};
}

void Convert(const PixelView& from, int fromX, int fromY, const PixelView& to, int toX, int toY,
             int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ARGB colour = RawToArgb(from.Read(fromX + x, fromY + y), from.format);
      to.Write(toX + x, toY + y, ArgbToRaw(colour, to.format));
    }
  }
}

}  // namespace

GpStatus LockBitmap(Bitmap& bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                    BitmapData& data) {
  if (bitmap.Lock()) return WrongState;
  const auto stored = StoredFormatOf(format);
  if (!stored || (flags & (ImageLockModeRead | ImageLockModeWrite)) == 0) return InvalidParameter;
  BitmapLock lock;
  lock.rect = rect ? *rect : GpRect{0, 0, bitmap.Width(), bitmap.Height()};
  const GpRect& r = lock.rect;
  if (r.X < 0 || r.Y < 0 || r.Width < 1 || r.Height < 1 || r.Width > bitmap.Width() - r.X ||
      r.Height > bitmap.Height() - r.Y) {
    return InvalidParameter;
  }
  lock.flags = flags;
  lock.format = *stored;
  const PixelView& pixels = bitmap.Pixels();
  const std::int64_t rowBytes = std::int64_t{r.Width} * BytesPerPixel(*stored);
  if (flags & ImageLockModeUserInputBuf) {
    if (data.Scan0 == nullptr || std::llabs(data.Stride) < rowBytes) return InvalidParameter;
    lock.scan0 = data.Scan0;
    lock.stride = data.Stride;
  } else if (*stored == pixels.format) {
    lock.direct = true;
    lock.scan0 = pixels.At(r.X, r.Y);
    lock.stride = static_cast<INT>(pixels.stride);
  } else {
    lock.stride = static_cast<INT>((rowBytes + 3) & ~std::int64_t{3});
    lock.buffer.assign(static_cast<std::size_t>(lock.stride) * r.Height, 0);
    lock.scan0 = lock.buffer.data();
  }
  if (!lock.direct && (flags & ImageLockModeRead)) {
    Convert(pixels, r.X, r.Y, LockedView(lock), 0, 0, r.Width, r.Height);
  }
  data.Width = static_cast<UINT>(r.Width);
  data.Height = static_cast<UINT>(r.Height);
  data.Stride = lock.stride;
  data.PixelFormat = format;
  data.Scan0 = lock.scan0;
  data.Reserved = 0;
  bitmap.Lock() = std::move(lock);
  return Ok;
}

GpStatus UnlockBitmap(Bitmap& bitmap, BitmapData& data) {
  if (!bitmap.Lock()) return WrongState;
  const BitmapLock& lock = *bitmap.Lock();
  if (data.Scan0 != lock.scan0) return InvalidParameter;
  if (!lock.direct && (lock.flags & ImageLockModeWrite)) {
    const PixelView& pixels = bitmap.Pixels();
    Convert(LockedView(lock), 0, 0, pixels, lock.rect.X, lock.rect.Y, lock.rect.Width,
            lock.rect.Height);
  }
  bitmap.Lock().reset();
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
