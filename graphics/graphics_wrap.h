#pragma once
// A drawing context on an image. The context does not own the image, which must outlive it.
#include <cstdint>

#include "graphics/family_levels.h"

namespace vantrel::graphics {

class ImageWrap;
class PathWrap;
class SolidBrushWrap;

class GraphicsWrap final : public GraphicsFamily {
 public:
  GraphicsWrap() = default;
  ~GraphicsWrap() override { Delete(); }

  void OnConcreteHandleSet(NativeHandle handle) override { contextHandle_ = handle; }

  bool Delete();
  bool IsCreated() const { return contextHandle_ != 0; }
  bool FromImage(const ImageWrap& image);

  // The settings hold for later fills: smoothing 4 anti-aliases, interpolation 7 is
  // high-quality bicubic, compositing quality 2 is high quality.
  bool SetSmoothingMode(std::int32_t mode);
  bool SetInterpolationMode(std::int32_t mode);
  bool SetCompositingQuality(std::int32_t quality);

  // Paints every figure of the path with the brush, under the path's fill mode.
  bool FillPath(const SolidBrushWrap& brush, const PathWrap& path);

 private:
  NativeHandle contextHandle_ = 0;
};

}  // namespace vantrel::graphics
