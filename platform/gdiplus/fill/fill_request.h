#pragma once
// One FillPath as a bitmap records it: the rectangles of the path at fill time (a prefix of a
// list that the path may still grow) and everything else captured then.
#include <cstddef>
#include <memory>
#include <vector>

#include "platform/gdiplus/fill/fill_model.h"
#include "platform/gdiplus/fill/rect_span.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

// Append-only while shared: a path that is reset starts a new list.
using RectList = std::vector<RectF>;

struct FillRequest {
  std::shared_ptr<const RectList> rects;
  std::size_t rectCount = 0;  // the rectangles rects[0, rectCount) are filled
  GpFillMode fillMode = FillModeAlternate;
  Premultiplied colour = 0;
  bool antiAlias = false;
};

}  // namespace vantrel::platform::gdiplus
