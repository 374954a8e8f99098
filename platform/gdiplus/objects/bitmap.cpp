#include "platform/gdiplus/objects/bitmap.h"

#include <utility>

#include "platform/gdiplus/codecs/multi_page_save.h"
#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/fill/recorded_fill.h"

namespace vantrel::platform::gdiplus {
namespace {

// Past this many recorded fills the record is painted, so its memory stays bounded.
constexpr std::size_t kMaxPending = std::size_t{1} << 20;

std::ptrdiff_t OwnStride(int width, StoredFormat format) {
  return (static_cast<std::ptrdiff_t>(width) * BytesPerPixel(format) + 3) & ~std::ptrdiff_t{3};
}

}  // namespace

Bitmap::Bitmap(int width, int height, StoredFormat format)
    : owned_(static_cast<std::size_t>(OwnStride(width, format)) * height, 0) {
  view_ = {owned_.data(), width, height, OwnStride(width, format), format};
}

Bitmap::Bitmap(int width, int height, StoredFormat format, std::ptrdiff_t stride,
               std::uint8_t* scan0)
    : view_{scan0, width, height, stride, format} {}

Bitmap::~Bitmap() = default;

const PixelView& Bitmap::Pixels() {
  PaintPending();
  return view_;
}

void Bitmap::Record(FillRequest request) {
  if (request.rectCount == 0) return;
  pending_.push_back(std::move(request));
  if (pending_.size() >= kMaxPending) PaintPending();
}

void Bitmap::PaintPending() {
  if (pending_.empty()) return;
  // Cleared whatever happens: a failed paint must not be retried on every later read.
  std::vector<FillRequest> fills = std::move(pending_);
  pending_.clear();
  PaintRecordedFills(view_, fills);
}

}  // namespace vantrel::platform::gdiplus
