#pragma once
// A bitmap: its pixel memory (its own, or a caller's) and the fills recorded on it but not yet
// painted. Every read of the pixels goes through Pixels(), which paints what is pending first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

class MultiPageSave;

struct BitmapLock {
  GpRect rect;
  UINT flags = 0;
  StoredFormat format = StoredFormat::Argb32;
  bool direct = false;               // the caller works in the bitmap's own memory
  std::vector<std::uint8_t> buffer;  // the converted copy otherwise
  void* scan0 = nullptr;             // what the caller was given
  INT stride = 0;
};

class Bitmap {
 public:
  // Zeroed memory of the bitmap's own. Throws std::bad_alloc.
  Bitmap(int width, int height, StoredFormat format);
  // The caller's memory, used in place.
  Bitmap(int width, int height, StoredFormat format, std::ptrdiff_t stride, std::uint8_t* scan0);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  int Width() const { return view_.width; }
  int Height() const { return view_.height; }
  StoredFormat Format() const { return view_.format; }
  bool OwnsMemory() const { return !owned_.empty(); }

  // The pixels with every recorded fill painted.
  const PixelView& Pixels();
  void Record(FillRequest request);
  void PaintPending();
  // Everything recorded is overwritten anyway.
  void DropPending() { pending_.clear(); }
  bool HasPending() const { return !pending_.empty(); }

  std::optional<BitmapLock>& Lock() { return lock_; }
  std::unique_ptr<MultiPageSave>& PageSave() { return pageSave_; }

 private:
  std::vector<std::uint8_t> owned_;
  PixelView view_;
  std::vector<FillRequest> pending_;
  std::optional<BitmapLock> lock_;
  std::unique_ptr<MultiPageSave> pageSave_;
};

}  // namespace vantrel::platform::gdiplus
