#pragma once
// The plain fill: paints every rectangle of the request at once. The recorded fill must match
// it pixel for pixel; it also serves requests the recorder does not take.
#include <span>

#include "platform/gdiplus/fill/fill_request.h"
#include "platform/gdiplus/fill/pixel_view.h"

namespace vantrel::platform::gdiplus {

// Cost: the rectangles' clipped areas plus their bounding box. Throws std::bad_alloc.
void FillEagerly(const PixelView& pixels, std::span<const RectF> rects, GpFillMode fillMode,
                 Premultiplied colour, bool antiAlias);

inline void FillEagerly(const PixelView& pixels, const FillRequest& request) {
  FillEagerly(pixels, std::span(*request.rects).first(request.rectCount), request.fillMode,
              request.colour, request.antiAlias);
}

}  // namespace vantrel::platform::gdiplus
