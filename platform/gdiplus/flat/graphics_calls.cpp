// Drawing contexts: creation, settings and painting.
#include <memory>

#include "platform/gdiplus/fill/eager_fill.h"
#include "platform/gdiplus/flat/call_boundary.h"

namespace vantrel::platform::gdiplus {
namespace {

// The context's bitmap, or null when it has been disposed since.
Bitmap* TargetOf(HandleTable& objects, const GraphicsContext& context) {
  return objects.Find<Bitmap>(context.image);
}

}  // namespace

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  return Call([&](HandleTable& objects) {
    if (graphics == nullptr) return InvalidParameter;
    *graphics = nullptr;
    Bitmap* bitmap = objects.Find<Bitmap>(HandleOf(image));
    if (bitmap == nullptr) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    *graphics = AsHandle<GpGraphics>(objects.Insert(GraphicsContext{HandleOf(image)}));
    return Ok;
  });
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr) return InvalidParameter;
    // Memory that a caller lent shows the drawing once its context is gone.
    Bitmap* bitmap = TargetOf(objects, *context);
    const GpStatus status = bitmap ? PaintLentMemory(*bitmap) : Ok;
    objects.Erase<GraphicsContext>(HandleOf(graphics));
    return status;
  });
}

GpStatus GdipFlush(GpGraphics* graphics, FlushIntention) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr) return InvalidParameter;
    if (Bitmap* bitmap = TargetOf(objects, *context)) bitmap->PaintPending();
    return Ok;
  });
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias) {
      return InvalidParameter;
    }
    context->smoothing = mode;
    return Ok;
  });
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* mode) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || mode == nullptr) return InvalidParameter;
    *mode = context->smoothing;
    return Ok;
  });
}

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || mode < InterpolationModeDefault ||
        mode > InterpolationModeHighQualityBicubic) {
      return InvalidParameter;
    }
    context->interpolation = mode;
    return Ok;
  });
}

GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || mode == nullptr) return InvalidParameter;
    *mode = context->interpolation;
    return Ok;
  });
}

GpStatus GdipSetCompositingQuality(GpGraphics* graphics, CompositingQuality quality) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || quality < CompositingQualityDefault ||
        quality > CompositingQualityAssumeLinear) {
      return InvalidParameter;
    }
    context->compositing = quality;
    return Ok;
  });
}

GpStatus GdipGetCompositingQuality(GpGraphics* graphics, CompositingQuality* quality) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr || quality == nullptr) return InvalidParameter;
    *quality = context->compositing;
    return Ok;
  });
}

GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    SolidBrush* fill = objects.Find<SolidBrush>(HandleOf(brush));
    Path* figures = objects.Find<Path>(HandleOf(path));
    if (context == nullptr || fill == nullptr || figures == nullptr) return InvalidParameter;
    Bitmap* bitmap = TargetOf(objects, *context);
    if (bitmap == nullptr) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    bitmap->Record({figures->rects, figures->rects->size(), figures->fillMode,
                    Premultiply(fill->colour), context->AntiAlias()});
    return Ok;
  });
}

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width,
                           REAL height) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    SolidBrush* fill = objects.Find<SolidBrush>(HandleOf(brush));
    if (context == nullptr || fill == nullptr) return InvalidParameter;
    Bitmap* bitmap = TargetOf(objects, *context);
    if (bitmap == nullptr) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    const RectF rect{x, y, width, height};
    FillEagerly(bitmap->Pixels(), std::span(&rect, 1), FillModeAlternate,
                Premultiply(fill->colour), context->AntiAlias());
    return Ok;
  });
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  return Call([&](HandleTable& objects) {
    GraphicsContext* context = objects.Find<GraphicsContext>(HandleOf(graphics));
    if (context == nullptr) return InvalidParameter;
    Bitmap* bitmap = TargetOf(objects, *context);
    if (bitmap == nullptr) return InvalidParameter;
    if (bitmap->Lock()) return WrongState;
    // Clearing overwrites every pixel, so whatever is recorded need not be painted.
    bitmap->DropPending();
    const PixelView& pixels = bitmap->Pixels();
    const std::uint32_t raw = PremultipliedToRaw(Premultiply(color), pixels.format);
    for (int y = 0; y < pixels.height; ++y) {
      for (int x = 0; x < pixels.width; ++x) pixels.Write(x, y, raw);
    }
    return Ok;
  });
}

}  // namespace vantrel::platform::gdiplus
