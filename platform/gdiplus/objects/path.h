#pragma once
// A path of rectangle figures. The list is shared with fills recorded from it, which keep a
// count, so growing the path, resetting it (a new list) or deleting it never changes them.
#include <memory>

#include "platform/gdiplus/fill/fill_request.h"

namespace vantrel::platform::gdiplus {

struct Path {
  GpFillMode fillMode = FillModeAlternate;
  std::shared_ptr<RectList> rects = std::make_shared<RectList>();
};

}  // namespace vantrel::platform::gdiplus
