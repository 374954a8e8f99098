#include "platform/gdiplus/fill/recorded_fill.h"

#include "platform/gdiplus/fill/eager_fill.h"

namespace vantrel::platform::gdiplus {

void PaintRecordedFills(const PixelView& pixels, std::span<const FillRequest> fills) {
  for (const FillRequest& fill : fills) FillEagerly(pixels, fill);
}

}  // namespace vantrel::platform::gdiplus
