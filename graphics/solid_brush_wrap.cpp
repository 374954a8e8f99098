#include "graphics/solid_brush_wrap.h"

#include "graphics/flat_functions.h"

namespace vantrel::graphics {

bool SolidBrushWrap::Delete() {
  if (brushHandle_ == 0) return false;
  const gp::GpStatus status = Flat().GdipDeleteBrush(AsNative<gp::GpBrush>(brushHandle_));
  SetHandle(0);
  return Report(status);
}

bool SolidBrushWrap::Create(std::uint32_t argb) {
  Delete();
  gp::GpSolidFill* brush = nullptr;
  const gp::GpStatus status = Flat().GdipCreateSolidFill(argb, &brush);
  brushHandle_ = AsHandle(brush);
  SetHandle(brushHandle_);
  return Report(status);
}

}  // namespace vantrel::graphics
