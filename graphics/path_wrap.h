#pragma once
// A path: figures collected for filling, with a fill mode (0 alternate, 1 winding).
// Rectangles stay in the path until it is deleted.
#include <cstdint>
#include <optional>

#include "graphics/wrap_base.h"

namespace vantrel::graphics {

class PathWrap final : public WrapBase {
 public:
  PathWrap() = default;
  ~PathWrap() override { Delete(); }

  // The end of the handle chain: paths have no family level.
  void OnHandleSet(NativeHandle handle) override { pathHandle_ = handle; }

  bool Delete();
  bool Create(std::optional<std::int32_t> fillMode = {});
  bool AddRectangle(float x, float y, float width, float height);
  bool IsCreated() const { return pathHandle_ != 0; }

 private:
  NativeHandle pathHandle_ = 0;
};

}  // namespace vantrel::graphics
