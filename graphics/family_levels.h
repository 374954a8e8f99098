#pragma once
// The family levels between WrapBase and the concrete wrappers: image, drawing context and
// brush. Each keeps its family's copy of the handle and hands it on to the concrete level.
#include "graphics/wrap_base.h"

namespace vantrel::graphics {

class FamilyLevel : public WrapBase {
 public:
  void OnHandleSet(NativeHandle handle) final {
    familyHandle_ = handle;
    OnConcreteHandleSet(handle);
  }
  virtual void OnConcreteHandleSet(NativeHandle handle) = 0;

 protected:
  NativeHandle FamilyHandle() const { return familyHandle_; }

 private:
  NativeHandle familyHandle_ = 0;
};

// Images: operations declared for every image read this level's copy.
class ImageFamily : public FamilyLevel {};
// Drawing contexts.
class GraphicsFamily : public FamilyLevel {};
// Brushes.
class BrushFamily : public FamilyLevel {};

}  // namespace vantrel::graphics
