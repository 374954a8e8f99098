#include "graphics/path_wrap.h"

#include "graphics/flat_functions.h"

namespace vantrel::graphics {

bool PathWrap::Delete() {
  if (pathHandle_ == 0) return false;
  const gp::GpStatus status = Flat().GdipDeletePath(AsNative<gp::GpPath>(pathHandle_));
  SetHandle(0);
  return Report(status);
}

bool PathWrap::Create(std::optional<std::int32_t> fillMode) {
  Delete();
  gp::GpPath* path = nullptr;
  const gp::GpStatus status = Flat().GdipCreatePath(
      static_cast<gp::GpFillMode>(fillMode.value_or(gp::FillModeAlternate)), &path);
  pathHandle_ = AsHandle(path);
  SetHandle(pathHandle_);
  return Report(status);
}

bool PathWrap::AddRectangle(float x, float y, float width, float height) {
  return Report(
      Flat().GdipAddPathRectangle(AsNative<gp::GpPath>(pathHandle_), x, y, width, height));
}

}  // namespace vantrel::graphics
