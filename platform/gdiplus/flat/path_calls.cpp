// Paths of rectangle figures.
#include <algorithm>
#include <climits>
#include <memory>

#include "platform/gdiplus/flat/call_boundary.h"

namespace vantrel::platform::gdiplus {
namespace {

bool ValidFillMode(GpFillMode mode) { return mode == FillModeAlternate || mode == FillModeWinding; }

}  // namespace

GpStatus GdipCreatePath(GpFillMode fillMode, GpPath** path) {
  return Call([&](HandleTable& objects) {
    if (path == nullptr) return InvalidParameter;
    *path = nullptr;
    if (!ValidFillMode(fillMode)) return InvalidParameter;
    Path made;
    made.fillMode = fillMode;
    *path = AsHandle<GpPath>(objects.Insert(std::move(made)));
    return Ok;
  });
}

GpStatus GdipDeletePath(GpPath* path) {
  return Call([&](HandleTable& objects) {
    return objects.Erase<Path>(HandleOf(path)) ? Ok : InvalidParameter;
  });
}

GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  return Call([&](HandleTable& objects) {
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (figures == nullptr) return InvalidParameter;
    figures->rects->push_back({x, y, width, height});
    return Ok;
  });
}

GpStatus GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height) {
  return GdipAddPathRectangle(path, static_cast<REAL>(x), static_cast<REAL>(y),
                              static_cast<REAL>(width), static_cast<REAL>(height));
}

GpStatus GdipGetPointCount(GpPath* path, INT* count) {
  return Call([&](HandleTable& objects) {
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (figures == nullptr || count == nullptr) return InvalidParameter;
    // Four corner points per rectangle.
    *count = static_cast<INT>(std::min<std::size_t>(figures->rects->size(), INT_MAX / 4) * 4);
    return Ok;
  });
}

GpStatus GdipGetPathFillMode(GpPath* path, GpFillMode* fillMode) {
  return Call([&](HandleTable& objects) {
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (figures == nullptr || fillMode == nullptr) return InvalidParameter;
    *fillMode = figures->fillMode;
    return Ok;
  });
}

GpStatus GdipSetPathFillMode(GpPath* path, GpFillMode fillMode) {
  return Call([&](HandleTable& objects) {
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (figures == nullptr || !ValidFillMode(fillMode)) return InvalidParameter;
    figures->fillMode = fillMode;
    return Ok;
  });
}

GpStatus GdipResetPath(GpPath* path) {
  return Call([&](HandleTable& objects) {
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (figures == nullptr) return InvalidParameter;
    // Fills already recorded keep the old list.
    figures->rects = std::make_shared<RectList>();
    figures->fillMode = FillModeAlternate;
    return Ok;
  });
}

}  // namespace vantrel::platform::gdiplus
