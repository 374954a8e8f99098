// Solid brushes.
#include "platform/gdiplus/flat/call_boundary.h"

namespace vantrel::platform::gdiplus {

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  return Call([&](HandleTable& objects) {
    if (brush == nullptr) return InvalidParameter;
    *brush = nullptr;
    *brush = AsHandle<GpSolidFill>(objects.Insert(SolidBrush{color}));
    return Ok;
  });
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  return Call([&](HandleTable& objects) {
    return objects.Erase<SolidBrush>(HandleOf(brush)) ? Ok : InvalidParameter;
  });
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
  return Call([&](HandleTable& objects) {
    SolidBrush* fill = objects.Find<SolidBrush>(HandleOf(brush));
    if (fill == nullptr || color == nullptr) return InvalidParameter;
    *color = fill->colour;
    return Ok;
  });
}

GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color) {
  return Call([&](HandleTable& objects) {
    SolidBrush* fill = objects.Find<SolidBrush>(HandleOf(brush));
    if (fill == nullptr) return InvalidParameter;
    fill->colour = color;
    return Ok;
  });
}

}  // namespace vantrel::platform::gdiplus
