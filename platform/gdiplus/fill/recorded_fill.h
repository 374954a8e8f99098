#pragma once
// Paints a sequence of recorded fills with the result of painting them one by one eagerly,
// in time linear in their rectangles plus the pixels they touch (see recorded_fill.cpp).
#include <cstddef>
#include <span>

#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

struct RecordedFillOptions {
  // How many pixel classes a painting keeps before it compacts them (about 4.5 MB).
  std::size_t classLimit = std::size_t{1} << 16;
  // Row stripes resolved side by side; 0: one per core when the batch is large enough.
  int stripes = 0;
};

// Throws std::bad_alloc; the pixels are then partly painted.
void PaintRecordedFills(const PixelView& pixels, std::span<const FillRequest> fills,
                        const RecordedFillOptions& options = {});

}  // namespace vantrel::platform::gdiplus
