#include "graphics/graphics_wrap.h"

#include "graphics/flat_functions.h"
#include "graphics/image_wrap.h"
#include "graphics/path_wrap.h"
#include "graphics/solid_brush_wrap.h"

namespace vantrel::graphics {
namespace {

gp::GpGraphics* Context(NativeHandle handle) { return AsNative<gp::GpGraphics>(handle); }

}  // namespace

bool GraphicsWrap::Delete() {
  if (contextHandle_ == 0) return false;
  const gp::GpStatus status = Flat().GdipDeleteGraphics(Context(contextHandle_));
  SetHandle(0);
  return Report(status);
}

bool GraphicsWrap::FromImage(const ImageWrap& image) {
  Delete();
  gp::GpGraphics* context = nullptr;
  const gp::GpStatus status =
      Flat().GdipGetImageGraphicsContext(AsNative<gp::GpImage>(image.GetHandle()), &context);
  contextHandle_ = AsHandle(context);
  SetHandle(contextHandle_);
  return Report(status);
}

bool GraphicsWrap::SetSmoothingMode(std::int32_t mode) {
  return Report(Flat().GdipSetSmoothingMode(Context(contextHandle_),
                                            static_cast<gp::SmoothingMode>(mode)));
}

bool GraphicsWrap::SetInterpolationMode(std::int32_t mode) {
  return Report(Flat().GdipSetInterpolationMode(Context(contextHandle_),
                                                static_cast<gp::InterpolationMode>(mode)));
}

bool GraphicsWrap::SetCompositingQuality(std::int32_t quality) {
  return Report(Flat().GdipSetCompositingQuality(Context(contextHandle_),
                                                 static_cast<gp::CompositingQuality>(quality)));
}

bool GraphicsWrap::FillPath(const SolidBrushWrap& brush, const PathWrap& path) {
  return Report(Flat().GdipFillPath(Context(contextHandle_),
                                    AsNative<gp::GpBrush>(brush.GetHandle()),
                                    AsNative<gp::GpPath>(path.GetHandle())));
}

}  // namespace vantrel::graphics
