#include "graphics/wrap_base.h"

#include "graphics/flat_functions.h"
#include "graphics/session.h"

namespace vantrel::graphics {

void WrapBase::SetHandle(NativeHandle handle) {
  handle_ = handle;
  OnHandleSet(handle);
}

void* WrapBase::Alloc(std::size_t size) { return Flat().GdipAlloc(size); }

void WrapBase::Free(void* address) { Flat().GdipFree(address); }

bool WrapBase::Report(std::int32_t status) {
  LastGdipStatus = status;
  return status == gp::Ok;
}

}  // namespace vantrel::graphics
