#pragma once
// A solid brush of one ARGB colour (alpha in the top byte, then red, green, blue).
#include <cstdint>

#include "graphics/family_levels.h"

namespace vantrel::graphics {

class SolidBrushWrap final : public BrushFamily {
 public:
  SolidBrushWrap() = default;
  ~SolidBrushWrap() override { Delete(); }

  void OnConcreteHandleSet(NativeHandle handle) override { brushHandle_ = handle; }

  bool Delete();
  bool IsCreated() const { return brushHandle_ != 0; }
  bool Create(std::uint32_t argb);

 private:
  NativeHandle brushHandle_ = 0;
};

}  // namespace vantrel::graphics
