#pragma once
// Paints a sequence of recorded fills with the result of painting them one by one eagerly,
// in time linear in their rectangles plus the pixels they touch (see recorded_fill.cpp).
#include <cstddef>
#include <span>

#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

// Which resolver paints a batch: the timeline one where the rectangles are small next to the
// pixels they touch, the class one otherwise.
enum class FillResolver { Automatic, Classes, Timeline };

struct RecordedFillOptions {
  // How many pixel classes a painting keeps before it compacts them (about 4.5 MB).
  std::size_t classLimit = std::size_t{1} << 16;
  // Row stripes resolved side by side; 0: one per core when the batch is large enough.
  int stripes = 0;
  FillResolver resolver = FillResolver::Automatic;
  // The steps a timeline stripe may take before it leaves the rest to the classes: so many for
  // each of its pixels, events and fills, and an allowance.
  std::size_t stepsPerItem = 64;
  std::size_t stepAllowance = std::size_t{1} << 22;
};

// Throws std::bad_alloc; the pixels are then partly painted.
void PaintRecordedFills(const PixelView& pixels, std::span<const FillRequest> fills,
                        const RecordedFillOptions& options = {});

}  // namespace vantrel::platform::gdiplus
