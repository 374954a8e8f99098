#pragma once
// A drawing context: the bitmap it draws on (by handle, so a disposed bitmap is noticed) and
// the rendering settings. Interpolation and compositing quality are kept and reported; fills
// do not depend on them.
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::platform::gdiplus {

struct GraphicsContext {
  ULONG_PTR image = 0;
  SmoothingMode smoothing = SmoothingModeNone;
  InterpolationMode interpolation = InterpolationModeBilinear;
  CompositingQuality compositing = CompositingQualityDefault;

  bool AntiAlias() const {
    return smoothing == SmoothingModeAntiAlias || smoothing == SmoothingModeHighQuality;
  }
};

struct SolidBrush {
  ARGB colour = 0;
};

}  // namespace vantrel::platform::gdiplus
