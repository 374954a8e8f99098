#pragma once
// GdipBitmapLockBits / GdipBitmapUnlockBits: the caller sees the pixels of a rectangle in a
// format of its choice, in the bitmap's memory when the format is the stored one, otherwise in
// a converted copy that is written back on unlock when the lock allows writing.
#include "platform/gdiplus/gdiplus_flat.h"
#include "platform/gdiplus/objects/bitmap.h"

namespace vantrel::platform::gdiplus {

GpStatus LockBitmap(Bitmap& bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                    BitmapData& data);
GpStatus UnlockBitmap(Bitmap& bitmap, BitmapData& data);

}  // namespace vantrel::platform::gdiplus
