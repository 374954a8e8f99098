#pragma once
// The bound function table: one lazily bound entry per graphics library function the
// wrappers call. Only the wrappers' sources include this.
#include "graphics/library_binding.h"
#include "platform/gdiplus/gdiplus_flat.h"

namespace vantrel::graphics {

template <typename Signature>
class LazyFunction;

template <typename Result, typename... Arguments>
class LazyFunction<Result(Arguments...)> {
 public:
  explicit constexpr LazyFunction(const char* name) : name_(name) {}

  Result operator()(Arguments... arguments) {
    if (address_ == nullptr) {
      address_ = reinterpret_cast<Result (*)(Arguments...)>(BindGraphicsFunction(name_));
    }
    return address_(arguments...);
  }

 private:
  const char* name_;
  Result (*address_)(Arguments...) = nullptr;
};

namespace gp = platform::gdiplus;

// The declarations in gdiplus_flat.h give each entry its exact signature; the library itself
// is never linked.
#define VANTREL_FLAT(name) LazyFunction<decltype(gp::name)> name{#name}

struct FlatFunctions {
  VANTREL_FLAT(GdiplusStartup);
  VANTREL_FLAT(GdiplusShutdown);
  VANTREL_FLAT(GdipAlloc);
  VANTREL_FLAT(GdipFree);
  VANTREL_FLAT(GdipCreateBitmapFromScan0);
  VANTREL_FLAT(GdipDisposeImage);
  VANTREL_FLAT(GdipGetImageRawFormat);
  VANTREL_FLAT(GdipGetImageGraphicsContext);
  VANTREL_FLAT(GdipDeleteGraphics);
  VANTREL_FLAT(GdipSetSmoothingMode);
  VANTREL_FLAT(GdipSetInterpolationMode);
  VANTREL_FLAT(GdipSetCompositingQuality);
  VANTREL_FLAT(GdipFillPath);
  VANTREL_FLAT(GdipCreateSolidFill);
  VANTREL_FLAT(GdipDeleteBrush);
  VANTREL_FLAT(GdipCreatePath);
  VANTREL_FLAT(GdipDeletePath);
  VANTREL_FLAT(GdipAddPathRectangle);
  VANTREL_FLAT(GdipGetImageEncodersSize);
  VANTREL_FLAT(GdipGetImageEncoders);
  VANTREL_FLAT(GdipSaveImageToStream);
  VANTREL_FLAT(GdipSaveImageToFile);
  VANTREL_FLAT(GdipSaveAdd);
  VANTREL_FLAT(GdipSaveAddImage);
  VANTREL_FLAT(GdipGetEncoderParameterListSize);
  VANTREL_FLAT(GdipGetEncoderParameterList);
};

#undef VANTREL_FLAT

// The process's table; emptied by UseGraphicsLibrary.
FlatFunctions& Flat();

}  // namespace vantrel::graphics
